#include "table/FormatDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

// Rows of the type-of-data list: the three numeric kinds share row 0, the
// string and date kinds follow in kind order.
constexpr int numericRow = 0;
constexpr int clockRow = 2;

int rowOfKind(DisplayFormat::Kind kind)
{
    return DisplayFormat::isNumeric(kind) ? numericRow : kind - DisplayFormat::String + 1;
}

DisplayFormat::Kind kindOfRow(int row)
{
    return DisplayFormat::Kind(row - 1 + DisplayFormat::String);
}

// The properties pages: numeric, string, clock, then one for the other dates.
int propertiesPageOfRow(int row)
{
    return qMin(row, clockRow + 1);
}

constexpr int rightJustified = 0;
constexpr int leftJustified = 1;

} // namespace

FormatDialog::FormatDialog(const QString &format, QWidget *parent)
    : QDialog(parent)
{
    createForm();
    connectControls();
    setControls(DisplayFormat());
    const DisplayFormat parsed(format);
    setControls(parsed);
    onGuiUpdated();
    // What the controls cannot express (an unknown text, %9g, tokens of no
    // sample) stays as it was until the user changes a control, so that OK
    // on an untouched dialog never alters the format.
    if (!parsed.isExact())
        m_formatLineEdit->setText(format);
}

QString FormatDialog::format() const
{
    return m_formatLineEdit->text();
}

void FormatDialog::createForm()
{
    setObjectName(QStringLiteral("FormatDialog"));
    setWindowTitle(tr("Format"));

    auto *choices = new QHBoxLayout;
    choices->addWidget(createTypeOfDataGroup());
    choices->addWidget(createSamplePages(), 1);
    choices->addWidget(createFormatPropertiesGroup());

    auto *formatLine = new QHBoxLayout;
    auto *formatLabel = new QLabel(tr("Format:"), this);
    m_formatLineEdit = new QLineEdit(this);
    m_formatLineEdit->setObjectName(QStringLiteral("formatLineEdit"));
    formatLabel->setBuddy(m_formatLineEdit);
    formatLine->addWidget(formatLabel);
    formatLine->addWidget(m_formatLineEdit, 1);

    auto *buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(formatLine);
    layout->addWidget(buttonBox);
}

QWidget *FormatDialog::createTypeOfDataGroup()
{
    auto *group = new QGroupBox(tr("Type of data"), this);
    m_typeOfDataListWidget = new QListWidget(group);
    m_typeOfDataListWidget->setObjectName(QStringLiteral("typeOfDataListWidget"));
    m_typeOfDataListWidget->addItems({tr("Numeric"), tr("String"), tr("Clock"), tr("Daily"),
                                      tr("Weekly"), tr("Monthly"), tr("Quarterly"),
                                      tr("Biannual (half years)"), tr("Annual (years)")});
    m_typeOfDataListWidget->setCurrentRow(numericRow);
    auto *layout = new QVBoxLayout(group);
    layout->addWidget(m_typeOfDataListWidget);
    return group;
}

QWidget *FormatDialog::createSamplePages()
{
    auto *box = new QWidget(this);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Sample:"), box));

    m_sampleStackedWidget = new QStackedWidget(box);
    m_sampleStackedWidget->setObjectName(QStringLiteral("sampleStackedWidget"));
    m_sampleStackedWidget->addWidget(createNumericTypePage());
    m_sampleStackedWidget->addWidget(new QWidget(m_sampleStackedWidget));

    const char *listNames[] = {"clockSampleListWidget",     "dailySampleListWidget",
                               "weeklySampleListWidget",    "monthlySampleListWidget",
                               "quarterlySampleListWidget", "biannualSampleListWidget",
                               "annualSampleListWidget"};
    for (int kind = DisplayFormat::Clock; kind <= DisplayFormat::Yearly; ++kind) {
        auto *list = new QListWidget(m_sampleStackedWidget);
        list->setObjectName(QLatin1String(listNames[kind - DisplayFormat::Clock]));
        for (const DisplayFormat::Sample &sample :
             DisplayFormat::samples(DisplayFormat::Kind(kind)))
            list->addItem(tr(sample.shown));
        list->setCurrentRow(0);
        m_sampleListWidgets.append(list);
        m_sampleStackedWidget->addWidget(list);
    }
    layout->addWidget(m_sampleStackedWidget, 1);
    return box;
}

