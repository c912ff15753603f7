#pragma once

#include <QMenu>

class TableWidget;

// The grid's right-click menu: insertion and removal of rows and columns, the
// labelling of statistic and condition cells, and simple texts. Every entry
// calls a slot of the grid it is created for, and is always enabled.
class TableContextMenu : public QMenu
{
    Q_OBJECT

public:
    // The parent is the grid; with any other parent the entries reach nothing.
    explicit TableContextMenu(QWidget *parent);

private:
    void addInsertionMenus(TableWidget *table);
    void addRemovalEntries(TableWidget *table);
    void addStatisticViewMenu(TableWidget *table);
    void addConditionViewMenu(TableWidget *table);
    void addSimpleTextEntries(TableWidget *table);

    // An entry of the menu (or submenu) whose triggered() calls the slot.
    template <typename Slot>
    QAction *addEntry(QMenu *menu, const QString &objectName, const QString &text,
                      TableWidget *table, Slot slot);
    QMenu *addSubmenu(const QString &objectName, const QString &title);
};
