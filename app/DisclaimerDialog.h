#pragma once

#include <QDialog>

class QPushButton;
class QTextEdit;

// "Disclaimer": a beta program, no warranty; users check their results.
class DisclaimerDialog : public QDialog
{
    Q_OBJECT

public:
    explicit DisclaimerDialog(QWidget *parent = nullptr);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslateUi();

    QTextEdit *m_textEdit = nullptr;
    QPushButton *m_okPushButton = nullptr;
};
