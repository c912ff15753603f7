#include "stata/BatchRun.h"

#include "app/MainWindowSettings.h"
#include "model/AtomicFile.h"
#include "model/DocumentReader.h"
#include "stata/CsvFields.h"
#include "stata/DoFileComposer.h"
#include "stata/ExportTable.h"
#include "stata/StataPlatform.h"
#include "stata/TableExporter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTextStream>
#include <QTimer>

namespace {

// The output file of a grid Quorin holds is far smaller; these only keep a
// damaged file from exhausting memory.
constexpr qint64 maximumOutputSize = 64 * 1024 * 1024;
constexpr qint64 maximumOutputFields = 1'000'000;

QString nativeName(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

QString elapsedText(qint64 milliseconds)
{
    const qint64 seconds = milliseconds / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

BatchRun::BatchRun(QTextStream &errors)
    : m_errors(errors)
{}

void BatchRun::report(const QString &message)
{
    m_errors << QStringLiteral("quorin: ") << message << Qt::endl;
}

BatchRun::ExitStatus BatchRun::run(const Options &options)
{
    Document document;
    if (!readDocument(options.documentFileName, &document) ||
        !checkDocument(options.documentFileName, document) ||
        !checkExports(options.exportFileNames))
        return Unusable;
    const QString executable = stataExecutable(options.stataExecutable);
    if (executable.isEmpty() || !prepareRun(document))
        return Unusable;
    const ExitStatus ran = runStata(executable);
    if (ran != Succeeded)
        return ran;
    return writeExports(document, options.exportFileNames);
}

bool BatchRun::readDocument(const QString &fileName, Document *document)
{
    DocumentReader reader;
    if (!QFileInfo(fileName).isFile()) {
        report(tr("Cannot read document %1: there is no such file.").arg(nativeName(fileName)));
        return false;
    }
    if (!reader.readFile(fileName)) {
        report(tr("Cannot read document %1: %2").arg(nativeName(fileName), reader.errorString()));
        return false;
    }
    *document = reader.document();
    return true;
}

bool BatchRun::checkDocument(const QString &fileName, const Document &document)
{
    if (document.stataDatasetFileName.isEmpty()) {
        report(tr("The document %1 names no Stata dataset for computation.")
                   .arg(nativeName(fileName)));
        return false;
    }
    if (document.outputFileName.isEmpty()) {
        report(tr("The document %1 names no output csv file.").arg(nativeName(fileName)));
        return false;
    }
    return true;
}

bool BatchRun::checkExports(const QStringList &fileNames)
{
    for (const QString &fileName : fileNames) {
        if (TableExporter::formatOf(fileName) == TableExporter::Format::Unknown) {
            report(TableExporter::unknownFormatMessage(fileName));
            return false;
        }
    }
    return true;
}

// The given executable, else the one settings.ini holds; empty, after
// saying why, when there is none that can be started.
QString BatchRun::stataExecutable(const QString &given)
{
    QString executable = given;
    if (executable.isEmpty()) {
        QSettings settings(MainWindowSettings::fileName(), QSettings::IniFormat);
        executable = MainWindowSettings::read(settings).stataExecutableFileName;
    }
    if (executable.isEmpty()) {
        report(tr("No Stata executable: give one with --stata, or set it in Quorin "
                  "(Stata > Stata executable...)."));
        return QString();
    }
    // A bare name, as a script may give it, is looked up on the PATH.
    if (!executable.contains(QLatin1Char('/')) && !executable.contains(QLatin1Char('\\')) &&
        !QFileInfo(executable).isFile()) {
        const QString found = QStandardPaths::findExecutable(executable);
        if (!found.isEmpty())
            executable = found;
    }
    const QFileInfo info(executable);
    if (!info.isFile() || !info.isExecutable()) {
        report(tr("Cannot use the Stata executable %1: it is not an executable file.")
                   .arg(nativeName(executable)));
        return QString();
    }
    return executable;
}

// Only this run's Stata may create the check file, so any earlier one goes
// first; then the do-file is written in one piece.
bool BatchRun::prepareRun(const Document &document)
{
    QFile checkFile(checkFileName());
    if (checkFile.exists() && !checkFile.remove()) {
        report(tr("Cannot remove the check file %1 left by an earlier run: %2")
                   .arg(checkFileName(), checkFile.errorString()));
        return false;
    }
    const StatisticCatalogue catalogue = document.catalogue();
    const QString text = DoFileComposer(document.cells, catalogue, document.areas)
                             .buildModel(document.stataDatasetFileName)
                             .toString(true, true, document.outputFileName);
    QString error;
    if (!AtomicFile::writeText(doFileName(), text, &error)) {
        report(tr("Cannot write file %1: %2").arg(doFileName(), error));
        return false;
    }
    return true;
}

BatchRun::ExitStatus BatchRun::runStata(const QString &executable)
{
    QProcess stata;
    // Stata writes its log to temp.log; what it prints is not needed, and an
    // unread pipe could fill up and stall it.
    stata.setStandardInputFile(QProcess::nullDevice());
    stata.setStandardOutputFile(QProcess::nullDevice());
    stata.setStandardErrorFile(QProcess::nullDevice());
    stata.setProgram(executable);
    stata.setArguments({StataPlatform::batchFlag(false), QStringLiteral("do"),
                        QStringLiteral("\"%1\"").arg(doFileName())});
    report(tr("Running Stata on %1...").arg(doFileName()));
    stata.start();
    if (!stata.waitForStarted(-1)) {
        report(tr("Stata could not be started (%1): %2")
                   .arg(nativeName(executable), stata.errorString()));
        return Unusable;
    }
    QElapsedTimer elapsed;
    elapsed.start();
    QEventLoop loop;
    QTimer progress;
    QObject::connect(&progress, &QTimer::timeout, &loop,
                     [&] { report(tr("Elapsed time: %1").arg(elapsedText(elapsed.elapsed()))); });
    QObject::connect(&stata, &QProcess::finished, &loop, &QEventLoop::quit);
    progress.start(progressInterval);
    if (stata.state() != QProcess::NotRunning)
        loop.exec();

    if (!QFile::exists(checkFileName())) {
        report(tr("Stata did not reach the end of %1 (exit code %2); see %3.")
                   .arg(doFileName())
                   .arg(stata.exitCode())
                   .arg(logFileName()));
        return StataFailed;
    }
    QFile::remove(checkFileName());
    return Succeeded;
}

BatchRun::ExitStatus BatchRun::writeExports(const Document &document, const QStringList &fileNames)
{
    if (fileNames.isEmpty())
        return Succeeded;
    QFile output(document.outputFileName);
    QList<QStringList> rows;
    if (!output.open(QIODevice::ReadOnly | QIODevice::Text) || output.size() > maximumOutputSize ||
        !CsvFields::parse(QTextStream(&output).readAll(), maximumOutputFields, &rows)) {
        report(tr("Cannot read the output file %1: %2")
                   .arg(nativeName(document.outputFileName),
                        output.isOpen() ? tr("it is too large") : output.errorString()));
        return Unusable;
    }
    const ExportTable table = ExportTable::fromOutput(rows, document);
    ExitStatus status = Succeeded;
    for (const QString &fileName : fileNames) {
        QString error;
        if (!TableExporter::write(fileName, table, &error)) {
            report(tr("Cannot write file %1: %2").arg(nativeName(fileName), error));
            status = Unusable;
        }
    }
    return status;
}
