#include "MacroExpander.h"

#include "MacroSource.h"
#include "StataError.h"

namespace {

// Stata/MP's longest macro holds 4,227,143 characters ([R] limits).
const qsizetype maximumLength = 4227143;
// Deeper than this only a macro that refers to itself reaches.
const int maximumDepth = 64;

bool isGlobalNameStart(QChar c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool isNameCharacter(QChar c)
{
    return isGlobalNameStart(c) || (c >= '0' && c <= '9');
}

} // namespace

QString MacroExpander::expand(const QString &text)
{
    return expandText(text, 0);
}

void MacroExpander::checkLength(const QString &text) const
{
    if (text.size() > maximumLength)
        throw StataError(920,
                         QStringLiteral("macro substitution results in line that is too long"));
}

QString MacroExpander::expandText(const QString &text, int depth)
{
    if (depth > maximumDepth)
        throw StataError(920, QStringLiteral("macro expansion nests too deeply"));
    QString out;
    const int n = int(text.size());
    int i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        const QChar next = i + 1 < n ? text.at(i + 1) : QChar();
        if (c == '\\') {
            int end = i;
            while (end < n && text.at(end) == '\\')
                ++end;
            const int run = end - i;
            if (end < n && (text.at(end) == '`' || text.at(end) == '$')) {
                out += QString(run / 2, '\\');
                if (run % 2 == 1) {
                    out += text.at(end); // escaped: literal, never expanded
                    ++end;
                }
            } else {
                out += text.mid(i, run);
            }
            i = end;
        } else if (c == '`' && next == '"') {
            out += QLatin1String("`\"");
            i += 2;
        } else if (c == '`') {
            const int end = expandLocal(text, i, depth, out);
            if (end < 0) {
                out += c;
                ++i;
            } else {
                i = end;
            }
        } else if (c == '$') {
            const int end = expandGlobal(text, i, depth, out);
            if (end < 0) {
                out += c;
                ++i;
            } else {
                i = end;
            }
        } else {
            out += c;
            ++i;
        }
        checkLength(out);
    }
    return out;
}

// text[start] is the opening `. Returns the position after the closing ', or
// -1 when there is none (the ` is then literal).
int MacroExpander::expandLocal(const QString &text, int start, int depth, QString &out)
{
    QString reference;
    const int n = int(text.size());
    int i = start + 1;
    while (i < n && text.at(i) != '\'') {
        const QChar c = text.at(i);
        const QChar next = i + 1 < n ? text.at(i + 1) : QChar();
        int end = -1;
        if (c == '`' && next != '"')
            end = expandLocal(text, i, depth, reference);
        else if (c == '$')
            end = expandGlobal(text, i, depth, reference);
        if (end < 0) {
            reference += c;
            ++i;
        } else {
            i = end;
        }
    }
    if (i >= n)
        return -1;
    out += resolveLocal(reference, depth);
    checkLength(out);
    return i + 1;
}

QString MacroExpander::resolveLocal(const QString &reference, int depth)
{
    if (reference.startsWith('='))
        return m_source.inlineExpression(reference.mid(1));
    if (reference.startsWith(':'))
        return m_source.inlineExtendedFunction(reference.mid(1));
    if (reference.startsWith(QLatin1String("macval(")) && reference.endsWith(')'))
        return m_source.localMacro(reference.mid(7, reference.size() - 8).trimmed());
    return expandText(m_source.localMacro(reference), depth + 1);
}

// text[start] is $. $name and ${name}; a $ before anything else is literal
// (returns -1).
int MacroExpander::expandGlobal(const QString &text, int start, int depth, QString &out)
{
    const int n = int(text.size());
    QString name;
    int end = start + 1;
    if (end < n && text.at(end) == '{') {
        const int close = int(text.indexOf('}', end));
        if (close < 0)
            return -1;
        name = expandText(text.mid(end + 1, close - end - 1), depth + 1);
        end = close + 1;
    } else {
        if (end >= n || !isGlobalNameStart(text.at(end)))
            return -1;
        while (end < n && isNameCharacter(text.at(end)) && end - start <= 32)
            ++end;
        name = text.mid(start + 1, end - start - 1);
    }
    out += expandText(m_source.globalMacro(name), depth + 1);
    checkLength(out);
    return end;
}
