#include "table/AssignAreaDialog.h"

#include "model/AreaCollection.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

AssignAreaDialog::AssignAreaDialog(const AreaCollection *areas, QWidget *parent)
    : QDialog(parent)
    , m_areas(areas)
{
    setObjectName(QStringLiteral("AssignAreaDialog"));
    setWindowTitle(tr("Assign area"));

    m_areaListWidget = new QListWidget(this);
    m_areaListWidget->setObjectName(QStringLiteral("areaListWidget"));
    m_conditionLineEdit = new QLineEdit(this);
    m_conditionLineEdit->setObjectName(QStringLiteral("conditionLineEdit"));
    m_conditionLineEdit->setReadOnly(true);
    auto *buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    auto *nameLabel = new QLabel(tr("Name:"), this);
    nameLabel->setBuddy(m_areaListWidget);
    layout->addWidget(nameLabel);
    layout->addWidget(m_areaListWidget);
    auto *conditionLabel = new QLabel(tr("Condition:"), this);
    conditionLabel->setBuddy(m_conditionLineEdit);
    layout->addWidget(conditionLabel);
    layout->addWidget(m_conditionLineEdit);
    layout->addWidget(buttonBox);

    m_areaListWidget->addItems(m_areas->names());
    connect(m_areaListWidget, &QListWidget::currentTextChanged, this,
            &AssignAreaDialog::onAreaSelected);
    if (m_areaListWidget->count() > 0)
        m_areaListWidget->setCurrentRow(0);
}

QString AssignAreaDialog::areaName() const
{
    const QListWidgetItem *item = m_areaListWidget->currentItem();
    return item ? item->text() : QString();
}

void AssignAreaDialog::onAreaSelected(const QString &areaName)
{
    m_conditionLineEdit->setText(m_areas->area(areaName).condition());
}
