#include "panel/AddVariableDialog.h"

#include "ModalAnswerer.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
    void reservedWordsAreRefused_data();
    void reservedWordsAreRefused();
    void otherNamesAreAccepted_data();
    void otherNamesAreAccepted();
    void emptyNameIsRefused();
    void labelLosesSurroundingBlanks();
    void cancelRejects();

private:
    QLineEdit *nameLineEdit() const;
    QLineEdit *labelLineEdit() const;
    void clickOk();

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

QLineEdit *AddVariableDialogTest::nameLineEdit() const
{
    return m_dialog->findChild<QLineEdit *>(QStringLiteral("variableNameLineEdit"));
}

QLineEdit *AddVariableDialogTest::labelLineEdit() const
{
    return m_dialog->findChild<QLineEdit *>(QStringLiteral("variableLabelLineEdit"));
}

void AddVariableDialogTest::clickOk()
{
    m_dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))
        ->button(QDialogButtonBox::Ok)
        ->click();
}

void AddVariableDialogTest::form()
{
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Add variable"));
    QCOMPARE(m_dialog->minimumHeight(), 135);
    QCOMPARE(m_dialog->maximumHeight(), 135);
    QCOMPARE(m_dialog->findChild<QLabel *>(QStringLiteral("variableNameLabel"))->text(),
             QStringLiteral("Variable name"));
    QCOMPARE(m_dialog->findChild<QLabel *>(QStringLiteral("variableLabelLabel"))->text(),
             QStringLiteral("Variable label"));
    QVERIFY(nameLineEdit());
    QVERIFY(labelLineEdit());
    const auto *buttons = m_dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QCOMPARE(buttons->orientation(), Qt::Horizontal);
    QCOMPARE(buttons->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
}

void AddVariableDialogTest::typing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    const QString name32 = QStringLiteral("a") + QString(31, QLatin1Char('b'));
    QTest::newRow("leading digit refused") << "1age"
                                           << "age";
    QTest::newRow("leading underscore") << "_age"
                                        << "_age";
    QTest::newRow("digits after the first") << "q12_b"
                                            << "q12_b";
    QTest::newRow("blank refused") << "my var"
                                   << "myvar";
    QTest::newRow("punctuation refused") << "a-b.c"
                                         << "abc";
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

void AddVariableDialogTest::reservedWordsAreRefused_data()
{
    QTest::addColumn<QString>("name");
    for (const char *word :
         {"_all", "in", "_pred", "_b", "int", "_rc", "_coef", "long", "_skip", "_cons", "_n",
          "using", "double", "_N", "_weight", "float", "pi", "with", "if"})
        QTest::newRow(word) << QString::fromLatin1(word);
}

void AddVariableDialogTest::reservedWordsAreRefused()
{
    QFETCH(QString, name);
    QTest::keyClicks(nameLineEdit(), name);
    ModalAnswerer answerer;
    QString text, informative;
    answerer.answerMessageBox(QMessageBox::Ok, &text, &informative);
    clickOk();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(text, QStringLiteral("Quorin"));
    QCOMPARE(informative,
             QStringLiteral("\"%1\" is a Stata reserved word. You can't use it as a variable name")
                 .arg(name));
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QCOMPARE(nameLineEdit()->text(), name);
    QCOMPARE(nameLineEdit()->selectedText(), name);
}

void AddVariableDialogTest::otherNamesAreAccepted_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("IN") << "IN";
    QTest::newRow("If") << "If";
    QTest::newRow("begins with in") << "income";
    QTest::newRow("begins with _N") << "_N2";
    QTest::newRow("begins with _all") << "_all_cases";
}

void AddVariableDialogTest::otherNamesAreAccepted()
{
    QFETCH(QString, name);
    QTest::keyClicks(nameLineEdit(), name);
    ModalAnswerer answerer;
    clickOk();
    QVERIFY(answerer.seen().isEmpty());
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_dialog->name(), name);
}

void AddVariableDialogTest::emptyNameIsRefused()
{
    QTest::keyClicks(labelLineEdit(), QStringLiteral("Age"));
    ModalAnswerer answerer;
    QString text, informative;
    answerer.answerMessageBox(QMessageBox::Ok, &text, &informative);
    clickOk();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(text, QStringLiteral("Quorin"));
    QCOMPARE(informative, QStringLiteral("The variable name's field is void."));
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QCOMPARE(labelLineEdit()->text(), QStringLiteral("Age"));
}

void AddVariableDialogTest::labelLosesSurroundingBlanks()
{
    QTest::keyClicks(nameLineEdit(), QStringLiteral("age"));
    QTest::keyClicks(labelLineEdit(), QStringLiteral("  Age in years  "));
    clickOk();
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_dialog->name(), QStringLiteral("age"));
    QCOMPARE(m_dialog->label(), QStringLiteral("Age in years"));
}

void AddVariableDialogTest::cancelRejects()
{
    QTest::keyClicks(nameLineEdit(), QStringLiteral("age"));
    m_dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))
        ->button(QDialogButtonBox::Cancel)
        ->click();
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
}

QTEST_MAIN(AddVariableDialogTest)
#include "AddVariableDialogTest.moc"
