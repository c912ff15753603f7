// Times the import of variables from release-114 Stata datasets written at run
// time into a temporary directory:
//   (a) 10 variables with 10 observations,
//   (b) the same variables with 2,000,000 observations (the observations are
//       skipped with one seek, so this should cost what (a) costs),
//   (c) 5,000 variables, each with its own 20-entry value-label set.
#include "DtaWriter.h"
#include "stata/StataDatasetReader.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdlib>

namespace {

QTextStream out(stdout);

// A survey-like row: numbers of every width, labelled codes and a string.
DtaWriter tenVariables(qint32 observations)
{
    DtaWriter writer;
    writer.addVariable(QStringLiteral("id"), QStringLiteral("Identifier"), DtaWriter::Long);
    writer.addVariable(QStringLiteral("sex"), QStringLiteral("Sex"), DtaWriter::Byte,
                       QStringLiteral("sex"));
    writer.addVariable(QStringLiteral("age"), QStringLiteral("Age"), DtaWriter::Int);
    writer.addVariable(QStringLiteral("region"), QStringLiteral("Region"), DtaWriter::Int,
                       QStringLiteral("region"));
    writer.addVariable(QStringLiteral("town"), QStringLiteral("Town"), 20);
    writer.addVariable(QStringLiteral("income"), QStringLiteral("Income"), DtaWriter::Double);
    writer.addVariable(QStringLiteral("weight"), QStringLiteral("Weight"), DtaWriter::Float);
    writer.addVariable(QStringLiteral("q1"), QStringLiteral("Satisfied"), DtaWriter::Byte,
                       QStringLiteral("yesno"));
    writer.addVariable(QStringLiteral("q2"), QStringLiteral("Recommends"), DtaWriter::Byte,
                       QStringLiteral("yesno"));
    writer.addVariable(QStringLiteral("q3"), QStringLiteral("Score"), DtaWriter::Int);
    writer.addValueLabelSet(
        {QStringLiteral("sex"), {{1, QStringLiteral("Male")}, {2, QStringLiteral("Female")}}});
    DtaWriter::ValueLabelSet regions{QStringLiteral("region"), {}};
    for (int value = 1; value <= 20; ++value)
        regions.entries.append({value, QStringLiteral("Region %1").arg(value)});
    writer.addValueLabelSet(regions);
    writer.addValueLabelSet({QStringLiteral("yesno"),
                             {{1, QStringLiteral("Yes")},
                              {2, QStringLiteral("No")},
                              {-9, QStringLiteral("No answer")}}});
    writer.addBlankObservations(observations);
    return writer;
}

DtaWriter manyLabelledVariables(int count, int entries)
{
    DtaWriter writer;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("v%1").arg(i);
        writer.addVariable(name, QStringLiteral("Question %1").arg(i), DtaWriter::Int, name);
        DtaWriter::ValueLabelSet set{name, {}};
        for (int value = 1; value <= entries; ++value)
            set.entries.append(
                {value, QStringLiteral("Answer %1 to question %2").arg(value).arg(i)});
        writer.addValueLabelSet(set);
    }
    return writer;
}

QString write(const QTemporaryDir &directory, const QString &name, const DtaWriter &writer)
{
    const QString fileName = directory.filePath(name);
    if (!writer.writeFile(fileName)) {
        out << "Cannot write " << fileName << Qt::endl;
        std::exit(1);
    }
    return fileName;
}

// Median seconds of one import; a failed import ends the benchmark.
double medianImportSeconds(const QString &fileName, int runs, qsizetype expectedVariables)
{
    QList<double> seconds;
    for (int run = 0; run < runs; ++run) {
        QList<Variable> variables;
        QElapsedTimer timer;
        timer.start();
        const StataDatasetReader::Result result = readStataDataset(variables, fileName);
        seconds.append(double(timer.nsecsElapsed()) / 1e9);
        if (result != StataDatasetReader::Success || variables.size() != expectedVariables) {
            out << "Import of " << fileName << " failed: " << StataDatasetReader::message(result)
                << Qt::endl;
            std::exit(1);
        }
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds.at(seconds.size() / 2);
}

QString fileSize(const QString &fileName)
{
    const double bytes = double(QFileInfo(fileName).size());
    if (bytes < 1e6)
        return QLocale::c().toString(bytes / 1e3, 'f', 1) + QStringLiteral(" kB");
    return QLocale::c().toString(bytes / 1e6, 'f', 1) + QStringLiteral(" MB");
}

QString milliseconds(double seconds)
{
    return QLocale::c().toString(seconds * 1e3, 'f', 3) + QStringLiteral(" ms");
}

} // namespace

int main()
{
    QTemporaryDir directory;
    if (!directory.isValid()) {
        out << "Cannot create a temporary directory" << Qt::endl;
        return 1;
    }
    out << "Writing the datasets to " << directory.path() << " ..." << Qt::endl;
    const QString small = write(directory, QStringLiteral("small.dta"), tenVariables(10));
    const QString large = write(directory, QStringLiteral("large.dta"), tenVariables(2000000));
    const QString labelled =
        write(directory, QStringLiteral("labelled.dta"), manyLabelledVariables(5000, 20));

    // Alternate the two so that neither profits from a warmer cache.
    QList<double> smallRuns, largeRuns;
    for (int round = 0; round < 5; ++round) {
        smallRuns.append(medianImportSeconds(small, 101, 10));
        largeRuns.append(medianImportSeconds(large, 101, 10));
    }
    std::sort(smallRuns.begin(), smallRuns.end());
    std::sort(largeRuns.begin(), largeRuns.end());
    const double a = smallRuns.at(2);
    const double b = largeRuns.at(2);
    const double c = medianImportSeconds(labelled, 11, 5000);

    out << "Import of variables (median of repeated runs)" << Qt::endl;
    out << "(a) 10 variables, 10 observations (" << fileSize(small) << "): " << milliseconds(a)
        << Qt::endl;
    out << "(b) 10 variables, 2,000,000 observations (" << fileSize(large)
        << "): " << milliseconds(b) << ", " << QLocale::c().toString(b / a, 'f', 2)
        << " times (a) (target: at most 1.5) " << (b <= 1.5 * a ? "met" : "MISSED") << Qt::endl;
    out << "(c) 5,000 variables with a 20-entry value-label set each (" << fileSize(labelled)
        << "): " << milliseconds(c) << " (target: under 200 ms) " << (c < 0.2 ? "met" : "MISSED")
        << Qt::endl;
    return 0;
}