QWidget *FormatDialog::createNumericTypePage()
{
    auto *page = new QWidget(this);
    auto *group = new QGroupBox(tr("Numeric type"), page);
    m_genericalNumericRadioButton = new QRadioButton(tr("Generical numeric"), group);
    m_genericalNumericRadioButton->setObjectName(QStringLiteral("genericalNumericRadioButton"));
    m_fixedNumericRadioButton = new QRadioButton(tr("Fixed numeric"), group);
    m_fixedNumericRadioButton->setObjectName(QStringLiteral("fixedNumericRadioButton"));
    m_exponentialNumericRadioButton = new QRadioButton(tr("Exponential"), group);
    m_exponentialNumericRadioButton->setObjectName(QStringLiteral("exponentialNumericRadioButton"));

    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_genericalNumericRadioButton);
    groupLayout->addWidget(m_fixedNumericRadioButton);
    groupLayout->addWidget(m_exponentialNumericRadioButton);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(group);
    layout->addStretch(1);
    return page;
}

QWidget *FormatDialog::createFormatPropertiesGroup()
{
    auto *group = new QGroupBox(tr("Format properties"), this);
    m_formatPropertiesStackedWidget = new QStackedWidget(group);
    m_formatPropertiesStackedWidget->setObjectName(QStringLiteral("formatPropertiesStackedWidget"));
    m_formatPropertiesStackedWidget->addWidget(createNumericPropertiesPage());
    m_formatPropertiesStackedWidget->addWidget(createStringPropertiesPage());
    m_formatPropertiesStackedWidget->addWidget(createClockPropertiesPage());
    m_formatPropertiesStackedWidget->addWidget(createOtherDatePropertiesPage());
    auto *layout = new QVBoxLayout(group);
    layout->addWidget(m_formatPropertiesStackedWidget);
    return group;
}

QComboBox *FormatDialog::createJustificationComboBox(const QString &objectName, QWidget *parent)
{
    auto *comboBox = new QComboBox(parent);
    comboBox->setObjectName(objectName);
    comboBox->insertItem(rightJustified, tr("Right-justified"));
    comboBox->insertItem(leftJustified, tr("Left-justified"));
    return comboBox;
}

