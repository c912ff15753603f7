#pragma once

#include <QString>

class ExpressionContext;

// Renders the directive lists of display, of the extended macro function
// ": display" and of "file write" ([P] display, [P] file): "strings",
// compound `"strings"', %fmt followed by an expression, expressions
// (parenthesised in file write), _n / _newline[(#)], _skip(#), _col(#) /
// _column(#), _char(#), _tab[(#)], and _c / _continue for display.
class DisplayDirectives
{
public:
    enum class Mode { Display, MacroFunction, FileWrite };

    DisplayDirectives(const ExpressionContext &context, Mode mode)
        : m_context(context)
        , m_mode(mode)
    {}

    // Throws StataError for anything it does not understand.
    QString render(const QString &text) const;
    // True after a display list that ended in _c (no line end wanted).
    bool continues() const { return m_continues; }

private:
    const ExpressionContext &m_context;
    Mode m_mode;
    mutable bool m_continues = false;
};
