#include "stata/CsvTable.h"

#include "stata/CsvFields.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLocale>
#include <QTextStream>

namespace {

constexpr Qt::ItemFlags readOnlyFlags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;

} // namespace

CsvTable::CsvTable(int rows, int columns, QWidget *parent)
    : QTableWidget(rows, columns, parent)
{}

bool CsvTable::loadFile(const QString &fileName)
{
    QList<QStringList> rows;
    if (!readRows(fileName, &rows))
        return false;
    fill(rows, rows.isEmpty() ? 0 : int(rows.first().size()));
    return true;
}

bool CsvTable::readRows(const QString &fileName, QList<QStringList> *rows)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_errorString = file.errorString();
        return false;
    }
    if (file.size() > maximumFileSize) {
        m_errorString = tr("the file is larger than %1 MB, too large to show")
                            .arg(maximumFileSize / (1024 * 1024));
        return false;
    }
    const QString text = QTextStream(&file).readAll();
    if (!CsvFields::parse(text, maximumCellCount, rows) ||
        qint64(rows->isEmpty() ? 0 : rows->first().size()) * rows->size() > maximumCellCount) {
        m_errorString = tr("the file has more than %1 cells, too many to show")
                            .arg(QLocale().toString(maximumCellCount));
        return false;
    }
    return true;
}

// Fields beyond the first line's count are dropped; a shorter line leaves
// its missing cells empty.
void CsvTable::fill(const QList<QStringList> &rows, int columns)
{
    clear();
    setRowCount(int(rows.size()));
    setColumnCount(columns);
    for (int row = 0; row < rows.size(); ++row) {
        const QStringList &fields = rows.at(row);
        for (int column = 0; column < columns; ++column) {
            auto *item = new QTableWidgetItem(fields.value(column));
            item->setFlags(readOnlyFlags);
            setItem(row, column, item);
        }
    }
}

QList<QStringList> CsvTable::texts() const
{
    QList<QStringList> rows;
    for (int row = 0; row < rowCount(); ++row) {
        QStringList fields;
        for (int column = 0; column < columnCount(); ++column) {
            const QTableWidgetItem *cell = item(row, column);
            fields.append(cell ? cell->text() : QString());
        }
        rows.append(fields);
    }
    return rows;
}

QList<int> CsvTable::columnWidths() const
{
    QList<int> widths;
    for (int column = 0; column < columnCount(); ++column)
        widths.append(columnWidth(column));
    return widths;
}

void CsvTable::setEditable(bool editable)
{
    const Qt::ItemFlags flags = editable ? readOnlyFlags | Qt::ItemIsEditable : readOnlyFlags;
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column) {
            if (QTableWidgetItem *cell = item(row, column))
                cell->setFlags(flags);
        }
    }
}

void CsvTable::copySelection()
{
    QString text;
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (!ranges.isEmpty()) {
        const QTableWidgetSelectionRange &range = ranges.first();
        for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
            for (int column = range.leftColumn(); column <= range.rightColumn(); ++column) {
                const QTableWidgetItem *cell = item(row, column);
                text += (cell ? cell->text() : QString()) + QLatin1Char('\t');
            }
            text += QLatin1Char('\n');
        }
    }
    QApplication::clipboard()->setText(text, QClipboard::Clipboard);
}
