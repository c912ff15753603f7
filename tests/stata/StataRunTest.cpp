#include "stata/StataRun.h"

#include "DataRows.h"
#include "FileContents.h"
#include "ModalAnswerer.h"
#include "StandinStarts.h"
#include "TemporaryWorkingDirectory.h"

#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>

namespace {

const QString doneDoFile = QStringLiteral("file open checkFile using \"checkfile.tmp\", write "
                                          "text replace\nfile close checkFile\n");

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_count;
        return false;
    }

private:
    int m_count = 0;
};

} // namespace

Q_DECLARE_METATYPE(StataRun::Outcome)

class StataRunTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void batchArguments();
    void writesDoFile();
    void runEnds_data();
    void runEnds();
    void longRunCanBeCancelled_data();
    void longRunCanBeCancelled();

private:
    TemporaryWorkingDirectory *m_directory = nullptr;
    QMainWindow *m_window = nullptr;
};

void StataRunTest::init()
{
    m_directory = new TemporaryWorkingDirectory;
    qputenv("QUORIN_STANDIN_ARGS_FILE",
            QFile::encodeName(QDir::current().absoluteFilePath(QStringLiteral("arguments.jsonl"))));
    qunsetenv("QUORIN_STANDIN_DELAY_MS");
    StataRun::setProgressDialogDelay(60 * 60 * 1000);
    m_window = new QMainWindow;
    m_window->show();
}

void StataRunTest::cleanup()
{
    delete m_window;
    delete m_directory;
}

void StataRunTest::batchArguments()
{
#ifdef Q_OS_WIN
    const QString flag = QStringLiteral("/");
#else
    const QString flag = QStringLiteral("-");
#endif
    QCOMPARE(StataRun::batchArguments(true),
             (QStringList{flag + QLatin1Char('b'), QStringLiteral("do"),
                          QStringLiteral("\"temp.do\"")}));
    QCOMPARE(StataRun::batchArguments(false).first(), flag + QLatin1Char('e'));
    QCOMPARE(StataRun::batchArguments(false).last().size(), 9);
}

// Each run writes temp.do afresh; a directory in its place is reported.
void StataRunTest::writesDoFile()
{
    StataRun run(m_window);
    QVERIFY(run.writeDoFile(QStringLiteral("display \"Région\"\n")));
    QCOMPARE(fileText(QStringLiteral("temp.do")), QStringLiteral("display \"Région\"\n"));
    QVERIFY(run.writeDoFile(QStringLiteral("clear\n")));
    QCOMPARE(fileText(QStringLiteral("temp.do")), QStringLiteral("clear\n"));
    QVERIFY(QFile::remove(QStringLiteral("temp.do")));
    QVERIFY(QDir::current().mkdir(QStringLiteral("temp.do")));
    QVERIFY(!run.writeDoFile(QStringLiteral("clear\n")));
    QVERIFY(!run.errorString().isEmpty());
}

// How a run ends: with Stata's exit code, which a do-file Stata refuses
// makes 1, or without Stata starting at all; the arguments go to Stata as
// given. Only a whole run leaves the check file.
void StataRunTest::runEnds_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<StataRun::Outcome>("outcome");
    QTest::addColumn<QString>("details");
    QTest::addColumn<bool>("batch");
    const QString standin = QStringLiteral(QUORIN_STANDIN_PATH);
    dataRow("ended", standin, "", StataRun::Outcome::Ended, "Stata ended with exit code 0.", false);
    dataRow("do-file refused", standin, "frobnicate everything\n", StataRun::Outcome::Ended,
            "Stata ended with exit code 1.", true);
    const QString notStarted = QStringLiteral("Stata could not be started");
    dataRow("no executable", QString(), "", StataRun::Outcome::NotStarted, notStarted, false);
    dataRow("missing executable", QDir::current().absoluteFilePath(QStringLiteral("no-stata")), "",
            StataRun::Outcome::NotStarted, notStarted, false);
    dataRow("not a program", QStringLiteral(QUORIN_SOURCE_DIR "/README.md"), "",
            StataRun::Outcome::NotStarted, notStarted, false);
}

void StataRunTest::runEnds()
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
    // Why Stata could not start follows the fixed start of the message.
    if (outcome == StataRun::Outcome::Ended)
        QCOMPARE(result.details, details);
    else
        QVERIFY2(result.details.startsWith(details), qPrintable(result.details));
    QCOMPARE(QFile::exists(QStringLiteral("checkfile.tmp")),
             firstLine.isEmpty() && outcome == StataRun::Outcome::Ended);
    QVERIFY(!m_window->findChild<QProgressDialog *>());
    if (outcome == StataRun::Outcome::Ended) {
        QVERIFY(fileText(QStringLiteral("temp.log")).contains(QStringLiteral("Running temp.do")));
        QCOMPARE(recordedStandinArguments(), QList<QStringList>{StataRun::batchArguments(batch)});
    }
}

// A run that takes a while shows a busy progress box over the window, with
// the elapsed time, while the window still repaints; its Cancel button and
// Escape both stop Stata.
void StataRunTest::longRunCanBeCancelled_data()
{
    QTest::addColumn<bool>("escape");
    dataRow("cancel button", false);
    dataRow("escape", true);
}

void StataRunTest::longRunCanBeCancelled()
{
    QFETCH(bool, escape);
    qputenv("QUORIN_STANDIN_DELAY_MS", "60000");
    StataRun::setProgressDialogDelay(0);
    StataRun run(m_window);
    QVERIFY(run.writeDoFile(doneDoFile));

    ModalAnswerer answerer;
    QString title, firstLabel, laterLabel;
    int minimum = -1, maximum = -1;
    bool windowRepainted = false;
    answerer.enqueue([&](QWidget *widget) {
        auto *dialog = qobject_cast<QProgressDialog *>(widget);
        QVERIFY(dialog);
        title = dialog->windowTitle();
        minimum = dialog->minimum();
        maximum = dialog->maximum();
        QCOMPARE(dialog->parentWidget(), m_window);
        QVERIFY(dialog->isModal());
        firstLabel = dialog->labelText();
        // Stata is under way, the clock moves on and so does the window.
        QTRY_VERIFY(QFile::exists(QStringLiteral("temp.log")));
        QTRY_VERIFY_WITH_TIMEOUT(dialog->labelText() != firstLabel, 5000);
        laterLabel = dialog->labelText();
        PaintCounter paints(m_window);
        m_window->update();
        QTRY_VERIFY(paints.count() > 0);
        windowRepainted = true;
        if (escape)
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            dialog->findChild<QPushButton *>()->click();
    });
    QElapsedTimer clock;
    clock.start();
    const StataRun::Result result =
        run.run(QStringLiteral(QUORIN_STANDIN_PATH), StataRun::batchArguments(false));
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(result.outcome, StataRun::Outcome::Cancelled);
    QVERIFY(clock.elapsed() < 30000);
    QVERIFY(!QFile::exists(QStringLiteral("checkfile.tmp")));
    QCOMPARE(title, QStringLiteral("Quorin"));
    QCOMPARE(minimum, 0);
    QCOMPARE(maximum, 0); // a busy indicator
    QVERIFY2(firstLabel.startsWith(QStringLiteral("Stata is running temp.do.\nElapsed time: 0:0")),
             qPrintable(firstLabel));
    QVERIFY2(laterLabel.startsWith(QStringLiteral("Stata is running temp.do.\nElapsed time: 0:0")),
             qPrintable(laterLabel));
    QVERIFY(windowRepainted);
}

QTEST_MAIN(StataRunTest)
#include "StataRunTest.moc"
