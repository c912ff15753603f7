#include "ReadStatDtaWriter.h"

#include <QHash>
#include <QSaveFile>
#include <QStringEncoder>

#include <algorithm>
#include <memory>
#include <readstat.h>

namespace {

readstat_type_t readStatType(ReadStatDtaWriter::Type type)
{
    switch (type) {
    case ReadStatDtaWriter::Type::Byte:
        return READSTAT_TYPE_INT8;
    case ReadStatDtaWriter::Type::Int:
        return READSTAT_TYPE_INT16;
    case ReadStatDtaWriter::Type::Long:
        return READSTAT_TYPE_INT32;
    case ReadStatDtaWriter::Type::Float:
        return READSTAT_TYPE_FLOAT;
    case ReadStatDtaWriter::Type::Double:
        return READSTAT_TYPE_DOUBLE;
    case ReadStatDtaWriter::Type::String:
        return READSTAT_TYPE_STRING;
    case ReadStatDtaWriter::Type::StrL:
        return READSTAT_TYPE_STRING_REF;
    }
    return READSTAT_TYPE_DOUBLE;
}

ssize_t appendBytes(const void *data, size_t size, void *bytes)
{
    static_cast<QByteArray *>(bytes)->append(static_cast<const char *>(data), qsizetype(size));
    return ssize_t(size);
}

readstat_error_t insertNumber(readstat_writer_t *writer, const readstat_variable_t *variable,
                              double number)
{
    switch (readstat_variable_get_type(variable)) {
    case READSTAT_TYPE_INT8:
        return readstat_insert_int8_value(writer, variable, int8_t(number));
    case READSTAT_TYPE_INT16:
        return readstat_insert_int16_value(writer, variable, int16_t(number));
    case READSTAT_TYPE_INT32:
        return readstat_insert_int32_value(writer, variable, int32_t(number));
    case READSTAT_TYPE_FLOAT:
        return readstat_insert_float_value(writer, variable, float(number));
    default:
        return readstat_insert_double_value(writer, variable, number);
    }
}

struct WriterDeleter
{
    void operator()(readstat_writer_t *writer) const { readstat_writer_free(writer); }
};

} // namespace

QByteArray ReadStatDtaWriter::encoded(const QString &text) const
{
    if (m_release >= 118)
        return text.toUtf8();
    QStringEncoder windows1252("windows-1252");
    return windows1252.encode(text);
}

QByteArray ReadStatDtaWriter::toByteArray(QString *error) const
{
    QByteArray bytes;
    std::unique_ptr<readstat_writer_t, WriterDeleter> writer(readstat_writer_init());
    readstat_writer_t *w = writer.get();
    readstat_set_data_writer(w, &appendBytes);
    readstat_writer_set_file_format_version(w, uint8_t(m_release));
    readstat_writer_set_file_label(w, encoded(m_dataLabel).constData());
    // A fixed time stamp keeps the files the same from run to run.
    readstat_writer_set_file_timestamp(w, 1796544000);

    QHash<QString, readstat_label_set_t *> sets;
    for (const ValueLabelSet &set : m_valueLabelSets) {
        readstat_label_set_t *labels =
            readstat_add_label_set(w, READSTAT_TYPE_INT32, encoded(set.name).constData());
        for (const auto &entry : set.entries)
            readstat_label_int32_value(labels, entry.first, encoded(entry.second).constData());
        sets.insert(set.name, labels);
    }
    QList<readstat_variable_t *> variables;
    for (const Variable &variable : m_variables) {
        readstat_variable_t *added =
            readstat_add_variable(w, encoded(variable.name).constData(),
                                  readStatType(variable.type), size_t(variable.width));
        readstat_variable_set_label(added, encoded(variable.label).constData());
        if (sets.contains(variable.valueLabelSet))
            readstat_variable_set_label_set(added, sets.value(variable.valueLabelSet));
        variables.append(added);
    }

    // ReadStat lays out the file when writing begins, so every strL text must
    // be known by then: one per strL value of the added observations, and one
    // empty text that all blank observations share.
    QList<QList<readstat_string_ref_t *>> strLs;
    for (const QVariantList &observation : m_observations) {
        QList<readstat_string_ref_t *> row(m_variables.size());
        for (int i = 0; i < m_variables.size(); ++i)
            if (m_variables.at(i).type == Type::StrL)
                row[i] = readstat_add_string_ref(
                    w, encoded(observation.value(i).toString()).constData());
        strLs.append(row);
    }
    const bool hasStrL =
        std::any_of(m_variables.cbegin(), m_variables.cend(),
                    [](const Variable &variable) { return variable.type == Type::StrL; });
    readstat_string_ref_t *emptyStrL =
        hasStrL && m_blankObservationCount > 0 ? readstat_add_string_ref(w, "") : nullptr;

    readstat_error_t result = readstat_begin_writing_dta(
        w, &bytes, long(m_observations.size() + m_blankObservationCount));
    const auto writeRow = [&](const QVariantList &observation,
                              const QList<readstat_string_ref_t *> &rowStrLs) {
        readstat_error_t rowResult = readstat_begin_row(w);
        for (int i = 0; i < m_variables.size() && rowResult == READSTAT_OK; ++i) {
            const QVariant value = observation.value(i);
            readstat_variable_t *variable = variables.at(i);
            switch (m_variables.at(i).type) {
            case Type::String:
                rowResult = readstat_insert_string_value(w, variable,
                                                         encoded(value.toString()).constData());
                break;
            case Type::StrL:
                rowResult = readstat_insert_string_ref(w, variable, rowStrLs.value(i, emptyStrL));
                break;
            default:
                rowResult = value.isNull() ? readstat_insert_missing_value(w, variable)
                                           : insertNumber(w, variable, value.toDouble());
                break;
            }
        }
        return rowResult == READSTAT_OK ? readstat_end_row(w) : rowResult;
    };
    for (int row = 0; row < m_observations.size() && result == READSTAT_OK; ++row)
        result = writeRow(m_observations.at(row), strLs.at(row));
    for (qint64 row = 0; row < m_blankObservationCount && result == READSTAT_OK; ++row)
        result = writeRow(QVariantList(), {});
    if (result == READSTAT_OK)
        result = readstat_end_writing(w);
    if (result != READSTAT_OK) {
        if (error)
            *error = QString::fromUtf8(readstat_error_message(result));
        return QByteArray();
    }
    return bytes;
}

bool ReadStatDtaWriter::writeFile(const QString &fileName, QString *error) const
{
    const QByteArray bytes = toByteArray(error);
    if (bytes.isEmpty())
        return false;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
