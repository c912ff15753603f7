#include "stata/QuorinDialog.h"

#include "stata/SetOutputFileNameDialog.h"
#include "stata/SetStataExecutableDialog.h"
#include "stata/StataPlatform.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QToolButton>
#include <QVBoxLayout>

QuorinDialog::QuorinDialog(const QString &stataExecutableFileName,
                           const QString &stataDatasetFileName, const QString &outputFileName,
                           bool viewOutputCsvFileAfterComputation, bool showStataMessage,
                           QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("QuorinDialog"));
    setWindowTitle(tr("Quorin"));
    m_layout = new QVBoxLayout(this);

    m_stataExecutableLineEdit = addPathRow(
        QStringLiteral("stataExecutableLabel"), tr("Stata executable"),
        QStringLiteral("stataExecutableLineEdit"), QStringLiteral("stataExecutableToolButton"),
        &QuorinDialog::onStataExecutableToolButtonClicked);
    m_stataDatasetLineEdit =
        addPathRow(QStringLiteral("stataDatasetLabel"), tr("Stata dataset"),
                   QStringLiteral("stataDatasetLineEdit"), QStringLiteral("stataDatasetToolButton"),
                   &QuorinDialog::onStataDatasetToolBottonClicked);
    m_outputFileNameLineEdit = addPathRow(QStringLiteral("fileNameLabel"), tr("Output file name"),
                                          QStringLiteral("outputFileNameLineEdit"),
                                          QStringLiteral("outputFileNameToolButton"),
                                          &QuorinDialog::onOutputFileNameToolButtonClicked);

    m_viewOutputCsvFileAfterComputationCheckBox =
        new QCheckBox(tr("View output csv file after computation"), this);
    m_viewOutputCsvFileAfterComputationCheckBox->setObjectName(
        QStringLiteral("viewOutputCsvFileAfterComputationCheckBox"));
    m_layout->addWidget(m_viewOutputCsvFileAfterComputationCheckBox);
    m_showStataMessageCheckBox = new QCheckBox(tr("Show Stata message"), this);
    m_showStataMessageCheckBox->setObjectName(QStringLiteral("showStataMessageCheckBox"));
    m_layout->addWidget(m_showStataMessageCheckBox);

    auto *buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QuorinDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QuorinDialog::reject);
    m_layout->addWidget(buttonBox);

    m_stataExecutableLineEdit->setText(stataExecutableFileName);
    m_stataDatasetLineEdit->setText(stataDatasetFileName);
    m_outputFileNameLineEdit->setText(outputFileName);
    m_viewOutputCsvFileAfterComputationCheckBox->setChecked(viewOutputCsvFileAfterComputation);
    m_showStataMessageCheckBox->setChecked(showStataMessage);
    resize(400, 237);
}

QLineEdit *QuorinDialog::addPathRow(const QString &labelName, const QString &labelText,
                                    const QString &lineEditName, const QString &buttonName,
                                    void (QuorinDialog::*chooser)())
{
    auto *label = new QLabel(labelText, this);
    label->setObjectName(labelName);
    m_layout->addWidget(label);

    // Paths are only ever chosen through the file chooser behind "...".
    auto *lineEdit = new QLineEdit(this);
    lineEdit->setObjectName(lineEditName);
    lineEdit->setReadOnly(true);
    auto *button = new QToolButton(this);
    button->setObjectName(buttonName);
    button->setText(tr("..."));
    connect(button, &QToolButton::clicked, this, chooser);

    auto *row = new QHBoxLayout;
    row->addWidget(lineEdit);
    row->addWidget(button);
    m_layout->addLayout(row);
    return lineEdit;
}

QString QuorinDialog::stataExecutableFileName() const
{
    return m_stataExecutableLineEdit->text();
}

QString QuorinDialog::stataDatasetFileName() const
{
    return m_stataDatasetLineEdit->text();
}

QString QuorinDialog::outputFileName() const
{
    return m_outputFileNameLineEdit->text();
}

bool QuorinDialog::viewOutputCsvFileAfterComputation() const
{
    return m_viewOutputCsvFileAfterComputationCheckBox->isChecked();
}

bool QuorinDialog::showStataMessage() const
{
    return m_showStataMessageCheckBox->isChecked();
}

void QuorinDialog::accept()
{
    const QString missing = missingFields();
    if (missing.isEmpty()) {
        QDialog::accept();
        return;
    }
    QMessageBox box;
    box.setText(tr("The following fields are missing:"));
    box.setInformativeText(missing);
    box.exec();
}

QString QuorinDialog::missingFields() const
{
    QString missing;
    if (stataExecutableFileName().isEmpty())
        missing += tr("- Stata executable\n");
    if (stataDatasetFileName().isEmpty())
        missing += tr("- Stata dataset\n");
    if (outputFileName().isEmpty())
        missing += tr("- Output file name\n");
    return missing;
}

// In this dialog a cancelled chooser keeps what the field holds.
void QuorinDialog::onStataExecutableToolButtonClicked()
{
    const QString chosen = QFileDialog::getOpenFileName(
        this, tr("Set Stata executable"), StataPlatform::fileChooserStartDirectory(),
        tr("Executable files (%1)").arg(StataPlatform::executablePattern()));
    if (chosen.isEmpty())
        return;
    if (!StataPlatform::isExecutableChoice(chosen)) {
        SetStataExecutableDialog::warnNotExecutable(this, chosen);
        return;
    }
    m_stataExecutableLineEdit->setText(chosen);
}

void QuorinDialog::onStataDatasetToolBottonClicked()
{
    const QString chosen = QFileDialog::getOpenFileName(
        this, tr("Set Stata Dataset for computation"), StataPlatform::fileChooserStartDirectory(),
        tr("Stata data (*.dta)"));
    if (!chosen.isEmpty())
        m_stataDatasetLineEdit->setText(chosen);
}

void QuorinDialog::onOutputFileNameToolButtonClicked()
{
    const QString chosen = QFileDialog::getSaveFileName(this, tr("Set output csv file name"),
                                                        StataPlatform::fileChooserStartDirectory(),
                                                        tr("Comma Separated Values (*csv)"));
    if (!chosen.isEmpty())
        m_outputFileNameLineEdit->setText(SetOutputFileNameDialog::withCsvSuffix(chosen));
}
