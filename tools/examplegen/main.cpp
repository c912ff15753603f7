// Writes the example survey (examples/survey.dta): 2,000 respondents of a
// fictitious labour-force survey, drawn from a fixed seed so that every run
// writes the same bytes on every platform.
#include "DtaWriter.h"

#include <QCoreApplication>

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

// SplitMix64: small, fully specified, identical everywhere (unlike the
// standard library's distributions).
class Random
{
public:
    explicit Random(std::uint64_t seed)
        : m_state(seed)
    {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }

    // An index drawn with the given weights.
    int pick(std::initializer_list<double> weights)
    {
        double total = 0;
        for (double w : weights)
            total += w;
        double u = uniform() * total;
        int index = 0;
        for (double w : weights) {
            if (u < w)
                return index;
            u -= w;
            ++index;
        }
        return index - 1;
    }

    // Standard normal, by Box-Muller.
    double normal()
    {
        const double u1 = 1.0 - uniform();
        const double u2 = uniform();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
    }

private:
    std::uint64_t m_state;
};

int ageBand(int age)
{
    return age < 35 ? 1 : age < 55 ? 2 : 3;
}

DtaWriter describeSurvey()
{
    DtaWriter writer;
    writer.setDataLabel(QStringLiteral("Quorin example: labour-force survey (fictitious)"));
    writer.addVariable(QStringLiteral("id"), QStringLiteral("Respondent identifier"),
                       DtaWriter::Long);
    writer.addVariable(QStringLiteral("sex"), QStringLiteral("Sex"), DtaWriter::Byte,
                       QStringLiteral("sexlbl"));
    writer.addVariable(QStringLiteral("age"), QStringLiteral("Age in years"), DtaWriter::Byte);
    writer.addVariable(QStringLiteral("ageband"), QStringLiteral("Age band"), DtaWriter::Byte,
                       QStringLiteral("agebandlbl"));
    writer.addVariable(QStringLiteral("region"), QStringLiteral("Region of residence"),
                       DtaWriter::Byte, QStringLiteral("regionlbl"));
    writer.addVariable(QStringLiteral("empstat"), QStringLiteral("Employment status"),
                       DtaWriter::Byte, QStringLiteral("emplbl"));
    writer.addVariable(QStringLiteral("empstat_ly"),
                       QStringLiteral("Employment status one year ago"), DtaWriter::Byte,
                       QStringLiteral("emplbl"));
    writer.addVariable(QStringLiteral("income"), QStringLiteral("Monthly net income (EUR)"),
                       DtaWriter::Double);
    writer.addVariable(QStringLiteral("weight"), QStringLiteral("Sampling weight"),
                       DtaWriter::Float);

    writer.addValueLabelSet(
        {QStringLiteral("sexlbl"), {{1, QStringLiteral("Male")}, {2, QStringLiteral("Female")}}});
    writer.addValueLabelSet({QStringLiteral("agebandlbl"),
                             {{1, QStringLiteral("18-34")},
                              {2, QStringLiteral("35-54")},
                              {3, QStringLiteral("55 and over")}}});
    writer.addValueLabelSet({QStringLiteral("regionlbl"),
                             {{1, QStringLiteral("North-West")},
                              {2, QStringLiteral("North-East")},
                              {3, QStringLiteral("Centre")},
                              {4, QStringLiteral("South")},
                              {5, QStringLiteral("Islands")}}});
    writer.addValueLabelSet({QStringLiteral("emplbl"),
                             {{1, QStringLiteral("Employed")},
                              {2, QStringLiteral("Unemployed")},
                              {3, QStringLiteral("Inactive")},
                              {-9, QStringLiteral("No answer")}}});
    return writer;
}

int employment(Random &random, int age, int region)
{
    const double southern = region >= 4 ? 1.0 : 0.0;
    if (age >= 67)
        return random.pick({0.08, 0.01, 0.90, 0.01}) + 1;
    const double employed = 0.70 - 0.15 * southern - (age < 25 ? 0.25 : 0.0);
    const double unemployed = 0.07 + 0.08 * southern;
    const int choice =
        random.pick({employed, unemployed, 1.0 - employed - unemployed - 0.02, 0.02});
    return choice == 3 ? -9 : choice + 1;
}

QVariant income(Random &random, int status)
{
    // One respondent in twenty-five does not declare an income.
    if (random.uniform() < 0.04)
        return QVariant();
    const double median = status == 1 ? 1650.0 : status == 2 ? 450.0 : 900.0;
    const double value = median * std::exp(0.45 * random.normal());
    return std::round(value * 100.0) / 100.0;
}

void addRespondents(DtaWriter &writer, int count)
{
    Random random(20261206);
    for (int id = 1; id <= count; ++id) {
        const int sex = random.pick({0.49, 0.51}) + 1;
        const int age = 18 + int(random.uniform() * 73.0);
        const int region = random.pick({0.27, 0.19, 0.20, 0.23, 0.11}) + 1;
        const int status = employment(random, age, region);
        // Most people keep their status from one year to the next.
        const int lastYear = random.uniform() < 0.85 ? status : employment(random, age, region);
        const double weight = std::round((800.0 + 400.0 * random.uniform()) * 100.0) / 100.0;
        writer.addObservation(
            {id, sex, age, ageBand(age), region, status, lastYear, income(random, status), weight});
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.dta\n", argv[0]);
        return 2;
    }
    DtaWriter writer = describeSurvey();
    addRespondents(writer, 2000);
    if (!writer.writeFile(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
