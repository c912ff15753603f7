#include "app/NewFileDialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

NewFileDialog::NewFileDialog(QWidget *parent)
    : QDialog(parent)
{
    createForm();
    retranslateUi();
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void NewFileDialog::createForm()
{
    setObjectName(QStringLiteral("NewFileDialog"));
    setFixedSize(200, 107);

    m_rowLabel = new QLabel(this);
    m_rowLabel->setObjectName(QStringLiteral("label"));
    m_rowSpinBox = new QSpinBox(this);
    m_rowSpinBox->setObjectName(QStringLiteral("nRowSpinBox"));
    m_columnLabel = new QLabel(this);
    m_columnLabel->setObjectName(QStringLiteral("label_2"));
    m_columnSpinBox = new QSpinBox(this);
    m_columnSpinBox->setObjectName(QStringLiteral("nColSpinBox"));
    for (QSpinBox *spinBox : {m_rowSpinBox, m_columnSpinBox}) {
        spinBox->setRange(1, 999);
        spinBox->setValue(1);
    }

    m_okButton = new QPushButton(this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));

    auto *fields = new QGridLayout;
    fields->addWidget(m_rowLabel, 0, 0);
    fields->addWidget(m_rowSpinBox, 0, 1);
    fields->addWidget(m_columnLabel, 1, 0);
    fields->addWidget(m_columnSpinBox, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
}

void NewFileDialog::retranslateUi()
{
    setWindowTitle(tr("Dialog"));
    m_rowLabel->setText(tr("Number of rows:"));
    m_columnLabel->setText(tr("Number of columns:"));
    m_okButton->setText(tr("OK"));
    m_cancelButton->setText(tr("Cancel"));
}

void NewFileDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
}

int NewFileDialog::numberOfRows() const
{
    return m_rowSpinBox->value();
}

int NewFileDialog::numberOfColumns() const
{
    return m_columnSpinBox->value();
}
