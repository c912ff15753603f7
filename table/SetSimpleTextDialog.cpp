#include "table/SetSimpleTextDialog.h"

SetSimpleTextDialog::SetSimpleTextDialog(QWidget *parent)
    : SimpleTextDialog(QStringLiteral("SetSimpleTextDialog"), tr("Set simple text"), QString(),
                       parent)
{}
