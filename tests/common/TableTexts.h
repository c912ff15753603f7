#pragma once

#include <QList>
#include <QStringList>
#include <QTableWidget>

// Every field of a table widget as its text, row by row; a field without an
// item reads as empty.
inline QList<QStringList> tableTexts(const QTableWidget *table)
{
    QList<QStringList> rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < table->columnCount(); ++column)
            texts.append(table->item(row, column) ? table->item(row, column)->text() : QString());
        rows.append(texts);
    }
    return rows;
}
