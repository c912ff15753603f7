// quorin_stata_standin: a small program that is started the way Quorin
// starts the Stata executable and runs the do-files Quorin writes, so that
// Quorin's tests can run whole cycles where Stata is not installed. It is
// built with the tests only and never presents itself as Stata.

#include "DoFileReader.h"
#include "Interpreter.h"
#include "SessionLog.h"
#include "StandinCommandLine.h"
#include "StataError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <cstdio>

namespace {

const char *const argumentsFileVariable = "QUORIN_STANDIN_ARGS_FILE";
const char *const delayVariable = "QUORIN_STANDIN_DELAY_MS";
const int errorExitCode = 1;
const int usageExitCode = 2;

QString logHeader()
{
    return QStringLiteral("Quorin's test stand-in for Stata (quorin_stata_standin) - this is not "
                          "Stata.");
}

// One JSON line per start, so a test can read back exactly what it was given.
void recordArguments(const QStringList &arguments)
{
    QString fileName = qEnvironmentVariable(argumentsFileVariable);
    if (fileName.isEmpty())
        fileName = QStringLiteral("standin-args.txt");
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    const QJsonObject record{{QStringLiteral("arguments"), QJsonArray::fromStringList(arguments)},
                             {QStringLiteral("workingDirectory"), QDir::currentPath()}};
    file.write(QJsonDocument(record).toJson(QJsonDocument::Compact));
    file.write("\n");
}

void waitIfAsked()
{
    bool ok = false;
    const qint64 milliseconds = qEnvironmentVariableIntValue(delayVariable, &ok);
    if (ok && milliseconds > 0)
        QThread::msleep(quint64(qMin<qint64>(milliseconds, 3600 * 1000)));
}

int startInteractively()
{
    waitIfAsked();
    SessionLog log;
    log.append(QStringLiteral("standin-interactive.log"));
    log.line(logHeader() + QStringLiteral(" Started without a do-file; nothing to run."));
    return 0;
}

int runBatch(const StandinCommandLine &commandLine)
{
    SessionLog log;
    if (!log.open(commandLine.logFileName())) {
        std::fprintf(stderr, "quorin_stata_standin: cannot write %s\n",
                     qPrintable(commandLine.logFileName()));
        return errorExitCode;
    }
    log.line(logHeader());
    log.line(QStringLiteral("Running %1").arg(commandLine.doFileName()));
    log.line(QString());
    waitIfAsked();
    QList<SourceLine> lines;
    try {
        lines = DoFileReader::read(commandLine.doFileName());
    } catch (const StataError &error) {
        log.error(error);
        return errorExitCode;
    }
    Interpreter interpreter(log);
    interpreter.setArguments(commandLine.doFileArguments());
    const int code = interpreter.run(lines);
    log.line(QString());
    log.line(QStringLiteral("end of do-file"));
    if (code != 0) {
        log.line(QStringLiteral("r(%1);").arg(code));
        return errorExitCode;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    recordArguments(arguments);
    const StandinCommandLine commandLine = StandinCommandLine::parse(arguments);
    switch (commandLine.mode()) {
    case StandinCommandLine::Mode::Interactive:
        return startInteractively();
    case StandinCommandLine::Mode::Help:
        std::fputs(qPrintable(StandinCommandLine::usage()), stdout);
        return 0;
    case StandinCommandLine::Mode::Invalid:
        std::fprintf(stderr, "quorin_stata_standin: %s\n\n", qPrintable(commandLine.error()));
        std::fputs(qPrintable(StandinCommandLine::usage()), stderr);
        return usageExitCode;
    case StandinCommandLine::Mode::Batch:
        break;
    }
    return runBatch(commandLine);
}
