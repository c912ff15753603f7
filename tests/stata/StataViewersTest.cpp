// The windows that show a run's files: the do-file and the last log.

#include "DataRows.h"
#include "FileChooserAnswers.h"
#include "FileContents.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "stata/DoFileModel.h"
#include "stata/DoView.h"
#include "stata/LogViewWindow.h"

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

QAction *action(const QWidget *window, const char *name)
{
    return window->findChild<QAction *>(name);
}

// Save as: a cancelled chooser writes nothing; the name typed is kept as it
// is and gets what the viewer holds; a file that cannot be written is
// reported and the viewer stays. The chooser starts in the working directory.
void checkSaveAs(QWidget *viewer, const QByteArray &expected, const QStringList &filters)
{
    const QStringList before = QDir::current().entryList(QDir::Files);
    const QString target = QDir::current().absoluteFilePath("saved run");
    const QString unwritable = QDir::current().absoluteFilePath("missing/saved");
    ModalAnswerer answerer;
    FileChooserSeen seen;
    QString text;
    cancelFileChooser(answerer);
    chooseFile(answerer, target, &seen);
    chooseFile(answerer, unwritable);
    answerer.answerMessageBox(QMessageBox::Ok, &text);
    action(viewer, "saveAsAction")->trigger();
    QCOMPARE(QDir::current().entryList(QDir::Files), before);
    action(viewer, "saveAsAction")->trigger();
    action(viewer, "saveAsAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(seen.filters, filters);
    QCOMPARE(QDir(seen.directory).canonicalPath(), QDir::current().canonicalPath());
    QCOMPARE(seen.acceptMode, QFileDialog::AcceptSave);
    QStringList after = before + QStringList("saved run");
    after.sort();
    QCOMPARE(QDir::current().entryList(QDir::Files), after);
    QCOMPARE(fileBytes(target), expected);
    QVERIFY2(text.startsWith("Cannot write file " + QDir::toNativeSeparators(unwritable) + ":\n"),
             qPrintable(text));
    QVERIFY(viewer->isVisible());
}

} // namespace

class StataViewersTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_directory = new TemporaryWorkingDirectory;
        QVERIFY(writeFileBytes("temp.log", logText));
    }
    void cleanup() { delete m_directory; }

    // What each switch leaves of the do-file is the model's own matter; the
    // view shows it, and "No Export" changes nothing. Closing only hides it.
    void doViewShowsWhatTheModelWrites()
    {
        // A text cell and a statistic cell: one macro line each, one command.
        DoFileModel model("survey.dta", 2, 2);
        model.append({QString(), "local t_1_1 \"Ripartizione\""});
        model.append(
            {"summarize eta if ripartizione==1 & sesso==1", "local t_2_2: display %9.2f r(mean)"});
        QWidget parent;
        QPointer<DoView> view = new DoView(model, QString(), &parent);
        view->show();
        QCOMPARE(view->windowTitle(), QStringLiteral("View output do file"));
        QVERIFY(view->isWindow() && editor(view)->isReadOnly());
        QCOMPARE(editor(view)->toPlainText(), model.toString(true, true, QString()));
        action(view, "mainViewCommandsAction")->trigger();
        QCOMPARE(editor(view)->toPlainText(), model.toString(false, true, QString()));
        action(view, "noExportViewCommandsAction")->trigger();
        QVERIFY(action(view, "noExportViewCommandsAction")->isChecked());
        QCOMPARE(editor(view)->toPlainText(), model.toString(false, true, QString()));
        checkSaveAs(view, model.toString(false, true, QString()).toUtf8(),
                    {"Do files (*.do)", "Text Documents (*.txt)"});
        action(view, "mainViewCommandsAction")->trigger();
        action(view, "macroViewCommandsAction")->trigger();
        QVERIFY(view->mainCommandsVisible() && !view->macroCommandsVisible());
        QVERIFY(!action(view, "macroViewCommandsAction")->isChecked());
        QCOMPARE(editor(view)->toPlainText(), model.toString(true, false, QString()));
        QVERIFY(view->close());
        QCoreApplication::processEvents();
        QVERIFY(view && !view->isVisible());
    }

    void logViewShowsLogReadOnly()
    {
        LogViewWindow window("temp.log");
        QCOMPARE(window.windowTitle(), QStringLiteral("View last log file"));
        window.show();
        QTest::keyClicks(editor(&window), "typed");
        QCOMPARE(editor(&window)->toPlainText(), QString::fromUtf8(logText));
        checkSaveAs(&window, logText, {"Log files (*.log)"});
    }

    void logReadErrorBeforeAnyRun()
    {
        QVERIFY(QFile::remove("temp.log"));
        MainWindow mainWindow;
        ModalAnswerer answerer;
        QString text;
        answerer.answerMessageBox(QMessageBox::Ok, &text);
        action(&mainWindow, "viewLastLogFileAction")->trigger();
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

private:
    TemporaryWorkingDirectory *m_directory = nullptr;
};

QTEST_MAIN(StataViewersTest)
#include "StataViewersTest.moc"
