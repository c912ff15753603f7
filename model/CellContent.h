#pragma once

#include "model/Condition.h"
#include "model/Statistic.h"

#include <QDomDocument>
#include <QDomElement>
#include <QSharedData>
#include <QString>
#include <QXmlStreamAttributes>

// What one grid cell holds, with the text and colour it shows and the Stata
// expression a condition cell contributes. The cell widget only displays it.
//
// A cell that stops being a condition loses its terms, so that modalities
// dropped on it later start a new condition instead of widening an old one.
// A condition with no terms (never made by the editor, but a document may hold
// one) shows the empty text and yields the empty expression, so it restricts
// nothing.
//
// The value is implicitly shared: a grid of 999 x 999 void cells holds a
// pointer per position, not a million copies of empty fields.
class CellContent
{
public:
    // What the cell holds. The values are those of older documents and must
    // not change.
    enum class Kind { Void = 0, Condition = 1, Statistic = 2, SimpleText = 3 };

    // How a statistic cell is labelled.
    enum class StatisticFormatView {
        OnlyStatisticName = 0,
        OnlyStatisticVariableName = 1,
        OnlyStatisticVariableLabel = 2,
        StatisticNameVariableName = 3,
        StatisticNameVariableLabel = 4
    };

    // How a condition cell is labelled.
    enum class ConditionFormatView {
        OnlyModalityLabel = 0,
        OnlyModalityValue = 1,
        VariableNameEqualModalityValue = 2,
        VariableNameEqualModalityValueLabel = 3,
        VariableLabelEqualModalityValue = 4,
        VariableLabelEqualModalityValueLabel = 5
    };

    // The names used in document files: "void", "condition", "statistic",
    // "simpletext".
    static QString kindName(Kind kind);
    // An unknown or missing name reads as a void cell.
    static Kind kindFromName(QStringView name);

    CellContent();
    // Reads the data type and area of a "cell" element; the position and
    // what its child element holds are read by the caller. A condition read
    // so has no terms until they are added.
    explicit CellContent(const QXmlStreamAttributes &attributes);

    Kind dataType() const { return d->dataType; }
    const Statistic &statistic() const { return d->statistic; }
    const Condition &condition() const { return d->condition; }
    const QString &simpleText() const { return d->simpleText; }
    const QString &area() const { return d->area; }
    StatisticFormatView statisticFormatView() const { return d->statisticFormatView; }
    ConditionFormatView conditionFormatView() const { return d->conditionFormatView; }

    void setStatistic(const Statistic &statistic);
    // Appends to a condition; any other content gives way to a new condition
    // of this one term.
    void addMicroCondition(const MicroCondition &term);
    void setSimpleText(const QString &text);
    // Back to void: statistic name, variable name and label, condition and
    // text are emptied; the area and the statistic's format are kept.
    void clearContent();
    void setArea(const QString &area) { d->area = area; }
    // Changes the display format of the statistic in place.
    void setStatisticFormat(const QString &format) { d->statistic.format = format; }
    void setStatisticFormatView(StatisticFormatView view) { d->statisticFormatView = view; }
    void setConditionFormatView(ConditionFormatView view) { d->conditionFormatView = view; }

    // The text the cell shows for its content and format views.
    QString displayText() const;
    // The colour of the content's text as a named colour ("green", "purple",
    // "blue"); empty for a void cell, whose widget keeps the colour it had.
    QString colorName() const;
    // The same colour as a style sheet, such as "color: green"; empty for a
    // void cell.
    QString colorStyleSheet() const;
    // The value labels of the condition joined by " | ".
    QString conditionLabel() const { return d->condition.label(); }
    // The condition as a Stata if-expression; empty for any other data type.
    QString stataExpression() const;

    QDomElement toXml(QDomDocument &document, int row, int column) const;

private:
    QString statisticText() const;
    QString conditionText() const;
    QString conditionPiece(const MicroCondition &term) const;

    struct Data : QSharedData
    {
        Kind dataType = Kind::Void;
        Condition condition;
        Statistic statistic;
        QString simpleText;
        QString area;
        StatisticFormatView statisticFormatView = StatisticFormatView::StatisticNameVariableName;
        ConditionFormatView conditionFormatView = ConditionFormatView::OnlyModalityLabel;
    };
    static const QSharedDataPointer<Data> &sharedVoid();

    QSharedDataPointer<Data> d;
};
