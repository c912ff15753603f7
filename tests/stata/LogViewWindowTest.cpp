#include "stata/LogViewWindow.h"

#include "DataRows.h"
#include "FileChooserAnswers.h"
#include "FileContents.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"

#include <QAction>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTest>

namespace {

const QByteArray logText = ". summarize age\n         age |         12    41.58333\nRégion: État\n";

QPlainTextEdit *editor(const QWidget *window)
{
    return window->findChild<QPlainTextEdit *>("textEdit");
}

} // namespace

class LogViewWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_directory = new TemporaryWorkingDirectory;
        QVERIFY(writeFileBytes("temp.log", logText));
    }
    void cleanup() { delete m_directory; }

    void showsLogReadOnly()
    {
        LogViewWindow window("temp.log");
        QCOMPARE(window.windowTitle(), QStringLiteral("View last log file"));
        window.show();
        QTest::keyClicks(editor(&window), "typed");
        QCOMPARE(editor(&window)->toPlainText(), QString::fromUtf8(logText));
    }

    void readErrorBeforeAnyRun()
    {
        QVERIFY(QFile::remove("temp.log"));
        MainWindow mainWindow;
        ModalAnswerer answerer;
        QString text;
        answerer.answerMessageBox(QMessageBox::Ok, &text);
        mainWindow.findChild<QAction *>("viewLastLogFileAction")->trigger();
        QCOMPARE(answerer.pending(), 0);
        QFile probe("temp.log");
        QVERIFY(!probe.open(QIODevice::ReadOnly));
        QCOMPARE(text, QStringLiteral("Cannot read file temp.log:\n%1.").arg(probe.errorString()));
        LogViewWindow *viewer = mainWindow.findChild<LogViewWindow *>();
        QVERIFY(viewer && viewer->isWindow() && viewer->isVisible());
        QVERIFY(editor(viewer)->toPlainText().isEmpty());
    }

    void longLogShowsItsLastLines_data()
    {
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<int>("shownLines");
        // 200 lines of 9 bytes: 1800 in all.
        dataRow("at the limit", qint64(1800), 200);
        dataRow("one byte over", qint64(1799), 199);
        dataRow("far over", qint64(100), 11);
    }
    void longLogShowsItsLastLines()
    {
        QFETCH(qint64, limit);
        QFETCH(int, shownLines);
        QStringList lines;
        for (int i = 0; i < 200; ++i)
            lines.append(QStringLiteral("line %1").arg(i, 3, 10, QLatin1Char('0')));
        QVERIFY(writeFileBytes("long.log", lines.join('\n').toUtf8() + '\n'));
        QCOMPARE(LogViewWindow::maximumShownSize, qint64(64) * 1024 * 1024);

        LogViewWindow window("temp.log");
        window.setMaximumShownSize(limit);
        QVERIFY(window.loadFile("long.log"));
        QStringList shown = editor(&window)->toPlainText().split('\n');
        QCOMPARE(shown.takeLast(), QString());
        if (shownLines < lines.size()) {
            const QString size =
                QLocale().formattedDataSize(limit, 0, QLocale::DataSizeTraditionalFormat);
            QCOMPARE(shown.takeFirst(), QStringLiteral("[The start of this log is left out: it "
                                                       "is larger than %1, and only its last "
                                                       "lines are shown.]")
                                            .arg(size));
        }
        QCOMPARE(shown, lines.mid(lines.size() - shownLines));
    }

    // The name typed is kept as it is; a cancelled chooser writes nothing; a
    // file that cannot be written is reported.
    void saveAs()
    {
        LogViewWindow window("temp.log");
        window.show();
        ModalAnswerer answerer;
        cancelFileChooser(answerer);
        window.findChild<QAction *>("saveAsAction")->trigger();
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(QDir::current().entryList(QDir::Files), QStringList("temp.log"));

        FileChooserSeen seen;
        const QString target = m_directory->filePath("survey run");
        chooseFile(answerer, target, &seen);
        window.findChild<QAction *>("saveAsAction")->trigger();
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(seen.filters, QStringList("Log files (*.log)"));
        QCOMPARE(seen.directory, QDir::currentPath());
        QCOMPARE(seen.acceptMode, QFileDialog::AcceptSave);
        QVERIFY(!QFile::exists(target + ".log"));
        QCOMPARE(fileBytes(target), logText);

        const QString unwritable = m_directory->filePath("missing/run.log");
        QString text;
        chooseFile(answerer, unwritable);
        answerer.answerMessageBox(QMessageBox::Ok, &text);
        window.findChild<QAction *>("saveAsAction")->trigger();
        QCOMPARE(answerer.pending(), 0);
        QVERIFY2(
            text.startsWith("Cannot write file " + QDir::toNativeSeparators(unwritable) + ":\n"),
            qPrintable(text));
        QVERIFY(window.isVisible());
    }

private:
    TemporaryWorkingDirectory *m_directory = nullptr;
};

QTEST_MAIN(LogViewWindowTest)
#include "LogViewWindowTest.moc"
