#pragma once

#include <QCoreApplication>
#include <QStringList>

class QTextStream;

// The command line of a run without the window:
//   quorin --run DOCUMENT.xml [--stata EXECUTABLE] [--export FILE]...
// and quorin --help, quorin --version. It needs no display: only a
// QCoreApplication exists while it works.
class BatchCommandLine
{
    Q_DECLARE_TR_FUNCTIONS(BatchCommandLine)

public:
    // Whether the arguments ask for the command line rather than the window:
    // one of its options (--run, --stata, --export, --help, --version) does.
    static bool isBatchCommand(int argc, char **argv);

    // Carries the command out and returns the process's exit status (see
    // BatchRun): help and version go to out, everything else to errors.
    static int execute(const QStringList &arguments, QTextStream &out, QTextStream &errors);
};
