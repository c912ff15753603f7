#pragma once

#include <QDialog>
#include <QStringList>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

// Collects the name and label of a variable typed in by hand. The name can
// only be typed as a Stata name (a letter or underscore, then letters, digits
// and underscores, 32 characters at most); Stata's reserved words and an
// empty name are refused with a message, leaving the dialog open.
class AddVariableDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AddVariableDialog(QWidget *parent = nullptr);

    // The name as typed.
    QString name() const;
    // The label without surrounding blanks.
    QString label() const;

private slots:
    void onAccepted();

protected:
    void changeEvent(QEvent *event) override;

private:
    void createForm();
    void retranslateUi();
    void refuseReservedWord(const QString &name);
    void refuseEmptyName();

    QLabel *m_variableNameLabel = nullptr;
    QLineEdit *m_variableNameLineEdit = nullptr;
    QLabel *m_variableLabelLabel = nullptr;
    QLineEdit *m_variableLabelLineEdit = nullptr;
    QDialogButtonBox *m_buttonBox = nullptr;
    // Compared case-sensitively, as Stata does: "in" is reserved, "IN" is not.
    QStringList m_reservedWords;
};
