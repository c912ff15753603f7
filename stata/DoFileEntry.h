#pragma once

#include <QString>

// The do-file lines of one non-void cell.
struct DoFileEntry
{
    // The statistic cell's final command; empty for text and condition cells.
    QString mainCommand;
    // The line or lines (joined by "\n") that define the cell's macro.
    QString macroCommand;
    // The macro holds file-write directives instead of the text itself (see
    // StataText), so the export section must write it unquoted.
    bool definesWriteDirectives = false;
};
