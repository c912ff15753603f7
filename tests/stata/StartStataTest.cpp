#include "DataRows.h"
#include "DialogControls.h"
#include "FileChooserAnswers.h"
#include "ModalAnswerer.h"
#include "StandinStarts.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "stata/SetStataExecutableDialog.h"

#include <QAction>
#include <QTest>
#include <QToolButton>

// "Start Stata" starts the executable without a do-file and does not wait.
class StartStataTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_directory = new TemporaryWorkingDirectory;
        qputenv("QUORIN_STANDIN_ARGS_FILE",
                QFile::encodeName(QDir::current().absoluteFilePath("arguments.jsonl")));
        m_window = new MainWindow;
    }
    void cleanup()
    {
        delete m_window;
        delete m_directory;
    }

    void startsStoredExecutable()
    {
        m_window->setStataExecutableFileName(m_standin);
        triggerStartStata();
        QTRY_COMPARE(recordedStandinStarts().size(), 1);
        const QJsonObject start = recordedStandinStarts().first();
        QVERIFY(start.value("arguments").toArray().isEmpty());
        QCOMPARE(start.value("workingDirectory").toString(), QDir::current().absolutePath());
        QTRY_VERIFY(QFile::exists("standin-interactive.log"));
    }

    void executableThatCannotStartIsReported()
    {
        const QString missing = QDir::current().absoluteFilePath("Stata 12/stata-se");
        m_window->setStataExecutableFileName(missing);
        ModalAnswerer answerer;
        QString text;
        answerer.answerMessageBox(QMessageBox::Ok, &text);
        triggerStartStata();
        QCOMPARE(answerer.pending(), 0);
        QVERIFY2(text.startsWith(QStringLiteral("Stata could not be started (%1)")
                                     .arg(QDir::toNativeSeparators(missing))),
                 qPrintable(text));
    }

    // Without an executable, Start Stata first asks to set one. Only an
    // executable taken with Ok is stored and started.
    void noExecutable_data()
    {
        QTest::addColumn<bool>("setIt");
        QTest::addColumn<bool>("ok");
        dataRow("set and started", true, true);
        dataRow("declined", false, false);
        dataRow("executable dialog cancelled", true, false);
    }
    void noExecutable()
    {
        QFETCH(bool, setIt);
        QFETCH(bool, ok);
        ModalAnswerer answerer;
        QString text, informativeText;
        answerer.answerMessageBox(setIt ? QMessageBox::Ok : QMessageBox::Cancel, &text,
                                  &informativeText);
        QString initialPath = "<not asked>", chosen;
        if (setIt) {
            answerer.answerDialog<SetStataExecutableDialog>(
                [&](SetStataExecutableDialog *dialog) {
                    initialPath = dialog->stataExecutableFileName();
                    ModalAnswerer chooserAnswerer;
                    chooseFile(chooserAnswerer, m_standin);
                    QTest::mouseClick(namedChild<QToolButton>(dialog, "fileDialogButton"),
                                      Qt::LeftButton);
                    chosen = dialog->stataExecutableFileName();
                },
                ok);
        }
        triggerStartStata();
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(text, QStringLiteral("No Stata executable file name was set."));
        QCOMPARE(informativeText, QStringLiteral("Do you want to set it and then start Stata?"));
        QCOMPARE(answerer.seen().size(), setIt ? 2 : 1);
        QCOMPARE(initialPath, setIt ? QString() : QStringLiteral("<not asked>"));
        QCOMPARE(chosen, setIt ? m_standin : QString());
        QCOMPARE(m_window->stataExecutableFileName(), ok ? m_standin : QString());
        if (ok)
            QTRY_COMPARE(recordedStandinStarts().size(), 1);
        else
            QVERIFY(recordedStandinStarts().isEmpty());
    }

private:
    void triggerStartStata() { m_window->findChild<QAction *>("startStataAction")->trigger(); }

    const QString m_standin = QStringLiteral(QUORIN_STANDIN_PATH);
    TemporaryWorkingDirectory *m_directory = nullptr;
    MainWindow *m_window = nullptr;
};

QTEST_MAIN(StartStataTest)
#include "StartStataTest.moc"
