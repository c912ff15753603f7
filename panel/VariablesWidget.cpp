#include "panel/VariablesWidget.h"

#include "model/DocumentModel.h"
#include "panel/AddModalityDialog.h"
#include "panel/AddStatisticDialog.h"
#include "panel/AddVariableDialog.h"
#include "panel/EditStatisticDialog.h"
#include "table/ModalityListWidget.h"
#include "table/VariableListWidget.h"
#include "undo/DocumentEditor.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

VariablesWidget::VariablesWidget(DocumentModel *document, QWidget *parent)
    : QDockWidget(parent)
    , m_document(document)
{
    createForm();
    retranslateUi();
    connectForm();
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    connect(m_document, &DocumentModel::variablesChanged, this, &VariablesWidget::showVariables);
    connect(m_document, &DocumentModel::catalogueChanged, this, &VariablesWidget::showStatistics);
    showVariables();
    showStatistics();
    m_variableListWidget->setCurrentStatistic(m_statisticComboBox->currentText());
}

VariablesWidget::~VariablesWidget() = default;

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
    connect(m_addVariableButton, &QToolButton::clicked, this, &VariablesWidget::addVariable);
    connect(m_addStatisticToolButton, &QToolButton::clicked, this, &VariablesWidget::addStatistic);
    connect(m_removeStatisticToolButton, &QToolButton::clicked, this,
            &VariablesWidget::removeStatistic);
    connect(m_editStatisticToolButton, &QToolButton::clicked, this,
            &VariablesWidget::editStatistic);
    connect(m_selectAllModalitiesButton, &QToolButton::clicked, m_modalityListWidget,
            &QTreeWidget::selectAll);
    connect(m_upVariableButton, &QToolButton::clicked, this, [this] { moveVariable(-1); });
    connect(m_downVariableButton, &QToolButton::clicked, this, [this] { moveVariable(1); });
    connect(m_upModalityButton, &QToolButton::clicked, this, [this] { moveModality(-1); });
    connect(m_downModalityButton, &QToolButton::clicked, this, [this] { moveModality(1); });
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

// ---- Variables

QList<Variable> VariablesWidget::variables() const
{
    return m_document->variables();
}

QStringList VariablesWidget::statisticNames() const
{
    return m_document->statisticNames();
}

// The list shows the document's variables, each row holding its variable for
// the drags. The row an edit of this panel makes current stays current; after
// any other change no variable is current and no modality is shown.
void VariablesWidget::showVariables()
{
    const int current = m_nextCurrentVariable;
    const int currentModality = m_nextCurrentModality;
    m_nextCurrentVariable = -1;
    m_nextCurrentModality = -1;
    {
        const QSignalBlocker blocker(m_variableListWidget);
        m_variableListWidget->clear();
        for (const Variable &variable : m_document->variables()) {
            auto *item = new QTreeWidgetItem(m_variableListWidget);
            item->setText(0, variable.name());
            item->setText(1, variable.label());
            item->setData(0, Qt::UserRole, QVariant::fromValue(variable));
        }
        if (QTreeWidgetItem *item = m_variableListWidget->topLevelItem(current))
            m_variableListWidget->setCurrentItem(item);
    }
    showModalitiesOfCurrentVariable();
    updateAddModalityButton();
    selectModalityRow(currentModality);
}

int VariablesWidget::currentVariableRow() const
{
    QTreeWidgetItem *item = m_variableListWidget->currentItem();
    return item ? m_variableListWidget->indexOfTopLevelItem(item) : -1;
}

int VariablesWidget::selectedRow(const QTreeWidget *list)
{
    const QList<QTreeWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->indexOfTopLevelItem(selected.first());
}

bool VariablesWidget::hasVariableNamed(const QString &name) const
{
    const QList<Variable> &all = m_document->variables();
    return std::any_of(all.cbegin(), all.cend(),
                       [&name](const Variable &variable) { return variable.name() == name; });
}

