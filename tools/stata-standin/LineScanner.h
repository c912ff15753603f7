#pragma once

#include <QString>

// Reads the parts of one expanded command line: names, words, quoted strings
// (simple "..." and compound `"..."', which nest), and the text up to a
// top-level comma (where a command's options begin).
class LineScanner
{
public:
    explicit LineScanner(const QString &text)
        : m_text(text)
    {}

    void skipSpaces();
    bool atEnd();
    QChar peek();
    int position() const { return m_position; }
    void setPosition(int position) { m_position = position; }
    const QString &text() const { return m_text; }

    // [A-Za-z_][A-Za-z0-9_]*, or empty when none starts here.
    QString readName();
    // Characters up to a blank or a comma.
    QString readWord();
    // The keyword as a whole word (not the start of a longer name).
    bool consumeKeyword(const QString &keyword);
    bool consume(QChar character);
    bool atQuote();
    // Reads a simple or compound quoted string; throws StataError 198 when it
    // is not closed.
    QString readQuoted();
    // Up to the first comma outside quotes and brackets, trimmed.
    QString readUntilComma();
    QString rest();

    // Where the quoted string starting at start ends (the position after
    // it), or -1 when it is not closed.
    static int quotedEnd(const QString &text, int start);

private:
    QString m_text;
    int m_position = 0;
};
