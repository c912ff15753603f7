#pragma once

#include <QDialog>

class QLineEdit;
class QToolButton;

// The form shared by the dialogs that set one path of a run: a label that
// repeats the title, a read-only field with a "..." button that opens the
// file chooser, and Ok/Cancel. Subclasses name the widgets and connect the
// button to their chooser.
class SinglePathDialog : public QDialog
{
    Q_OBJECT

public:
    struct ObjectNames
    {
        QString label;
        QString lineEdit;
        QString button;
    };

    QString path() const;

protected:
    SinglePathDialog(const QString &title, const QSize &size, const ObjectNames &names,
                     const QString &path, QWidget *parent);

    QLineEdit *lineEdit() const { return m_lineEdit; }
    QToolButton *chooserButton() const { return m_chooserButton; }

private:
    QLineEdit *m_lineEdit = nullptr;
    QToolButton *m_chooserButton = nullptr;
};
