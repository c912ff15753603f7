#pragma once

#include "model/CellContentGrid.h"
#include "model/CellTableModel.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QMimeData;

// A block of cells on the clipboard, in two forms: Quorin's own, which keeps
// every cell's whole content (the cell elements of a document file, with the
// format views a file does not keep), and tab-separated display texts, one
// line per row, which spreadsheets and word processors paste as a table.
//
// Text from elsewhere is read the way spreadsheets write it: tabs split
// columns, line breaks split rows, and a field in double quotes may hold tabs,
// line breaks and doubled quotes.
class CellClipboard
{
public:
    // What a paste brings: whole contents from Quorin, or texts from
    // elsewhere, which become simple-text cells (void where a field is empty)
    // and leave the area of the cells they land on alone.
    struct Block
    {
        CellContentGrid cells;
        bool wholeContents = false;

        bool isEmpty() const { return cells.rowCount() == 0 || cells.columnCount() == 0; }
    };

    static QString mimeType();
    // A block read from the clipboard is cut to one line more than a grid may
    // have, enough to tell that it does not fit anywhere.
    static constexpr int maximumBlockLines = CellTableModel::maximumLineCount + 1;

    // Both forms of the block; the caller owns the result.
    static QMimeData *mimeData(const CellContentGrid &block);
    // Quorin's form when the data holds it, else its text; an empty block
    // when neither is usable.
    static Block block(const QMimeData *data);

    static QByteArray toXml(const CellContentGrid &block);
    // An empty grid for data that is not a sound block.
    static CellContentGrid fromXml(const QByteArray &xml);
    static QString toText(const CellContentGrid &block);
    static CellContentGrid fromText(const QString &text);
    // The fields of each line of a tab-separated text.
    static QList<QStringList> splitText(const QString &text);

    // The edits that paste the block with its top left corner at a position
    // of the grid; what lies beyond the grid's edge is left out.
    static QList<CellTableModel::CellEdit> pasteEdits(const CellContentGrid &grid, int row,
                                                      int column, const Block &block);
    // Whether the whole block lies inside the grid when pasted there.
    static bool fits(const CellContentGrid &grid, int row, int column, const Block &block);

private:
    static QString quotedField(const QString &text);
};
