#include "table/FormatLineEdit.h"

FormatLineEdit::FormatLineEdit(QWidget *parent)
    : QLineEdit(parent)
{}

void FormatLineEdit::setFormatString(const QString &formatString)
{
    setText(formatString);
}

void FormatLineEdit::setBlank()
{
    clear();
}
