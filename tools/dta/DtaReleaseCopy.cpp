#include "DtaReleaseCopy.h"

#include "ReadStatDtaWriter.h"

#include <QFile>
#include <QHash>
#include <QMap>

#include <memory>
#include <readstat.h>

namespace {

using Type = ReadStatDtaWriter::Type;

struct ParserDeleter
{
    void operator()(readstat_parser_t *parser) const { readstat_parser_free(parser); }
};

// What ReadStat delivers, gathered until the copy can be written.
struct Contents
{
    QList<ReadStatDtaWriter::Variable> variables;
    QMap<QString, ReadStatDtaWriter::ValueLabelSet> sets;
    QMap<int, QVariantList> observations;
    QString dataLabel;
};

Type typeOf(const readstat_variable_t *variable)
{
    switch (readstat_variable_get_type(variable)) {
    case READSTAT_TYPE_INT8:
        return Type::Byte;
    case READSTAT_TYPE_INT16:
        return Type::Int;
    case READSTAT_TYPE_INT32:
        return Type::Long;
    case READSTAT_TYPE_FLOAT:
        return Type::Float;
    case READSTAT_TYPE_DOUBLE:
        return Type::Double;
    default:
        // ReadStat counts a string's room for its NUL; a strL has none.
        return readstat_variable_get_storage_width(variable) == 0 ? Type::StrL : Type::String;
    }
}

int onMetadata(readstat_metadata_t *metadata, void *contents)
{
    const char *label = readstat_get_file_label(metadata);
    static_cast<Contents *>(contents)->dataLabel = QString::fromUtf8(label ? label : "");
    return READSTAT_HANDLER_OK;
}

int onVariable(int, readstat_variable_t *variable, const char *setName, void *contents)
{
    const Type type = typeOf(variable);
    const int width =
        type == Type::String ? int(readstat_variable_get_storage_width(variable)) - 1 : 0;
    static_cast<Contents *>(contents)->variables.append(
        {QString::fromUtf8(readstat_variable_get_name(variable)),
         QString::fromUtf8(readstat_variable_get_label(variable)), type, width,
         QString::fromUtf8(setName ? setName : "")});
    return READSTAT_HANDLER_OK;
}

int onValueLabel(const char *setName, readstat_value_t value, const char *label, void *contents)
{
    if (readstat_value_is_missing(value, nullptr))
        return READSTAT_HANDLER_OK;
    ReadStatDtaWriter::ValueLabelSet &set =
        static_cast<Contents *>(contents)->sets[QString::fromUtf8(setName)];
    set.name = QString::fromUtf8(setName);
    set.entries.append({readstat_int32_value(value), QString::fromUtf8(label)});
    return READSTAT_HANDLER_OK;
}

int onValue(int row, readstat_variable_t *variable, readstat_value_t value, void *contents)
{
    QVariant copied;
    if (readstat_value_type_class(value) == READSTAT_TYPE_CLASS_STRING)
        copied = QString::fromUtf8(readstat_string_value(value));
    else if (!readstat_value_is_missing(value, variable))
        copied = readstat_double_value(value);
    QVariantList &observation = static_cast<Contents *>(contents)->observations[row];
    observation.resize(readstat_variable_get_index(variable) + 1);
    observation[readstat_variable_get_index(variable)] = copied;
    return READSTAT_HANDLER_OK;
}

} // namespace

bool DtaReleaseCopy::write(const QString &source, const QString &target, int release,
                           QString *error)
{
    Contents contents;
    std::unique_ptr<readstat_parser_t, ParserDeleter> parser(readstat_parser_init());
    readstat_set_metadata_handler(parser.get(), &onMetadata);
    readstat_set_variable_handler(parser.get(), &onVariable);
    readstat_set_value_label_handler(parser.get(), &onValueLabel);
    readstat_set_value_handler(parser.get(), &onValue);
    const readstat_error_t result =
        readstat_parse_dta(parser.get(), QFile::encodeName(source).constData(), &contents);
    if (result != READSTAT_OK) {
        if (error)
            *error = QString::fromUtf8(readstat_error_message(result));
        return false;
    }
    ReadStatDtaWriter writer(release);
    writer.setDataLabel(contents.dataLabel);
    for (const ReadStatDtaWriter::Variable &variable : contents.variables)
        writer.addVariable(variable.name, variable.label, variable.type, variable.width,
                           variable.valueLabelSet);
    for (const ReadStatDtaWriter::ValueLabelSet &set : contents.sets)
        writer.addValueLabelSet(set);
    for (const QVariantList &observation : contents.observations)
        writer.addObservation(observation);
    return writer.writeFile(target, error);
}
