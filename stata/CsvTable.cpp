#include "stata/CsvTable.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLocale>
#include <QTextStream>

namespace {

const QChar fieldSeparator = QLatin1Char(';');

constexpr Qt::ItemFlags readOnlyFlags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;

} // namespace

CsvTable::CsvTable(int rows, int columns, QWidget *parent)
    : QTableWidget(rows, columns, parent)
{}

bool CsvTable::loadFile(const QString &fileName)
{
    QStringList lines;
    if (!readLines(fileName, lines))
        return false;
    const int columns =
        lines.isEmpty() ? 0 : int(lines.first().split(fieldSeparator, Qt::KeepEmptyParts).size());
    if (qint64(columns) * lines.size() > maximumCellCount) {
        m_errorString = tr("the file has more than %1 cells, too many to show")
                            .arg(QLocale().toString(maximumCellCount));
        return false;
    }
    fill(lines, columns);
    return true;
}

bool CsvTable::readLines(const QString &fileName, QStringList &lines)
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
    QTextStream stream(&file);
    while (!stream.atEnd())
        lines.append(stream.readLine());
    return true;
}

// Fields beyond the first line's count are dropped; a shorter line leaves
// its missing cells empty.
void CsvTable::fill(const QStringList &lines, int columns)
{
    clear();
    setRowCount(int(lines.size()));
    setColumnCount(columns);
    for (int row = 0; row < lines.size(); ++row) {
        const QStringList fields = lines.at(row).split(fieldSeparator, Qt::KeepEmptyParts);
        for (int column = 0; column < columns; ++column) {
            auto *item = new QTableWidgetItem(fields.value(column));
            item->setFlags(readOnlyFlags);
            setItem(row, column, item);
        }
    }
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
