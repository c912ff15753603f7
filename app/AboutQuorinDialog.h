#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// "About Quorin...": version, logo, motto and credits on a fixed white card.
class AboutQuorinDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutQuorinDialog(QWidget *parent = nullptr);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslateUi();

    QLabel *m_versionLabel = nullptr;
    QLabel *m_logoLabel = nullptr;
    QLabel *m_mottoLabel = nullptr;
    QLabel *m_creditLabel = nullptr;
    QPushButton *m_okButton = nullptr;
};
