#include "app/AboutQuorinDialog.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

AboutQuorinDialog::AboutQuorinDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutQuorinDialog"));
    setFixedSize(400, 300);
    setStyleSheet(QStringLiteral("background-color: rgb(255, 255, 255);"));

    m_versionLabel = new QLabel(this);
    m_versionLabel->setObjectName(QStringLiteral("label_4"));
    m_versionLabel->setGeometry(50, 20, 81, 16);

    m_logoLabel = new QLabel(this);
    m_logoLabel->setObjectName(QStringLiteral("label"));
    m_logoLabel->setGeometry(20, 40, 351, 51);
    m_logoLabel->setAlignment(Qt::AlignCenter);
    m_logoLabel->setPixmap(QPixmap(QStringLiteral(":/icons/Quorin logo.png")));

    m_mottoLabel = new QLabel(this);
    m_mottoLabel->setObjectName(QStringLiteral("label_5"));
    m_mottoLabel->setGeometry(100, 90, 231, 21);
    m_mottoLabel->setTextFormat(Qt::RichText);

    m_creditLabel = new QLabel(this);
    m_creditLabel->setObjectName(QStringLiteral("label_2"));
    m_creditLabel->setGeometry(83, 217, 233, 41);
    m_creditLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_creditLabel->setWordWrap(true);

    m_okButton = new QPushButton(this);
    m_okButton->setObjectName(QStringLiteral("pushButton"));
    m_okButton->setGeometry(160, 270, 77, 25);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);

    retranslateUi();
}

void AboutQuorinDialog::retranslateUi()
{
    setWindowTitle(tr("About Quorin"));
    m_versionLabel->setText(tr("Version 0.3 beta"));
    m_mottoLabel->setText(tr("<i>From the grid you draw to the table you publish.</i>"));
    m_creditLabel->setText(
        tr("Quorin is written in C++ with the Qt toolkit by the Quorin developers."));
    m_okButton->setText(tr("OK"));
}

void AboutQuorinDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
}
