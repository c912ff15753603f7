#include "table/FormatDialog.h"

#include "ModalAnswerer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>

namespace {

// Shows a dialog and gives it the keyboard focus, as a user's click would.
class ShownFormatDialog
{
public:
    explicit ShownFormatDialog(const QString &format)
        : m_dialog(format)
    {
        m_dialog.show();
        m_dialog.activateWindow();
        if (!QTest::qWaitForWindowActive(&m_dialog))
            qWarning("format dialog did not become active");
    }

    FormatDialog &operator*() { return m_dialog; }
    FormatDialog *operator->() { return &m_dialog; }

    template <typename Widget>
    Widget *find(const char *objectName)
    {
        auto *widget = m_dialog.findChild<Widget *>(QLatin1String(objectName));
        if (!widget)
            qFatal("no widget named %s", objectName);
        return widget;
    }

    QListWidget *typeList() { return find<QListWidget>("typeOfDataListWidget"); }
    QSpinBox *totalDigits() { return find<QSpinBox>("numericTotalDigitsSpinBox"); }
    QSpinBox *decimals() { return find<QSpinBox>("numericDigitsRightOfDecimalSpinBox"); }
    QCheckBox *european() { return find<QCheckBox>("numericUseEuropeanCommasDecimalCheckBox"); }
    QCheckBox *commas() { return find<QCheckBox>("numericUseCommasInNumericOutputCheckBox"); }
    QCheckBox *leadingZeros() { return find<QCheckBox>("numericPadWithLeadingZerosCheckBox"); }
    QRadioButton *generic() { return find<QRadioButton>("genericalNumericRadioButton"); }
    QRadioButton *fixed() { return find<QRadioButton>("fixedNumericRadioButton"); }
    QRadioButton *exponential() { return find<QRadioButton>("exponentialNumericRadioButton"); }

private:
    FormatDialog m_dialog;
};

void clickRow(QListWidget *list, int row)
{
    QListWidgetItem *item = list->item(row);
    QVERIFY(item);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    QCOMPARE(list->currentRow(), row);
}

// Types a number over the spin box's text and leaves it with Tab, as a user
// moving on to the next field does.
void typeInto(QSpinBox *spinBox, int value)
{
    spinBox->setFocus();
    QTest::keyClick(spinBox, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(spinBox, QString::number(value));
    QTest::keyClick(spinBox, Qt::Key_Tab);
}

void chooseLeftJustified(QComboBox *comboBox)
{
    comboBox->setFocus();
    QTest::keyClick(comboBox, Qt::Key_Down);
    QCOMPARE(comboBox->currentText(), QStringLiteral("Left-justified"));
}

const char *const sampleListNames[] = {"clockSampleListWidget",     "dailySampleListWidget",
                                       "weeklySampleListWidget",    "monthlySampleListWidget",
                                       "quarterlySampleListWidget", "biannualSampleListWidget",
                                       "annualSampleListWidget"};

const char *const dateCodes[] = {"tc", "td", "tw", "tm", "tq", "th", "ty"};

} // namespace

class FormatDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void formControls();
    void opensOnFixedNumeric();
    void opensOnLeftJustifiedString();
    void opensOnClockWithLeapSeconds();
    void opensOnQuarterlyFirstSample();
    void roundTripThroughControls_data();
    void roundTripThroughControls();
    void buildsGenericWithCommas();
    void buildsFixedLeftZerosEuropean();
    void buildsLeftDaily();
    void buildsStringAndClock();
    void everySampleByClicking_data();
    void everySampleByClicking();
    void loweringTotalPushesDecimalsDown();
    void raisingDecimalsPushesTotalUp();
    void typingTwoDigitsDoesNotPushOnTheWay();
    void numericTypeEnablesCheckBoxes();
    void unrecognisedTextOpensOnDefaultsAndStays_data();
    void unrecognisedTextOpensOnDefaultsAndStays();
    void numericWithoutDecimalsOpensWithZero();
    void handEditedFormatLastsUntilAControlChanges();
    void enterInTotalAcceptsTheBuiltFormat();
    void cancelAndOkThroughTheButtons();
};

