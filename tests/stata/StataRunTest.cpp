#include "stata/StataRun.h"

#include "ModalAnswerer.h"
#include "StandinStarts.h"
#include "TemporaryWorkingDirectory.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
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

class StataRunTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void batchArguments();
    void writesDoFileInOnePiece();
    void unwritableDoFileIsReported();
    void runEndsWhenStataEnds();
    void rejectedDoFileEndsWithExitCode();
    void executableThatCannotStart_data();
    void executableThatCannotStart();
    void cancelStopsStata();
    void progressDialogShowsElapsedTime();

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

void StataRunTest::writesDoFileInOnePiece()
{
    StataRun run(m_window);
    QVERIFY(run.writeDoFile(QStringLiteral("display \"Région\"\n")));
    QCOMPARE(fileText(QStringLiteral("temp.do")), QStringLiteral("display \"Région\"\n"));
    QVERIFY(run.writeDoFile(QStringLiteral("clear\n")));
    QCOMPARE(fileText(QStringLiteral("temp.do")), QStringLiteral("clear\n"));
}

void StataRunTest::unwritableDoFileIsReported()
{
    QVERIFY(QDir::current().mkdir(QStringLiteral("temp.do")));
    StataRun run(m_window);
    QVERIFY(!run.writeDoFile(QStringLiteral("clear\n")));
    QVERIFY(!run.errorString().isEmpty());
}

void StataRunTest::runEndsWhenStataEnds()
{
    StataRun run(m_window);
    QVERIFY(run.writeDoFile(doneDoFile));
    const StataRun::Result result =
        run.run(QStringLiteral(QUORIN_STANDIN_PATH), StataRun::batchArguments(false));
    QCOMPARE(result.outcome, StataRun::Outcome::Ended);
    QCOMPARE(result.details, QStringLiteral("Stata ended with exit code 0."));
    QVERIFY(QFile::exists(QStringLiteral("checkfile.tmp")));
    QVERIFY(fileText(QStringLiteral("temp.log")).contains(QStringLiteral("Running temp.do")));
    QCOMPARE(recordedStandinArguments(), QList<QStringList>{StataRun::batchArguments(false)});
    QVERIFY(!m_window->findChild<QProgressDialog *>());
}

void StataRunTest::rejectedDoFileEndsWithExitCode()
{
    StataRun run(m_window);
    QVERIFY(run.writeDoFile(QStringLiteral("frobnicate everything\n") + doneDoFile));
    const StataRun::Result result =
        run.run(QStringLiteral(QUORIN_STANDIN_PATH), StataRun::batchArguments(true));
    QCOMPARE(result.outcome, StataRun::Outcome::Ended);
    QCOMPARE(result.details, QStringLiteral("Stata ended with exit code 1."));
    QVERIFY(!QFile::exists(QStringLiteral("checkfile.tmp")));
}

void StataRunTest::executableThatCannotStart_data()
{
    QTest::addColumn<QString>("executable");
    QTest::newRow("empty") << QString();
    QTest::newRow("missing") << QDir::current().absoluteFilePath(QStringLiteral("no-stata"));
    QTest::newRow("not a program") << QStringLiteral(QUORIN_SOURCE_DIR "/README.md");
}

void StataRunTest::executableThatCannotStart()
{
    QFETCH(QString, executable);
    StataRun run(m_window);
    QVERIFY(run.writeDoFile(doneDoFile));
    const StataRun::Result result = run.run(executable, StataRun::batchArguments(false));
    QCOMPARE(result.outcome, StataRun::Outcome::NotStarted);
    QVERIFY2(result.details.startsWith(QStringLiteral("Stata could not be started")),
             qPrintable(result.details));
    QVERIFY(!QFile::exists(QStringLiteral("checkfile.tmp")));
}

void StataRunTest::cancelStopsStata()
{
    qputenv("QUORIN_STANDIN_DELAY_MS", "60000");
    StataRun::setProgressDialogDelay(0);
    StataRun run(m_window);
    QVERIFY(run.writeDoFile(doneDoFile));

    ModalAnswerer answerer;
    answerer.enqueue([](QWidget *widget) {
        auto *dialog = qobject_cast<QProgressDialog *>(widget);
        QVERIFY(dialog);
        // Cancel once Stata is surely under way.
        QTRY_VERIFY(QFile::exists(QStringLiteral("temp.log")));
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
}

void StataRunTest::progressDialogShowsElapsedTime()
{
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
        // The clock moves on while Stata runs, and so does the main window.
        QTRY_VERIFY_WITH_TIMEOUT(dialog->labelText() != firstLabel, 5000);
        laterLabel = dialog->labelText();
        PaintCounter paints(m_window);
        m_window->update();
        QTRY_VERIFY(paints.count() > 0);
        windowRepainted = true;
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    const StataRun::Result result =
        run.run(QStringLiteral(QUORIN_STANDIN_PATH), StataRun::batchArguments(false));
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(result.outcome, StataRun::Outcome::Cancelled);
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