QWidget *FormatDialog::createNumericPropertiesPage()
{
    auto *page = new QWidget(this);
    m_numericJustificationComboBox =
        createJustificationComboBox(QStringLiteral("numericJustificationComboBox"), page);
    m_numericTotalDigitsSpinBox = new QSpinBox(page);
    m_numericTotalDigitsSpinBox->setObjectName(QStringLiteral("numericTotalDigitsSpinBox"));
    m_numericTotalDigitsSpinBox->setRange(1, 100);
    m_numericDigitsRightOfDecimalSpinBox = new QSpinBox(page);
    m_numericDigitsRightOfDecimalSpinBox->setObjectName(
        QStringLiteral("numericDigitsRightOfDecimalSpinBox"));
    m_numericDigitsRightOfDecimalSpinBox->setRange(0, 99);
    // Each spin box pushes the other when the total would not exceed the
    // decimals; reacting to every keystroke would push on the way to a
    // two-digit number (typing 12 passes through 1), so they change on
    // Enter, on leaving the box or on a step.
    m_numericTotalDigitsSpinBox->setKeyboardTracking(false);
    m_numericDigitsRightOfDecimalSpinBox->setKeyboardTracking(false);
    m_numericUseEuropeanCommasDecimalCheckBox =
        new QCheckBox(tr("Use European commas/decimals"), page);
    m_numericUseEuropeanCommasDecimalCheckBox->setObjectName(
        QStringLiteral("numericUseEuropeanCommasDecimalCheckBox"));
    m_numericUseCommasInNumericOutputCheckBox =
        new QCheckBox(tr("Use commas in numeric output"), page);
    m_numericUseCommasInNumericOutputCheckBox->setObjectName(
        QStringLiteral("numericUseCommasInNumericOutputCheckBox"));
    m_numericPadWithLeadingZerosCheckBox = new QCheckBox(tr("Pad with leading zero"), page);
    m_numericPadWithLeadingZerosCheckBox->setObjectName(
        QStringLiteral("numericPadWithLeadingZerosCheckBox"));

    auto *layout = new QFormLayout(page);
    layout->addRow(tr("Justification:"), m_numericJustificationComboBox);
    layout->addRow(tr("Total digits:"), m_numericTotalDigitsSpinBox);
    layout->addRow(tr("Digits right of decimal:"), m_numericDigitsRightOfDecimalSpinBox);
    layout->addRow(m_numericUseEuropeanCommasDecimalCheckBox);
    layout->addRow(m_numericUseCommasInNumericOutputCheckBox);
    layout->addRow(m_numericPadWithLeadingZerosCheckBox);
    return page;
}

QWidget *FormatDialog::createStringPropertiesPage()
{
    auto *page = new QWidget(this);
    m_stringJustificationComboBox =
        createJustificationComboBox(QStringLiteral("stringJustificationComboBox"), page);
    m_stringTotalCharactersSpinBox = new QSpinBox(page);
    m_stringTotalCharactersSpinBox->setObjectName(QStringLiteral("stringTotalCharactersSpinBox"));
    m_stringTotalCharactersSpinBox->setRange(1, 255);
    m_stringTotalCharactersSpinBox->setValue(DisplayFormat().totalCharacters);
    auto *layout = new QFormLayout(page);
    layout->addRow(tr("Justification:"), m_stringJustificationComboBox);
    layout->addRow(tr("Total characters:"), m_stringTotalCharactersSpinBox);
    return page;
}

QWidget *FormatDialog::createClockPropertiesPage()
{
    auto *page = new QWidget(this);
    m_clockJustificationComboBox =
        createJustificationComboBox(QStringLiteral("clockJustificationComboBox"), page);
    m_clockAccountForLeapSecondsCheckBox = new QCheckBox(tr("Account for leap seconds"), page);
    m_clockAccountForLeapSecondsCheckBox->setObjectName(
        QStringLiteral("clockAccountForLeapSecondsCheckBox"));
    auto *layout = new QFormLayout(page);
    layout->addRow(tr("Justification:"), m_clockJustificationComboBox);
    layout->addRow(m_clockAccountForLeapSecondsCheckBox);
    return page;
}

QWidget *FormatDialog::createOtherDatePropertiesPage()
{
    auto *page = new QWidget(this);
    m_timeJustificationComboBox =
        createJustificationComboBox(QStringLiteral("timeJustificationComboBox"), page);
    auto *layout = new QFormLayout(page);
    layout->addRow(tr("Justification:"), m_timeJustificationComboBox);
    return page;
}

