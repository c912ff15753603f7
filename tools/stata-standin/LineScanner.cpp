#include "LineScanner.h"

#include "StataError.h"

namespace {

bool isNameStart(QChar c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool isNameCharacter(QChar c)
{
    return isNameStart(c) || (c >= '0' && c <= '9');
}

} // namespace

void LineScanner::skipSpaces()
{
    while (m_position < m_text.size() && m_text.at(m_position).isSpace())
        ++m_position;
}

bool LineScanner::atEnd()
{
    skipSpaces();
    return m_position >= m_text.size();
}

QChar LineScanner::peek()
{
    skipSpaces();
    return m_position < m_text.size() ? m_text.at(m_position) : QChar();
}

QString LineScanner::readName()
{
    skipSpaces();
    const int start = m_position;
    if (m_position < m_text.size() && isNameStart(m_text.at(m_position))) {
        while (m_position < m_text.size() && isNameCharacter(m_text.at(m_position)))
            ++m_position;
    }
    return m_text.mid(start, m_position - start);
}

QString LineScanner::readWord()
{
    skipSpaces();
    const int start = m_position;
    while (m_position < m_text.size() && !m_text.at(m_position).isSpace() &&
           m_text.at(m_position) != ',')
        ++m_position;
    return m_text.mid(start, m_position - start);
}

bool LineScanner::consumeKeyword(const QString &keyword)
{
    skipSpaces();
    if (!m_text.mid(m_position).startsWith(keyword))
        return false;
    const int end = m_position + int(keyword.size());
    if (end < m_text.size() && isNameCharacter(m_text.at(end)))
        return false;
    m_position = end;
    return true;
}

bool LineScanner::consume(QChar character)
{
    if (peek() != character)
        return false;
    ++m_position;
    return true;
}

bool LineScanner::atQuote()
{
    skipSpaces();
    return m_text.mid(m_position, 1) == QLatin1String("\"") ||
           m_text.mid(m_position, 2) == QLatin1String("`\"");
}

int LineScanner::quotedEnd(const QString &text, int start)
{
    if (text.mid(start, 1) == QLatin1String("\"")) {
        const int close = int(text.indexOf('"', start + 1));
        return close < 0 ? -1 : close + 1;
    }
    int depth = 0;
    int i = start;
    while (i < text.size()) {
        if (text.mid(i, 2) == QLatin1String("`\"")) {
            ++depth;
            i += 2;
        } else if (text.mid(i, 2) == QLatin1String("\"'")) {
            if (--depth == 0)
                return i + 2;
            i += 2;
        } else {
            ++i;
        }
    }
    return -1;
}

QString LineScanner::readQuoted()
{
    skipSpaces();
    const int end = quotedEnd(m_text, m_position);
    if (end < 0)
        throw StataError(198, QStringLiteral("too few quotes"));
    const bool compound = m_text.at(m_position) == '`';
    const int open = compound ? 2 : 1;
    const QString content = m_text.mid(m_position + open, end - m_position - 2 * open);
    m_position = end;
    return content;
}

QString LineScanner::readUntilComma()
{
    skipSpaces();
    const int start = m_position;
    int depth = 0;
    while (m_position < m_text.size()) {
        const QChar c = m_text.at(m_position);
        if (c == '"' || (c == '`' && m_text.mid(m_position, 2) == QLatin1String("`\""))) {
            const int end = quotedEnd(m_text, m_position);
            if (end < 0)
                throw StataError(198, QStringLiteral("too few quotes"));
            m_position = end;
            continue;
        }
        if (c == '(' || c == '[')
            ++depth;
        else if (c == ')' || c == ']')
            --depth;
        else if (c == ',' && depth <= 0)
            break;
        ++m_position;
    }
    return m_text.mid(start, m_position - start).trimmed();
}

QString LineScanner::rest()
{
    skipSpaces();
    const QString text = m_text.mid(m_position).trimmed();
    m_position = int(m_text.size());
    return text;
}
