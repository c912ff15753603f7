#include "model/CellEnums.h"

namespace T {

QString cellDataTypeName(CellDataType type)
{
    switch (type) {
    case Condition:
        return QStringLiteral("condition");
    case Statistic:
        return QStringLiteral("statistic");
    case SimpleText:
        return QStringLiteral("simpletext");
    case Void:
        break;
    }
    return QStringLiteral("void");
}

CellDataType cellDataTypeFromName(QStringView name)
{
    if (name == QLatin1String("condition"))
        return Condition;
    if (name == QLatin1String("statistic"))
        return Statistic;
    if (name == QLatin1String("simpletext"))
        return SimpleText;
    return Void;
}

} // namespace T
