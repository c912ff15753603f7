#include "stata/SetOutputFileNameDialog.h"

#include "stata/StataPlatform.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QToolButton>

SetOutputFileNameDialog::SetOutputFileNameDialog(const QString &outputFileName, QWidget *parent)
    : SinglePathDialog(tr("Output csv file name"), QSize(400, 91),
                       {QStringLiteral("outputFileNameLabel"),
                        QStringLiteral("outputFileNameLineEdit"),
                        QStringLiteral("outputFileNameToolButton")},
                       outputFileName, parent)
{
    setObjectName(QStringLiteral("SetOutputFileNameDialog"));
    connect(chooserButton(), &QToolButton::clicked, this,
            &SetOutputFileNameDialog::onOutputFileNameToolButtonClicked);
}

QString SetOutputFileNameDialog::withCsvSuffix(const QString &fileName)
{
    const QLatin1String suffix(".csv");
    if (fileName.isEmpty() || fileName.endsWith(suffix, Qt::CaseSensitive))
        return fileName;
    return fileName + suffix;
}

// A cancelled chooser empties the field, so the output file can be unset.
void SetOutputFileNameDialog::onOutputFileNameToolButtonClicked()
{
    const QString chosen = QFileDialog::getSaveFileName(this, tr("Set output csv file name"),
                                                        StataPlatform::fileChooserStartDirectory(),
                                                        tr("Comma Separated Values (*csv)"));
    lineEdit()->setText(withCsvSuffix(chosen));
}
