#pragma once

#include "model/CellContent.h"

#include <QLabel>

class QColor;
class QDomDocument;
class QDomElement;
class QDragEnterEvent;
class QDropEvent;

// The widget at one position of the grid: it shows its content as centred,
// coloured text and receives drops. What the cell holds and how it is labelled
// is CellContent's business; what a drop means is the grid's.
//
// Mouse and context-menu events are left to the grid: a label without text
// interaction ignores them, so they reach the viewport underneath.
class Cell : public QLabel
{
    Q_OBJECT

public:
    explicit Cell(QWidget *parent = nullptr);
    // A cell read from a "cell" element of a document, already showing its content.
    explicit Cell(const QDomElement &element, QWidget *parent = nullptr);

    const CellContent &content() const { return m_content; }
    // Replaces the whole content (area and format views included).
    void setContent(const CellContent &content);

    // Content changes; all but setArea and setStatisticFormat refresh the
    // display (neither the area nor the format is shown in the cell).
    void setStatistic(const Statistic &statistic);
    void addMicroCondition(const MicroCondition &term);
    void setSimpleText(const QString &text);
    void clearContent();
    void setArea(const QString &area);
    void setStatisticFormat(const QString &format);
    void setStatisticFormatView(T::StatisticFormatView view);
    void setConditionFormatView(T::ConditionFormatView view);

    QDomElement toXml(QDomDocument &document, int row, int column) const
    {
        return m_content.toXml(document, row, column);
    }

    // Shows the content's text and, unless the cell is void, its colour. A
    // void cell keeps the colour it had, which shows no difference since it
    // has no text.
    void updateDisplay();

    // Drags are accepted only from the variables panel's two lists; a drag
    // from elsewhere, or from outside the program, has another source or none.
    static bool acceptsDragFrom(const QObject *source);

signals:
    void dropInCell(Cell *cellWidget, QDropEvent *event);
    // What the cell holds changed (not merely how it is labelled): a
    // document with this cell needs saving again.
    void contentChanged();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void setUpWidget();
    void setTextColor(const QColor &color);

    CellContent m_content;
};
