#include "DisplayDirectives.h"

#include "DisplayFormatter.h"
#include "Expression.h"
#include "LineScanner.h"
#include "MissingValue.h"
#include "StataError.h"

#include <optional>

namespace {

// The count of a directive such as _skip(3); with no parentheses, 1.
int directiveCount(LineScanner &scanner, const ExpressionContext &context, bool required)
{
    if (scanner.text().mid(scanner.position(), 1) != QLatin1String("(")) {
        if (required)
            throw StataError::syntax(QStringLiteral("( expected"));
        return 1;
    }
    const int close = int(scanner.text().indexOf(')', scanner.position()));
    if (close < 0)
        throw StataError::syntax(QStringLiteral(") expected"));
    const QString inner =
        scanner.text().mid(scanner.position() + 1, close - scanner.position() - 1);
    scanner.setPosition(close + 1);
    const StataValue value = Expression::parse(inner, context).evaluate(0);
    if (value.isString || MissingValue::isMissing(value.number) || value.number < 0 ||
        value.number > 100000)
        throw StataError(198, QStringLiteral("invalid count in a display directive"));
    return int(value.number);
}

int currentColumn(const QString &out)
{
    const int lineStart = int(out.lastIndexOf('\n')) + 1;
    return int(out.size()) - lineStart + 1;
}

} // namespace

QString DisplayDirectives::render(const QString &text) const
{
    LineScanner scanner(text);
    QString out;
    std::optional<DisplayFormatter> format;
    m_continues = false;
    while (!scanner.atEnd()) {
        m_continues = false;
        if (scanner.atQuote()) {
            const QString literal = scanner.readQuoted();
            out += format && format->kind() == DisplayFormatter::Kind::String
                       ? format->formatText(literal)
                       : literal;
            format.reset();
            continue;
        }
        const QChar first = scanner.peek();
        if (first == '%') {
            const int start = scanner.position();
            int end = start + 1;
            while (end < text.size() && !text.at(end).isSpace() && text.at(end) != '(')
                ++end;
            format = DisplayFormatter::parse(text.mid(start, end - start));
            scanner.setPosition(end);
            continue;
        }
        if (first == '_') {
            const int start = scanner.position();
            const QString name = scanner.readName();
            if (name == QLatin1String("_n") || name == QLatin1String("_newline")) {
                out += QString(directiveCount(scanner, m_context, false), '\n');
                continue;
            }
            if (m_mode == Mode::Display &&
                (name == QLatin1String("_c") || name == QLatin1String("_continue"))) {
                m_continues = true;
                continue;
            }
            if (name == QLatin1String("_skip")) {
                out += QString(directiveCount(scanner, m_context, true), ' ');
                continue;
            }
            if (name == QLatin1String("_col") || name == QLatin1String("_column")) {
                const int column = directiveCount(scanner, m_context, true);
                out += QString(std::max(0, column - currentColumn(out)), ' ');
                continue;
            }
            if (name == QLatin1String("_char")) {
                out += QChar(directiveCount(scanner, m_context, true));
                continue;
            }
            if (name == QLatin1String("_tab")) {
                out += QString(directiveCount(scanner, m_context, false), '\t');
                continue;
            }
            scanner.setPosition(start); // an expression such as _N or _pi
        }
        if (m_mode == Mode::FileWrite && first != '(')
            throw StataError::syntax(
                QStringLiteral("file write: expressions must be in parentheses: %1")
                    .arg(text.mid(scanner.position())));
        int consumed = 0;
        const Expression expression =
            Expression::parsePrefix(text.mid(scanner.position()), m_context, &consumed);
        scanner.setPosition(scanner.position() + consumed);
        const StataValue value = expression.evaluate(0);
        if (format)
            out += format->format(value);
        else
            out += value.isString ? value.text : DisplayFormatter::displayDefault(value.number);
        format.reset();
    }
    if (format)
        throw StataError::syntax(QStringLiteral("a format must be followed by what it formats"));
    return out;
}
