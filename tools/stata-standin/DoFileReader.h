#pragma once

#include <QList>
#include <QString>

// One logical line of a do-file: comments removed, continued lines joined.
struct SourceLine
{
    int number = 0; // of the first physical line, 1-based
    QString text;
};

// Splits a do-file into logical lines the way Stata reads do-files
// ([U] 16.1.2 Comments and blank lines in do-files): a line whose first
// non-blank character is * is a comment; // starts a comment and /// joins
// the next line, both only at the start of a line or after a blank; /* */
// comments may span lines and nest. The stand-in does not look for comment
// marks inside quoted strings, so texts such as "a // b" stay whole.
class DoFileReader
{
public:
    // Throws StataError 601 when the file cannot be read.
    static QList<SourceLine> read(const QString &fileName);
    static QList<SourceLine> split(const QString &text);
};
