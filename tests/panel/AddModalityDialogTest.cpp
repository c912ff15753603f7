#include "panel/AddModalityDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class AddModalityDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void form();
    void okFollowsTheValue();
    void enterWithEmptyValueDoesNotAccept();
    void enterWithValueAccepts();
    void fieldsKeepTheirBlanks();
    void resetEmptiesFieldsAndKeepsTheCheckBox();
    void cancelRejects();

private:
    template <typename Widget>
    Widget *child(const char *name) const
    {
        return m_dialog->findChild<Widget *>(QString::fromLatin1(name));
    }

    AddModalityDialog *m_dialog = nullptr;
};

void AddModalityDialogTest::init()
{
    m_dialog = new AddModalityDialog;
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog));
}

void AddModalityDialogTest::cleanup()
{
    delete m_dialog;
}

void AddModalityDialogTest::form()
{
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Add modality"));
    QCOMPARE(m_dialog->minimumHeight(), 167);
    QCOMPARE(m_dialog->maximumHeight(), 167);
    QCOMPARE(child<QLabel>("valueLabel")->text(), QStringLiteral("Value"));
    QCOMPARE(child<QLabel>("valueLabelLabel")->text(), QStringLiteral("Value label"));
    QVERIFY(child<QLineEdit>("valueLineEdit")->text().isEmpty());
    QVERIFY(child<QLineEdit>("valueLabelLineEdit")->text().isEmpty());
    QCOMPARE(child<QCheckBox>("addAnotherModalityCheckBox")->text(),
             QStringLiteral("Add another modality..."));
    QVERIFY(!child<QCheckBox>("addAnotherModalityCheckBox")->isChecked());
    QCOMPARE(child<QPushButton>("okButton")->text(), QStringLiteral("OK"));
    QVERIFY(!child<QPushButton>("okButton")->isEnabled());
    QCOMPARE(child<QPushButton>("cancelButton")->text(), QStringLiteral("Cancel"));
    QVERIFY(child<QPushButton>("cancelButton")->isEnabled());
}

void AddModalityDialogTest::okFollowsTheValue()
{
    QPushButton *ok = child<QPushButton>("okButton");
    QTest::keyClicks(child<QLineEdit>("valueLabelLineEdit"), QStringLiteral("Male"));
    QVERIFY(!ok->isEnabled());
    QTest::keyClicks(child<QLineEdit>("valueLineEdit"), QStringLiteral("1"));
    QVERIFY(ok->isEnabled());
    QTest::keyClick(child<QLineEdit>("valueLineEdit"), Qt::Key_Backspace);
    QVERIFY(!ok->isEnabled());
}

void AddModalityDialogTest::enterWithEmptyValueDoesNotAccept()
{
    QLineEdit *value = child<QLineEdit>("valueLineEdit");
    value->setFocus();
    QTest::keyClick(value, Qt::Key_Return);
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
}

void AddModalityDialogTest::enterWithValueAccepts()
{
    QLineEdit *value = child<QLineEdit>("valueLineEdit");
    value->setFocus();
    QTest::keyClicks(value, QStringLiteral("1"));
    QTest::keyClick(value, Qt::Key_Return);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
}

void AddModalityDialogTest::fieldsKeepTheirBlanks()
{
    QTest::keyClicks(child<QLineEdit>("valueLineEdit"), QStringLiteral(" m "));
    QTest::keyClicks(child<QLineEdit>("valueLabelLineEdit"), QStringLiteral(" Male "));
    QTest::mouseClick(child<QCheckBox>("addAnotherModalityCheckBox"), Qt::LeftButton);
    child<QPushButton>("okButton")->click();
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_dialog->value(), QStringLiteral(" m "));
    QCOMPARE(m_dialog->valueLabel(), QStringLiteral(" Male "));
    QVERIFY(m_dialog->addAnother());
}

void AddModalityDialogTest::resetEmptiesFieldsAndKeepsTheCheckBox()
{
    QTest::keyClicks(child<QLineEdit>("valueLineEdit"), QStringLiteral("1"));
    QTest::keyClicks(child<QLineEdit>("valueLabelLineEdit"), QStringLiteral("Male"));
    child<QCheckBox>("addAnotherModalityCheckBox")->setChecked(true);
    m_dialog->reset();
    QVERIFY(m_dialog->value().isEmpty());
    QVERIFY(m_dialog->valueLabel().isEmpty());
    QVERIFY(m_dialog->addAnother());
    QVERIFY(!child<QPushButton>("okButton")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>("valueLineEdit"));
}

void AddModalityDialogTest::cancelRejects()
{
    QTest::keyClicks(child<QLineEdit>("valueLineEdit"), QStringLiteral("1"));
    child<QPushButton>("cancelButton")->click();
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
}

QTEST_MAIN(AddModalityDialogTest)
#include "AddModalityDialogTest.moc"
