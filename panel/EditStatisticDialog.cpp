#include "panel/EditStatisticDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

EditStatisticDialog::EditStatisticDialog(const Command &command, QWidget *parent)
    : StatisticDialog(
          {QStringLiteral("statisticNameLabel"), QStringLiteral("statisticNameLineEdit"),
           QStringLiteral("resultTypeGroupBox"), QStringLiteral("resultMatrixCoordsGroupBox")},
          parent)
{
    setObjectName(QStringLiteral("EditStatisticDialog"));
    retranslateUi();
    m_nameLineEdit->setReadOnly(true);
    m_nameLineEdit->setText(command.name());
    m_commandFormatLineEdit->setText(command.format());
    m_resultLineEdit->setText(command.result());
    setResultType(command.resultType());
    if (command.resultType() == Command::ResultType::Matrix) {
        m_rowLineEdit->setText(QString::number(command.resultMatrixRow()));
        m_colLineEdit->setText(QString::number(command.resultMatrixColumn()));
    }
}

void EditStatisticDialog::retranslateUi()
{
    setWindowTitle(tr("Edit statistic"));
    m_nameLabel->setText(tr("Name:"));
    m_commandFormatLabel->setText(tr("Command format:"));
    m_resultLabel->setText(tr("Result:"));
    m_resultTypeGroupBox->setTitle(tr("Result type"));
    m_scalarRadioButton->setText(tr("Scalar"));
    m_macroRadioButton->setText(tr("Macro"));
    m_matrixRadioButton->setText(tr("Matrix"));
    m_resultMatrixCoordsGroupBox->setTitle(tr("Result matrix coords"));
    m_rowLabel->setText(tr("Row"));
    m_colLabel->setText(tr("Col"));
}

Command EditStatisticDialog::command() const
{
    const Command::ResultType type = resultType();
    const Command defaults;
    const bool matrix = type == Command::ResultType::Matrix;
    return Command(m_nameLineEdit->text().trimmed(), m_commandFormatLineEdit->text().trimmed(),
                   m_resultLineEdit->text().trimmed(), type,
                   matrix ? coordinate(m_rowLineEdit) : defaults.resultMatrixRow(),
                   matrix ? coordinate(m_colLineEdit) : defaults.resultMatrixColumn());
}
