// Takes the README's screenshots of the real program (tools/screenshots.sh
// runs it under a virtual X display): the main window with the example
// table, and the CSV viewer after a run with the Stata stand-in.
//
// Quorin cannot be scripted from outside, so this drives it from inside, the
// way the tests do: it builds the real MainWindow in a scratch copy of the
// examples, opens the example document through File > Open (answering the
// file chooser), runs "Quorin!" and grabs the windows.
#include "FileChooserAnswers.h"
#include "ModalAnswerer.h"
#include "app/MainWindow.h"
#include "model/DocumentModel.h"
#include "stata/CsvTable.h"
#include "stata/CsvViewWindow.h"
#include "stata/StataRun.h"
#include "table/TableWidget.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QHeaderView>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>

namespace {

const QString examples = QStringLiteral(QUORIN_SOURCE_DIR "/examples");
const QString standin = QStringLiteral(QUORIN_STANDIN_PATH);

int fail(const QString &message)
{
    std::fprintf(stderr, "quorin_screenshots: %s\n", qPrintable(message));
    return 1;
}

// Lets the windows lay themselves out and paint.
void settle(int milliseconds = 600)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool copyExamples()
{
    return QDir().mkdir(QStringLiteral("examples")) &&
           QFile::copy(examples + QStringLiteral("/survey-table.xml"),
                       QStringLiteral("examples/survey-table.xml")) &&
           QFile::copy(examples + QStringLiteral("/survey.dta"),
                       QStringLiteral("examples/survey.dta"));
}

// The layout a user would have left behind: a window of a size that fits a
// README, the stand-in as the Stata executable, a roomy CSV viewer.
void writeSettings()
{
    QSettings settings(QStringLiteral("settings.ini"), QSettings::IniFormat);
    settings.setValue(QStringLiteral("general/stataExecutableFileName"), standin);
    settings.setValue(QStringLiteral("mainWindow/maximized"), false);
    settings.setValue(QStringLiteral("mainWindow/pos"), QPoint(0, 0));
    settings.setValue(QStringLiteral("mainWindow/size"), QSize(1480, 800));
    settings.setValue(QStringLiteral("csvView/size"), QSize(1240, 640));
    settings.setValue(QStringLiteral("csvView/position"), QPoint(0, 0));
}

bool openExample(MainWindow &window)
{
    ModalAnswerer answerer;
    chooseFile(answerer,
               QDir::current().absoluteFilePath(QStringLiteral("examples/survey-table.xml")));
    window.findChild<QAction *>(QStringLiteral("openAction"))->trigger();
    return answerer.pending() == 0 && answerer.unexpected().isEmpty() &&
           !window.document()->stataDatasetFileName().isEmpty();
}

// A mean cell selected, so the toolbars show its command, result, format
// and area; the region variable chosen in the panel, so its modalities show.
void showSomethingSelected(MainWindow &window)
{
    auto *variables = window.findChild<QTreeWidget *>(QStringLiteral("variableListWidget"));
    const QList<QTreeWidgetItem *> region =
        variables->findItems(QStringLiteral("region"), Qt::MatchExactly, 0);
    if (!region.isEmpty())
        variables->setCurrentItem(region.first());
    window.tableWidget()->setCurrentCell(13, 2);
    window.tableWidget()->setFocus();
}

bool save(QWidget *widget, const QString &fileName)
{
    const bool saved = widget->grab().save(fileName);
    if (saved)
        std::printf("%s\n", qPrintable(QDir::toNativeSeparators(fileName)));
    return saved;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorin"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quorin.png")));
    if (argc != 2)
        return fail(QStringLiteral("usage: quorin_screenshots OUTPUT_DIRECTORY"));
    const QDir output(QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1])));
    if (!output.mkpath(QStringLiteral(".")))
        return fail(QStringLiteral("cannot create %1").arg(output.path()));

    QTemporaryDir scratch;
    if (!scratch.isValid() || !QDir::setCurrent(scratch.path()) || !copyExamples())
        return fail(QStringLiteral("cannot copy the examples into %1").arg(scratch.path()));
    writeSettings();

    MainWindow window;
    window.show();
    settle();
    if (!openExample(window))
        return fail(QStringLiteral("the example document did not open"));
    showSomethingSelected(window);
    settle();
    if (!save(&window, output.filePath(QStringLiteral("main-window.png"))))
        return fail(QStringLiteral("cannot write main-window.png"));

    {
        // Nothing should ask anything here; should it, the question is
        // closed and reported rather than left waiting for a click.
        ModalAnswerer answerer;
        window.findChild<QAction *>(QStringLiteral("quorinFlashAction"))->trigger();
        if (!answerer.unexpected().isEmpty())
            return fail(QStringLiteral("the run asked: %1").arg(answerer.unexpected().join('\n')));
    }
    auto *viewer = window.findChild<CsvViewWindow *>();
    if (!viewer)
        return fail(QStringLiteral("the run showed no output; see %1")
                        .arg(QDir::current().absoluteFilePath(StataRun::logFileName())));
    viewer->resize(1240, 640);
    // As a user would, by a double click on the divider: the labels in full.
    viewer->table()->resizeColumnToContents(0);
    viewer->raise();
    settle();
    if (!save(viewer, output.filePath(QStringLiteral("csv-viewer.png"))))
        return fail(QStringLiteral("cannot write csv-viewer.png"));
    return 0;
}
