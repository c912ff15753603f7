#include "model/StatisticImport.h"

#include <QSet>

StatisticImport StatisticImport::merge(const QList<Command> &current,
                                       const QList<Command> &imported)
{
    StatisticImport result;
    result.m_commands = current;
    QSet<QString> currentNames;
    for (const Command &command : current)
        currentNames.insert(command.name());
    for (const Command &command : imported) {
        const QString &name = command.name();
        if (currentNames.contains(name)) {
            if (!result.m_skippedNames.contains(name))
                result.m_skippedNames.append(name);
            continue;
        }
        const qsizetype added = result.m_addedNames.indexOf(name);
        if (added >= 0) {
            result.m_commands[current.size() + added] = command;
            continue;
        }
        result.m_addedNames.append(name);
        result.m_commands.append(command);
    }
    return result;
}

QString StatisticImport::report() const
{
    QString text = tr("Statistics added: %1.").arg(m_addedNames.size());
    if (!m_skippedNames.isEmpty()) {
        text += QLatin1Char('\n') +
                tr("Skipped, because this document has a statistic of the same name, which "
                   "was kept as it is:\n%1")
                    .arg(m_skippedNames.join(QLatin1Char('\n')));
    }
    return text;
}