void FormatDialogTest::formControls()
{
    ShownFormatDialog dialog(QStringLiteral("%3.1f"));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Format"));

    QStringList rows;
    for (int row = 0; row < dialog.typeList()->count(); ++row)
        rows.append(dialog.typeList()->item(row)->text());
    QCOMPARE(rows, (QStringList{"Numeric", "String", "Clock", "Daily", "Weekly", "Monthly",
                                "Quarterly", "Biannual (half years)", "Annual (years)"}));

    auto *samples = dialog.find<QStackedWidget>("sampleStackedWidget");
    QCOMPARE(samples->count(), 9);
    QVERIFY(samples->widget(0)->isAncestorOf(dialog.generic()));
    QCOMPARE(dialog.generic()->text(), QStringLiteral("Generical numeric"));
    QCOMPARE(dialog.fixed()->text(), QStringLiteral("Fixed numeric"));
    QCOMPARE(dialog.exponential()->text(), QStringLiteral("Exponential"));
    for (int kind = DisplayFormat::Clock; kind <= DisplayFormat::Yearly; ++kind) {
        auto *list = dialog.find<QListWidget>(sampleListNames[kind - DisplayFormat::Clock]);
        QCOMPARE(samples->indexOf(list), kind - DisplayFormat::Clock + 2);
        const QList<DisplayFormat::Sample> expected =
            DisplayFormat::samples(DisplayFormat::Kind(kind));
        QCOMPARE(list->count(), expected.size());
        for (int row = 0; row < list->count(); ++row)
            QCOMPARE(list->item(row)->text(), QString::fromUtf8(expected.at(row).shown));
    }

    auto *properties = dialog.find<QStackedWidget>("formatPropertiesStackedWidget");
    QCOMPARE(properties->count(), 4);
    QCOMPARE(dialog.totalDigits()->minimum(), 1);
    QCOMPARE(dialog.totalDigits()->maximum(), 100);
    QCOMPARE(dialog.decimals()->minimum(), 0);
    QCOMPARE(dialog.decimals()->maximum(), 99);
    auto *characters = dialog.find<QSpinBox>("stringTotalCharactersSpinBox");
    QCOMPARE(characters->minimum(), 1);
    QCOMPARE(characters->maximum(), 255);
    QCOMPARE(dialog.european()->text(), QStringLiteral("Use European commas/decimals"));
    QCOMPARE(dialog.commas()->text(), QStringLiteral("Use commas in numeric output"));
    QCOMPARE(dialog.leadingZeros()->text(), QStringLiteral("Pad with leading zero"));
    QCOMPARE(dialog.find<QCheckBox>("clockAccountForLeapSecondsCheckBox")->text(),
             QStringLiteral("Account for leap seconds"));
    for (const char *name : {"numericJustificationComboBox", "stringJustificationComboBox",
                             "clockJustificationComboBox", "timeJustificationComboBox"}) {
        auto *comboBox = dialog.find<QComboBox>(name);
        QCOMPARE(comboBox->count(), 2);
        QCOMPARE(comboBox->itemText(0), QStringLiteral("Right-justified"));
        QCOMPARE(comboBox->itemText(1), QStringLiteral("Left-justified"));
    }
    QVERIFY(dialog.find<QLineEdit>("formatLineEdit"));
}

void FormatDialogTest::opensOnFixedNumeric()
{
    ShownFormatDialog dialog(QStringLiteral("%3.1f"));
    QCOMPARE(dialog.typeList()->currentRow(), 0);
    QCOMPARE(dialog.find<QStackedWidget>("sampleStackedWidget")->currentIndex(), 0);
    QCOMPARE(dialog.find<QStackedWidget>("formatPropertiesStackedWidget")->currentIndex(), 0);
    QVERIFY(dialog.fixed()->isChecked());
    QVERIFY(!dialog.generic()->isChecked());
    QVERIFY(!dialog.exponential()->isChecked());
    QCOMPARE(dialog.find<QComboBox>("numericJustificationComboBox")->currentIndex(), 0);
    QCOMPARE(dialog.totalDigits()->value(), 3);
    QCOMPARE(dialog.decimals()->value(), 1);
    QVERIFY(!dialog.european()->isChecked());
    QVERIFY(!dialog.commas()->isChecked());
    QVERIFY(!dialog.leadingZeros()->isChecked());
    QCOMPARE(dialog->format(), QStringLiteral("%3.1f"));
}

