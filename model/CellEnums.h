#pragma once

#include <QString>

namespace T {

// What a grid cell holds.
enum CellDataType { Void = 0, Condition = 1, Statistic = 2, SimpleText = 3 };

// How a statistic cell is labelled.
enum StatisticFormatView {
    OnlyStatisticName = 0,
    OnlyStatisticVariableName = 1,
    OnlyStatisticVariableLabel = 2,
    StatisticNameVariableName = 3,
    StatisticNameVariableLabel = 4
};

// How a condition cell is labelled.
enum ConditionFormatView {
    OnlyModalityLabel = 0,
    OnlyModalityValue = 1,
    VariableNameEqualModalityValue = 2,
    VariableNameEqualModalityValueLabel = 3,
    VariableLabelEqualModalityValue = 4,
    VariableLabelEqualModalityValueLabel = 5
};

// The names used in document files: "void", "condition", "statistic", "simpletext".
QString cellDataTypeName(CellDataType type);
// An unknown or missing name reads as a void cell.
CellDataType cellDataTypeFromName(QStringView name);

} // namespace T
