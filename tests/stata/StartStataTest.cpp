#include "FileChooserAnswers.h"
#include "ModalAnswerer.h"
#include "StandinStarts.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "stata/LogViewWindow.h"
#include "stata/SetStataExecutableDialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QPushButton>
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
    void noExecutableAsksFirst();
    void noExecutableDeclined();
    void noExecutableDialogCancelled();
    void checkFile();
    void errorBoxOffersLog();
    void errorBoxDeclined();

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

void StartStataTest::noExecutableAsksFirst()
{
    ModalAnswerer answerer;
    QString title, text, informativeText;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    answerer.enqueue([&](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        informativeText = box->informativeText();
        buttons = box->standardButtons();
        defaultButton = box->standardButton(box->defaultButton());
        box->button(QMessageBox::Ok)->click();
    });
    QString initialPath = QStringLiteral("<not asked>");
    answerer.enqueue([&](QWidget *widget) {
        auto *dialog = qobject_cast<SetStataExecutableDialog *>(widget);
        QVERIFY(dialog);
        initialPath = dialog->stataExecutableFileName();
        ModalAnswerer chooserAnswerer;
        chooseFile(chooserAnswerer, standin);
        QTest::mouseClick(dialog->findChild<QToolButton *>(QStringLiteral("fileDialogButton")),
                          Qt::LeftButton);
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    triggerStartStata();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(title, QStringLiteral("Quorin"));
    QCOMPARE(text, QStringLiteral("No Stata executable file name was set."));
    QCOMPARE(informativeText, QStringLiteral("Do you want to set it and then start Stata?"));
    QCOMPARE(buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(defaultButton, QMessageBox::Ok);
    QCOMPARE(initialPath, QString());
    QCOMPARE(m_window->stataExecutableFileName(), standin);
    QTRY_COMPARE(recordedStandinStarts().size(), 1);
}

void StartStataTest::noExecutableDeclined()
{
    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Cancel);
    triggerStartStata();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(answerer.seen(), QStringList(QStringLiteral("QMessageBox")));
    QVERIFY(m_window->stataExecutableFileName().isEmpty());
}

// Cancel in the executable dialog stores nothing and starts nothing, even
// after a program was chosen in it.
void StartStataTest::noExecutableDialogCancelled()
{
    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Ok);
    answerer.enqueue([&](QWidget *widget) {
        auto *dialog = qobject_cast<SetStataExecutableDialog *>(widget);
        QVERIFY(dialog);
        ModalAnswerer chooserAnswerer;
        chooseFile(chooserAnswerer, standin);
        QTest::mouseClick(dialog->findChild<QToolButton *>(QStringLiteral("fileDialogButton")),
                          Qt::LeftButton);
        QCOMPARE(dialog->stataExecutableFileName(), standin);
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
    });
    triggerStartStata();
    QCOMPARE(answerer.pending(), 0);
    QVERIFY(m_window->stataExecutableFileName().isEmpty());
    QVERIFY(recordedStandinStarts().isEmpty());
}

void StartStataTest::checkFile()
{
    QVERIFY(!m_window->checkFileExists());
    QVERIFY(m_window->deleteCheckFile()); // nothing to delete is no error
    QFile file(QStringLiteral("checkfile.tmp"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(m_window->checkFileExists());
    QVERIFY(m_window->deleteCheckFile());
    QVERIFY(!m_window->checkFileExists());

    // A check file that cannot be removed is told, not ignored.
    QVERIFY(QDir::current().mkpath(QStringLiteral("checkfile.tmp/locked")));
    QVERIFY(m_window->checkFileExists());
    QVERIFY(!m_window->deleteCheckFile());
}

void StartStataTest::errorBoxOffersLog()
{
    QFile log(QStringLiteral("temp.log"));
    QVERIFY(log.open(QIODevice::WriteOnly));
    log.write("r(199);\n");
    log.close();

    ModalAnswerer answerer;
    QString text, informativeText, detailedText, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QWidget *parent = m_window;
    answerer.enqueue([&](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        QVERIFY(box);
        text = box->text();
        informativeText = box->informativeText();
        detailedText = box->detailedText();
        title = box->windowTitle();
        icon = box->icon();
        parent = box->parentWidget();
        QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        box->button(QMessageBox::Yes)->click();
    });
    m_window->showStataError(QStringLiteral("Stata ended with exit code 1."));
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(text, QStringLiteral("Error executing Stata do file."));
    QCOMPARE(informativeText,
             QStringLiteral("It's possible the output csv file was created, but it's wrong.\n"
                            "Last Stata log file saved on disk may not be that of the last "
                            "computation.\nDo you want to view last Stata log file?"));
    QCOMPARE(detailedText, QStringLiteral("Stata ended with exit code 1."));
    QCOMPARE(icon, QMessageBox::Warning);
    QVERIFY(!parent);

    const LogViewWindow *viewer = m_window->findChild<LogViewWindow *>();
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->findChild<QPlainTextEdit *>()->toPlainText(), QStringLiteral("r(199);\n"));
}

void StartStataTest::errorBoxDeclined()
{
    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::No);
    m_window->showStataError();
    QCOMPARE(answerer.pending(), 0);
    QVERIFY(!m_window->findChild<LogViewWindow *>());
}

QTEST_MAIN(StartStataTest)
#include "StartStataTest.moc"
