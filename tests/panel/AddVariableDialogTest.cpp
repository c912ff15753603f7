#include "panel/AddVariableDialog.h"

#include "DataRows.h"
#include "DialogControls.h"
#include "ModalAnswerer.h"

#include <QLineEdit>
#include <QTest>

class AddVariableDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dialog = std::make_unique<AddVariableDialog>();
        m_dialog->show();
    }

    void cancelRejects()
    {
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Add variable"));
        clickButton(m_dialog.get(), QDialogButtonBox::Cancel);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    }

    // The name field takes only what a Stata name may hold.
    void typing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        const QString name32 = QStringLiteral("a") + QString(31, QLatin1Char('b'));
        dataRow("leading digit refused", "1age", "age");
        dataRow("leading underscore", "_age", "_age");
        dataRow("digits after the first", "q12_b", "q12_b");
        dataRow("blank refused", "my var", "myvar");
        dataRow("punctuation refused", "a-b.c", "abc");
        dataRow("32 characters", name32, name32);
        dataRow("33rd character refused", name32 + QStringLiteral("c"), name32);
    }

    void typing()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QTest::keyClicks(name(), typed);
        QCOMPARE(name()->text(), shown);
        QCOMPARE(m_dialog->name(), shown);
    }

    // Ok with a reserved word or no name tells why and keeps the dialog open
    // with what was typed, the refused name selected. Reserved words are
    // whole and case-sensitive; the label loses its blanks.
    void ok_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("typedLabel");
        QTest::addColumn<QString>("message");
        dataRow("empty name", "", "Age", "The variable name's field is void.");
        for (const char *word :
             {"_all", "in", "_pred", "_b", "int", "_rc", "_coef", "long", "_skip", "_cons", "_n",
              "using", "double", "_N", "_weight", "float", "pi", "with", "if"})
            dataRow(word, word, "Age",
                    QStringLiteral("\"%1\" is a Stata reserved word. You can't use it as a "
                                   "variable name")
                        .arg(QLatin1String(word)));
        for (const char *word : {"IN", "If", "income", "_N2", "_all_cases"})
            dataRow(word, word, "", "");
        dataRow("label with blanks", "age", "  Age in years  ", "");
    }

    void ok()
    {
        QFETCH(QString, typed);
        QFETCH(QString, typedLabel);
        QFETCH(QString, message);
        QTest::keyClicks(name(), typed);
        QTest::keyClicks(label(), typedLabel);
        ModalAnswerer answerer;
        QString text, informative;
        if (!message.isEmpty())
            answerer.answerMessageBox(QMessageBox::Ok, &text, &informative);
        clickOk(m_dialog.get());
        QCOMPARE(answerer.seen().size(), message.isEmpty() ? 0 : 1);
        QCOMPARE(informative, message);
        QCOMPARE(m_dialog->isVisible(), !message.isEmpty());
        QCOMPARE(m_dialog->result(),
                 int(message.isEmpty() ? QDialog::Accepted : QDialog::Rejected));
        if (message.isEmpty()) {
            QCOMPARE(m_dialog->name(), typed);
            QCOMPARE(m_dialog->label(), typedLabel.trimmed());
        } else {
            QCOMPARE(text, QStringLiteral("Quorin"));
            QCOMPARE(name()->text(), typed);
            QCOMPARE(name()->selectedText(), typed);
            QCOMPARE(label()->text(), typedLabel);
        }
    }

private:
    QLineEdit *name() const
    {
        return namedChild<QLineEdit>(m_dialog.get(), QStringLiteral("variableNameLineEdit"));
    }
    QLineEdit *label() const
    {
        return namedChild<QLineEdit>(m_dialog.get(), QStringLiteral("variableLabelLineEdit"));
    }

    std::unique_ptr<AddVariableDialog> m_dialog;
};

QTEST_MAIN(AddVariableDialogTest)
#include "AddVariableDialogTest.moc"
