#include "panel/VariablesWidget.h"

#include "panel/AddModalityDialog.h"
#include "panel/AddStatisticDialog.h"
#include "panel/AddVariableDialog.h"
#include "panel/EditStatisticDialog.h"
#include "table/ModalityListWidget.h"
#include "table/VariableListWidget.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

VariablesWidget::VariablesWidget(StatisticCatalogue *statisticCatalogue, QWidget *parent)
    : QDockWidget(parent)
    , m_statisticCatalogue(statisticCatalogue)
{
    createForm();
    retranslateUi();
    m_statisticComboBox->addItems(m_statisticCatalogue->keys());
    connectForm();
    connectContentChanges();
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    m_variableListWidget->setCurrentStatistic(m_statisticComboBox->currentText());
    updateAddModalityButton();
}

// The lists empty themselves after this panel has ceased to be one; that is
// no change of the document to report.
VariablesWidget::~VariablesWidget()
{
    m_variableListWidget->model()->disconnect(this);
    m_statisticComboBox->model()->disconnect(this);
}

void VariablesWidget::createForm()
{
    setObjectName(QStringLiteral("variablesDockWidget"));

    auto *contents = new QWidget(this);
    contents->setObjectName(QStringLiteral("dockWidgetContents"));
    m_splitter = new QSplitter(Qt::Vertical, contents);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->addWidget(createVariablePane());
    m_splitter->addWidget(createModalityPane());
    m_splitter->setChildrenCollapsible(false);

    auto *layout = new QVBoxLayout(contents);
    layout->addWidget(m_splitter);
    layout->addLayout(createStatisticRow());
    setWidget(contents);

    QMetaObject::connectSlotsByName(this);
}

QWidget *VariablesWidget::createVariablePane()
{
    auto *pane = new QWidget;
    pane->setObjectName(QStringLiteral("variablePane"));
    m_variableLabel = new QLabel(pane);
    m_variableLabel->setObjectName(QStringLiteral("variableLabel"));
    m_addVariableButton =
        createToolButton(QStringLiteral("addVariableButton"), QStringLiteral(":/icons/plus.png"));
    m_deleteVariableButton = createToolButton(QStringLiteral("deleteVariableButton"),
                                              QStringLiteral(":/icons/minus.png"));
    m_downVariableButton = createArrowButton(QStringLiteral("downVariableButton"), Qt::DownArrow);
    m_upVariableButton = createArrowButton(QStringLiteral("upVariableButton"), Qt::UpArrow);
    m_variableListWidget = new VariableListWidget(pane);
    m_variableListWidget->setObjectName(QStringLiteral("variableListWidget"));
    m_variableListWidget->setColumnCount(2);
    m_variableListWidget->setRootIsDecorated(false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_variableLabel);
    buttons->addStretch();
    for (QToolButton *button :
         {m_addVariableButton, m_deleteVariableButton, m_downVariableButton, m_upVariableButton})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addWidget(m_variableListWidget);
    return pane;
}

QWidget *VariablesWidget::createModalityPane()
{
    auto *pane = new QWidget;
    pane->setObjectName(QStringLiteral("modalityPane"));
    m_modalityLabel = new QLabel(pane);
    m_modalityLabel->setObjectName(QStringLiteral("modalityLabel"));
    m_addModalityButton =
        createToolButton(QStringLiteral("addModalityButton"), QStringLiteral(":/icons/plus.png"));
    m_deleteModalityButton = createToolButton(QStringLiteral("deleteModalityButton"),
                                              QStringLiteral(":/icons/minus.png"));
    m_downModalityButton = createArrowButton(QStringLiteral("downModalityButton"), Qt::DownArrow);
    m_upModalityButton = createArrowButton(QStringLiteral("upModalityButton"), Qt::UpArrow);
    m_selectAllModalitiesButton = createToolButton(QStringLiteral("selectAllModalitiesButton"),
                                                   QStringLiteral(":/icons/select all.png"));
    m_modalityListWidget = new ModalityListWidget(pane);
    m_modalityListWidget->setObjectName(QStringLiteral("modalityListWidget"));
    m_modalityListWidget->setColumnCount(2);
    m_modalityListWidget->setRootIsDecorated(false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_modalityLabel);
    buttons->addStretch();
    for (QToolButton *button : {m_addModalityButton, m_deleteModalityButton, m_downModalityButton,
                                m_upModalityButton, m_selectAllModalitiesButton})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addWidget(m_modalityListWidget);
    return pane;
}

