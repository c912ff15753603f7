#include "app/MainWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
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