void FormatDialogTest::opensOnLeftJustifiedString()
{
    ShownFormatDialog dialog(QStringLiteral("%-20s"));
    QCOMPARE(dialog.typeList()->currentRow(), 1);
    QCOMPARE(dialog.find<QStackedWidget>("formatPropertiesStackedWidget")->currentIndex(), 1);
    QCOMPARE(dialog.find<QComboBox>("stringJustificationComboBox")->currentIndex(), 1);
    QCOMPARE(dialog.find<QSpinBox>("stringTotalCharactersSpinBox")->value(), 20);
    QCOMPARE(dialog->format(), QStringLiteral("%-20s"));
}

void FormatDialogTest::opensOnClockWithLeapSeconds()
{
    ShownFormatDialog dialog(QStringLiteral("%tCMon_DD,_CCYY_HH:MM:SS"));
    QCOMPARE(dialog.typeList()->currentRow(), 2);
    QCOMPARE(dialog.find<QStackedWidget>("sampleStackedWidget")->currentIndex(), 2);
    QCOMPARE(dialog.find<QStackedWidget>("formatPropertiesStackedWidget")->currentIndex(), 2);
    QCOMPARE(dialog.find<QListWidget>("clockSampleListWidget")->currentRow(), 1);
    QVERIFY(dialog.find<QCheckBox>("clockAccountForLeapSecondsCheckBox")->isChecked());
    QCOMPARE(dialog.find<QComboBox>("clockJustificationComboBox")->currentIndex(), 0);
    QCOMPARE(dialog->format(), QStringLiteral("%tCMon_DD,_CCYY_HH:MM:SS"));
}

void FormatDialogTest::opensOnQuarterlyFirstSample()
{
    ShownFormatDialog dialog(QStringLiteral("%tq"));
    QCOMPARE(dialog.typeList()->currentRow(), 6);
    QCOMPARE(dialog.find<QStackedWidget>("formatPropertiesStackedWidget")->currentIndex(), 3);
    auto *quarters = dialog.find<QListWidget>("quarterlySampleListWidget");
    QCOMPARE(quarters->currentRow(), 0);
    QCOMPARE(quarters->currentItem()->text(), QStringLiteral("2007q1"));
    QCOMPARE(dialog->format(), QStringLiteral("%tq"));
}

void FormatDialogTest::roundTripThroughControls_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("otherRow");
    QTest::newRow("%9.2gc") << "%9.2gc" << 1;
    QTest::newRow("%-010,3f") << "%-010,3f" << 3;
    QTest::newRow("%-12,4e") << "%-12,4e" << 2;
    QTest::newRow("%-tdCCYY-NN-DD") << "%-tdCCYY-NN-DD" << 0;
    QTest::newRow("%-tCMonth_dd,_CCYY_HH:MM:SS.sss") << "%-tCMonth_dd,_CCYY_HH:MM:SS.sss" << 1;
    QTest::newRow("%twww-CCYY") << "%twww-CCYY" << 0;
    QTest::newRow("%-tmMon_CCYY") << "%-tmMon_CCYY" << 0;
    QTest::newRow("%thCCYY!Hh") << "%thCCYY!Hh" << 2;
    QTest::newRow("%-tyCCYY_!A!D") << "%-tyCCYY_!A!D" << 0;
    QTest::newRow("%255s") << "%255s" << 0;
}

void FormatDialogTest::roundTripThroughControls()
{
    QFETCH(QString, format);
    QFETCH(int, otherRow);
    ShownFormatDialog dialog(format);
    QCOMPARE(dialog->format(), format);

    // Leaving the type and coming back builds the text from the controls
    // alone, which the format set.
    const int row = dialog.typeList()->currentRow();
    clickRow(dialog.typeList(), otherRow);
    QVERIFY(dialog->format() != format);
    clickRow(dialog.typeList(), row);
    QCOMPARE(dialog->format(), format);
}

