#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Collects the value and value label of a new modality. OK stays disabled
// while the value is empty. With "Add another modality..." checked the panel
// resets the dialog and opens it again after each accepted value.
class AddModalityDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AddModalityDialog(QWidget *parent = nullptr);

    // Both as typed: blanks can matter in a Stata string value.
    QString value() const;
    QString valueLabel() const;
    bool addAnother() const;

    // Empties both fields for the next modality; the check box keeps its state.
    void reset();

private slots:
    void valueLineEditTextChanged(const QString &text);

protected:
    void changeEvent(QEvent *event) override;

private:
    void createForm();
    void retranslateUi();

    QLabel *m_valueLabel = nullptr;
    QLineEdit *m_valueLineEdit = nullptr;
    QLabel *m_valueLabelLabel = nullptr;
    QLineEdit *m_valueLabelLineEdit = nullptr;
    QCheckBox *m_addAnotherModalityCheckBox = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
