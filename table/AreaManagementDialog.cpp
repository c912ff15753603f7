#include "table/AreaManagementDialog.h"

#include "model/AreaCollection.h"
#include "model/DocumentModel.h"
#include "table/AddAreaDialog.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

AreaManagementDialog::AreaManagementDialog(DocumentModel *document, QWidget *parent)
    : QDialog(parent)
    , m_document(document)
{
    createForm();

    m_conditionLineEdit->setEnabled(false);
    connect(m_conditionLineEdit, &QLineEdit::textEdited, this,
            &AreaManagementDialog::onConditionLineEditEdited);
    m_areaListWidget->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_areaListWidget->addItems(m_document->areas().names());
    connect(m_areaListWidget, &QListWidget::currentRowChanged, this,
            &AreaManagementDialog::onAreaListWidgetCurrentRowChanged);
    connect(m_addAreaButton, &QToolButton::clicked, this,
            &AreaManagementDialog::onAddAreaButtonClicked);
    m_removeAreaButton->setEnabled(false);
    connect(m_removeAreaButton, &QToolButton::clicked, this,
            &AreaManagementDialog::onRemoveAreaButtonClicked);
    if (m_areaListWidget->count() > 0)
        m_areaListWidget->setCurrentRow(0);
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::close);
}

void AreaManagementDialog::createForm()
{
    setObjectName(QStringLiteral("AreaManagementDialog"));
    setWindowTitle(tr("Area management"));

    m_areaListWidget = new QListWidget(this);
    m_areaListWidget->setObjectName(QStringLiteral("areaListWidget"));
    m_addAreaButton = new QToolButton(this);
    m_addAreaButton->setObjectName(QStringLiteral("addAreaButton"));
    m_addAreaButton->setIcon(QIcon(QStringLiteral(":/icons/plus.png")));
    m_addAreaButton->setToolTip(tr("Add area"));
    m_removeAreaButton = new QToolButton(this);
    m_removeAreaButton->setObjectName(QStringLiteral("removeAreaButton"));
    m_removeAreaButton->setIcon(QIcon(QStringLiteral(":/icons/minus.png")));
    m_removeAreaButton->setToolTip(tr("Remove area"));
    m_conditionLineEdit = new QLineEdit(this);
    m_conditionLineEdit->setObjectName(QStringLiteral("conditionLineEdit"));
    m_closeButton = new QPushButton(tr("Close"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));

    auto *nameLabel = new QLabel(tr("Name:"), this);
    nameLabel->setBuddy(m_areaListWidget);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_addAreaButton);
    buttons->addWidget(m_removeAreaButton);
    buttons->addStretch(1);
    auto *names = new QHBoxLayout;
    names->addWidget(m_areaListWidget, 1);
    names->addLayout(buttons);
    auto *conditionLabel = new QLabel(tr("Condition:"), this);
    conditionLabel->setBuddy(m_conditionLineEdit);
    auto *closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(m_closeButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(nameLabel);
    layout->addLayout(names);
    layout->addWidget(conditionLabel);
    layout->addWidget(m_conditionLineEdit);
    layout->addLayout(closeRow);
}

void AreaManagementDialog::onAddAreaButtonClicked()
{
    const std::optional<Area> area = AddAreaDialog::askForNewArea(
        this, [this](const QString &name) { return m_document->areas().contains(name); });
    if (!area)
        return;
    m_document->addArea(*area);
    m_areaListWidget->addItem(area->name());
    // Current and the only one selected, whatever was selected before.
    m_areaListWidget->setSelectionMode(QAbstractItemView::SingleSelection);
    m_areaListWidget->setCurrentRow(m_areaListWidget->count() - 1);
    m_areaListWidget->setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void AreaManagementDialog::onAreaListWidgetCurrentRowChanged(int row)
{
    if (row < 0) {
        m_removeAreaButton->setEnabled(false);
        m_conditionLineEdit->clear();
        m_conditionLineEdit->setEnabled(false);
        return;
    }
    m_removeAreaButton->setEnabled(true);
    m_conditionLineEdit->setText(
        m_document->areas().area(m_areaListWidget->currentItem()->text()).condition());
    m_conditionLineEdit->setEnabled(true);
}

void AreaManagementDialog::onRemoveAreaButtonClicked()
{
    const QList<QListWidgetItem *> selected = m_areaListWidget->selectedItems();
    if (selected.isEmpty())
        return;
    const QMessageBox::StandardButton answer =
        QMessageBox::question(nullptr, tr("Quorin"), tr("Do you want to remove selected area(s)?"),
                              QMessageBox::Ok | QMessageBox::Cancel);
    if (answer != QMessageBox::Ok)
        return;
    for (QListWidgetItem *item : selected) {
        const QString name = item->text();
        delete m_areaListWidget->takeItem(m_areaListWidget->row(item));
        m_document->removeArea(name);
    }
}

void AreaManagementDialog::onConditionLineEditEdited()
{
    const QListWidgetItem *item = m_areaListWidget->currentItem();
    if (!item)
        return;
    m_document->setAreaCondition(item->text(), m_conditionLineEdit->text().trimmed());
}
