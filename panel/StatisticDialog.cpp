#include "panel/StatisticDialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QRadioButton>
#include <QVBoxLayout>

StatisticDialog::StatisticDialog(const ObjectNames &names, QWidget *parent)
    : QDialog(parent)
{
    createForm(names);
    connect(m_matrixRadioButton, &QRadioButton::toggled, this,
            &StatisticDialog::onMatrixRadioButtonToggled);
    connect(m_buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void StatisticDialog::createForm(const ObjectNames &names)
{
    setFixedHeight(347);

    const auto label = [this](const QString &objectName) {
        auto *widget = new QLabel(this);
        widget->setObjectName(objectName);
        return widget;
    };
    const auto lineEdit = [this](const QString &objectName) {
        auto *widget = new QLineEdit(this);
        widget->setObjectName(objectName);
        return widget;
    };
    m_nameLabel = label(names.nameLabel);
    m_nameLineEdit = lineEdit(names.nameLineEdit);
    m_commandFormatLabel = label(QStringLiteral("commandFormatLabel"));
    m_commandFormatLineEdit = lineEdit(QStringLiteral("commandFormatLineEdit"));
    m_resultLabel = label(QStringLiteral("resultLabel"));
    m_resultLineEdit = lineEdit(QStringLiteral("resultLineEdit"));
    m_nameLabel->setBuddy(m_nameLineEdit);
    m_commandFormatLabel->setBuddy(m_commandFormatLineEdit);
    m_resultLabel->setBuddy(m_resultLineEdit);

    m_resultTypeGroupBox = new QGroupBox(this);
    m_resultTypeGroupBox->setObjectName(names.resultTypeGroupBox);
    m_scalarRadioButton = new QRadioButton(m_resultTypeGroupBox);
    m_scalarRadioButton->setObjectName(QStringLiteral("scalarRadioButton"));
    m_scalarRadioButton->setChecked(true);
    m_macroRadioButton = new QRadioButton(m_resultTypeGroupBox);
    m_macroRadioButton->setObjectName(QStringLiteral("macroRadioButton"));
    m_matrixRadioButton = new QRadioButton(m_resultTypeGroupBox);
    m_matrixRadioButton->setObjectName(QStringLiteral("matrixRadioButton"));
    auto *typeLayout = new QHBoxLayout(m_resultTypeGroupBox);
    typeLayout->addWidget(m_scalarRadioButton);
    typeLayout->addWidget(m_macroRadioButton);
    typeLayout->addWidget(m_matrixRadioButton);

    m_resultMatrixCoordsGroupBox = new QGroupBox(this);
    m_resultMatrixCoordsGroupBox->setObjectName(names.resultMatrixCoordsGroupBox);
    m_rowLabel = label(QStringLiteral("rowLabel"));
    m_rowLineEdit = createCoordinateLineEdit(QStringLiteral("rowLineEdit"));
    m_colLabel = label(QStringLiteral("colLabel"));
    m_colLineEdit = createCoordinateLineEdit(QStringLiteral("colLineEdit"));
    m_rowLabel->setBuddy(m_rowLineEdit);
    m_colLabel->setBuddy(m_colLineEdit);
    auto *coordsLayout = new QHBoxLayout(m_resultMatrixCoordsGroupBox);
    coordsLayout->addWidget(m_rowLabel);
    coordsLayout->addWidget(m_rowLineEdit);
    coordsLayout->addSpacing(12);
    coordsLayout->addWidget(m_colLabel);
    coordsLayout->addWidget(m_colLineEdit);
    coordsLayout->addStretch();

    m_buttonBox =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    m_buttonBox->setObjectName(QStringLiteral("buttonBox"));

    auto *layout = new QVBoxLayout(this);
    const QList<QWidget *> fields{
        m_nameLabel,   m_nameLineEdit,   m_commandFormatLabel, m_commandFormatLineEdit,
        m_resultLabel, m_resultLineEdit, m_resultTypeGroupBox, m_resultMatrixCoordsGroupBox};
    for (QWidget *widget : fields)
        layout->addWidget(widget);
    layout->addStretch();
    layout->addWidget(m_buttonBox);
}

QLineEdit *StatisticDialog::createCoordinateLineEdit(const QString &objectName)
{
    auto *lineEdit = new QLineEdit(m_resultMatrixCoordsGroupBox);
    lineEdit->setObjectName(objectName);
    lineEdit->setFixedWidth(lineEdit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 6 + 12);
    lineEdit->setEnabled(false);
    return lineEdit;
}

void StatisticDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
}

void StatisticDialog::onMatrixRadioButtonToggled(bool checked)
{
    m_rowLineEdit->setEnabled(checked);
    m_colLineEdit->setEnabled(checked);
}

Command::ResultType StatisticDialog::resultType() const
{
    if (m_matrixRadioButton->isChecked())
        return Command::ResultType::Matrix;
    if (m_macroRadioButton->isChecked())
        return Command::ResultType::Macro;
    return Command::ResultType::Scalar;
}

void StatisticDialog::setResultType(Command::ResultType type)
{
    switch (type) {
    case Command::ResultType::Macro:
        m_macroRadioButton->setChecked(true);
        break;
    case Command::ResultType::Matrix:
        m_matrixRadioButton->setChecked(true);
        break;
    case Command::ResultType::Scalar:
        m_scalarRadioButton->setChecked(true);
        break;
    }
}

int StatisticDialog::coordinate(const QLineEdit *lineEdit)
{
    bool isNumber = false;
    const int value = lineEdit->text().trimmed().toInt(&isNumber, 10);
    return isNumber ? value : 0;
}
