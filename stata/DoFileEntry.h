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
    // The macro's value is known only when Stata runs and may need quotes in
    // the output file; the do-file quotes it there, and the export section
    // must then write values that may hold double quotes.
    bool quotedAtRunTime = false;
};