void FormatDialogTest::buildsGenericWithCommas()
{
    ShownFormatDialog dialog(QStringLiteral("%3.1f"));
    QTest::mouseClick(dialog.generic(), Qt::LeftButton);
    typeInto(dialog.totalDigits(), 9);
    typeInto(dialog.decimals(), 2);
    QTest::mouseClick(dialog.commas(), Qt::LeftButton);
    QCOMPARE(dialog->format(), QStringLiteral("%9.2gc"));
}

void FormatDialogTest::buildsFixedLeftZerosEuropean()
{
    ShownFormatDialog dialog(QStringLiteral("%9.2g"));
    QTest::mouseClick(dialog.fixed(), Qt::LeftButton);
    chooseLeftJustified(dialog.find<QComboBox>("numericJustificationComboBox"));
    QTest::mouseClick(dialog.leadingZeros(), Qt::LeftButton);
    typeInto(dialog.totalDigits(), 10);
    typeInto(dialog.decimals(), 3);
    QTest::mouseClick(dialog.european(), Qt::LeftButton);
    QCOMPARE(dialog->format(), QStringLiteral("%-010,3f"));
}

void FormatDialogTest::buildsLeftDaily()
{
    ShownFormatDialog dialog(QStringLiteral("%3.1f"));
    clickRow(dialog.typeList(), 3);
    QCOMPARE(dialog->format(), QStringLiteral("%td"));
    clickRow(dialog.find<QListWidget>("dailySampleListWidget"), 7);
    chooseLeftJustified(dialog.find<QComboBox>("timeJustificationComboBox"));
    QCOMPARE(dialog->format(), QStringLiteral("%-tdCCYY-NN-DD"));
}

