#pragma once

#include <QDialog>

class QPushButton;
class QTextEdit;

// "License": Quorin's terms of use and the toolkit it is built on.
class LicenseDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LicenseDialog(QWidget *parent = nullptr);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslateUi();

    QTextEdit *m_textEdit = nullptr;
    QPushButton *m_okButton = nullptr;
};
