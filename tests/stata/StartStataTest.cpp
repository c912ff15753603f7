#include "DataRows.h"
#include "DialogControls.h"
#include "FileChooserAnswers.h"
#include "ModalAnswerer.h"
#include "StandinStarts.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "stata/LogViewWindow.h"
#include "stata/SetStataExecutableDialog.h"

#include <QAction>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

namespace {

const QString standin = QStringLiteral(QUORIN_STANDIN_PATH);

} // namespace

// "Start Stata" starts the executable without a do-file and does not wait;
// the run's error box offers the last log.
class StartStataTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsStoredExecutable();
    void executableThatCannotStartIsReported();
    void noExecutable_data();
    void noExecutable();
    void errorBox_data();
    void errorBox();

private:
    void triggerStartStata();

    TemporaryWorkingDirectory *m_directory = nullptr;
    MainWindow *m_window = nullptr;
};

void StartStataTest::init()
{
    m_directory = new TemporaryWorkingDirectory;
    qputenv("QUORIN_STANDIN_ARGS_FILE",
            QFile::encodeName(QDir::current().absoluteFilePath(QStringLiteral("arguments.jsonl"))));
    m_window = new MainWindow;
}

void StartStataTest::cleanup()
{
    delete m_window;
    delete m_directory;
}

void StartStataTest::triggerStartStata()
{
    m_window->findChild<QAction *>(QStringLiteral("startStataAction"))->trigger();
}

void StartStataTest::startsStoredExecutable()
{
    m_window->setStataExecutableFileName(standin);
    triggerStartStata();
    QTRY_COMPARE(recordedStandinStarts().size(), 1);
    const QJsonObject start = recordedStandinStarts().first();
    QVERIFY(start.value(QLatin1String("arguments")).toArray().isEmpty());
    QCOMPARE(start.value(QLatin1String("workingDirectory")).toString(),
             QDir::current().absolutePath());
    QTRY_VERIFY(QFile::exists(QStringLiteral("standin-interactive.log")));
}

void StartStataTest::executableThatCannotStartIsReported()
{
    const QString missing = QDir::current().absoluteFilePath(QStringLiteral("Stata 12/stata-se"));
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
void StartStataTest::noExecutable_data()
{
    QTest::addColumn<bool>("setIt");
    QTest::addColumn<bool>("ok");
    dataRow("set and started", true, true);
    dataRow("declined", false, false);
    dataRow("executable dialog cancelled", true, false);
}

void StartStataTest::noExecutable()
{
    QFETCH(bool, setIt);
    QFETCH(bool, ok);
    ModalAnswerer answerer;
    QString text, informativeText;
    answerer.answerMessageBox(setIt ? QMessageBox::Ok : QMessageBox::Cancel, &text,
                              &informativeText);
    QString initialPath = QStringLiteral("<not asked>"), chosen;
    if (setIt) {
        answerer.enqueue([&](QWidget *widget) {
            auto *dialog = qobject_cast<SetStataExecutableDialog *>(widget);
            QVERIFY(dialog);
            initialPath = dialog->stataExecutableFileName();
            ModalAnswerer chooserAnswerer;
            chooseFile(chooserAnswerer, standin);
            QTest::mouseClick(namedChild<QToolButton>(dialog, "fileDialogButton"), Qt::LeftButton);
            chosen = dialog->stataExecutableFileName();
            clickButton(dialog, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        });
    }
    triggerStartStata();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(text, QStringLiteral("No Stata executable file name was set."));
    QCOMPARE(informativeText, QStringLiteral("Do you want to set it and then start Stata?"));
    if (!setIt) {
        QCOMPARE(answerer.seen(), QStringList(QStringLiteral("QMessageBox")));
    } else {
        QCOMPARE(initialPath, QString());
        QCOMPARE(chosen, standin);
    }
    QCOMPARE(m_window->stataExecutableFileName(), ok ? standin : QString());
    if (ok)
        QTRY_COMPARE(recordedStandinStarts().size(), 1);
    else
        QVERIFY(recordedStandinStarts().isEmpty());
}

// A failed run's box offers the last log; Yes shows it, No shows nothing.
void StartStataTest::errorBox_data()
{
    QTest::addColumn<bool>("viewLog");
    dataRow("view the log", true);
    dataRow("declined", false);
}

void StartStataTest::errorBox()
{
    QFETCH(bool, viewLog);
    QVERIFY(writeFileBytes(QStringLiteral("temp.log"), "r(199);\n"));

    ModalAnswerer answerer;
    QString text, informativeText, detailedText;
    QWidget *parent = m_window;
    answerer.enqueue([&](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        QVERIFY(box);
        text = box->text();
        informativeText = box->informativeText();
        detailedText = box->detailedText();
        parent = box->parentWidget();
        box->button(viewLog ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    m_window->showStataError(QStringLiteral("Stata ended with exit code 1."));
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(text, QStringLiteral("Error executing Stata do file."));
    QCOMPARE(informativeText,
             QStringLiteral("It's possible the output csv file was created, but it's wrong.\n"
                            "Last Stata log file saved on disk may not be that of the last "
                            "computation.\nDo you want to view last Stata log file?"));
    QCOMPARE(detailedText, QStringLiteral("Stata ended with exit code 1."));
    QVERIFY(!parent);

    const LogViewWindow *viewer = m_window->findChild<LogViewWindow *>();
    QCOMPARE(viewer != nullptr, viewLog);
    if (viewLog) {
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->findChild<QPlainTextEdit *>()->toPlainText(), QStringLiteral("r(199);\n"));
    }
}

QTEST_MAIN(StartStataTest)
#include "StartStataTest.moc"
