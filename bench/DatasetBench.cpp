// Times the import of variables from Stata datasets written at run time into
// a temporary directory, each import a whole process of its own (its wall
// time and peak memory), beside bare ReadStat (ReadStatBench) reading the same
// file in the same run:
//   (a) 10 variables with 10 observations,
//   (b) the same variables with 2,000,000 observations (never read, so this
//       should cost what (a) costs), in releases 114 and 118,
//   (c) 5,000 variables, each with its own 20-entry value-label set,
//   (d) the file of (c) into the variables panel of a main window.
//
// The imports run as DatasetImportProcess, Quorin's reader in a process of
// its own on the program's core libraries.
#include "ReadStatDtaWriter.h"
#include "app/MainWindow.h"
#include "panel/VariablesWidget.h"
#include "stata/StataDatasetReader.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
namespace {

using Type = ReadStatDtaWriter::Type;

QTextStream out(stdout);

// A survey-like row: numbers of every width, labelled codes and a string.
ReadStatDtaWriter tenVariables(int release, qint64 observations)
{
    ReadStatDtaWriter writer(release);
    writer.addVariable(QStringLiteral("id"), QStringLiteral("Identifier"), Type::Long);
    writer.addVariable(QStringLiteral("sex"), QStringLiteral("Sex"), Type::Byte, 0,
                       QStringLiteral("sex"));
    writer.addVariable(QStringLiteral("age"), QStringLiteral("Age"), Type::Int);
    writer.addVariable(QStringLiteral("region"), QStringLiteral("Region"), Type::Int, 0,
                       QStringLiteral("region"));
    writer.addVariable(QStringLiteral("town"), QStringLiteral("Town"), Type::String, 20);
    writer.addVariable(QStringLiteral("income"), QStringLiteral("Income"), Type::Double);
    writer.addVariable(QStringLiteral("weight"), QStringLiteral("Weight"), Type::Float);
    writer.addVariable(QStringLiteral("q1"), QStringLiteral("Satisfied"), Type::Byte, 0,
                       QStringLiteral("yesno"));
    writer.addVariable(QStringLiteral("q2"), QStringLiteral("Recommends"), Type::Byte, 0,
                       QStringLiteral("yesno"));
    writer.addVariable(QStringLiteral("q3"), QStringLiteral("Score"), Type::Int);
    writer.addValueLabelSet(
        {QStringLiteral("sex"), {{1, QStringLiteral("Male")}, {2, QStringLiteral("Female")}}});
    ReadStatDtaWriter::ValueLabelSet regions{QStringLiteral("region"), {}};
    for (int value = 1; value <= 20; ++value)
        regions.entries.append({value, QStringLiteral("Region %1").arg(value)});
    writer.addValueLabelSet(regions);
    writer.addValueLabelSet({QStringLiteral("yesno"),
                             {{-9, QStringLiteral("No answer")},
                              {1, QStringLiteral("Yes")},
                              {2, QStringLiteral("No")}}});
    writer.addBlankObservations(observations);
    return writer;
}

ReadStatDtaWriter manyLabelledVariables(int count, int entries)
{
    ReadStatDtaWriter writer(118);
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("v%1").arg(i);
        writer.addVariable(name, QStringLiteral("Question %1").arg(i), Type::Int, 0, name);
        ReadStatDtaWriter::ValueLabelSet set{name, {}};
        for (int value = 1; value <= entries; ++value)
            set.entries.append(
                {value, QStringLiteral("Answer %1 to question %2").arg(value).arg(i)});
        writer.addValueLabelSet(set);
    }
    return writer;
}

QString write(const QTemporaryDir &directory, const QString &name, const ReadStatDtaWriter &writer)
{
    const QString fileName = directory.filePath(name);
    QString error;
    if (!writer.writeFile(fileName, &error)) {
        out << "Cannot write " << fileName << ": " << error << Qt::endl;
        std::exit(1);
    }
    return fileName;
}

struct ProcessCost
{
    double seconds = 0;
    double mebibytes = 0;
};

// Runs a program to its end; its wall time, and the peak resident memory it
// reports itself (the kernel's count for a child started from this process
// would begin with this one's).
ProcessCost runProcess(const QString &program, const QString &fileName)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(program, {fileName});
    const bool ran = process.waitForFinished(60000);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const QByteArray output = process.readAllStandardOutput();
    const QRegularExpressionMatch peak = QRegularExpression(QStringLiteral("VmHWM:\\s*(\\d+) kB"))
                                             .match(QString::fromLatin1(output));
    if (!ran || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 ||
        !peak.hasMatch()) {
        out << "Failed: " << program << ' ' << fileName << ": " << process.readAllStandardError()
            << Qt::endl;
        std::exit(1);
    }
    return {seconds, peak.captured(1).toDouble() / 1024.0};
}

// Median wall time and peak memory of repeated runs of Quorin's import and
// of bare ReadStat on one file, alternating so that neither profits from a
// warmer cache.
struct Comparison
{
    ProcessCost quorin;
    ProcessCost readStat;
};

