#include "stata/DoView.h"

#include "FileChooserAnswers.h"
#include "FileContents.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "stata/DoFileModel.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QTest>

class DoViewTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_directory = new TemporaryWorkingDirectory;
        m_parent = new QWidget;
        m_view = new DoView(m_model, QString(), m_parent);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view));
    }
    void cleanup()
    {
        delete m_parent;
        delete m_directory;
    }

    // What each switch leaves of the do-file is the model's own matter; the
    // view shows it, and "No Export" changes nothing.
    void switchesShowWhatTheModelWrites()
    {
        QCOMPARE(m_view->windowTitle(), QStringLiteral("View output do file"));
        QVERIFY(m_view->isWindow() && textEdit()->isReadOnly());
        QCOMPARE(textEdit()->toPlainText(), m_model.toString(true, true, QString()));
        action("mainViewCommandsAction")->trigger();
        QCOMPARE(textEdit()->toPlainText(), m_model.toString(false, true, QString()));
        action("noExportViewCommandsAction")->trigger();
        QVERIFY(action("noExportViewCommandsAction")->isChecked());
        QCOMPARE(textEdit()->toPlainText(), m_model.toString(false, true, QString()));
        action("mainViewCommandsAction")->trigger();
        action("macroViewCommandsAction")->trigger();
        QVERIFY(m_view->mainCommandsVisible() && !m_view->macroCommandsVisible());
        QVERIFY(!action("macroViewCommandsAction")->isChecked());
        QCOMPARE(textEdit()->toPlainText(), m_model.toString(true, false, QString()));
    }

    // A cancelled chooser writes nothing; a chosen file gets what is shown;
    // one that cannot be written is reported.
    void saveAsWritesWhatIsShown()
    {
        ModalAnswerer answerer;
        cancelFileChooser(answerer);
        action("saveAsAction")->trigger();
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(QDir(m_directory->path()).entryList(QDir::Files), QStringList());

        action("mainViewCommandsAction")->trigger();
        FileChooserSeen seen;
        chooseFile(answerer, m_directory->filePath("saved.do"), &seen);
        action("saveAsAction")->trigger();
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(seen.filters, QStringList({"Do files (*.do)", "Text Documents (*.txt)"}));
        QCOMPARE(QDir(seen.directory).canonicalPath(), QDir(m_directory->path()).canonicalPath());
        QCOMPARE(fileText(m_directory->filePath("saved.do")), m_model.toString(false, true, ""));

        // A folder that does not exist: the file dialog finds nothing on disk
        // to match the name against, and the save cannot open it.
        const QString target = m_directory->filePath("missingFolder/saved.do");
        QString message;
        chooseFile(answerer, target);
        answerer.answerMessageBox(QMessageBox::Ok, &message);
        action("saveAsAction")->trigger();
        QCOMPARE(answerer.pending(), 0);
        QVERIFY2(
            message.startsWith("Cannot write file " + QDir::toNativeSeparators(target) + ":\n"),
            qPrintable(message));
    }

    void closingHidesOnly()
    {
        QPointer<DoView> view = m_view;
        QVERIFY(m_view->close());
        QCoreApplication::processEvents();
        QVERIFY(view && !view->isVisible());
    }

private:
    QPlainTextEdit *textEdit() const { return m_view->findChild<QPlainTextEdit *>("textEdit"); }
    QAction *action(const char *name) const { return m_view->findChild<QAction *>(name); }

    TemporaryWorkingDirectory *m_directory = nullptr;
    // A text cell and a statistic cell: one macro line each, one command.
    const DoFileModel m_model = [] {
        DoFileModel model("survey.dta", 2, 2);
        model.append({QString(), "local t_1_1 \"Ripartizione\""});
        model.append(
            {"summarize eta if ripartizione==1 & sesso==1", "local t_2_2: display %9.2f r(mean)"});
        return model;
    }();
    QWidget *m_parent = nullptr;
    DoView *m_view = nullptr;
};

QTEST_MAIN(DoViewTest)
#include "DoViewTest.moc"
