#include "model/Document.h"

bool Document::gridSizeAllowed(qint64 rowCount, qint64 columnCount)
{
    return rowCount >= 0 && columnCount >= 0 && rowCount <= maximumLineCount &&
           columnCount <= maximumLineCount;
}

StatisticCatalogue Document::catalogue() const
{
    StatisticCatalogue catalogue;
    for (const Command &command : commands)
        catalogue.insert(command.name(), command);
    return catalogue;
}

QStringList Document::commandNames() const
{
    QStringList names;
    names.reserve(commands.size());
    for (const Command &command : commands)
        names.append(command.name());
    return names;
}
