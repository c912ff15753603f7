#include "stata/SetStataExecutableDialog.h"

#include "stata/StataPlatform.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QToolButton>

SetStataExecutableDialog::SetStataExecutableDialog(const QString &stataExecutableFileName,
                                                   QWidget *parent)
    : SinglePathDialog(
          tr("Stata executable"), QSize(448, 91),
          {QStringLiteral("label"), QStringLiteral("lineEdit"), QStringLiteral("fileDialogButton")},
          stataExecutableFileName, parent)
{
    setObjectName(QStringLiteral("SetStataExecutableDialog"));
    connect(chooserButton(), &QToolButton::clicked, this,
            &SetStataExecutableDialog::onFileDialogButtonClicked);
}

void SetStataExecutableDialog::warnNotExecutable(QWidget *parent, const QString &path)
{
    QMessageBox::warning(parent, tr("Quorin"),
                         tr("The file %1 cannot be used as the Stata executable.")
                             .arg(QDir::toNativeSeparators(path)));
}

// A cancelled chooser empties the field, so the executable can be unset.
void SetStataExecutableDialog::onFileDialogButtonClicked()
{
    const QString chosen = QFileDialog::getOpenFileName(
        this, tr("Set Stata Executable"), StataPlatform::fileChooserStartDirectory(),
        tr("Programs (%1)").arg(StataPlatform::executablePattern()));
    if (!chosen.isEmpty() && !StataPlatform::isExecutableChoice(chosen)) {
        warnNotExecutable(this, chosen);
        return;
    }
    lineEdit()->setText(chosen);
}