QLayout *VariablesWidget::createStatisticRow()
{
    m_statisticLabel = new QLabel;
    m_statisticLabel->setObjectName(QStringLiteral("label"));
    m_statisticComboBox = new QComboBox;
    m_statisticComboBox->setObjectName(QStringLiteral("statisticComboBox"));
    m_statisticComboBox->setEditable(false);
    m_statisticComboBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_statisticComboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_addStatisticToolButton = createToolButton(QStringLiteral("addStatisticToolButton"),
                                                QStringLiteral(":/icons/plus.png"));
    m_removeStatisticToolButton = createToolButton(QStringLiteral("removeStatisticToolButton"),
                                                   QStringLiteral(":/icons/minus.png"));
    m_editStatisticToolButton = createToolButton(QStringLiteral("editStatisticToolButton"),
                                                 QStringLiteral(":/icons/edit area.png"));

    auto *row = new QHBoxLayout;
    row->addWidget(m_statisticLabel);
    row->addWidget(m_statisticComboBox);
    for (QToolButton *button :
         {m_addStatisticToolButton, m_removeStatisticToolButton, m_editStatisticToolButton})
        row->addWidget(button);
    return row;
}

QToolButton *VariablesWidget::createToolButton(const QString &objectName,
                                               const QString &iconResource)
{
    auto *button = new QToolButton;
    button->setObjectName(objectName);
    button->setIcon(QIcon(iconResource));
    return button;
}

QToolButton *VariablesWidget::createArrowButton(const QString &objectName, Qt::ArrowType arrow)
{
    auto *button = new QToolButton;
    button->setObjectName(objectName);
    button->setArrowType(arrow);
    return button;
}

void VariablesWidget::retranslateUi()
{
    setWindowTitle(tr("Variables"));
    m_variableLabel->setText(tr("Variable"));
    m_modalityLabel->setText(tr("Modality"));
    m_statisticLabel->setText(tr("Statistic"));
    for (QToolButton *button :
         {m_addVariableButton, m_deleteVariableButton, m_downVariableButton, m_upVariableButton,
          m_addModalityButton, m_deleteModalityButton, m_downModalityButton, m_upModalityButton,
          m_selectAllModalitiesButton, m_addStatisticToolButton, m_removeStatisticToolButton,
          m_editStatisticToolButton})
        button->setText(tr("..."));
    m_addVariableButton->setToolTip(tr("Add variable"));
    m_deleteVariableButton->setToolTip(tr("Drop variable"));
    m_downVariableButton->setToolTip(tr("Move variable down"));
    m_upVariableButton->setToolTip(tr("Move variable up"));
    m_addModalityButton->setToolTip(tr("Add modality"));
    m_deleteModalityButton->setToolTip(tr("Drop modality"));
    m_downModalityButton->setToolTip(tr("Move modality down"));
    m_upModalityButton->setToolTip(tr("Move modality up"));
    m_selectAllModalitiesButton->setToolTip(tr("Select all modalities"));
    m_addStatisticToolButton->setToolTip(tr("Add statistic"));
    m_removeStatisticToolButton->setToolTip(tr("Drop statistic"));
    m_editStatisticToolButton->setToolTip(tr("Edit statistic"));
    m_variableListWidget->setHeaderLabels({tr("Name"), tr("Label")});
    m_modalityListWidget->setHeaderLabels({tr("Value"), tr("Label")});
}

void VariablesWidget::changeEvent(QEvent *event)
{
    QDockWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
}

