#include "StandinCommandLine.h"

#include <QFileInfo>

StandinCommandLine StandinCommandLine::parse(const QStringList &arguments)
{
    StandinCommandLine commandLine;
    if (arguments.isEmpty()) {
        commandLine.m_mode = Mode::Interactive;
        return commandLine;
    }
    const QString &first = arguments.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        commandLine.m_mode = Mode::Help;
        return commandLine;
    }
    static const QStringList batchFlags = {QStringLiteral("-e"), QStringLiteral("-b"),
                                           QStringLiteral("/e"), QStringLiteral("/b")};
    if (!batchFlags.contains(first)) {
        commandLine.m_error = QStringLiteral("unknown option %1").arg(first);
        return commandLine;
    }
    if (arguments.size() < 3 || arguments.at(1) != QLatin1String("do")) {
        commandLine.m_error = QStringLiteral("expected: %1 do \"FILE.do\"").arg(first);
        return commandLine;
    }
    QString fileName = arguments.at(2);
    if (fileName.size() >= 2 && fileName.startsWith('"') && fileName.endsWith('"'))
        fileName = fileName.mid(1, fileName.size() - 2);
    if (fileName.isEmpty()) {
        commandLine.m_error = QStringLiteral("the do-file name is empty");
        return commandLine;
    }
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QLatin1String(".do");
    commandLine.m_mode = Mode::Batch;
    commandLine.m_doFileName = fileName;
    commandLine.m_doFileArguments = arguments.mid(3);
    return commandLine;
}

QString StandinCommandLine::logFileName() const
{
    return QFileInfo(m_doFileName).completeBaseName() + QLatin1String(".log");
}

QString StandinCommandLine::usage()
{
    return QStringLiteral(
        "quorin_stata_standin: Quorin's test stand-in for the Stata executable. It is not Stata:\n"
        "it runs the do-files Quorin writes, for Quorin's tests only.\n"
        "\n"
        "Usage:\n"
        "  quorin_stata_standin (-e | -b | /e | /b) do \"FILE.do\" [ARGUMENT...]\n"
        "      runs FILE.do and writes its log, FILE.log, in the current directory;\n"
        "      exits 0 when the do-file ran to its end, 1 when it stopped on an error\n"
        "      (the log then names the line and the error).\n"
        "  quorin_stata_standin\n"
        "      an interactive start: appends a line to standin-interactive.log in the\n"
        "      current directory and exits 0.\n"
        "\n"
        "Environment:\n"
        "  QUORIN_STANDIN_ARGS_FILE  each start appends its arguments and working directory\n"
        "                            to this file as one JSON line (default: standin-args.txt\n"
        "                            in the current directory).\n"
        "  QUORIN_STANDIN_DELAY_MS   waits this many milliseconds before running the do-file\n"
        "                            (at most one hour), for tests of long runs.\n");
}
