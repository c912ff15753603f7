#include "table/FormatDialog.h"

#include "DataRows.h"
#include "DialogControls.h"
#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>

namespace {

// Short names for the dialog's controls in the steps below; any other name is
// taken as an object name.
QWidget *control(const FormatDialog &dialog, const QString &alias)
{
    // clang-format off
    static const QHash<QString, QString> names = {
        {"type", "typeOfDataListWidget"}, {"samples", "sampleStackedWidget"}, {"properties", "formatPropertiesStackedWidget"},
        {"generic", "genericalNumericRadioButton"}, {"fixed", "fixedNumericRadioButton"}, {"exponential", "exponentialNumericRadioButton"},
        {"justify", "numericJustificationComboBox"}, {"total", "numericTotalDigitsSpinBox"}, {"decimals", "numericDigitsRightOfDecimalSpinBox"},
        {"european", "numericUseEuropeanCommasDecimalCheckBox"}, {"commas", "numericUseCommasInNumericOutputCheckBox"}, {"zeros", "numericPadWithLeadingZerosCheckBox"},
        {"stringJustify", "stringJustificationComboBox"}, {"characters", "stringTotalCharactersSpinBox"}, {"clockJustify", "clockJustificationComboBox"},
        {"leap", "clockAccountForLeapSecondsCheckBox"}, {"dateJustify", "timeJustificationComboBox"}, {"line", "formatLineEdit"}};
    // clang-format on
    return namedChild<QWidget>(&dialog, names.value(alias, alias));
}

// What a control shows, as the steps below write it.
QString controlState(QWidget *control)
{
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        return QLatin1String(button->isChecked() ? "on" : "off");
    if (auto *spinBox = qobject_cast<QSpinBox *>(control))
        return QString::number(spinBox->value());
    if (auto *list = qobject_cast<QListWidget *>(control))
        return QString::number(list->currentRow());
    if (auto *comboBox = qobject_cast<QComboBox *>(control))
        return QString::number(comboBox->currentIndex());
    if (auto *stack = qobject_cast<QStackedWidget *>(control))
        return QString::number(stack->currentIndex());
    return qobject_cast<QLineEdit *>(control)->text();
}

// Sets a control from the keyboard or the mouse, as a user would: a number
// typed over a spin box's text and left with Tab, a list row clicked, a
// combo box stepped with the arrow keys, a text typed over the line.
void setControl(QWidget *control, const QString &value)
{
    control->setFocus();
    if (auto *spinBox = qobject_cast<QSpinBox *>(control)) {
        QTest::keyClick(spinBox, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(spinBox, value);
        QTest::keyClick(spinBox, Qt::Key_Tab);
    } else if (auto *list = qobject_cast<QListWidget *>(control)) {
        QListWidgetItem *item = list->item(value.toInt());
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
        QCOMPARE(list->currentRow(), value.toInt());
    } else if (auto *comboBox = qobject_cast<QComboBox *>(control)) {
        for (int i = 0; i < comboBox->count() && comboBox->currentIndex() != value.toInt(); ++i)
            QTest::keyClick(comboBox,
                            comboBox->currentIndex() < value.toInt() ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(comboBox->currentIndex(), value.toInt());
    } else {
        auto *line = qobject_cast<QLineEdit *>(control);
        line->selectAll();
        QTest::keyClicks(line, value);
    }
}

// One step of a user's session (see userSteps_data).
void perform(const FormatDialog &dialog, const QString &step)
{
    if (step.startsWith(QLatin1Char('%'))) {
        QCOMPARE(dialog.format(), step);
        return;
    }
    const qsizetype at = step.indexOf(QRegularExpression(QStringLiteral("[=?]")));
    if (at < 0 && (step.endsWith(QLatin1Char('+')) || step.endsWith(QLatin1Char('-')))) {
        QWidget *arrowed = control(dialog, step.chopped(1));
        arrowed->setFocus();
        QTest::keyClick(arrowed, step.endsWith(QLatin1Char('+')) ? Qt::Key_Up : Qt::Key_Down);
        return;
    }
    QWidget *target = control(dialog, step.left(at));
    const QString value = step.mid(at + 1);
    if (at < 0) {
        QTest::mouseClick(target, Qt::LeftButton);
    } else if (step.at(at) == QLatin1Char('=')) {
        setControl(target, value);
    } else {
        const QString shown =
            value == QLatin1String("enabled") || value == QLatin1String("disabled")
                ? QLatin1String(target->isEnabled() ? "enabled" : "disabled")
                : controlState(target);
        QVERIFY2(shown == value, qPrintable(step + QLatin1String(", found ") + shown));
    }
}

} // namespace

class FormatDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void form()
    {
        FormatDialog dialog(QStringLiteral("%3.1f"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Format"));
        const auto *types =
            namedChild<QListWidget>(&dialog, QStringLiteral("typeOfDataListWidget"));
        QCOMPARE(types->count(), 9);
        QCOMPARE(types->item(8)->text(), QStringLiteral("Annual (years)"));
    }

    // A session opens the dialog on a format and runs steps in order: "%..."
    // checks the built format; "name" clicks a control, "name=value" sets it
    // (see setControl), "name+" and "name-" press Up and Down in it;
    // "name?value" checks what it shows ("on"/"off" for check and radio
    // buttons, the value, row or index otherwise) or whether it is "enabled"
    // or "disabled".
    void userSteps_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("steps");
        // clang-format off
        dataRow("opens on fixed numeric", "%3.1f", QStringList{"%3.1f", "type?0", "samples?0", "properties?0", "fixed?on", "generic?off", "exponential?off", "justify?0", "total?3", "decimals?1", "european?off", "commas?off", "zeros?off"});
        dataRow("opens on left-justified string", "%-20s", QStringList{"%-20s", "type?1", "properties?1", "stringJustify?1", "characters?20"});
        dataRow("opens on clock with leap seconds", "%tCMon_DD,_CCYY_HH:MM:SS", QStringList{"%tCMon_DD,_CCYY_HH:MM:SS", "type?2", "samples?2", "properties?2", "clockSampleListWidget?1", "leap?on", "clockJustify?0"});
        dataRow("opens on the first quarterly sample", "%tq", QStringList{"%tq", "type?6", "properties?3", "quarterlySampleListWidget?0"});
        // Tokens the choices cannot say are kept until a control changes.
        dataRow("opens numeric without decimals on zero", "%9g", QStringList{"%9g", "generic?on", "total?9", "decimals?0", "decimals+", "%9.1g"});
        dataRow("opens on unknown date tokens", "%tdDD.NN.CCYY", QStringList{"%tdDD.NN.CCYY", "type?3", "dailySampleListWidget?0", "dailySampleListWidget=1", "%tdMon_DD,_CCYY"});
        for (const char *text : {"%~20s", "%21x", "", "mean"})
            dataRow(*text ? text : "empty", text, QStringList{QLatin1String("line?") + text, "type?0", "generic?on", "total?9", "decimals?0", "characters?9", "fixed", "%9.0f"});
        dataRow("hand-edited format lasts until a control changes", "%3.1f", QStringList{"line=%8.3fc", "%8.3fc", "total?3", "commas?off", "zeros", "%03.1f"});
        dataRow("builds generic with commas", "%3.1f", QStringList{"generic", "total=9", "decimals=2", "commas", "%9.2gc"});
        dataRow("builds fixed left zeros european", "%9.2g", QStringList{"fixed", "justify=1", "zeros", "total=10", "decimals=3", "european", "%-010,3f"});
        dataRow("builds left daily", "%3.1f", QStringList{"type=3", "%td", "dailySampleListWidget=7", "dateJustify=1", "%-tdCCYY-NN-DD"});
        dataRow("builds string and clock", "%3.1f", QStringList{"type=1", "properties?1", "characters=24", "%24s", "type=2", "leap", "clockSampleListWidget=3", "clockJustify=1", "%-tCMon_dd,_CCYY_HH:MM"});
        // The total and the decimals push each other, also one arrow step at
        // a time, but not while the first digit of a number is typed.
        dataRow("lowering the total pushes the decimals down", "%9.5f", QStringList{"total=5", "%5.4f", "total=2", "%2.1f", "total-", "%1.0f", "total=7", "%7.0f"});
        dataRow("raising the decimals pushes the total up", "%5.2f", QStringList{"decimals=5", "%6.5f", "decimals+", "%7.6f", "decimals=99", "%100.99f", "decimals=3", "%100.3f"});
        dataRow("typing two digits does not push on the way", "%3.2f", QStringList{"total=12", "%12.2f"});
        // Exponential formats take no commas, whatever the disabled box shows.
        dataRow("numeric type enables the check boxes", "%9.2fc", QStringList{"commas?enabled", "zeros?enabled", "commas?on", "generic", "commas?enabled", "zeros?disabled", "%9.2gc", "exponential", "commas?disabled", "zeros?disabled", "%9.2e", "fixed", "commas?enabled", "zeros?enabled", "%9.2fc"});
        dataRow("exponential opens with the boxes disabled", "%10.3e", QStringList{"commas?disabled", "zeros?disabled"});
        // clang-format on
    }

    void userSteps()
    {
        QFETCH(QString, format);
        QFETCH(QStringList, steps);
        FormatDialog dialog(format);
        dialog.show();
        dialog.activateWindow(); // the keyboard focus, as a user's click would give
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        for (const QString &step : steps) {
            perform(dialog, step);
            if (QTest::currentTestFailed())
                return;
        }
    }

    // Return in a spin box accepts the format built so far.
    void enterInTotalAcceptsTheBuiltFormat()
    {
        FormatDialog dialog(QStringLiteral("%3.1f"));
        ModalAnswerer answerer;
        answerer.enqueue([](QWidget *widget) {
            auto *total = namedChild<QSpinBox>(widget, "numericTotalDigitsSpinBox");
            total->setFocus();
            QTest::keyClick(total, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(total, QStringLiteral("8"));
            QTest::keyClick(total, Qt::Key_Return);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(dialog.format(), QStringLiteral("%8.1f"));
    }
};

QTEST_MAIN(FormatDialogTest)
#include "FormatDialogTest.moc"
