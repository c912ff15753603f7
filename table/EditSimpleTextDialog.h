#pragma once

#include <QDialog>

class QLineEdit;

// Edits the text of one simple-text cell.
class EditSimpleTextDialog : public QDialog
{
    Q_OBJECT

public:
    EditSimpleTextDialog(QWidget *parent, const QString &text);

    // As typed, blanks included; may be empty.
    QString text() const;

private:
    QLineEdit *m_lineEdit = nullptr;
};
