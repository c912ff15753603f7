#include "stata/CsvFields.h"

namespace {

constexpr QChar quote = u'"';

bool isLineEnd(QChar character)
{
    return character == u'\n' || character == u'\r';
}

// The position after the line ending at position (which holds "\n" or "\r").
qsizetype afterLineEnd(QStringView text, qsizetype position)
{
    if (text.at(position) == u'\r' && position + 1 < text.size() && text.at(position + 1) == u'\n')
        return position + 2;
    return position + 1;
}

// Reads a quoted field from just after its opening quote; whatever follows
// the closing quote up to the separator or line end is kept, so nothing of a
// malformed field is lost. Returns the position after the field.
qsizetype readQuoted(QStringView text, qsizetype position, QString *field)
{
    const qsizetype size = text.size();
    while (position < size) {
        const QChar character = text.at(position++);
        if (character != quote) {
            field->append(character);
        } else if (position < size && text.at(position) == quote) {
            field->append(quote);
            ++position;
        } else {
            break;
        }
    }
    while (position < size && text.at(position) != CsvFields::separator &&
           !isLineEnd(text.at(position)))
        field->append(text.at(position++));
    return position;
}

qsizetype readPlain(QStringView text, qsizetype position, QString *field)
{
    const qsizetype start = position;
    while (position < text.size() && text.at(position) != CsvFields::separator &&
           !isLineEnd(text.at(position)))
        ++position;
    *field = text.mid(start, position - start).toString();
    return position;
}

} // namespace

bool CsvFields::needsQuotes(QStringView field)
{
    for (const QChar character : field) {
        if (character == separator || character == quote || isLineEnd(character))
            return true;
    }
    return false;
}

QString CsvFields::quoted(const QString &field)
{
    if (!needsQuotes(field))
        return field;
    QString text = field;
    text.replace(quote, QStringLiteral("\"\""));
    return quote + text + quote;
}

bool CsvFields::parse(QStringView text, qint64 maximumFieldCount, QList<QStringList> *rows)
{
    qint64 fieldCount = 0;
    qsizetype position = 0;
    QStringList row;
    while (position < text.size()) {
        if (++fieldCount > maximumFieldCount)
            return false;
        QString field;
        if (text.at(position) == quote)
            position = readQuoted(text, position + 1, &field);
        else
            position = readPlain(text, position, &field);
        row.append(field);
        if (position >= text.size())
            break;
        if (text.at(position) == separator) {
            ++position;
            // A separator at the very end still opens an empty last field.
            if (position == text.size())
                row.append(QString());
            continue;
        }
        position = afterLineEnd(text, position);
        rows->append(row);
        row.clear();
    }
    if (!row.isEmpty())
        rows->append(row);
    return true;
}
