#include "panel/AddModalityDialog.h"

#include "DialogControls.h"

#include <QCheckBox>
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
    void enter_data();
    void enter();
    void fieldsKeepTheirBlanks();
    void resetEmptiesFieldsAndKeepsTheCheckBox();
    void cancelRejects();

private:
    template <typename Widget>
    Widget *child(const char *name) const
    {
        return namedChild<Widget>(m_dialog, QLatin1String(name));
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
    QVERIFY(child<QLineEdit>("valueLineEdit")->text().isEmpty());
    QVERIFY(child<QLineEdit>("valueLabelLineEdit")->text().isEmpty());
    QVERIFY(!child<QCheckBox>("addAnotherModalityCheckBox")->isChecked());
    QVERIFY(child<QPushButton>("cancelButton")->isEnabled());
}

// Ok, by the button or by Enter, needs a value; a label alone is not enough.
void AddModalityDialogTest::okFollowsTheValue()
{
    QPushButton *ok = child<QPushButton>("okButton");
    QVERIFY(!ok->isEnabled());
    QTest::keyClicks(child<QLineEdit>("valueLabelLineEdit"), QStringLiteral("Male"));
    QVERIFY(!ok->isEnabled());
    QTest::keyClicks(child<QLineEdit>("valueLineEdit"), QStringLiteral("1"));
    QVERIFY(ok->isEnabled());
    QTest::keyClick(child<QLineEdit>("valueLineEdit"), Qt::Key_Backspace);
    QVERIFY(!ok->isEnabled());
}

void AddModalityDialogTest::enter_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("empty value") << QString();
    QTest::newRow("value") << QStringLiteral("1");
}

void AddModalityDialogTest::enter()
{
    QFETCH(QString, value);
    QLineEdit *edit = child<QLineEdit>("valueLineEdit");
    edit->setFocus();
    QTest::keyClicks(edit, value);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(m_dialog->isVisible(), value.isEmpty());
    QCOMPARE(m_dialog->result(), int(value.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
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
