#include "DatasetLoader.h"

#include "MissingValue.h"
#include "StataError.h"

#include <QFile>
#include <QFileInfo>

#include <memory>
#include <readstat.h>

namespace {

struct ParserDeleter
{
    void operator()(readstat_parser_t *parser) const { readstat_parser_free(parser); }
};

// What ReadStat delivers, one column per variable.
struct Columns
{
    QList<Dataset::Variable> variables;
    qint64 rowCount = 0;
    qint64 fileSize = 0;
};

// The storage-type codes of release 114, which the interpreter knows:
// 251 byte .. 255 double, the width of a string up to 244, 0 for longer ones.
quint8 storageType(const readstat_variable_t *variable)
{
    switch (readstat_variable_get_type(variable)) {
    case READSTAT_TYPE_INT8:
        return 251;
    case READSTAT_TYPE_INT16:
        return 252;
    case READSTAT_TYPE_INT32:
        return 253;
    case READSTAT_TYPE_FLOAT:
        return 254;
    case READSTAT_TYPE_DOUBLE:
        return 255;
    default: {
        // ReadStat counts a string's room for its terminating NUL.
        const size_t width = readstat_variable_get_storage_width(variable);
        return width >= 2 && width <= 245 ? quint8(width - 1) : 0;
    }
    }
}

int onMetadata(readstat_metadata_t *metadata, void *columns)
{
    auto *self = static_cast<Columns *>(columns);
    self->rowCount = readstat_get_row_count(metadata);
    return READSTAT_HANDLER_OK;
}

int onVariable(int, readstat_variable_t *variable, const char *, void *columns)
{
    auto *self = static_cast<Columns *>(columns);
    Dataset::Variable column;
    column.name = QString::fromUtf8(readstat_variable_get_name(variable));
    column.storageType = storageType(variable);
    column.string = readstat_variable_get_type_class(variable) == READSTAT_TYPE_CLASS_STRING;
    // Every observation takes at least a byte of the file, so a header that
    // promises more cannot make the reservation run away.
    const qint64 reserved = qBound<qint64>(0, self->rowCount, self->fileSize);
    if (column.string)
        column.texts.reserve(reserved);
    else
        column.numbers.reserve(reserved);
    self->variables.append(column);
    return READSTAT_HANDLER_OK;
}

double numberOf(readstat_value_t value)
{
    if (readstat_value_is_tagged_missing(value))
        return MissingValue::value(readstat_value_tag(value) - 'a' + 1);
    if (readstat_value_is_system_missing(value))
        return MissingValue::value();
    return readstat_double_value(value);
}

int onValue(int, readstat_variable_t *variable, readstat_value_t value, void *columns)
{
    auto *self = static_cast<Columns *>(columns);
    Dataset::Variable &column = self->variables[readstat_variable_get_index(variable)];
    if (column.string)
        column.texts.append(QString::fromUtf8(readstat_string_value(value)));
    else
        column.numbers.append(numberOf(value));
    return READSTAT_HANDLER_OK;
}

} // namespace

Dataset DatasetLoader::load(const QString &fileName)
{
    if (!QFile::exists(fileName))
        throw StataError(601, QStringLiteral("file %1 not found").arg(fileName));
    Columns columns;
    columns.fileSize = QFileInfo(fileName).size();
    std::unique_ptr<readstat_parser_t, ParserDeleter> parser(readstat_parser_init());
    readstat_set_metadata_handler(parser.get(), &onMetadata);
    readstat_set_variable_handler(parser.get(), &onVariable);
    readstat_set_value_handler(parser.get(), &onValue);
    const readstat_error_t error =
        readstat_parse_dta(parser.get(), QFile::encodeName(fileName).constData(), &columns);
    if (error == READSTAT_ERROR_OPEN)
        throw StataError(601, QStringLiteral("file %1 not found").arg(fileName));
    if (error != READSTAT_OK)
        throw StataError(610, QStringLiteral("file %1 not Stata format (%2)")
                                  .arg(fileName, QString::fromUtf8(readstat_error_message(error))));
    for (const Dataset::Variable &column : columns.variables) {
        if ((column.string ? column.texts.size() : column.numbers.size()) != columns.rowCount)
            throw StataError(610, QStringLiteral("file %1 is corrupt: it holds fewer "
                                                 "observations than its header says")
                                      .arg(fileName));
    }
    return Dataset(std::move(columns.variables), int(columns.rowCount));
}
