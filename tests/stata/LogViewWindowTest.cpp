#include "stata/LogViewWindow.h"

#include "FileChooserAnswers.h"
#include "FileContents.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"

#include <QAction>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSettings>
#include <QTest>

namespace {

const QByteArray logText = "  ___  ____  ____  ____  ____ (R)\n"
                           ". summarize age\n"
                           "    Variable |        Obs        Mean\n"
                           "         age |         12    41.58333\n"
                           "Région: État\n";

QPlainTextEdit *editor(const QWidget *window)
{
    return window->findChild<QPlainTextEdit *>(QStringLiteral("textEdit"));
}

QAction *action(const QWidget *window, const char *name)
{
    return window->findChild<QAction *>(QString::fromLatin1(name));
}

} // namespace

class LogViewWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { delete m_directory; }

    void showsLogReadOnly();
    void readErrorBeforeAnyRun();
    void longLogShowsItsLastLines_data();
    void longLogShowsItsLastLines();
    void saveAsKeepsTypedName();
    void saveAsErrorIsReported();
    void geometryIsKeptUnderItsOwnName();

private:
    TemporaryWorkingDirectory *m_directory = nullptr;
};

void LogViewWindowTest::init()
{
    m_directory = new TemporaryWorkingDirectory;
    QVERIFY(writeFileBytes(QStringLiteral("temp.log"), logText));
}

void LogViewWindowTest::showsLogReadOnly()
{
    LogViewWindow window(QStringLiteral("temp.log"));
    QCOMPARE(window.windowTitle(), QStringLiteral("View last log file"));
    QStringList entries;
    for (const QAction *entry : window.findChild<QMenu *>(QStringLiteral("menuFile"))->actions())
        entries.append(entry->isSeparator() ? QStringLiteral("-") : entry->objectName());
    QCOMPARE(entries, (QStringList{"saveAsAction", "-", "exitAction"}));
    window.show();
    QCOMPARE(editor(&window)->toPlainText(), QString::fromUtf8(logText));
    QVERIFY(editor(&window)->isReadOnly());
    QTest::keyClicks(editor(&window), QStringLiteral("typed"));
    QCOMPARE(editor(&window)->toPlainText(), QString::fromUtf8(logText));
}

void LogViewWindowTest::readErrorBeforeAnyRun()
{
    QVERIFY(QFile::remove(QStringLiteral("temp.log")));
    MainWindow mainWindow;
    ModalAnswerer answerer;
    QString text;
    answerer.answerMessageBox(QMessageBox::Ok, &text);
    action(&mainWindow, "viewLastLogFileAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QFile probe(QStringLiteral("temp.log"));
    QVERIFY(!probe.open(QIODevice::ReadOnly));
    QCOMPARE(text, QStringLiteral("Cannot read file temp.log:\n%1.").arg(probe.errorString()));
    LogViewWindow *viewer = mainWindow.findChild<LogViewWindow *>();
    QVERIFY(viewer && viewer->isWindow() && viewer->isVisible());
    QVERIFY(editor(viewer)->toPlainText().isEmpty());
}

void LogViewWindowTest::longLogShowsItsLastLines_data()
{
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<int>("shownLines");
    // 200 lines of 9 bytes: 1800 in all.
    QTest::newRow("at the limit") << qint64(1800) << 200;
    QTest::newRow("one byte over") << qint64(1799) << 199;
    QTest::newRow("far over") << qint64(100) << 11;
}

void LogViewWindowTest::longLogShowsItsLastLines()
{
    QFETCH(qint64, limit);
    QFETCH(int, shownLines);
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines.append(QStringLiteral("line %1").arg(i, 3, 10, QLatin1Char('0')));
    QVERIFY(writeFileBytes(QStringLiteral("long.log"), lines.join('\n').toUtf8() + '\n'));
    QCOMPARE(LogViewWindow::maximumShownSize, qint64(64) * 1024 * 1024);

    LogViewWindow window(QStringLiteral("temp.log"));
    window.setMaximumShownSize(limit);
    QVERIFY(window.loadFile(QStringLiteral("long.log")));
    QStringList shown = editor(&window)->toPlainText().split('\n');
    QCOMPARE(shown.takeLast(), QString());
    if (shownLines < lines.size()) {
        const QString size =
            QLocale().formattedDataSize(limit, 0, QLocale::DataSizeTraditionalFormat);
        QCOMPARE(shown.takeFirst(), QStringLiteral("[The start of this log is left out: it is "
                                                   "larger than %1, and only its last lines "
                                                   "are shown.]")
                                        .arg(size));
    }
    QCOMPARE(shown, lines.mid(lines.size() - shownLines));
}

// The name typed is kept as it is; a cancelled chooser writes nothing.
void LogViewWindowTest::saveAsKeepsTypedName()
{
    LogViewWindow window(QStringLiteral("temp.log"));
    window.show();
    ModalAnswerer answerer;
    cancelFileChooser(answerer);
    action(&window, "saveAsAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(QDir::current().entryList(QDir::Files), QStringList(QStringLiteral("temp.log")));

    FileChooserSeen seen;
    const QString target = m_directory->filePath(QStringLiteral("survey run"));
    chooseFile(answerer, target, &seen);
    action(&window, "saveAsAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(seen.caption, QStringLiteral("Save log file"));
    QCOMPARE(seen.filters, QStringList(QStringLiteral("Log files (*.log)")));
    QCOMPARE(seen.directory, QDir::currentPath());
    QCOMPARE(seen.acceptMode, QFileDialog::AcceptSave);
    QVERIFY(!QFile::exists(target + QStringLiteral(".log")));
    QCOMPARE(fileBytes(target), logText);
}

void LogViewWindowTest::saveAsErrorIsReported()
{
    LogViewWindow window(QStringLiteral("temp.log"));
    window.show();
    ModalAnswerer answerer;
    QString text;
    // The directory is gone by the time the file is written.
    QVERIFY(QDir::current().mkdir(QStringLiteral("gone")));
    const QString target = m_directory->filePath(QStringLiteral("gone/run.log"));
    answerer.enqueue([&](QWidget *widget) {
        QVERIFY(QDir::current().rmdir(QStringLiteral("gone")));
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        ModalAnswerer::typeFileName(dialog, target);
        static_cast<QDialog *>(dialog)->accept();
    });
    answerer.answerMessageBox(QMessageBox::Ok, &text);
    action(&window, "saveAsAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QVERIFY2(text.startsWith(
                 QStringLiteral("Cannot write file %1:\n").arg(QDir::toNativeSeparators(target))),
             qPrintable(text));
    QVERIFY(text.endsWith(QLatin1Char('.')));
    QVERIFY(window.isVisible());
}

// The geometry itself is checked on the CSV viewer, which keeps it the same
// way; the log viewer has its own default and its own settings group.
void LogViewWindowTest::geometryIsKeptUnderItsOwnName()
{
    QPointer<LogViewWindow> window = new LogViewWindow(QStringLiteral("temp.log"));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->size(), QSize(700, 300));
    QCOMPARE(window->pos(), QPoint(40, 40));
    window->resize(640, 480);
    action(window, "exitAction")->trigger();
    QTRY_VERIFY(!window);
    QSettings settings(QStringLiteral("settings.ini"), QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("logView/size")).toSize(), QSize(640, 480));
    LogViewWindow reopened(QStringLiteral("temp.log"));
    reopened.show();
    QVERIFY(QTest::qWaitForWindowExposed(&reopened));
    QCOMPARE(reopened.size(), QSize(640, 480));
}

QTEST_MAIN(LogViewWindowTest)
#include "LogViewWindowTest.moc"