void FormatDialogTest::buildsStringAndClock()
{
    ShownFormatDialog dialog(QStringLiteral("%3.1f"));
    clickRow(dialog.typeList(), 1);
    QCOMPARE(dialog.find<QStackedWidget>("formatPropertiesStackedWidget")->currentIndex(), 1);
    auto *characters = dialog.find<QSpinBox>("stringTotalCharactersSpinBox");
    characters->setFocus();
    QTest::keyClick(characters, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(characters, QStringLiteral("24"));
    QCOMPARE(dialog->format(), QStringLiteral("%24s"));

    clickRow(dialog.typeList(), 2);
    QTest::mouseClick(dialog.find<QCheckBox>("clockAccountForLeapSecondsCheckBox"), Qt::LeftButton);
    clickRow(dialog.find<QListWidget>("clockSampleListWidget"), 3);
    chooseLeftJustified(dialog.find<QComboBox>("clockJustificationComboBox"));
    QCOMPARE(dialog->format(), QStringLiteral("%-tCMon_dd,_CCYY_HH:MM"));
}

void FormatDialogTest::everySampleByClicking_data()
{
    QTest::addColumn<int>("typeRow");
    QTest::addColumn<QString>("listName");
    QTest::addColumn<int>("sampleRow");
    QTest::addColumn<QString>("expected");

    for (int kind = DisplayFormat::Clock; kind <= DisplayFormat::Yearly; ++kind) {
        const int index = kind - DisplayFormat::Clock;
        const QList<DisplayFormat::Sample> samples =
            DisplayFormat::samples(DisplayFormat::Kind(kind));
        for (int row = 0; row < samples.size(); ++row) {
            const QString expected = QLatin1Char('%') + QLatin1String(dateCodes[index]) +
                                     QLatin1String(samples.at(row).tokens);
            QTest::addRow("%s", qPrintable(expected))
                << index + 2 << QString::fromLatin1(sampleListNames[index]) << row << expected;
        }
    }
}

void FormatDialogTest::everySampleByClicking()
{
    QFETCH(int, typeRow);
    QFETCH(QString, listName);
    QFETCH(int, sampleRow);
    // Going through the last sample first makes every row, the first one
    // included, a change of the list.
    ShownFormatDialog dialog(QStringLiteral("%3.1f"));
    clickRow(dialog.typeList(), typeRow);
    QCOMPARE(dialog.find<QStackedWidget>("sampleStackedWidget")->currentIndex(), typeRow);
    QCOMPARE(dialog.find<QStackedWidget>("formatPropertiesStackedWidget")->currentIndex(),
             typeRow == 2 ? 2 : 3);
    auto *list = dialog.find<QListWidget>(qPrintable(listName));
    clickRow(list, list->count() - 1);
    clickRow(list, sampleRow);
    QTEST(dialog->format(), "expected");
}

void FormatDialogTest::loweringTotalPushesDecimalsDown()
{
    ShownFormatDialog dialog(QStringLiteral("%9.5f"));
    typeInto(dialog.totalDigits(), 5);
    QCOMPARE(dialog.decimals()->value(), 4);
    QCOMPARE(dialog->format(), QStringLiteral("%5.4f"));

    typeInto(dialog.totalDigits(), 2);
    QCOMPARE(dialog.decimals()->value(), 1);

    // One step at a time with the arrow keys as well.
    dialog.totalDigits()->setFocus();
    QTest::keyClick(dialog.totalDigits(), Qt::Key_Down);
    QCOMPARE(dialog.totalDigits()->value(), 1);
    QCOMPARE(dialog.decimals()->value(), 0);
    QCOMPARE(dialog->format(), QStringLiteral("%1.0f"));

    // A total above the decimals leaves them alone.
    typeInto(dialog.totalDigits(), 7);
    QCOMPARE(dialog.decimals()->value(), 0);
    QCOMPARE(dialog->format(), QStringLiteral("%7.0f"));
}

void FormatDialogTest::raisingDecimalsPushesTotalUp()
{
    ShownFormatDialog dialog(QStringLiteral("%5.2f"));
    typeInto(dialog.decimals(), 5);
    QCOMPARE(dialog.totalDigits()->value(), 6);
    QCOMPARE(dialog->format(), QStringLiteral("%6.5f"));

    dialog.decimals()->setFocus();
    QTest::keyClick(dialog.decimals(), Qt::Key_Up);
    QCOMPARE(dialog.decimals()->value(), 6);
    QCOMPARE(dialog.totalDigits()->value(), 7);

    typeInto(dialog.decimals(), 99);
    QCOMPARE(dialog.totalDigits()->value(), 100);
    QCOMPARE(dialog->format(), QStringLiteral("%100.99f"));

    // Decimals below the total leave it alone.
    typeInto(dialog.decimals(), 3);
    QCOMPARE(dialog.totalDigits()->value(), 100);
}

void FormatDialogTest::typingTwoDigitsDoesNotPushOnTheWay()
{
    ShownFormatDialog dialog(QStringLiteral("%3.2f"));
    typeInto(dialog.totalDigits(), 12);
    QCOMPARE(dialog.totalDigits()->value(), 12);
    QCOMPARE(dialog.decimals()->value(), 2);
    QCOMPARE(dialog->format(), QStringLiteral("%12.2f"));
}

void FormatDialogTest::numericTypeEnablesCheckBoxes()
{
    ShownFormatDialog dialog(QStringLiteral("%9.2fc"));
    QVERIFY(dialog.commas()->isEnabled());
    QVERIFY(dialog.leadingZeros()->isEnabled());
    QVERIFY(dialog.commas()->isChecked());

    QTest::mouseClick(dialog.generic(), Qt::LeftButton);
    QVERIFY(dialog.commas()->isEnabled());
    QVERIFY(!dialog.leadingZeros()->isEnabled());
    QCOMPARE(dialog->format(), QStringLiteral("%9.2gc"));

    QTest::mouseClick(dialog.exponential(), Qt::LeftButton);
    QVERIFY(!dialog.commas()->isEnabled());
    QVERIFY(!dialog.leadingZeros()->isEnabled());
    // Exponential formats take no commas, whatever the disabled box shows.
    QCOMPARE(dialog->format(), QStringLiteral("%9.2e"));

    QTest::mouseClick(dialog.fixed(), Qt::LeftButton);
    QVERIFY(dialog.commas()->isEnabled());
    QVERIFY(dialog.leadingZeros()->isEnabled());
    QCOMPARE(dialog->format(), QStringLiteral("%9.2fc"));

    ShownFormatDialog exponential(QStringLiteral("%10.3e"));
    QVERIFY(!exponential.commas()->isEnabled());
    QVERIFY(!exponential.leadingZeros()->isEnabled());
}

void FormatDialogTest::unrecognisedTextOpensOnDefaultsAndStays_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("centred string") << "%~20s";
    QTest::newRow("hexadecimal") << "%21x";
    QTest::newRow("empty") << QString();
    QTest::newRow("word") << "mean";
}