void VariablesWidget::connectForm()
{
    connect(m_editStatisticToolButton, &QToolButton::clicked, this,
            &VariablesWidget::onEditStatisticToolButtonClicked);
    connect(m_upVariableButton, &QToolButton::clicked, this, &VariablesWidget::upVariable);
    connect(m_downVariableButton, &QToolButton::clicked, this, &VariablesWidget::downVariable);
    connect(m_upModalityButton, &QToolButton::clicked, this, &VariablesWidget::upModality);
    connect(m_downModalityButton, &QToolButton::clicked, this, &VariablesWidget::downModality);
    connect(m_addModalityButton, &QToolButton::clicked, this, &VariablesWidget::addModality);
    connect(m_deleteVariableButton, &QToolButton::clicked, this, &VariablesWidget::deleteVariable);
    connect(m_deleteModalityButton, &QToolButton::clicked, this, &VariablesWidget::deleteModality);
    connect(m_statisticComboBox, &QComboBox::currentTextChanged, m_variableListWidget,
            &VariableListWidget::setCurrentStatistic);
    connect(m_variableListWidget, &QTreeWidget::itemSelectionChanged, this,
            &VariablesWidget::showModalitiesOfCurrentVariable);
    // The current row can move without the selection following (Ctrl+arrow
    // keys); the modality list and its buttons must follow the current row,
    // which is the variable the modality commands change.
    connect(m_variableListWidget, &QTreeWidget::currentItemChanged, this,
            &VariablesWidget::showModalitiesOfCurrentVariable);
    connect(m_variableListWidget, &QTreeWidget::currentItemChanged, this,
            &VariablesWidget::updateAddModalityButton);
}

// The document's part of the panel lives in the variable list's rows (each
// holding its variable with the modalities) and in the statistic box; the
// modality list only shows the current variable's. Editing a definition
// changes the catalogue alone and reports itself.
void VariablesWidget::connectContentChanges()
{
    for (QAbstractItemModel *model :
         {m_variableListWidget->model(), m_statisticComboBox->model()}) {
        connect(model, &QAbstractItemModel::rowsInserted, this, &VariablesWidget::contentChanged);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &VariablesWidget::contentChanged);
        connect(model, &QAbstractItemModel::rowsMoved, this, &VariablesWidget::contentChanged);
        connect(model, &QAbstractItemModel::dataChanged, this, &VariablesWidget::contentChanged);
        connect(model, &QAbstractItemModel::modelReset, this, &VariablesWidget::contentChanged);
    }
}

// Variables

void VariablesWidget::addVariableItem(const Variable &variable)
{
    auto *item = new QTreeWidgetItem(m_variableListWidget);
    item->setText(0, variable.name());
    item->setText(1, variable.label());
    storeVariable(item, variable);
}

QList<Variable> VariablesWidget::variables() const
{
    QList<Variable> all;
    const int count = m_variableListWidget->topLevelItemCount();
    all.reserve(count);
    for (int row = 0; row < count; ++row)
        all.append(storedVariable(m_variableListWidget->topLevelItem(row)));
    return all;
}

void VariablesWidget::clearVariableList()
{
    m_variableListWidget->clear();
    showModalitiesOfCurrentVariable();
    updateAddModalityButton();
}

void VariablesWidget::setVariables(const QList<Variable> &variables)
{
    clearVariableList();
    for (const Variable &variable : variables)
        addVariableItem(variable);
    clearModalityList();
}

void VariablesWidget::clearModalityList()
{
    m_modalityListWidget->clear();
}

Variable VariablesWidget::storedVariable(const QTreeWidgetItem *item)
{
    return item->data(0, Qt::UserRole).value<Variable>();
}

void VariablesWidget::storeVariable(QTreeWidgetItem *item, const Variable &variable)
{
    item->setData(0, Qt::UserRole, QVariant::fromValue(variable));
}

int VariablesWidget::selectedRow(const QTreeWidget *list)
{
    const QList<QTreeWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->indexOfTopLevelItem(selected.first());
}

bool VariablesWidget::hasVariableNamed(const QString &name) const
{
    const int count = m_variableListWidget->topLevelItemCount();
    for (int row = 0; row < count; ++row) {
        if (m_variableListWidget->topLevelItem(row)->text(0) == name)
            return true;
    }
    return false;
}

