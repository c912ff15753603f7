#include "table/Cell.h"

#include <QColor>
#include <QDomElement>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHash>
#include <QPalette>

namespace {

// One palette per text colour, shared by every cell of that colour. A palette
// that sets every role is taken as it is, where one setting only the text
// colour would be merged with the parent's into a copy for each cell: a
// kilobyte and ten microseconds per cell, which counts on large grids. A
// label without a background of its own shows only the text colour, the same
// in every colour group.
const QPalette &sharedTextPalette(const QColor &color, const QPalette &base)
{
    static QHash<QRgb, QPalette> palettes;
    auto found = palettes.find(color.rgba());
    if (found == palettes.end()) {
        QPalette palette = base;
        palette.setColor(QPalette::WindowText, color);
        palette.setResolveMask(~QPalette::ResolveMask(0));
        found = palettes.insert(color.rgba(), palette);
    }
    return *found;
}

} // namespace

Cell::Cell(QWidget *parent)
    : QLabel(parent)
{
    setUpWidget();
}

Cell::Cell(const QDomElement &element, QWidget *parent)
    : QLabel(parent)
    , m_content(element)
{
    setUpWidget();
    updateDisplay();
}

// Texts are shown as typed: a simple text or a label that looks like HTML is
// not rendered as rich text. Without text interaction the label ignores mouse
// and context-menu events, so they reach the grid underneath.
void Cell::setUpWidget()
{
    setAcceptDrops(true);
    setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
}

void Cell::setContent(const CellContent &content)
{
    m_content = content;
    updateDisplay();
    emit contentChanged();
}

void Cell::setStatistic(const Statistic &statistic)
{
    m_content.setStatistic(statistic);
    updateDisplay();
    emit contentChanged();
}

void Cell::addMicroCondition(const MicroCondition &term)
{
    m_content.addMicroCondition(term);
    updateDisplay();
    emit contentChanged();
}

void Cell::setSimpleText(const QString &text)
{
    m_content.setSimpleText(text);
    updateDisplay();
    emit contentChanged();
}

void Cell::clearContent()
{
    m_content.clearContent();
    updateDisplay();
    emit contentChanged();
}

void Cell::setArea(const QString &area)
{
    m_content.setArea(area);
    emit contentChanged();
}

void Cell::setStatisticFormat(const QString &format)
{
    m_content.setStatisticFormat(format);
    emit contentChanged();
}

void Cell::setStatisticFormatView(T::StatisticFormatView view)
{
    m_content.setStatisticFormatView(view);
    updateDisplay();
}

void Cell::setConditionFormatView(T::ConditionFormatView view)
{
    m_content.setConditionFormatView(view);
    updateDisplay();
}

void Cell::updateDisplay()
{
    setText(m_content.displayText());
    const QString color = m_content.colorName();
    if (!color.isEmpty())
        setTextColor(QColor(color));
}

// The colour goes into the palette rather than into a "color: ..." style
// sheet: the text looks the same, but a style sheet gives every coloured cell
// a style object of its own and costs far more time and memory, which shows
// on grids of tens of thousands of cells.
void Cell::setTextColor(const QColor &color)
{
    if (palette().color(QPalette::WindowText) == color)
        return;
    setPalette(sharedTextPalette(color, palette()));
}

bool Cell::acceptsDragFrom(const QObject *source)
{
    if (!source)
        return false;
    const QString name = source->objectName();
    return name == QLatin1String("variableListWidget") ||
           name == QLatin1String("modalityListWidget");
}

void Cell::dragEnterEvent(QDragEnterEvent *event)
{
    if (acceptsDragFrom(event->source()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void Cell::dropEvent(QDropEvent *event)
{
    emit dropInCell(this, event);
}
