#include "table/TableContextMenu.h"

#include "table/TableWidget.h"

TableContextMenu::TableContextMenu(QWidget *parent)
    : QMenu(parent)
{
    setObjectName(QStringLiteral("tableContextMenu"));
    TableWidget *table = qobject_cast<TableWidget *>(parent);
    addInsertionMenus(table);
    addRemovalEntries(table);
    addStatisticViewMenu(table);
    addConditionViewMenu(table);
    addSimpleTextEntries(table);
}

template <typename Slot>
QAction *TableContextMenu::addEntry(QMenu *menu, const QString &objectName, const QString &text,
                                    TableWidget *table, Slot slot)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(objectName);
    if (table)
        connect(action, &QAction::triggered, table, slot);
    return action;
}

QMenu *TableContextMenu::addSubmenu(const QString &objectName, const QString &title)
{
    QMenu *submenu = addMenu(title);
    submenu->setObjectName(objectName);
    submenu->menuAction()->setObjectName(objectName + QStringLiteral("Action"));
    return submenu;
}

void TableContextMenu::addInsertionMenus(TableWidget *table)
{
    QMenu *rows = addSubmenu(QStringLiteral("insertRowsMenu"), tr("Insert rows"));
    addEntry(rows, QStringLiteral("insertRowsUpAction"), tr("Up..."), table,
             &TableWidget::onInsertRowsUp);
    addEntry(rows, QStringLiteral("insertRowsDownAction"), tr("Down..."), table,
             &TableWidget::onInsertRowsDown);
    QMenu *columns = addSubmenu(QStringLiteral("insertColumnsMenu"), tr("Insert columns"));
    addEntry(columns, QStringLiteral("insertColumnsLeftAction"), tr("Left..."), table,
             &TableWidget::onInsertColumnsLeft);
    addEntry(columns, QStringLiteral("insertColumnsRightAction"), tr("Right..."), table,
             &TableWidget::onInsertColumnsRight);
}

void TableContextMenu::addRemovalEntries(TableWidget *table)
{
    addEntry(this, QStringLiteral("removeRowsAction"), tr("Remove row(s)"), table,
             &TableWidget::removeRowsOfSelectedCells);
    addEntry(this, QStringLiteral("removeColumnsAction"), tr("Remove column(s)"), table,
             &TableWidget::removeColumnsOfSelectedCells);
}

void TableContextMenu::addStatisticViewMenu(TableWidget *table)
{
    QMenu *menu = addSubmenu(QStringLiteral("statisticViewMenu"), tr("Format statistic view"));
    addEntry(menu, QStringLiteral("onlyStatisticNameAction"), tr("Statistic name"), table,
             &TableWidget::setStatisticFormatViewOnlyStatisticName);
    addEntry(menu, QStringLiteral("onlyStatisticVariableNameAction"),
             tr("Statistic's variable name"), table,
             &TableWidget::setStatisticFormatViewOnlyStatisticVariableName);
    addEntry(menu, QStringLiteral("onlyStatisticVariableLabelAction"),
             tr("Statistic's variable label"), table,
             &TableWidget::setStatisticFormatViewOnlyStatisticVariableLabel);
    addEntry(menu, QStringLiteral("statisticNameVariableNameAction"),
             tr("Statistic(Variable name)"), table,
             &TableWidget::setStatisticFormatViewStatisticNameVariableName);
    addEntry(menu, QStringLiteral("statisticNameVariableLabelAction"),
             tr("Statistic(Variable label)"), table,
             &TableWidget::setStatisticFormatViewStatisticNameVariableLabel);
}

void TableContextMenu::addConditionViewMenu(TableWidget *table)
{
    QMenu *menu = addSubmenu(QStringLiteral("conditionViewMenu"), tr("Format condition view"));
    addEntry(menu, QStringLiteral("onlyModalityLabelAction"), tr("Modality label"), table,
             &TableWidget::setConditionFormatViewOnlyModalityLabel);
    addEntry(menu, QStringLiteral("onlyModalityValueAction"), tr("Modality value"), table,
             &TableWidget::setConditionFormatViewOnlyModalityValue);
    addEntry(menu, QStringLiteral("variableNameEqualModalityValueAction"),
             tr("Variable name = Modality value"), table,
             &TableWidget::setConditionFormatViewVariableNameEqualModalityValue);
    addEntry(menu, QStringLiteral("variableNameEqualModalityValueLabelAction"),
             tr("Variable name = Value label"), table,
             &TableWidget::setConditionFormatViewVariableNameEqualModalityValueLabel);
    addEntry(menu, QStringLiteral("variableLabelEqualModalityValueAction"),
             tr("Variable label = Modality Value"), table,
             &TableWidget::setConditionFormatViewVariableLabelEqualModalityValue);
    addEntry(menu, QStringLiteral("variableLabelEqualModalityValueLabelAction"),
             tr("Variable label = Modality value label"), table,
             &TableWidget::setConditionFormatViewVariableLabelEqualModalityValueLabel);
}

void TableContextMenu::addSimpleTextEntries(TableWidget *table)
{
    addEntry(this, QStringLiteral("setSimpleTextAction"), tr("Set simple text"), table,
             &TableWidget::onSetSimpleText);
    addEntry(this, QStringLiteral("editSimpleTextAction"), tr("Edit simple text"), table,
             &TableWidget::onEditSimpleText);
}
