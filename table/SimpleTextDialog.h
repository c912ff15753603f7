#pragma once

#include <QDialog>

class QLineEdit;

// The form the set and edit simple-text dialogs share: a "Text:" line and
// OK/Cancel. The text comes back as typed, blanks included.
class SimpleTextDialog : public QDialog
{
    Q_OBJECT

public:
    QString text() const;

protected:
    SimpleTextDialog(const QString &objectName, const QString &title, const QString &text,
                     QWidget *parent);

private:
    QLineEdit *m_lineEdit = nullptr;
};
