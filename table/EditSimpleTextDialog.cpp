#include "table/EditSimpleTextDialog.h"

EditSimpleTextDialog::EditSimpleTextDialog(QWidget *parent, const QString &text)
    : SimpleTextDialog(QStringLiteral("EditSimpleTextDialog"), tr("Edit simple text"), text, parent)
{}
