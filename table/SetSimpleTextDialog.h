#pragma once

#include <QDialog>

class QLineEdit;

// Asks for the text to put into every selected cell.
class SetSimpleTextDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SetSimpleTextDialog(QWidget *parent = nullptr);

    // As typed, blanks included.
    QString text() const;

private:
    QLineEdit *m_lineEdit = nullptr;
};
