#include "panel/AddModalityDialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

AddModalityDialog::AddModalityDialog(QWidget *parent)
    : QDialog(parent)
{
    createForm();
    retranslateUi();
    connect(m_valueLineEdit, &QLineEdit::textChanged, this,
            &AddModalityDialog::valueLineEditTextChanged);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void AddModalityDialog::createForm()
{
    setObjectName(QStringLiteral("AddModalityDialog"));
    setFixedHeight(167);

    m_valueLabel = new QLabel(this);
    m_valueLabel->setObjectName(QStringLiteral("valueLabel"));
    m_valueLineEdit = new QLineEdit(this);
    m_valueLineEdit->setObjectName(QStringLiteral("valueLineEdit"));
    m_valueLabel->setBuddy(m_valueLineEdit);
    m_valueLabelLabel = new QLabel(this);
    m_valueLabelLabel->setObjectName(QStringLiteral("valueLabelLabel"));
    m_valueLabelLineEdit = new QLineEdit(this);
    m_valueLabelLineEdit->setObjectName(QStringLiteral("valueLabelLineEdit"));
    m_valueLabelLabel->setBuddy(m_valueLabelLineEdit);
    m_addAnotherModalityCheckBox = new QCheckBox(this);
    m_addAnotherModalityCheckBox->setObjectName(QStringLiteral("addAnotherModalityCheckBox"));

    m_okButton = new QPushButton(this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    // OK stays the default button while disabled, so Enter on an empty value
    // does nothing rather than falling through to Cancel.
    m_okButton->setDefault(true);
    m_okButton->setEnabled(false);
    m_cancelButton = new QPushButton(this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_valueLabel);
    layout->addWidget(m_valueLineEdit);
    layout->addWidget(m_valueLabelLabel);
    layout->addWidget(m_valueLabelLineEdit);
    layout->addWidget(m_addAnotherModalityCheckBox);
    layout->addStretch();
    layout->addLayout(buttons);
}

void AddModalityDialog::retranslateUi()
{
    setWindowTitle(tr("Add modality"));
    m_valueLabel->setText(tr("Value"));
    m_valueLabelLabel->setText(tr("Value label"));
    m_addAnotherModalityCheckBox->setText(tr("Add another modality..."));
    m_okButton->setText(tr("OK"));
    m_cancelButton->setText(tr("Cancel"));
}

void AddModalityDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
}

QString AddModalityDialog::value() const
{
    return m_valueLineEdit->text();
}

QString AddModalityDialog::valueLabel() const
{
    return m_valueLabelLineEdit->text();
}

bool AddModalityDialog::addAnother() const
{
    return m_addAnotherModalityCheckBox->isChecked();
}

void AddModalityDialog::reset()
{
    m_valueLineEdit->setFocus();
    m_valueLineEdit->clear();
    m_valueLabelLineEdit->clear();
}

void AddModalityDialog::valueLineEditTextChanged(const QString &text)
{
    m_okButton->setEnabled(!text.isEmpty());
}
