#pragma once

#include "model/DisplayFormat.h"

#include <QDialog>
#include <QList>
#include <QString>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QWidget;

// Composes a Stata display format from choices: the type of data, the
// numeric style, justification, widths and, for dates and times, a sample of
// the wanted look. The format line shows the built text after every change
// of a control and may also be edited by hand.
class FormatDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormatDialog)

public:
    explicit FormatDialog(const QString &format, QWidget *parent = nullptr);

    // The text of the format line.
    QString format() const;

private slots:
    void onTypeOfDataChanged(int row);
    void onTotalDigitsValueChanged(int totalDigits);
    void onDigitsRightOfDecimalChanged(int digitsRightOfDecimal);
    void onGenericalNumericRadioButtonToggled(bool checked);
    void onFixedNumericRadioButtonToggled(bool checked);
    void onExponentialNumericRadioButtonToggled(bool checked);
    void onGuiUpdated();

private:
    void createForm();
    QWidget *createTypeOfDataGroup();
    QWidget *createSamplePages();
    QWidget *createNumericTypePage();
    QWidget *createFormatPropertiesGroup();
    QWidget *createNumericPropertiesPage();
    QWidget *createStringPropertiesPage();
    QWidget *createClockPropertiesPage();
    QWidget *createOtherDatePropertiesPage();
    QComboBox *createJustificationComboBox(const QString &objectName, QWidget *parent);
    void connectControls();
    void setControls(const DisplayFormat &displayFormat);
    void setNumericControls(const DisplayFormat &displayFormat);
    void enableNumericCheckBoxes(bool commas, bool leadingZeros);
    // The choices the controls show; false when the numeric page has no
    // numeric type checked, so there is nothing to build.
    bool chosenFormat(DisplayFormat *chosen) const;
    QListWidget *sampleListWidget(DisplayFormat::Kind dateKind) const;

    QListWidget *m_typeOfDataListWidget = nullptr;
    QStackedWidget *m_sampleStackedWidget = nullptr;
    QRadioButton *m_genericalNumericRadioButton = nullptr;
    QRadioButton *m_fixedNumericRadioButton = nullptr;
    QRadioButton *m_exponentialNumericRadioButton = nullptr;
    // One list per date or time kind, clock first.
    QList<QListWidget *> m_sampleListWidgets;
    QStackedWidget *m_formatPropertiesStackedWidget = nullptr;
    QComboBox *m_numericJustificationComboBox = nullptr;
    QSpinBox *m_numericTotalDigitsSpinBox = nullptr;
    QSpinBox *m_numericDigitsRightOfDecimalSpinBox = nullptr;
    QCheckBox *m_numericUseEuropeanCommasDecimalCheckBox = nullptr;
    QCheckBox *m_numericUseCommasInNumericOutputCheckBox = nullptr;
    QCheckBox *m_numericPadWithLeadingZerosCheckBox = nullptr;
    QComboBox *m_stringJustificationComboBox = nullptr;
    QSpinBox *m_stringTotalCharactersSpinBox = nullptr;
    QComboBox *m_clockJustificationComboBox = nullptr;
    QCheckBox *m_clockAccountForLeapSecondsCheckBox = nullptr;
    QComboBox *m_timeJustificationComboBox = nullptr;
    QLineEdit *m_formatLineEdit = nullptr;
};
