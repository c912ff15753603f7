#include "stata/BatchCommandLine.h"

#include "stata/BatchRun.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace {

// Only the options of the command line choose it: Qt's own options, such as
// --platform, still reach the window.
bool isBatchArgument(const QString &argument)
{
    static const QStringList options = {"--run",     "--stata", "--export", "--help", "--help-all",
                                        "--version", "-h",      "-v",       "-?"};
    return options.contains(argument.section(QLatin1Char('='), 0, 0));
}

} // namespace

bool BatchCommandLine::isBatchCommand(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (isBatchArgument(QString::fromLocal8Bit(argv[i])))
            return true;
    }
    return false;
}

int BatchCommandLine::execute(const QStringList &arguments, QTextStream &out, QTextStream &errors)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Runs the table of a Quorin document with Stata, without the window, as \"Quorin!\" "
           "does: temp.do, checkfile.tmp, temp.log and the document's output file are written "
           "in the current directory."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption run(QStringLiteral("run"), tr("Runs the table of DOCUMENT."),
                                 tr("DOCUMENT.xml"));
    const QCommandLineOption stata(QStringLiteral("stata"),
                                   tr("The Stata executable; without it, the one stored in "
                                      "settings.ini."),
                                   tr("EXECUTABLE"));
    const QCommandLineOption exportTo(
        QStringLiteral("export"),
        tr("After the run, writes the table to FILE as Excel (.xlsx), HTML (.html), LaTeX (.tex) "
           "or Markdown (.md), after its suffix. May be given more than once."),
        tr("FILE"));
    parser.addOptions({run, stata, exportTo});

    const QString usage = tr("Usage: quorin --run DOCUMENT.xml [--stata EXECUTABLE] "
                             "[--export FILE]...");
    const auto fail = [&](const QString &message) {
        errors << QStringLiteral("quorin: ") << message << Qt::endl
               << usage << Qt::endl
               << tr("Try 'quorin --help' for more.") << Qt::endl;
        return int(BatchRun::Unusable);
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(help)) {
        out << usage << Qt::endl
            << Qt::endl
            << parser.helpText().section(QLatin1Char('\n'), 1) << Qt::endl
            << tr("Without these options Quorin opens its window.") << Qt::endl
            << tr("Exit status: 0 when the run succeeded, 1 when Stata did not reach the end of "
                  "temp.do (see temp.log), 2 for bad arguments or a document, executable or file "
                  "that cannot be used.")
            << Qt::endl;
        return BatchRun::Succeeded;
    }
    if (parser.isSet(version)) {
        out << QCoreApplication::applicationName() << QLatin1Char(' ')
            << QCoreApplication::applicationVersion() << Qt::endl;
        return BatchRun::Succeeded;
    }
    if (!parser.isSet(run))
        return fail(tr("--run DOCUMENT.xml is missing."));
    if (!parser.positionalArguments().isEmpty())
        return fail(tr("Unexpected argument: %1").arg(parser.positionalArguments().first()));
    if (parser.values(run).size() > 1 || parser.values(stata).size() > 1)
        return fail(tr("--run and --stata may be given once only."));

    BatchRun::Options options;
    options.documentFileName = parser.value(run);
    options.stataExecutable = parser.value(stata);
    options.exportFileNames = parser.values(exportTo);
    return BatchRun(errors).run(options);
}
