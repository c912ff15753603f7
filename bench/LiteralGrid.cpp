#include "LiteralGrid.h"

#include "model/CellContent.h"
#include "model/XmlAttributes.h"

#include <QDomElement>
#include <QLabel>

LiteralGrid::LiteralGrid()
{
    setStyleSheet(QStringLiteral("selection-background-color: rgb(216, 238, 252)"));
}

void LiteralGrid::newTable(int rows, int columns)
{
    setRowCount(0);
    setColumnCount(0);
    setRowCount(rows);
    setColumnCount(columns);
    clearGrid();
}

void LiteralGrid::clearGrid()
{
    const int rows = rowCount();
    const int columns = columnCount();
    setRowCount(0);
    setColumnCount(0);
    setRowCount(rows);
    setColumnCount(columns);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column)
            installLabel(row, column, QString(), QString());
    }
}

void LiteralGrid::fill()
{
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column) {
            auto *label = static_cast<QLabel *>(cellWidget(row, column));
            label->setText(QStringLiteral("mean(income)"));
            label->setStyleSheet(QStringLiteral("color: purple"));
        }
    }
}

void LiteralGrid::removeRowsOfSelectedCells()
{
    QList<int> positions;
    for (int row = 0; row < rowCount(); ++row)
        positions.append(row);
    for (const QTableWidgetSelectionRange &range : selectedRanges()) {
        for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
            const int position = int(positions.indexOf(row));
            removeRow(position);
            if (position >= 0)
                positions.removeAt(position);
        }
    }
}

void LiteralGrid::loadCells(const QDomElement &element)
{
    setRowCount(0);
    setColumnCount(0);
    setRowCount(XmlAttributes::integer(element, QStringLiteral("rowCount")));
    setColumnCount(XmlAttributes::integer(element, QStringLiteral("columnCount")));
    const QDomNodeList cells = element.elementsByTagName(QStringLiteral("cell"));
    for (int i = 0; i < cells.size(); ++i) {
        const QDomElement cell = cells.at(i).toElement();
        const CellContent content(cell);
        installLabel(XmlAttributes::integer(cell, QStringLiteral("row")),
                     XmlAttributes::integer(cell, QStringLiteral("col")), content.displayText(),
                     content.colorStyleSheet());
    }
}

void LiteralGrid::installLabel(int row, int column, const QString &text, const QString &styleSheet)
{
    auto *label = new QLabel;
    label->setAcceptDrops(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    setCellWidget(row, column, label);
    if (!text.isEmpty()) {
        label->setText(text);
        label->setStyleSheet(styleSheet);
    }
}
