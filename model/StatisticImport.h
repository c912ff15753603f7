#pragma once

#include "model/Command.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

// Adds the statistic definitions of another document to a catalogue. A name
// the catalogue already has keeps its own definition, so that no cell
// computes something else after the import; the names left out that way are
// listed for the user.
class StatisticImport
{
    Q_DECLARE_TR_FUNCTIONS(StatisticImport)

public:
    // Both lists in the user's order; the imported one may hold a name twice,
    // and then its later definition is the one added, as when the document is
    // opened. The new names follow the current ones.
    static StatisticImport merge(const QList<Command> &current, const QList<Command> &imported);

    // The catalogue after the import, in the user's order.
    const QList<Command> &commands() const { return m_commands; }
    // The names added and the names left out, each once, in the imported
    // document's order.
    const QStringList &addedNames() const { return m_addedNames; }
    const QStringList &skippedNames() const { return m_skippedNames; }

    // What the import did, for the message that ends it.
    QString report() const;

private:
    QList<Command> m_commands;
    QStringList m_addedNames;
    QStringList m_skippedNames;
};
