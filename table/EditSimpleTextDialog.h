#pragma once

#include "table/SimpleTextDialog.h"

// Edits the text of one simple-text cell; the result may be empty.
class EditSimpleTextDialog : public SimpleTextDialog
{
    Q_OBJECT

public:
    EditSimpleTextDialog(QWidget *parent, const QString &text);
};