void FormatDialog::connectControls()
{
    connect(m_typeOfDataListWidget, &QListWidget::currentRowChanged, this,
            &FormatDialog::onTypeOfDataChanged);
    connect(m_genericalNumericRadioButton, &QRadioButton::toggled, this,
            &FormatDialog::onGenericalNumericRadioButtonToggled);
    connect(m_fixedNumericRadioButton, &QRadioButton::toggled, this,
            &FormatDialog::onFixedNumericRadioButtonToggled);
    connect(m_exponentialNumericRadioButton, &QRadioButton::toggled, this,
            &FormatDialog::onExponentialNumericRadioButtonToggled);
    connect(m_numericTotalDigitsSpinBox, &QSpinBox::valueChanged, this,
            &FormatDialog::onTotalDigitsValueChanged);
    connect(m_numericDigitsRightOfDecimalSpinBox, &QSpinBox::valueChanged, this,
            &FormatDialog::onDigitsRightOfDecimalChanged);
    connect(m_stringTotalCharactersSpinBox, &QSpinBox::valueChanged, this,
            &FormatDialog::onGuiUpdated);
    for (QListWidget *list : std::as_const(m_sampleListWidgets))
        connect(list, &QListWidget::currentRowChanged, this, &FormatDialog::onGuiUpdated);
    for (QComboBox *comboBox : {m_numericJustificationComboBox, m_stringJustificationComboBox,
                                m_clockJustificationComboBox, m_timeJustificationComboBox})
        connect(comboBox, &QComboBox::currentIndexChanged, this, &FormatDialog::onGuiUpdated);
    for (QCheckBox *checkBox :
         {m_numericUseEuropeanCommasDecimalCheckBox, m_numericUseCommasInNumericOutputCheckBox,
          m_numericPadWithLeadingZerosCheckBox, m_clockAccountForLeapSecondsCheckBox})
        connect(checkBox, &QCheckBox::toggled, this, &FormatDialog::onGuiUpdated);
}

QListWidget *FormatDialog::sampleListWidget(DisplayFormat::Kind dateKind) const
{
    return m_sampleListWidgets.at(dateKind - DisplayFormat::Clock);
}

void FormatDialog::setControls(const DisplayFormat &displayFormat)
{
    const DisplayFormat::Kind kind = displayFormat.kind;
    m_typeOfDataListWidget->setCurrentRow(rowOfKind(kind));
    const int justification = displayFormat.leftJustified ? leftJustified : rightJustified;
    if (DisplayFormat::isNumeric(kind)) {
        setNumericControls(displayFormat);
    } else if (kind == DisplayFormat::String) {
        m_stringJustificationComboBox->setCurrentIndex(justification);
        m_stringTotalCharactersSpinBox->setValue(displayFormat.totalCharacters);
    } else {
        sampleListWidget(kind)->setCurrentRow(displayFormat.sample(kind));
        if (kind == DisplayFormat::Clock) {
            m_clockJustificationComboBox->setCurrentIndex(justification);
            m_clockAccountForLeapSecondsCheckBox->setChecked(displayFormat.leapSeconds);
        } else {
            m_timeJustificationComboBox->setCurrentIndex(justification);
        }
    }
}

void FormatDialog::setNumericControls(const DisplayFormat &displayFormat)
{
    switch (displayFormat.kind) {
    case DisplayFormat::GenericNumeric:
        m_genericalNumericRadioButton->setChecked(true);
        break;
    case DisplayFormat::FixedNumeric:
        m_fixedNumericRadioButton->setChecked(true);
        break;
    default:
        m_exponentialNumericRadioButton->setChecked(true);
        break;
    }
    m_numericJustificationComboBox->setCurrentIndex(displayFormat.leftJustified ? leftJustified
                                                                                : rightJustified);
    // The total first: lowering it may push the decimals down, which the
    // parsed decimals then set right again.
    m_numericTotalDigitsSpinBox->setValue(displayFormat.totalDigits);
    m_numericDigitsRightOfDecimalSpinBox->setValue(displayFormat.digitsRightOfDecimal);
    m_numericUseEuropeanCommasDecimalCheckBox->setChecked(displayFormat.europeanDecimals);
    m_numericUseCommasInNumericOutputCheckBox->setChecked(
        displayFormat.commas && displayFormat.kind != DisplayFormat::ExponentialNumeric);
    m_numericPadWithLeadingZerosCheckBox->setChecked(
        displayFormat.leadingZeros && displayFormat.kind == DisplayFormat::FixedNumeric);
}

