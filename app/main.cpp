#include "app/MainWindow.h"
#include "stata/BatchCommandLine.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    // A run from the command line needs no display: no widget, no GUI
    // application.
    if (BatchCommandLine::isBatchCommand(argc, argv)) {
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
