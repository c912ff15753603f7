#pragma once

// What the grid, document and undo benchmarks share: their output, the
// process's memory figures, and a large document like the ones users build.

#include "model/Document.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTextStream>

namespace BenchSupport {

inline QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

// The figure of /proc/self/status for the key ("VmRSS:", "VmHWM:"), in KiB.
inline long statusKiB(const QByteArray &key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toLong();
    }
    return 0;
}

// A document of that size: a heading row and column of conditions, a mean
// in every other cell, every other column in an area, sizes that vary.
inline Document filledDocument(int rows, int columns)
{
    Document document;
    document.commands = {
        Command("mean", "summarize #var #if", "r(mean)", Command::ResultType::Scalar, 1, 1)};
    Variable sex("sesso", "Sesso", 251);
    sex.appendModality(Modality("1", "Maschio", "sesso", "Sesso"));
    document.variables = {sex};
    document.areas.insert(Area("nord", "ripartizione<=2"));
    document.cells = CellContentGrid(rows, columns);
    for (int row = 0; row < rows; ++row) {
        document.rowHeights.append(24 + row % 7);
        for (int column = 0; column < columns; ++column) {
            CellContent &cell = document.cells(row, column);
            if (row == 0 || column == 0)
                cell.addMicroCondition(MicroCondition(QString::number(row + column),
                                                      QStringLiteral("Label"), "sesso", "Sesso"));
            else
                cell.setStatistic(Statistic{"reddito", "Reddito", "mean", "%9.2f"});
            cell.setArea(column % 2 ? QStringLiteral("nord") : QString());
        }
    }
    for (int column = 0; column < columns; ++column)
        document.columnWidths.append(80 + column % 5);
    return document;
}

} // namespace BenchSupport