bool VariablesWidget::confirm(const QString &text, const QString &informativeText)
{
    QMessageBox box(QMessageBox::Question, tr("Quorin"), text, QMessageBox::Yes | QMessageBox::No,
                    this);
    box.setInformativeText(informativeText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void VariablesWidget::on_addVariableButton_clicked()
{
    AddVariableDialog dialog(this);
    // A refused name brings the same dialog back with what the user typed.
    while (dialog.exec() == QDialog::Accepted) {
        const Variable variable(dialog.name(), dialog.label(), 0);
        if (!hasVariableNamed(variable.name())) {
            addVariableItem(variable);
            // The new variable becomes current, ready for its modalities.
            m_variableListWidget->setCurrentItem(
                m_variableListWidget->topLevelItem(m_variableListWidget->topLevelItemCount() - 1));
            return;
        }
        QMessageBox::warning(this, tr("Quorin"), tr("Variable name already exists."));
    }
}

void VariablesWidget::deleteVariable()
{
    const int row = selectedRow(m_variableListWidget);
    if (row < 0)
        return;
    QTreeWidgetItem *item = m_variableListWidget->topLevelItem(row);
    if (!confirm(tr("Delete variable"), tr("Are you sure you want to delete variable \"%1\" ?")
                                            .arg(storedVariable(item).name())))
        return;
    delete item;
    // Keep the highlighted row and the modalities shown on the row that is
    // now current.
    if (QTreeWidgetItem *current = m_variableListWidget->currentItem())
        m_variableListWidget->setCurrentItem(current);
    showModalitiesOfCurrentVariable();
    updateAddModalityButton();
}

void VariablesWidget::upVariable()
{
    moveVariable(-1);
}

void VariablesWidget::downVariable()
{
    moveVariable(1);
}

void VariablesWidget::moveVariable(int step)
{
    const int row = selectedRow(m_variableListWidget);
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_variableListWidget->topLevelItemCount())
        return;
    QTreeWidgetItem *item = m_variableListWidget->takeTopLevelItem(row);
    m_variableListWidget->insertTopLevelItem(target, item);
    m_variableListWidget->setCurrentItem(item);
}

// Modalities

void VariablesWidget::showModalitiesOfCurrentVariable()
{
    const QTreeWidgetItem *variableItem = m_variableListWidget->currentItem();
    m_modalityListWidget->clear();
    // Without a current variable (the last one was deleted) there is nothing
    // to show; stale rows could otherwise be edited or dragged.
    if (!variableItem)
        return;
    const Variable variable = storedVariable(variableItem);
    for (const Modality &stored : variable.modalities()) {
        const Modality modality(stored.value(), stored.valueLabel(), variable.name(),
                                variable.label());
        auto *item = new QTreeWidgetItem(m_modalityListWidget);
        item->setText(0, modality.value());
        item->setText(1, modality.valueLabel());
        item->setData(0, Qt::UserRole, QVariant::fromValue(modality));
    }
}

void VariablesWidget::on_selectAllModalitiesButton_clicked()
{
    m_modalityListWidget->selectAll();
}

void VariablesWidget::updateAddModalityButton()
{
    m_addModalityButton->setEnabled(m_variableListWidget->currentItem() != nullptr);
}

void VariablesWidget::addModality()
{
    QTreeWidgetItem *variableItem = m_variableListWidget->currentItem();
    if (!variableItem)
        return;
    AddModalityDialog dialog(this);
    while (dialog.exec() == QDialog::Accepted) {
        Variable variable = storedVariable(variableItem);
        const QList<Modality> &modalities = variable.modalities();
        const bool taken =
            std::any_of(modalities.cbegin(), modalities.cend(), [&](const Modality &modality) {
                return modality.value() == dialog.value();
            });
        if (taken) {
            QMessageBox::warning(this, tr("Quorin"), tr("Value already exists."));
            continue;
        }
        variable.appendModality(
            Modality(dialog.value(), dialog.valueLabel(), variable.name(), variable.label()));
        storeVariable(variableItem, variable);
        showModalitiesOfCurrentVariable();
        if (!dialog.addAnother())
            return;
        dialog.reset();
    }
}

void VariablesWidget::deleteModality()
{
    QTreeWidgetItem *variableItem = m_variableListWidget->currentItem();
    const int row = selectedRow(m_modalityListWidget);
    if (!variableItem || row < 0)
        return;
    Variable variable = storedVariable(variableItem);
    QList<Modality> modalities = variable.modalities();
    if (row >= modalities.size())
        return;
    if (!confirm(tr("Delete modality"), tr("Are you sure you want to delete modality \"%1\" ?")
                                            .arg(modalities.at(row).value())))
        return;
    modalities.removeAt(row);
    variable.setModalities(modalities);
    storeVariable(variableItem, variable);
    showModalitiesOfCurrentVariable();
    selectModalityRow(qMin(row, int(modalities.size()) - 1));
}

void VariablesWidget::upModality()
{
    moveModality(-1);
}

void VariablesWidget::downModality()
{
    moveModality(1);
}

// The stored variable changes with the rows, so that the new order survives
// another variable being shown and is what the document saves.
void VariablesWidget::moveModality(int step)
{
    QTreeWidgetItem *variableItem = m_variableListWidget->currentItem();
    const int row = selectedRow(m_modalityListWidget);
    const int target = row + step;
    if (!variableItem || row < 0 || target < 0)
        return;
    Variable variable = storedVariable(variableItem);
    QList<Modality> modalities = variable.modalities();
    if (target >= modalities.size())
        return;
    modalities.move(row, target);
    variable.setModalities(modalities);
    storeVariable(variableItem, variable);
    showModalitiesOfCurrentVariable();
    selectModalityRow(target);
}

void VariablesWidget::selectModalityRow(int row)
{
    if (QTreeWidgetItem *item = m_modalityListWidget->topLevelItem(row))
        m_modalityListWidget->setCurrentItem(item);
}

// Statistics

void VariablesWidget::clearStatistics()
{
    *m_statisticCatalogue = StatisticCatalogue();
    m_statisticComboBox->clear();
}

void VariablesWidget::loadStatistics(const QList<Command> &commands)
{
    clearStatistics();
    for (const Command &command : commands) {
        m_statisticCatalogue->insert(command.name(), command);
        m_statisticComboBox->addItem(command.name());
    }
}

QStringList VariablesWidget::statisticNames() const
{
    QStringList names;
    names.reserve(m_statisticComboBox->count());
    for (int index = 0; index < m_statisticComboBox->count(); ++index)
        names.append(m_statisticComboBox->itemText(index));
    return names;
}

void VariablesWidget::on_addStatisticToolButton_clicked()
{
    AddStatisticDialog dialog(this);
    // A taken name brings the same dialog back, unchanged.
    while (dialog.exec() == QDialog::Accepted) {
        const QString name = dialog.name();
        if (!m_statisticCatalogue->contains(name)) {
            const bool matrix = dialog.resultType() == T::Matrix;
            m_statisticCatalogue->insert(name, Command(name, dialog.commandFormat(),
                                                       dialog.resultName(), dialog.resultType(),
                                                       matrix ? dialog.matrixRow() : 1,
                                                       matrix ? dialog.matrixColumn() : 1));
            m_statisticComboBox->addItem(name);
            return;
        }
        QMessageBox::warning(this, tr("Quorin"), tr("Statistic's name already exists."));
    }
}

// Editing and removing act on the entry shown in the box, even one whose
// name is empty, so that every entry the user can add can also be undone.
void VariablesWidget::onEditStatisticToolButtonClicked()
{
    if (m_statisticComboBox->currentIndex() < 0)
        return;
    const QString name = m_statisticComboBox->currentText();
    EditStatisticDialog dialog(
        m_statisticCatalogue->value(name, Command(name, QString(), QString(), T::Scalar, 1, 1)),
        this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Stored under the old name, which the definition keeps as its own.
    const Command edited = dialog.command();
    m_statisticCatalogue->insert(name, Command(name, edited.format(), edited.result(),
                                               edited.resultType(), edited.resultMatrixRow(),
                                               edited.resultMatrixColumn()));
    emit contentChanged();
}

void VariablesWidget::on_removeStatisticToolButton_clicked()
{
    const int index = m_statisticComboBox->currentIndex();
    if (index < 0)
        return;
    const QString name = m_statisticComboBox->currentText();
    QMessageBox box(QMessageBox::Question, tr("Quorin"),
                    tr("Are you sure you want to remove statistic \"%1\"?\nNote: All cells "
                       "containing this statistic will be deleted")
                        .arg(name),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        return;
    m_statisticComboBox->removeItem(index);
    // A document may list a name twice; no entry may outlive its definition.
    for (int other = m_statisticComboBox->count() - 1; other >= 0; --other) {
        if (m_statisticComboBox->itemText(other) == name)
            m_statisticComboBox->removeItem(other);
    }
    m_statisticCatalogue->remove(name);
    emit commandRemoved(name);
}
