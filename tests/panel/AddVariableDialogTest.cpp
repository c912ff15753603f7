#include "panel/AddVariableDialog.h"

#include "DataRows.h"
#include "DialogControls.h"
#include "ModalAnswerer.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

class AddVariableDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void form();
    void typing_data();
    void typing();
    void refused_data();
    void refused();
    void accepted_data();
    void accepted();
    void cancelRejects();

private:
    QLineEdit *nameLineEdit() const
    {
        return namedChild<QLineEdit>(m_dialog, QStringLiteral("variableNameLineEdit"));
    }
    QLineEdit *labelLineEdit() const
    {
        return namedChild<QLineEdit>(m_dialog, QStringLiteral("variableLabelLineEdit"));
    }

    AddVariableDialog *m_dialog = nullptr;
};

void AddVariableDialogTest::init()
{
    m_dialog = new AddVariableDialog;
    m_dialog->show();
}

void AddVariableDialogTest::cleanup()
{
    delete m_dialog;
}

void AddVariableDialogTest::form()
{
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Add variable"));
    QCOMPARE(namedChild<QDialogButtonBox>(m_dialog, "buttonBox")->standardButtons(),
             QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
}

// The name field takes only what a Stata name may hold.
void AddVariableDialogTest::typing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    const QString name32 = QStringLiteral("a") + QString(31, QLatin1Char('b'));
    dataRow("leading digit refused", "1age", "age");
    dataRow("leading underscore", "_age", "_age");
    dataRow("digits after the first", "q12_b", "q12_b");
    dataRow("blank refused", "my var", "myvar");
    dataRow("punctuation refused", "a-b.c", "abc");
    QTest::newRow("32 characters") << name32 << name32;
    QTest::newRow("33rd character refused") << name32 + QStringLiteral("c") << name32;
}

void AddVariableDialogTest::typing()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QTest::keyClicks(nameLineEdit(), typed);
    QCOMPARE(nameLineEdit()->text(), shown);
    QCOMPARE(m_dialog->name(), shown);
}

// Ok with a reserved word or no name tells why and keeps the dialog open
// with what was typed, the refused name selected.
void AddVariableDialogTest::refused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    dataRow("empty name", "", "The variable name's field is void.");
    for (const char *word :
         {"_all", "in", "_pred", "_b", "int", "_rc", "_coef", "long", "_skip", "_cons", "_n",
          "using", "double", "_N", "_weight", "float", "pi", "with", "if"})
        QTest::newRow(word) << QString::fromLatin1(word)
                            << QStringLiteral("\"%1\" is a Stata reserved word. You can't use it "
                                              "as a variable name")
                                   .arg(QLatin1String(word));
}

void AddVariableDialogTest::refused()
{
    QFETCH(QString, name);
    QTest::keyClicks(nameLineEdit(), name);
    QTest::keyClicks(labelLineEdit(), QStringLiteral("Age"));
    ModalAnswerer answerer;
    QString text, informative;
    answerer.answerMessageBox(QMessageBox::Ok, &text, &informative);
    clickOk(m_dialog);
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(text, QStringLiteral("Quorin"));
    QTEST(informative, "message");
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QCOMPARE(nameLineEdit()->text(), name);
    QCOMPARE(nameLineEdit()->selectedText(), name);
    QCOMPARE(labelLineEdit()->text(), QStringLiteral("Age"));
}

// Reserved words are whole and case-sensitive; the label loses its blanks.
void AddVariableDialogTest::accepted_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("label");
    dataRow("IN", "IN", "");
    dataRow("If", "If", "");
    dataRow("begins with in", "income", "");
    dataRow("begins with _N", "_N2", "");
    dataRow("begins with _all", "_all_cases", "");
    dataRow("label with blanks", "age", "  Age in years  ");
}

void AddVariableDialogTest::accepted()
{
    QFETCH(QString, name);
    QFETCH(QString, label);
    QTest::keyClicks(nameLineEdit(), name);
    QTest::keyClicks(labelLineEdit(), label);
    ModalAnswerer answerer;
    clickOk(m_dialog);
    QVERIFY(answerer.seen().isEmpty());
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_dialog->name(), name);
    QCOMPARE(m_dialog->label(), label.trimmed());
}

void AddVariableDialogTest::cancelRejects()
{
    QTest::keyClicks(nameLineEdit(), QStringLiteral("age"));
    clickButton(m_dialog, QDialogButtonBox::Cancel);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
}

QTEST_MAIN(AddVariableDialogTest)
#include "AddVariableDialogTest.moc"
