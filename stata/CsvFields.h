#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The fields of a run's output file: one line per grid row, fields separated
// by ";". A field holding ";", a double quote, a carriage return or a line
// feed is enclosed in double quotes with each inner double quote doubled, the
// common CSV convention that spreadsheets read; every other field stands as
// it is, so files without such fields read exactly as they always did.
class CsvFields
{
public:
    static constexpr QChar separator = u';';

    static bool needsQuotes(QStringView field);
    // The field as it is written into the file.
    static QString quoted(const QString &field);

    // The rows of a whole file's text. A line ends at "\n", "\r\n" or "\r"
    // outside quotes; a final line ending adds no empty row. A quote counts
    // only at the start of a field, so older files with stray quotes read as
    // before; an unclosed quote runs to the end of the text. False when the
    // text holds more than maximumFieldCount fields: rows then holds those
    // read so far.
    static bool parse(QStringView text, qint64 maximumFieldCount, QList<QStringList> *rows);
};