void FormatDialogTest::unrecognisedTextOpensOnDefaultsAndStays()
{
    QFETCH(QString, format);
    ShownFormatDialog dialog(format);
    QCOMPARE(dialog.typeList()->currentRow(), 0);
    QVERIFY(dialog.generic()->isChecked());
    QCOMPARE(dialog.totalDigits()->value(), 9);
    QCOMPARE(dialog.decimals()->value(), 0);
    QCOMPARE(dialog.find<QSpinBox>("stringTotalCharactersSpinBox")->value(), 9);
    QCOMPARE(dialog->format(), format);

    // The first change of a control writes the built format.
    QTest::mouseClick(dialog.fixed(), Qt::LeftButton);
    QCOMPARE(dialog->format(), QStringLiteral("%9.0f"));
}

void FormatDialogTest::numericWithoutDecimalsOpensWithZero()
{
    ShownFormatDialog dialog(QStringLiteral("%9g"));
    QVERIFY(dialog.generic()->isChecked());
    QCOMPARE(dialog.totalDigits()->value(), 9);
    QCOMPARE(dialog.decimals()->value(), 0);
    QCOMPARE(dialog->format(), QStringLiteral("%9g"));

    dialog.decimals()->setFocus();
    QTest::keyClick(dialog.decimals(), Qt::Key_Up);
    QCOMPARE(dialog->format(), QStringLiteral("%9.1g"));

    // Date tokens of no sample are kept in the same way.
    ShownFormatDialog daily(QStringLiteral("%tdDD.NN.CCYY"));
    QCOMPARE(daily.typeList()->currentRow(), 3);
    QCOMPARE(daily.find<QListWidget>("dailySampleListWidget")->currentRow(), 0);
    QCOMPARE(daily->format(), QStringLiteral("%tdDD.NN.CCYY"));
    clickRow(daily.find<QListWidget>("dailySampleListWidget"), 1);
    QCOMPARE(daily->format(), QStringLiteral("%tdMon_DD,_CCYY"));
}

void FormatDialogTest::handEditedFormatLastsUntilAControlChanges()
{
    ShownFormatDialog dialog(QStringLiteral("%3.1f"));
    auto *line = dialog.find<QLineEdit>("formatLineEdit");
    line->setFocus();
    line->selectAll();
    QTest::keyClicks(line, QStringLiteral("%8.3fc"));
    QCOMPARE(dialog->format(), QStringLiteral("%8.3fc"));
    // Typing does not move the controls.
    QCOMPARE(dialog.totalDigits()->value(), 3);
    QVERIFY(!dialog.commas()->isChecked());

    QTest::mouseClick(dialog.leadingZeros(), Qt::LeftButton);
    QCOMPARE(dialog->format(), QStringLiteral("%03.1f"));
}

void FormatDialogTest::enterInTotalAcceptsTheBuiltFormat()
{
    FormatDialog dialog(QStringLiteral("%3.1f"));
    ModalAnswerer answerer;
    answerer.enqueue([](QWidget *widget) {
        auto *total = widget->findChild<QSpinBox *>(QStringLiteral("numericTotalDigitsSpinBox"));
        total->setFocus();
        QTest::keyClick(total, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(total, QStringLiteral("8"));
        QTest::keyClick(total, Qt::Key_Return);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(dialog.format(), QStringLiteral("%8.1f"));
}

void FormatDialogTest::cancelAndOkThroughTheButtons()
{
    for (const QDialogButtonBox::StandardButton button :
         {QDialogButtonBox::Cancel, QDialogButtonBox::Ok}) {
        FormatDialog dialog(QStringLiteral("%tq"));
        ModalAnswerer answerer;
        answerer.enqueue([button](QWidget *widget) {
            auto *box = widget->findChild<QDialogButtonBox *>();
            QTest::mouseClick(box->button(button), Qt::LeftButton);
        });
        const int result = dialog.exec();
        QCOMPARE(result,
                 int(button == QDialogButtonBox::Ok ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(dialog.format(), QStringLiteral("%tq"));
    }
}

QTEST_MAIN(FormatDialogTest)
#include "FormatDialogTest.moc"
