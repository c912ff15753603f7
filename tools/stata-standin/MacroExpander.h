#pragma once

#include <QString>

class MacroSource;

// Stata's macro expansion of a command line before the command runs
// ([U] 18.3 Macros, [P] macro):
// - `name' is the local macro name; references nest, the inner ones first,
//   so `t_`row'_`col'' names the macro t_1_2 when row is 1 and col is 2;
// - $name and ${name} are global macros;
// - `=exp' is the value of an expression, `:display ...' an extended macro
//   function, `macval(name)' the contents of a local without expanding the
//   references they hold;
// - the contents of a macro are themselves expanded when substituted (which
//   is why macval() exists);
// - `" and "' are compound double quotes and pass through untouched;
// - a backslash before ` or $ makes that character literal (no expansion);
//   in a run of backslashes before ` or $ each doubled backslash stands for
//   one backslash and an odd one left over escapes the ` or $, so "\\`x'"
//   gives a backslash followed by the contents of x (Stata tip 65, "Beware
//   the backstabbing backslash"); backslashes before anything else stay.
// - a ` without its closing ' is left as it is.
class MacroExpander
{
public:
    explicit MacroExpander(MacroSource &source)
        : m_source(source)
    {}

    // Throws StataError 920 when macros refer to themselves without end or
    // the line grows beyond what Stata allows.
    QString expand(const QString &text);

private:
    QString expandText(const QString &text, int depth);
    int expandLocal(const QString &text, int start, int depth, QString &out);
    int expandGlobal(const QString &text, int start, int depth, QString &out);
    QString resolveLocal(const QString &reference, int depth);
    void checkLength(const QString &text) const;

    MacroSource &m_source;
};
