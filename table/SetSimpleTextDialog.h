#pragma once

#include "table/SimpleTextDialog.h"

// Asks for the text to put into every selected cell; starts empty.
class SetSimpleTextDialog : public SimpleTextDialog
{
    Q_OBJECT

public:
    explicit SetSimpleTextDialog(QWidget *parent = nullptr);
};
