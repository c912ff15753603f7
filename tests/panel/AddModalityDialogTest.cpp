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
    void init()
    {
        m_dialog = std::make_unique<AddModalityDialog>();
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    }

    // Ok, by the button or by Enter, needs a value; a label alone is not enough.
    void okFollowsTheValue()
    {
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Add modality"));
        edit("valueLineEdit")->setFocus();
        QTest::keyClick(edit("valueLineEdit"), Qt::Key_Return);
        QVERIFY(m_dialog->isVisible());
        QVERIFY(!ok()->isEnabled());
        QTest::keyClicks(edit("valueLabelLineEdit"), QStringLiteral("Male"));
        QVERIFY(!ok()->isEnabled());
        QTest::keyClicks(edit("valueLineEdit"), QStringLiteral("1"));
        QVERIFY(ok()->isEnabled());
        QTest::keyClick(edit("valueLineEdit"), Qt::Key_Backspace);
        QVERIFY(!ok()->isEnabled());
        QTest::keyClicks(edit("valueLineEdit"), QStringLiteral("1"));
        QTest::keyClick(edit("valueLineEdit"), Qt::Key_Return);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    }

    void cancelRejects()
    {
        QTest::keyClicks(edit("valueLineEdit"), QStringLiteral("1"));
        namedChild<QPushButton>(m_dialog.get(), QStringLiteral("cancelButton"))->click();
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    }

    // The fields keep their blanks; reset empties them for the next modality
    // and keeps the check box.
    void acceptAndReset()
    {
        QVERIFY(!m_dialog->addAnother());
        QTest::keyClicks(edit("valueLineEdit"), QStringLiteral(" m "));
        QTest::keyClicks(edit("valueLabelLineEdit"), QStringLiteral(" Male "));
        QTest::mouseClick(namedChild<QCheckBox>(m_dialog.get(), "addAnotherModalityCheckBox"),
                          Qt::LeftButton);
        ok()->click();
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        QCOMPARE(m_dialog->value(), QStringLiteral(" m "));
        QCOMPARE(m_dialog->valueLabel(), QStringLiteral(" Male "));
        QVERIFY(m_dialog->addAnother());
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        edit("valueLabelLineEdit")->setFocus();
        m_dialog->reset();
        QVERIFY(m_dialog->value().isEmpty() && m_dialog->valueLabel().isEmpty());
        QCOMPARE(QApplication::focusWidget(), edit("valueLineEdit"));
    }

private:
    QLineEdit *edit(const char *name) const { return namedChild<QLineEdit>(m_dialog.get(), name); }
    QPushButton *ok() const { return namedChild<QPushButton>(m_dialog.get(), "okButton"); }

    std::unique_ptr<AddModalityDialog> m_dialog;
};

QTEST_MAIN(AddModalityDialogTest)
#include "AddModalityDialogTest.moc"
