#include "stata/StataRun.h"

#include "DataRows.h"
#include "FileContents.h"
#include "StandinStarts.h"
#include "TemporaryWorkingDirectory.h"

#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QProgressDialog>
#include <QTest>

namespace {

const QString doneDoFile = QStringLiteral("file open checkFile using \"checkfile.tmp\", write "
                                          "text replace\nfile close checkFile\n");

} // namespace

Q_DECLARE_METATYPE(StataRun::Outcome)

class StataRunTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_directory = new TemporaryWorkingDirectory;
        qputenv("QUORIN_STANDIN_ARGS_FILE",
                QFile::encodeName(QDir::current().absoluteFilePath("arguments.jsonl")));
        qunsetenv("QUORIN_STANDIN_DELAY_MS");
        StataRun::setProgressDialogDelay(60 * 60 * 1000);
        m_window = new QMainWindow;
        m_window->show();
    }
    void cleanup()
    {
        delete m_window;
        delete m_directory;
    }

    void batchArguments()
    {
#ifdef Q_OS_WIN
        const QString flag = QStringLiteral("/");
#else
        const QString flag = QStringLiteral("-");
#endif
        QCOMPARE(StataRun::batchArguments(true), (QStringList{flag + 'b', "do", "\"temp.do\""}));
        QCOMPARE(StataRun::batchArguments(false).first(), flag + 'e');
        QCOMPARE(StataRun::batchArguments(false).last().size(), 9);
    }

    // How a run ends: with Stata's exit code, which a do-file Stata refuses
    // makes 1, or without Stata starting at all; the arguments go to Stata
    // as given. Only a whole run leaves the check file.
    void runEnds_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<StataRun::Outcome>("outcome");
        QTest::addColumn<QString>("details");
        QTest::addColumn<bool>("batch");
        const QString standin = QStringLiteral(QUORIN_STANDIN_PATH);
        const auto ended = StataRun::Outcome::Ended, notStarted = StataRun::Outcome::NotStarted;
        dataRow("ended", standin, "", ended, "Stata ended with exit code 0.", false);
        dataRow("do-file refused", standin, "frobnicate everything\n", ended,
                "Stata ended with exit code 1.", true);
        dataRow("no executable", QString(), "", notStarted, "Stata could not be started", false);
        dataRow("missing executable", QDir::current().absoluteFilePath("no-stata"), "", notStarted,
                "Stata could not be started", false);
        dataRow("not a program", QUORIN_SOURCE_DIR "/README.md", "", notStarted,
                "Stata could not be started", false);
    }
    void runEnds()
    {
        QFETCH(QString, executable);
        QFETCH(QString, firstLine);
        QFETCH(StataRun::Outcome, outcome);
        QFETCH(QString, details);
        QFETCH(bool, batch);
        StataRun run(m_window);
        QVERIFY(run.writeDoFile(firstLine + doneDoFile));
        const StataRun::Result result = run.run(executable, StataRun::batchArguments(batch));
        QCOMPARE(result.outcome, outcome);
        QCOMPARE(QFile::exists("checkfile.tmp"),
                 firstLine.isEmpty() && outcome == StataRun::Outcome::Ended);
        QVERIFY(!m_window->findChild<QProgressDialog *>());
        // Why Stata could not start follows the fixed start of the message.
        if (outcome != StataRun::Outcome::Ended) {
            QVERIFY2(result.details.startsWith(details), qPrintable(result.details));
            return;
        }
        QCOMPARE(result.details, details);
        QVERIFY(fileText("temp.log").contains("Running temp.do"));
        QCOMPARE(recordedStandinArguments(), QList<QStringList>{StataRun::batchArguments(batch)});
    }

private:
    TemporaryWorkingDirectory *m_directory = nullptr;
    QMainWindow *m_window = nullptr;
};

QTEST_MAIN(StataRunTest)
#include "StataRunTest.moc"
