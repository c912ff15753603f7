#include "stata/SetStataDatasetForComputationDialog.h"

#include "stata/StataPlatform.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QToolButton>

SetStataDatasetForComputationDialog::SetStataDatasetForComputationDialog(
    const QString &stataDatasetFileName, QWidget *parent)
    : SinglePathDialog(
          tr("Stata dataset for computation"), QSize(512, 91),
          {QStringLiteral("label"), QStringLiteral("lineEdit"), QStringLiteral("toolButton")},
          stataDatasetFileName, parent)
{
    setObjectName(QStringLiteral("SetStataDatasetForComputationDialog"));
    connect(chooserButton(), &QToolButton::clicked, this,
            &SetStataDatasetForComputationDialog::onSetFileNameButtonClicked);
}

// A cancelled chooser empties the field, so the dataset can be unset.
void SetStataDatasetForComputationDialog::onSetFileNameButtonClicked()
{
    lineEdit()->setText(QFileDialog::getOpenFileName(this, tr("Set Stata Dataset for computation"),
                                                     StataPlatform::fileChooserStartDirectory(),
                                                     tr("Stata data (*.dta)")));
}