bool VariablesWidget::confirm(const QString &text, const QString &informativeText)
{
    QMessageBox box(QMessageBox::Question, tr("Quorin"), text, QMessageBox::Yes | QMessageBox::No,
                    this);
    box.setInformativeText(informativeText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void VariablesWidget::addVariable()
{
    AddVariableDialog dialog(this);
    // A refused name brings the same dialog back with what the user typed.
    while (dialog.exec() == QDialog::Accepted) {
        const Variable variable(dialog.name(), dialog.label(), 0);
        if (!hasVariableNamed(variable.name())) {
            // The new variable becomes current, ready for its modalities.
            m_nextCurrentVariable = int(m_document->variables().size());
            m_document->addVariable(variable);
            return;
        }
        QMessageBox::warning(this, tr("Quorin"), tr("Variable name already exists."));
    }
}

// The row that takes the deleted one's place becomes current, as in any list.
void VariablesWidget::deleteVariable()
{
    const int row = selectedRow(m_variableListWidget);
    if (row < 0)
        return;
    if (!confirm(tr("Delete variable"), tr("Are you sure you want to delete variable \"%1\" ?")
                                            .arg(m_document->variables().at(row).name())))
        return;
    const int current = currentVariableRow();
    const int remaining = int(m_document->variables().size()) - 1;
    m_nextCurrentVariable = current > row ? current - 1 : qMin(current, remaining - 1);
    m_document->removeVariable(row);
}

void VariablesWidget::moveVariable(int step)
{
    const int row = selectedRow(m_variableListWidget);
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_document->variables().size())
        return;
    m_nextCurrentVariable = target;
    m_document->moveVariable(row, target);
}

// ---- Modalities

// Each modality is shown with its variable's name and label, which the
// micro-conditions dragged from here carry.
void VariablesWidget::showModalitiesOfCurrentVariable()
{
    m_modalityListWidget->clear();
    // Without a current variable (the last one was deleted) there is nothing
    // to show; stale rows could otherwise be edited or dragged.
    const int row = currentVariableRow();
    if (row < 0 || row >= m_document->variables().size())
        return;
    const Variable &variable = m_document->variables().at(row);
    for (const Modality &modality : variable.modalities()) {
        auto *item = new QTreeWidgetItem(m_modalityListWidget);
        item->setText(0, modality.value());
        item->setText(1, modality.valueLabel());
        item->setData(0, Qt::UserRole, QVariant::fromValue(modality));
    }
}

void VariablesWidget::updateAddModalityButton()
{
    m_addModalityButton->setEnabled(m_variableListWidget->currentItem() != nullptr);
}

void VariablesWidget::changeModalities(int variableRow, const QList<Modality> &modalities,
                                       int currentModality)
{
    m_nextCurrentVariable = variableRow;
    m_nextCurrentModality = currentModality;
    m_document->setModalities(variableRow, modalities);
}

void VariablesWidget::addModality()
{
    const int row = currentVariableRow();
    if (row < 0)
        return;
    AddModalityDialog dialog(this);
    while (dialog.exec() == QDialog::Accepted) {
        const Variable &variable = m_document->variables().at(row);
        QList<Modality> modalities = variable.modalities();
        const bool taken =
            std::any_of(modalities.cbegin(), modalities.cend(), [&](const Modality &modality) {
                return modality.value() == dialog.value();
            });
        if (taken) {
            QMessageBox::warning(this, tr("Quorin"), tr("Value already exists."));
            continue;
        }
        modalities.append(
            Modality(dialog.value(), dialog.valueLabel(), variable.name(), variable.label()));
        changeModalities(row, modalities, -1);
        if (!dialog.addAnother())
            return;
        dialog.reset();
    }
}

void VariablesWidget::deleteModality()
{
    const int variableRow = currentVariableRow();
    const int row = selectedRow(m_modalityListWidget);
    if (variableRow < 0 || row < 0)
        return;
    QList<Modality> modalities = m_document->variables().at(variableRow).modalities();
    if (row >= modalities.size())
        return;
    if (!confirm(tr("Delete modality"), tr("Are you sure you want to delete modality \"%1\" ?")
                                            .arg(modalities.at(row).value())))
        return;
    modalities.removeAt(row);
    changeModalities(variableRow, modalities, qMin(row, int(modalities.size()) - 1));
}

void VariablesWidget::moveModality(int step)
{
    const int variableRow = currentVariableRow();
    const int row = selectedRow(m_modalityListWidget);
    const int target = row + step;
    if (variableRow < 0 || row < 0 || target < 0)
        return;
    QList<Modality> modalities = m_document->variables().at(variableRow).modalities();
    if (target >= modalities.size())
        return;
    modalities.move(row, target);
    changeModalities(variableRow, modalities, target);
}

void VariablesWidget::selectModalityRow(int row)
{
    if (QTreeWidgetItem *item = m_modalityListWidget->topLevelItem(row))
        m_modalityListWidget->setCurrentItem(item);
}

// ---- Statistics

// The box lists the document's names in order. The entry shown stays shown
// while it is listed; the one taking a removed entry's place follows it.
void VariablesWidget::showStatistics()
{
    const QStringList &names = m_document->statisticNames();
    QStringList shown;
    for (int index = 0; index < m_statisticComboBox->count(); ++index)
        shown.append(m_statisticComboBox->itemText(index));
    if (shown == names)
        return;
    const int current = m_statisticComboBox->currentIndex();
    const QString currentName = m_statisticComboBox->currentText();
    m_statisticComboBox->clear();
    m_statisticComboBox->addItems(names);
    const int kept = names.indexOf(currentName);
    if (current >= 0 && kept >= 0 && names.size() >= shown.size())
        m_statisticComboBox->setCurrentIndex(kept);
    else if (current >= 0)
        m_statisticComboBox->setCurrentIndex(qMin(current, int(names.size()) - 1));
}

void VariablesWidget::addStatistic()
{
    AddStatisticDialog dialog(this);
    // A taken name brings the same dialog back, unchanged.
    while (dialog.exec() == QDialog::Accepted) {
        const QString name = dialog.name();
        if (!m_document->catalogue().contains(name)) {
            const bool matrix = dialog.resultType() == Command::ResultType::Matrix;
            m_document->addStatistic(Command(name, dialog.commandFormat(), dialog.resultName(),
                                             dialog.resultType(), matrix ? dialog.matrixRow() : 1,
                                             matrix ? dialog.matrixColumn() : 1));
            return;
        }
        QMessageBox::warning(this, tr("Quorin"), tr("Statistic's name already exists."));
    }
}

// Editing and removing act on the entry shown in the box, even one whose
// name is empty, so that every entry the user can add can also be undone.
void VariablesWidget::editStatistic()
{
    if (m_statisticComboBox->currentIndex() < 0)
        return;
    const QString name = m_statisticComboBox->currentText();
    EditStatisticDialog dialog(
        m_document->catalogue().value(
            name, Command(name, QString(), QString(), Command::ResultType::Scalar, 1, 1)),
        this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Stored under the old name, which the definition keeps as its own.
    const Command edited = dialog.command();
    m_document->editStatistic(name,
                              Command(name, edited.format(), edited.result(), edited.resultType(),
                                      edited.resultMatrixRow(), edited.resultMatrixColumn()));
}

void VariablesWidget::removeStatistic()
{
    if (m_statisticComboBox->currentIndex() < 0)
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
    const auto remove = [this, &name] { m_document->removeStatistic(name); };
    if (m_editor)
        m_editor->record(tr("Remove statistic"), remove);
    else
        remove();
}
