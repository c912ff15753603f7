#pragma once

#include "stata/DoFileEntry.h"

#include <QList>
#include <QString>

// A do-file as a snapshot of a grid: the dataset, the grid's size and one
// entry per non-void cell in visiting order. Rendering it needs nothing else,
// so a viewer can keep its own copy while the grid changes.
class DoFileModel
{
public:
    DoFileModel() = default;
    DoFileModel(const QString &stataDatasetFileName, int rowCount, int columnCount);

    void append(const DoFileEntry &entry);

    const QList<DoFileEntry> &entries() const { return m_entries; }
    const QString &stataDatasetFileName() const { return m_stataDatasetFileName; }
    int rowCount() const { return m_rowCount; }
    int columnCount() const { return m_columnCount; }
    // True when some entry's macro holds file-write directives.
    bool hasWriteDirectives() const { return m_hasWriteDirectives; }
    // True when some entry's value is quoted for the output file by Stata.
    bool hasRunTimeQuoting() const { return m_hasRunTimeQuoting; }

    // The do-file text, every line ending with "\n". showMain keeps the
    // statistics' commands, showMacro the macro definitions; the header and
    // the export section are always there.
    QString toString(bool showMain, bool showMacro, const QString &outputFileName) const;
    // The closing block: writes every cell's macro to the output file, one
    // line per grid row with ";" between fields, then creates the check file.
    QString exportSection(const QString &outputFileName) const;

private:
    QList<DoFileEntry> m_entries;
    QString m_stataDatasetFileName;
    int m_rowCount = 0;
    int m_columnCount = 0;
    bool m_hasWriteDirectives = false;
    bool m_hasRunTimeQuoting = false;
};
