#pragma once

#include "model/CellEnums.h"
#include "model/Condition.h"
#include "model/Statistic.h"

#include <QDomDocument>
#include <QDomElement>
#include <QString>

// What one grid cell holds, with the text and colour it shows and the Stata
// expression a condition cell contributes. The cell widget only displays it.
//
// Only the part that belongs to the data type is meaningful; the others may
// keep stale values. A condition with no terms (never made by the editor, but
// a document may hold one) shows the empty text and yields the empty
// expression, so it restricts nothing.
class CellContent
{
public:
    CellContent() = default;
    // Reads a "cell" element; its position is read by the caller.
    explicit CellContent(const QDomElement &element);

    T::CellDataType dataType() const { return m_dataType; }
    const Statistic &statistic() const { return m_statistic; }
    const Condition &condition() const { return m_condition; }
    const QString &simpleText() const { return m_simpleText; }
    const QString &area() const { return m_area; }
    T::StatisticFormatView statisticFormatView() const { return m_statisticFormatView; }
    T::ConditionFormatView conditionFormatView() const { return m_conditionFormatView; }

    void setStatistic(const Statistic &statistic);
    void addMicroCondition(const MicroCondition &term);
    void setSimpleText(const QString &text);
    // Back to void: statistic name, variable name and label, condition and
    // text are emptied; the area and the statistic's format are kept.
    void clearContent();
    void setArea(const QString &area) { m_area = area; }
    // Changes the display format of the statistic in place.
    void setStatisticFormat(const QString &format) { m_statistic.format = format; }
    void setStatisticFormatView(T::StatisticFormatView view) { m_statisticFormatView = view; }
    void setConditionFormatView(T::ConditionFormatView view) { m_conditionFormatView = view; }

    // The text the cell shows for its content and format views.
    QString displayText() const;
    // The colour of the content's text as a named colour ("green", "purple",
    // "blue"); empty for a void cell, whose widget keeps the colour it had.
    QString colorName() const;
    // The same colour as a style sheet, such as "color: green"; empty for a
    // void cell.
    QString colorStyleSheet() const;
    // The value labels of the condition joined by " | ".
    QString conditionLabel() const { return m_condition.label(); }
    // The condition as a Stata if-expression; empty for any other data type.
    QString stataExpression() const;

    QDomElement toXml(QDomDocument &document, int row, int column) const;

private:
    QString statisticText() const;
    QString conditionText() const;
    QString conditionPiece(const MicroCondition &term) const;

    T::CellDataType m_dataType = T::Void;
    Condition m_condition;
    Statistic m_statistic;
    QString m_simpleText;
    QString m_area;
    T::StatisticFormatView m_statisticFormatView = T::StatisticNameVariableName;
    T::ConditionFormatView m_conditionFormatView = T::OnlyModalityLabel;
};
