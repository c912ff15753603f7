#include "app/MainWindow.h"
#include "stata/BatchCommandLine.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>

// Quorin is built as a Windows GUI program, which starts without a console.
// A batch run started from a command prompt writes its messages to that
// prompt's console.
static void attachParentConsole()
{
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
}
#endif

int main(int argc, char *argv[])
{
    // A run from the command line needs no display: no widget, no GUI
    // application.
    if (BatchCommandLine::isBatchCommand(argc, argv)) {
#ifdef Q_OS_WIN
        attachParentConsole();
#endif
        QCoreApplication application(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Quorin"));
        QCoreApplication::setApplicationVersion(QStringLiteral(QUORIN_VERSION));
        QTextStream out(stdout);
        QTextStream errors(stderr);
        return BatchCommandLine::execute(QCoreApplication::arguments(), out, errors);
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorin"));
    QGuiApplication::setDesktopFileName(QStringLiteral("quorin"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quorin.png")));
    int exitCode = 0;
    {
        MainWindow window(QApplication::arguments());
        window.setVisible(true);
        exitCode = QApplication::exec();
    }
    return exitCode;
}
