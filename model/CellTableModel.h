#pragma once

#include "model/CellContent.h"
#include "model/CellContentGrid.h"
#include "model/Document.h"

#include <QAbstractTableModel>
#include <QList>

// The grid of a document as an item model: one cell content per position,
// with the height of every row and the width of every column. Views show it
// and send their edits here; every edit a user makes is one call, so that a
// change can be taken back as a whole.
//
// The display role gives a cell's text, the foreground role its colour and
// the text alignment centres it; contentRole gives the CellContent itself.
class CellTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int contentRole = Qt::UserRole + 1;
    // The largest grid: as many rows and as many columns as this.
    static constexpr int maximumLineCount = Document::maximumLineCount;
    static bool sizeAllowed(qint64 rows, qint64 columns);
    // Rows and columns are never larger than this, whatever a file says, so
    // that a damaged file cannot make the grid's length overflow.
    static constexpr int maximumLineSize = 10000;

    // One position's new content.
    struct CellEdit
    {
        int row = 0;
        int column = 0;
        CellContent content;
    };
    // Whether an edit changes what a document file keeps, or only how cells
    // are labelled (the format views, which files do not keep).
    enum class EditKind { Content, View };

    explicit CellTableModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    const CellContentGrid &cells() const { return m_cells; }
    // The content at a position; a void content outside the grid.
    const CellContent &content(int row, int column) const;

    // Replaces the whole grid. Sizes a list leaves out, or gives as 0 or
    // less, are the default ones. False, with nothing changed, for a grid
    // larger than sizeAllowed() accepts.
    bool reset(const CellContentGrid &cells, const QList<int> &rowHeights = {},
               const QList<int> &columnWidths = {});
    // A grid of void cells of that size with default sizes.
    bool reset(int rows, int columns);
    // Gives the positions their new contents, in list order (a later edit of
    // a position wins); positions outside the grid are ignored.
    void setContents(const QList<CellEdit> &edits, EditKind kind = EditKind::Content);

    // Inserts count void rows (or columns) before position; false, with
    // nothing changed, when the grid would grow beyond its largest size.
    bool insertLines(Qt::Orientation orientation, int position, int count);
    // Removes the listed rows (or columns), each once whatever the order.
    void removeLines(Qt::Orientation orientation, const QList<int> &lines);

    // Row heights (Qt::Vertical) and column widths (Qt::Horizontal) in pixels.
    int lineSize(Qt::Orientation orientation, int line) const;
    const QList<int> &lineSizes(Qt::Orientation orientation) const;
    void setLineSize(Qt::Orientation orientation, int line, int size);
    // The size new lines get; a view sets it to its own default once.
    int defaultLineSize(Qt::Orientation orientation) const;
    void setDefaultLineSize(Qt::Orientation orientation, int size);

signals:
    // Something a document file keeps changed: a content, an area, the shape
    // or a size. Emitted once per edit.
    void contentChanged();
    // Every line's size may have changed (after a reset).
    void lineSizesReset();
    // One line's size changed.
    void lineSizeChanged(Qt::Orientation orientation, int line, int size);

private:
    QList<int> &sizes(Qt::Orientation orientation);
    QList<int> boundedSizes(const QList<int> &sizes, int count, Qt::Orientation orientation) const;

    CellContentGrid m_cells;
    QList<int> m_rowHeights;
    QList<int> m_columnWidths;
    int m_defaultRowHeight = 30;
    int m_defaultColumnWidth = 100;
};
