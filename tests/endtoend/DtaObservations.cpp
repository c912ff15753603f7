#include "DtaObservations.h"

#include <QFile>

#include <limits>
#include <memory>
#include <readstat.h>

bool DtaObservations::readFile(const QString &fileName)
{
    m_names.clear();
    m_values.clear();
    const std::unique_ptr<readstat_parser_t, void (*)(readstat_parser_t *)> parser(
        readstat_parser_init(), &readstat_parser_free);
    readstat_set_variable_handler(parser.get(), &onVariable);
    readstat_set_value_handler(parser.get(), &onValue);
    const readstat_error_t error =
        readstat_parse_dta(parser.get(), QFile::encodeName(fileName).constData(), this);
    if (error != READSTAT_OK) {
        m_errorString = QString::fromUtf8(readstat_error_message(error));
        m_values.clear();
    }
    return error == READSTAT_OK;
}

double DtaObservations::value(int observation, const QString &variable) const
{
    const int column = int(m_names.indexOf(variable));
    if (observation < 0 || observation >= m_values.size() || column < 0)
        return std::numeric_limits<double>::quiet_NaN();
    return m_values.at(observation).at(column);
}

int DtaObservations::onVariable(int index, readstat_variable_t *variable, const char *,
                                void *observations)
{
    auto *self = static_cast<DtaObservations *>(observations);
    self->m_names.resize(index + 1);
    self->m_names[index] = QString::fromUtf8(readstat_variable_get_name(variable));
    return READSTAT_HANDLER_OK;
}

int DtaObservations::onValue(int row, readstat_variable_t *variable, readstat_value_t value,
                             void *observations)
{
    auto *self = static_cast<DtaObservations *>(observations);
    if (row >= self->m_values.size())
        self->m_values.resize(row + 1, QList<double>(self->m_names.size()));
    const bool number = readstat_value_type_class(value) == READSTAT_TYPE_CLASS_NUMERIC;
    self->m_values[row][readstat_variable_get_index(variable)] =
        number && !readstat_value_is_missing(value, variable)
            ? readstat_double_value(value)
            : std::numeric_limits<double>::quiet_NaN();
    return READSTAT_HANDLER_OK;
}
