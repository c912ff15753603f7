#pragma once

#include <QFile>
#include <QHash>
#include <QStringList>

#include <cmath>
#include <memory>
#include <readstat.h>

// The variables of a Stata dataset by name, a value per observation (NaN for
// missing values and strings), read with ReadStat: tests compute the figures
// a table should show from these, without Quorin's dataset reader (which
// skips the observations) or the Stata stand-in that computes the table.
// Empty when ReadStat cannot read the file.
using DtaColumns = QHash<QString, QList<double>>;

inline DtaColumns readDtaColumns(const QString &fileName)
{
    struct Reading
    {
        QStringList names;
        DtaColumns columns;
    } reading;
    const std::unique_ptr<readstat_parser_t, void (*)(readstat_parser_t *)> parser(
        readstat_parser_init(), &readstat_parser_free);
    readstat_set_variable_handler(
        parser.get(), [](int, readstat_variable_t *variable, const char *, void *data) {
            static_cast<Reading *>(data)->names.append(readstat_variable_get_name(variable));
            return int(READSTAT_HANDLER_OK);
        });
    // ReadStat hands the values over observation by observation, in the
    // variables' order.
    readstat_set_value_handler(
        parser.get(), [](int, readstat_variable_t *variable, readstat_value_t value, void *data) {
            auto *reading = static_cast<Reading *>(data);
            const bool number = readstat_value_type_class(value) == READSTAT_TYPE_CLASS_NUMERIC &&
                                !readstat_value_is_missing(value, variable);
            reading->columns[reading->names.at(readstat_variable_get_index(variable))].append(
                number ? readstat_double_value(value) : NAN);
            return int(READSTAT_HANDLER_OK);
        });
    const QByteArray name = QFile::encodeName(fileName);
    return readstat_parse_dta(parser.get(), name.constData(), &reading) == READSTAT_OK
               ? reading.columns
               : DtaColumns();
}