Comparison compare(const QString &fileName, int runs)
{
    const QDir here(QCoreApplication::applicationDirPath());
    const QString quorinImport = here.filePath(QStringLiteral("DatasetImportProcess"));
    const QString readStat = here.filePath(QStringLiteral("ReadStatBench"));
    QList<ProcessCost> quorin, bare;
    for (int run = 0; run < runs; ++run) {
        quorin.append(runProcess(quorinImport, fileName));
        bare.append(runProcess(readStat, fileName));
    }
    const auto median = [](QList<ProcessCost> costs) {
        std::sort(costs.begin(), costs.end(),
                  [](const ProcessCost &a, const ProcessCost &b) { return a.seconds < b.seconds; });
        return costs.at(costs.size() / 2);
    };
    return {median(quorin), median(bare)};
}

QString fileSize(const QString &fileName)
{
    const double bytes = double(QFileInfo(fileName).size());
    if (bytes < 1e6)
        return QLocale::c().toString(bytes / 1e3, 'f', 1) + QStringLiteral(" kB");
    return QLocale::c().toString(bytes / 1e6, 'f', 1) + QStringLiteral(" MB");
}

QString figure(double value, int decimals)
{
    return QLocale::c().toString(value, 'f', decimals);
}

QString describe(const Comparison &comparison)
{
    return QStringLiteral("Quorin %1 s, %2 MiB; bare ReadStat %3 s, %4 MiB; %5 times ReadStat")
        .arg(figure(comparison.quorin.seconds, 4), figure(comparison.quorin.mebibytes, 1),
             figure(comparison.readStat.seconds, 4), figure(comparison.readStat.mebibytes, 1),
             figure(comparison.quorin.seconds / comparison.readStat.seconds, 2));
}

const char *verdict(bool met)
{
    return met ? "met" : "MISSED";
}

// Median seconds of "Load variables from Stata dataset..." into the panel.
double panelSeconds(const QString &fileName, int runs)
{
    MainWindow window;
    QList<double> seconds;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        window.loadVariablesFromDataset(fileName);
        QCoreApplication::processEvents();
        seconds.append(double(timer.nsecsElapsed()) / 1e9);
        if (window.findChild<VariablesWidget *>()->variables().size() != 5000) {
            out << "The panel did not receive the variables" << Qt::endl;
            std::exit(1);
        }
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds.at(seconds.size() / 2);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QTemporaryDir directory;
    if (!directory.isValid()) {
        out << "Cannot create a temporary directory" << Qt::endl;
        return 1;
    }
    out << "Writing the datasets to " << directory.path() << " ..." << Qt::endl;
    const QString small114 =
        write(directory, QStringLiteral("small114.dta"), tenVariables(114, 10));
    const QString large114 =
        write(directory, QStringLiteral("large114.dta"), tenVariables(114, 2000000));
    const QString small118 =
        write(directory, QStringLiteral("small118.dta"), tenVariables(118, 10));
    const QString large118 =
        write(directory, QStringLiteral("large118.dta"), tenVariables(118, 2000000));
    const QString labelled =
        write(directory, QStringLiteral("labelled.dta"), manyLabelledVariables(5000, 20));

    out << "Import of variables, each a whole process (median of 21 runs; wall time, peak "
           "resident memory)"
        << Qt::endl;
    for (const auto &pair : {qMakePair(small114, large114), qMakePair(small118, large118)}) {
        const QString release = pair.first.contains(QStringLiteral("114")) ? QStringLiteral("114")
                                                                           : QStringLiteral("118");
        const Comparison a = compare(pair.first, 21);
        const Comparison b = compare(pair.second, 21);
        const double ratio = b.quorin.seconds / a.quorin.seconds;
        out << "(a) release " << release << ", 10 variables, 10 observations ("
            << fileSize(pair.first) << "): " << describe(a) << Qt::endl;
        out << "(b) release " << release << ", 10 variables, 2,000,000 observations ("
            << fileSize(pair.second) << "): " << describe(b) << "; " << figure(ratio, 2)
            << " times (a) (target: at most 1.5) " << verdict(ratio <= 1.5) << Qt::endl;
    }
    const Comparison c = compare(labelled, 21);
    const double ratio = c.quorin.seconds / c.readStat.seconds;
    out << "(c) 5,000 variables with a 20-entry value-label set each (" << fileSize(labelled)
        << "): " << describe(c) << " (target: under 1.3 times ReadStat " << verdict(ratio < 1.3)
        << ", never above 0.1 s " << verdict(c.quorin.seconds <= 0.1) << ")" << Qt::endl;
    const double d = panelSeconds(labelled, 5);
    out << "(d) the file of (c) into the variables panel (median of 5): " << figure(d, 4)
        << " s (target: under 0.3 s) " << verdict(d < 0.3) << Qt::endl;
    return 0;
}