bool FormatDialog::chosenFormat(DisplayFormat *chosen) const
{
    const int row = m_typeOfDataListWidget->currentRow();
    if (row <= numericRow) {
        if (m_genericalNumericRadioButton->isChecked())
            chosen->kind = DisplayFormat::GenericNumeric;
        else if (m_fixedNumericRadioButton->isChecked())
            chosen->kind = DisplayFormat::FixedNumeric;
        else if (m_exponentialNumericRadioButton->isChecked())
            chosen->kind = DisplayFormat::ExponentialNumeric;
        else
            return false;
        chosen->leftJustified = m_numericJustificationComboBox->currentIndex() == leftJustified;
        chosen->totalDigits = m_numericTotalDigitsSpinBox->value();
        chosen->digitsRightOfDecimal = m_numericDigitsRightOfDecimalSpinBox->value();
        chosen->europeanDecimals = m_numericUseEuropeanCommasDecimalCheckBox->isChecked();
        chosen->commas = m_numericUseCommasInNumericOutputCheckBox->isChecked();
        chosen->leadingZeros = m_numericPadWithLeadingZerosCheckBox->isChecked();
        return true;
    }

    chosen->kind = kindOfRow(row);
    if (chosen->kind == DisplayFormat::String) {
        chosen->leftJustified = m_stringJustificationComboBox->currentIndex() == leftJustified;
        chosen->totalCharacters = m_stringTotalCharactersSpinBox->value();
        return true;
    }
    chosen->setSample(chosen->kind, qMax(0, sampleListWidget(chosen->kind)->currentRow()));
    if (chosen->kind == DisplayFormat::Clock) {
        chosen->leftJustified = m_clockJustificationComboBox->currentIndex() == leftJustified;
        chosen->leapSeconds = m_clockAccountForLeapSecondsCheckBox->isChecked();
    } else {
        chosen->leftJustified = m_timeJustificationComboBox->currentIndex() == leftJustified;
    }
    return true;
}

void FormatDialog::onTypeOfDataChanged(int row)
{
    if (row < 0)
        return;
    m_sampleStackedWidget->setCurrentIndex(row);
    m_formatPropertiesStackedWidget->setCurrentIndex(propertiesPageOfRow(row));
    onGuiUpdated();
}

void FormatDialog::onTotalDigitsValueChanged(int totalDigits)
{
    // The total always stays greater than the decimals.
    if (totalDigits <= m_numericDigitsRightOfDecimalSpinBox->value())
        m_numericDigitsRightOfDecimalSpinBox->setValue(totalDigits - 1);
    onGuiUpdated();
}

void FormatDialog::onDigitsRightOfDecimalChanged(int digitsRightOfDecimal)
{
    if (digitsRightOfDecimal >= m_numericTotalDigitsSpinBox->value())
        m_numericTotalDigitsSpinBox->setValue(digitsRightOfDecimal + 1);
    onGuiUpdated();
}

void FormatDialog::enableNumericCheckBoxes(bool commas, bool leadingZeros)
{
    m_numericUseCommasInNumericOutputCheckBox->setEnabled(commas);
    m_numericPadWithLeadingZerosCheckBox->setEnabled(leadingZeros);
}

void FormatDialog::onGenericalNumericRadioButtonToggled(bool checked)
{
    if (checked)
        enableNumericCheckBoxes(true, false);
    onGuiUpdated();
}

void FormatDialog::onFixedNumericRadioButtonToggled(bool checked)
{
    if (checked)
        enableNumericCheckBoxes(true, true);
    onGuiUpdated();
}

void FormatDialog::onExponentialNumericRadioButtonToggled(bool checked)
{
    if (checked)
        enableNumericCheckBoxes(false, false);
    onGuiUpdated();
}

void FormatDialog::onGuiUpdated()
{
    DisplayFormat chosen;
    if (chosenFormat(&chosen))
        m_formatLineEdit->setText(chosen.toText());
}
