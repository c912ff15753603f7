#include "panel/AddStatisticDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

AddStatisticDialog::AddStatisticDialog(QWidget *parent)
    : StatisticDialog({QStringLiteral("nameLabel"), QStringLiteral("nameLineEdit"),
                       QStringLiteral("groupBox"), QStringLiteral("resultMatrixCoordsGroup")},
                      parent)
{
    setObjectName(QStringLiteral("AddStatisticDialog"));
    retranslateUi();
}

void AddStatisticDialog::retranslateUi()
{
    setWindowTitle(tr("Add statistic"));
    m_nameLabel->setText(tr("Name:"));
    m_commandFormatLabel->setText(tr("Command format:"));
    m_resultLabel->setText(tr("Result"));
    m_resultTypeGroupBox->setTitle(tr("Result type"));
    m_scalarRadioButton->setText(tr("Scalar"));
    m_macroRadioButton->setText(tr("Macro"));
    m_matrixRadioButton->setText(tr("Matrix"));
    m_resultMatrixCoordsGroupBox->setTitle(tr("Result matrix coords"));
    m_rowLabel->setText(tr("Row"));
    m_colLabel->setText(tr("Col"));
}

QString AddStatisticDialog::name() const
{
    return m_nameLineEdit->text().trimmed();
}

QString AddStatisticDialog::commandFormat() const
{
    return m_commandFormatLineEdit->text().trimmed();
}

QString AddStatisticDialog::resultName() const
{
    return m_resultLineEdit->text().trimmed();
}

int AddStatisticDialog::matrixRow() const
{
    return coordinate(m_rowLineEdit);
}

int AddStatisticDialog::matrixColumn() const
{
    return coordinate(m_colLineEdit);
}
