// The statistics library that ships with Quorin (examples/statistics.xml):
// every statistic is placed on the example survey's income, once for all
// respondents and once for women, run through the Stata stand-in, and each
// figure is compared with the one this test computes from the survey's
// observations, following the definitions of Stata's summarize and count.

#include "../tools/StandinRunner.h"
#include "DtaObservations.h"
#include "FileContents.h"
#include "SampleStatistics.h"
#include "model/CellContentGrid.h"
#include "model/DocumentReader.h"
#include "model/DocumentWriter.h"
#include "stata/DoFileComposer.h"

#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

const QString examples = QStringLiteral(QUORIN_SOURCE_DIR "/examples");

// The value of the survey variable over the chosen respondents, leaving out
// missing values as summarize does.
QList<double> values(const DtaObservations &survey, const QString &variable, bool womenOnly)
{
    QList<double> chosen;
    for (int i = 0; i < survey.observationCount(); ++i) {
        const double value = survey.value(i, variable);
        if ((!womenOnly || survey.value(i, QStringLiteral("sex")) == 2) && !std::isnan(value))
            chosen.append(value);
    }
    return chosen;
}

// Stata's summarize, detail: with n p / 100 a whole number k the mean of the
// k-th and (k+1)-th smallest values, otherwise the next larger rank's value.
double percentile(QList<double> sorted, int p)
{
    std::sort(sorted.begin(), sorted.end());
    const double rank = sorted.size() * p / 100.0;
    const qsizetype whole = qsizetype(std::floor(rank));
    if (rank == double(whole))
        return (sorted.at(whole - 1) + sorted.at(whole)) / 2;
    return sorted.at(whole);
}

double figure(const QString &statistic, const QList<double> &v, int respondents)
{
    double sum = 0;
    for (double value : v)
        sum += value;
    if (statistic == QLatin1String("count"))
        return respondents;
    if (statistic == QLatin1String("observations"))
        return v.size();
    if (statistic == QLatin1String("mean"))
        return sampleMean(v);
    if (statistic == QLatin1String("sd"))
        return sampleStandardDeviation(v);
    if (statistic == QLatin1String("min"))
        return *std::min_element(v.begin(), v.end());
    if (statistic == QLatin1String("max"))
        return *std::max_element(v.begin(), v.end());
    if (statistic == QLatin1String("sum"))
        return sum;
    if (statistic == QLatin1String("median"))
        return percentile(v, 50);
    if (statistic == QLatin1String("p25"))
        return percentile(v, 25);
    if (statistic == QLatin1String("p75"))
        return percentile(v, 75);
    return std::nan("");
}

} // namespace

class StatisticsLibraryTest : public QObject
{
    Q_OBJECT

private slots:
    void libraryIsAPlainQuorinDocument();
    void everyStatisticGivesTheSurveysFigure();
};

void StatisticsLibraryTest::libraryIsAPlainQuorinDocument()
{
    const QByteArray file = fileBytes(examples + QStringLiteral("/statistics.xml"));
    DocumentReader reader;
    QVERIFY(reader.read(file));
    // Written as Quorin writes it, so that saving it changes nothing.
    QCOMPARE(DocumentWriter::toXml(reader.document()), file);
    QCOMPARE(reader.document().commandNames(),
             QStringList({"count", "observations", "mean", "sd", "min", "max", "sum", "median",
                          "p25", "p75"}));
    QCOMPARE(reader.document().cells.rowCount(), 0);
    QVERIFY(reader.document().variables.isEmpty());
}

void StatisticsLibraryTest::everyStatisticGivesTheSurveysFigure()
{
    DocumentReader reader;
    QVERIFY(reader.readFile(examples + QStringLiteral("/statistics.xml")));
    const QStringList names = reader.document().commandNames();
    DtaObservations survey;
    QVERIFY2(survey.readFile(examples + QStringLiteral("/survey.dta")),
             qPrintable(survey.errorString()));

    // A row per statistic: its name, its figure for everybody, and for the
    // women of the condition cell above the last column.
    CellContentGrid grid(int(names.size()) + 1, 3);
    grid(0, 2).addMicroCondition(MicroCondition("2", "Female", "sex", "Sex"));
    for (int row = 1; row <= names.size(); ++row) {
        grid(row, 0).setSimpleText(names.at(row - 1));
        for (int column : {1, 2})
            grid(row, column).setStatistic(Statistic{"income", "", names.at(row - 1), "%24.16e"});
    }
    StandinRunner runner;
    const StatisticCatalogue catalogue = reader.document().catalogue();
    const AreaCollection areas;
    const DoFileModel model =
        DoFileComposer(grid, catalogue, areas).buildModel(examples + QStringLiteral("/survey.dta"));
    QCOMPARE(runner.runDoFile(model.toString(true, true, runner.filePath("table.csv"))), 0);
    QStringList lines = runner.readFile(QStringLiteral("table.csv")).split(QLatin1Char('\n'));
    QCOMPARE(lines.takeLast(), QString());
    QCOMPARE(lines.size(), names.size() + 1);

    const int women = int(values(survey, QStringLiteral("sex"), true).size());
    QVERIFY(women > 500 && women < 1500);
    for (int row = 1; row <= names.size(); ++row) {
        const QStringList fields = lines.at(row).split(QLatin1Char(';'));
        QCOMPARE(fields.size(), 3);
        QCOMPARE(fields.at(0), names.at(row - 1));
        for (int column : {1, 2}) {
            const bool womenOnly = column == 2;
            const double expected =
                figure(names.at(row - 1), values(survey, QStringLiteral("income"), womenOnly),
                       womenOnly ? women : survey.observationCount());
            bool isNumber = false;
            const double shown = fields.at(column).trimmed().toDouble(&isNumber);
            QVERIFY2(isNumber && std::fabs(shown - expected) <= 1e-9 * std::fabs(expected),
                     qPrintable(QStringLiteral("%1, column %2: shown %3, expected %4")
                                    .arg(names.at(row - 1))
                                    .arg(column)
                                    .arg(fields.at(column))
                                    .arg(expected, 0, 'g', 17)));
        }
    }
}

QTEST_GUILESS_MAIN(StatisticsLibraryTest)
#include "StatisticsLibraryTest.moc"
