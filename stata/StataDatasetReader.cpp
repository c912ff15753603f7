#include "stata/StataDatasetReader.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QIODevice>
#include <QLocale>
#include <QStringDecoder>

#include <charconv>
#include <climits>
#include <cstring>
#include <limits>
#include <readstat.h>

namespace {

// The first release whose texts are UTF-8; earlier ones are Windows-1252,
// the encoding of Stata for Windows, which wrote nearly every such file.
constexpr int firstUtf8Release = 118;

// The first release whose sections stand between tags, up to a closing one.
constexpr int firstXmlRelease = 117;

// The length field that opens a value-label table: two bytes in release 104,
// four after it.
size_t tableLengthSize(int release)
{
    return release <= 104 ? 2 : 4;
}

// Bytes of a value-label set's name in the variable descriptors and the
// tables. ReadStat hands the names over as they stand in the file, where a
// name of full length has no terminating NUL.
qsizetype setNameSize(int release)
{
    return release < 110 ? 9 : release < 118 ? 33 : 129;
}

QByteArrayView setNameBytes(const char *name, int release)
{
    return QByteArrayView(name, qsizetype(qstrnlen(name, uint(setNameSize(release)))));
}

// Whether the first bytes of a file can begin a Stata dataset: the XML-like
// header of releases 117 to 119, or the release byte of 104 to 116 followed by
// the byte order (1 or 2) and the file type (1). A shorter piece of either
// counts too, so that a file cut early is a damaged dataset, not a foreign file.
bool beginsLikeStataDataset(const QByteArray &head)
{
    static const QByteArray xmlStart("<stata_dta><header><release>");
    if (head.startsWith('<')) {
        if (!xmlStart.startsWith(head.left(xmlStart.size())))
            return false;
        const QByteArray release = head.mid(xmlStart.size(), 3);
        return QByteArray("119").startsWith(release) || QByteArray("118").startsWith(release) ||
               QByteArray("117").startsWith(release);
    }
    if (head.isEmpty())
        return true;
    const auto release = quint8(head.at(0));
    if (release < 104 || release > 116)
        return false;
    if (head.size() > 1 && head.at(1) != 1 && head.at(1) != 2)
        return false;
    return head.size() <= 2 || head.at(2) == 1;
}

// One import: the device ReadStat reads through and what it delivers.
class Import
{
public:
    explicit Import(QIODevice &device)
        : m_device(device)
        , m_size(device.size())
    {}

    StataDatasetReader::Result run();
    QList<Variable> &variables() { return m_variables; }

private:
    static int open(const char *, void *) { return 0; }
    static int close(void *) { return 0; }
    static readstat_off_t seek(readstat_off_t offset, readstat_io_flags_t whence, void *import);
    static ssize_t read(void *buffer, size_t size, void *import);
    static readstat_error_t update(long, readstat_progress_handler, void *, void *)
    {
        return READSTAT_OK;
    }
    static int onMetadata(readstat_metadata_t *metadata, void *import);
    static int onVariable(int, readstat_variable_t *variable, const char *setName, void *import);
    static int onValueLabel(const char *setName, readstat_value_t value, const char *label,
                            void *import);

    StataDatasetReader::Result resultOf(readstat_error_t error) const;
    bool copyFromDevice(char *buffer, qint64 size);
    bool readDevice(qint64 position, char *buffer, qint64 size);
    bool endsWithClosingTag();
    QString text(const char *bytes);
    void appendPendingLabel(readstat_value_t value, const char *label);
    QByteArrayView valueText(readstat_value_t value);
    QByteArrayView integerText(qint32 value);
    void attachPendingLabels();
    static quint8 varType(const readstat_variable_t *variable);

    QIODevice &m_device;
    const qint64 m_size;
    // ReadStat's view of the file position; it may seek past the end, as
    // with a file descriptor, and then reads nothing.
    qint64 m_position = 0;
    bool m_deviceFailed = false;
    bool m_endsEarly = false;
    static constexpr qint64 blockSize = 64 * 1024;
    QByteArray m_block;
    qint64 m_blockStart = 0;
    int m_release = 0;
    QStringDecoder m_windows1252{"windows-1252"};
    QList<Variable> m_variables;
    // Variables by the name of the value-label set they use.
    QHash<QByteArray, QList<int>> m_usersBySetName;
    qint64 m_modalityCount = 0;
    bool m_tooManyLabels = false;
    // The set whose labels ReadStat is delivering: its name, its variables
    // and its labels so far.
    QByteArray m_pendingSetName;
    QList<int> m_pendingUsers;
    ModalityTexts m_pendingLabels;
    char m_valueText[16];
    QByteArray m_doubleText;
};

StataDatasetReader::Result Import::run()
{
    m_device.seek(0);
    if (!beginsLikeStataDataset(m_device.peek(32)))
        return StataDatasetReader::NotReadable;

    readstat_parser_t *parser = readstat_parser_init();
    readstat_set_open_handler(parser, &Import::open);
    readstat_set_close_handler(parser, &Import::close);
    readstat_set_seek_handler(parser, &Import::seek);
    readstat_set_read_handler(parser, &Import::read);
    readstat_set_update_handler(parser, &Import::update);
    readstat_set_io_ctx(parser, this);
    readstat_set_metadata_handler(parser, &Import::onMetadata);
    readstat_set_variable_handler(parser, &Import::onVariable);
    readstat_set_value_label_handler(parser, &Import::onValueLabel);
    // Texts arrive as the file holds them and are decoded here: ReadStat's own
    // conversion refuses a whole file for one byte that Windows-1252 leaves
    // undefined, which older files from other systems do hold. Without a value
    // handler ReadStat skips the observations instead of reading them.
    readstat_set_handler_character_encoding(parser, nullptr);
    const readstat_error_t error = readstat_parse_dta(parser, "", this);
    readstat_parser_free(parser);
    attachPendingLabels();
    const StataDatasetReader::Result result = resultOf(error);
    // ReadStat stops after the last value-label table; a file cut in the
    // closing tags after it is still cut.
    if (result == StataDatasetReader::Success && m_release >= firstXmlRelease &&
        !endsWithClosingTag())
        return StataDatasetReader::NotComplete;
    return result;
}

bool Import::endsWithClosingTag()
{
    static const QByteArray closingTag("</stata_dta>");
    return m_size >= closingTag.size() && m_device.seek(m_size - closingTag.size()) &&
           m_device.read(closingTag.size()) == closingTag;
}

StataDatasetReader::Result Import::resultOf(readstat_error_t error) const
{
    if (m_deviceFailed)
        return StataDatasetReader::CannotOpen;
    if (m_tooManyLabels)
        return StataDatasetReader::TooManyLabels;
    switch (error) {
    case READSTAT_OK:
        return m_endsEarly ? StataDatasetReader::NotComplete : StataDatasetReader::Success;
    case READSTAT_ERROR_OPEN:
        return StataDatasetReader::CannotOpen;
    case READSTAT_ERROR_UNSUPPORTED_FILE_FORMAT_VERSION:
    case READSTAT_ERROR_UNSUPPORTED_COMPRESSION:
    case READSTAT_ERROR_UNSUPPORTED_CHARSET:
        return StataDatasetReader::NotReadable;
    default:
        // It began as a dataset; whatever went wrong after that is damage.
        return StataDatasetReader::NotComplete;
    }
}

readstat_off_t Import::seek(readstat_off_t offset, readstat_io_flags_t whence, void *import)
{
    auto *self = static_cast<Import *>(import);
    qint64 base = 0;
    if (whence == READSTAT_SEEK_CUR)
        base = self->m_position;
    else if (whence == READSTAT_SEEK_END)
        base = self->m_size;
    if (offset < 0 ? offset < -base : offset > std::numeric_limits<qint64>::max() - base)
        return -1;
    self->m_position = base + offset;
    return self->m_position;
}

// Datasets before release 117 have no closing mark: their value-label tables
// run to the end of the file, and ReadStat takes an empty read of the next
// table's length there for the end of the tables. Every other read
// that the file cannot fill marks it as cut short.
ssize_t Import::read(void *buffer, size_t size, void *import)
{
    auto *self = static_cast<Import *>(import);
    const qint64 left = self->m_size - self->m_position;
    const qint64 wanted = qMin(qint64(qMin<size_t>(size, SSIZE_MAX)), qMax<qint64>(left, 0));
    const bool endOfTables =
        left == 0 && size == tableLengthSize(self->m_release) && self->m_release < firstXmlRelease;
    if (wanted < qint64(size) && !endOfTables)
        self->m_endsEarly = true;
    if (wanted == 0)
        return 0;
    if (!self->copyFromDevice(static_cast<char *>(buffer), wanted)) {
        self->m_deviceFailed = true;
        return -1;
    }
    self->m_position += wanted;
    return ssize_t(wanted);
}

// ReadStat reads a few bytes at a time and skips padding by seeking, so the
// file is read in blocks of its own: a seek within a block costs nothing,
// and the observations, which ReadStat seeks over, are never read.
bool Import::copyFromDevice(char *buffer, qint64 size)
{
    const qint64 blockEnd = m_blockStart + m_block.size();
    if (m_position < m_blockStart || m_position + size > blockEnd) {
        if (size > blockSize)
            return readDevice(m_position, buffer, size);
        m_block.resize(qMin<qint64>(blockSize, m_size - m_position));
        m_blockStart = m_position;
        if (!readDevice(m_position, m_block.data(), m_block.size())) {
            m_block.clear();
            return false;
        }
    }
    std::memcpy(buffer, m_block.constData() + (m_position - m_blockStart), size_t(size));
    return true;
}

// A device that fails to deliver bytes the file has gives a read error, not a
// damaged dataset.
bool Import::readDevice(qint64 position, char *buffer, qint64 size)
{
    return (m_device.pos() == position || m_device.seek(position)) &&
           m_device.read(buffer, size) == size;
}

int Import::onMetadata(readstat_metadata_t *metadata, void *import)
{
    auto *self = static_cast<Import *>(import);
    self->m_release = readstat_get_file_format_version(metadata);
    // ReadStat has already allocated as much per variable itself.
    const int variables = qBound(0, readstat_get_var_count(metadata), 1 << 16);
    self->m_variables.reserve(variables);
    self->m_usersBySetName.reserve(variables);
    return READSTAT_HANDLER_OK;
}

int Import::onVariable(int, readstat_variable_t *variable, const char *setName, void *import)
{
    auto *self = static_cast<Import *>(import);
    // A variable without value labels has no set name; an empty one must not
    // match a set that a damaged file calls "".
    if (setName && *setName)
        self->m_usersBySetName[setNameBytes(setName, self->m_release).toByteArray()].append(
            int(self->m_variables.size()));
    self->m_variables.append(Variable(self->text(readstat_variable_get_name(variable)),
                                      self->text(readstat_variable_get_label(variable)),
                                      varType(variable)));
    return READSTAT_HANDLER_OK;
}

// ReadStat delivers the labels of one set after another, so a set's labels
// are gathered and attached to its variables in one go when the next set
// begins: each variable's list is then allocated once.
int Import::onValueLabel(const char *setName, readstat_value_t value, const char *label,
                         void *import)
{
    auto *self = static_cast<Import *>(import);
    const QByteArrayView name = setNameBytes(setName, self->m_release);
    if (name != self->m_pendingSetName) {
        self->attachPendingLabels();
        self->m_pendingSetName = name.toByteArray();
        self->m_pendingUsers = self->m_usersBySetName.value(self->m_pendingSetName);
    }
    if (self->m_pendingUsers.isEmpty())
        return READSTAT_HANDLER_OK;
    self->m_modalityCount += self->m_pendingUsers.size();
    if (self->m_modalityCount > StataDatasetReader::maximumModalities) {
        self->m_tooManyLabels = true;
        return READSTAT_HANDLER_ABORT;
    }
    self->appendPendingLabel(value, label);
    return READSTAT_HANDLER_OK;
}

// Labels in UTF-8 are kept as they come; older ones are decoded first.
void Import::appendPendingLabel(readstat_value_t value, const char *label)
{
    const QByteArrayView valueBytes = valueText(value);
    const QByteArrayView labelBytes(label ? label : "");
    if (m_release >= firstUtf8Release)
        m_pendingLabels.appendUtf8(valueBytes, labelBytes);
    else
        m_pendingLabels.append(QString::fromLatin1(valueBytes), text(labelBytes.data()));
}

// Labelled values as Stata writes them in a condition: integers in decimal,
// the extended missing values as ".a" to ".z". The text lasts until the next
// call.
QByteArrayView Import::valueText(readstat_value_t value)
{
    if (readstat_value_is_tagged_missing(value)) {
        m_valueText[0] = '.';
        m_valueText[1] = readstat_value_tag(value);
        return QByteArrayView(m_valueText, 2);
    }
    if (readstat_value_is_system_missing(value))
        return QByteArrayView(".");
    switch (readstat_value_type(value)) {
    case READSTAT_TYPE_INT8:
        return integerText(readstat_int8_value(value));
    case READSTAT_TYPE_INT16:
        return integerText(readstat_int16_value(value));
    case READSTAT_TYPE_INT32:
        return integerText(readstat_int32_value(value));
    default:
        m_doubleText = QByteArray::number(readstat_double_value(value), 'g', 17);
        return m_doubleText;
    }
}

QByteArrayView Import::integerText(qint32 value)
{
    const std::to_chars_result end =
        std::to_chars(m_valueText, m_valueText + sizeof m_valueText, value);
    return QByteArrayView(m_valueText, end.ptr - m_valueText);
}

// Variables that share a set share its texts, copied out at their size: the
// pending ones keep their room for the next set. A variable whose set
// appears twice in a damaged file keeps the labels of both.
void Import::attachPendingLabels()
{
    ModalityTexts texts = m_pendingLabels;
    texts.squeeze();
    m_pendingLabels.clear();
    for (int index : std::as_const(m_pendingUsers)) {
        Variable &variable = m_variables[index];
        if (variable.modalityCount() == 0) {
            variable.setModalityTexts(texts);
            continue;
        }
        QList<Modality> modalities = variable.modalities();
        for (qsizetype i = 0; i < texts.size(); ++i)
            modalities.append(
                Modality(texts.value(i), texts.valueLabel(i), variable.name(), variable.label()));
        variable.setModalities(modalities);
    }
}

QString Import::text(const char *bytes)
{
    if (!bytes)
        return QString();
    const QByteArrayView view(bytes, qstrlen(bytes));
    if (m_release >= firstUtf8Release)
        return QString::fromUtf8(view);
    if (!m_windows1252.isValid())
        return QString::fromLatin1(view);
    return m_windows1252.decode(view);
}

// The storage-type codes documents keep, those of release 114: 251 byte,
// 252 int, 253 long, 254 float, 255 double, N for a string of N bytes up to
// 244, and 0, as for a variable typed in by hand, for longer strings and strL.
quint8 Import::varType(const readstat_variable_t *variable)
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
    case READSTAT_TYPE_STRING: {
        // ReadStat counts a string's room for its terminating NUL; strL has none.
        const size_t width = readstat_variable_get_storage_width(variable);
        return width >= 2 && width <= 245 ? quint8(width - 1) : 0;
    }
    case READSTAT_TYPE_STRING_REF:
        break;
    }
    return 0;
}

} // namespace

StataDatasetReader::Result StataDatasetReader::read(QIODevice &device, QList<Variable> &variables)
{
    if (!device.isOpen() || !device.isReadable() || device.isSequential())
        return CannotOpen;
    Import import(device);
    const Result result = import.run();
    if (result == Success && variables.isEmpty())
        variables = std::move(import.variables());
    else if (result == Success)
        variables.append(import.variables());
    return result;
}

QString StataDatasetReader::message(Result result)
{
    switch (result) {
    case CannotOpen:
        return tr("Cannot read the file");
    case NotReadable:
        return tr("The file is not a Stata dataset Quorin can read.");
    case NotComplete:
        return tr("The file is not a complete Stata dataset.");
    case TooManyLabels:
        return tr("The variables of this dataset carry more than %1 value labels in all, more "
                  "than Quorin can import.")
            .arg(QLocale().toString(maximumModalities));
    case Success:
        break;
    }
    return QString();
}

StataDatasetReader::Result readStataDataset(QList<Variable> &variables, const QString &fileName)
{
    QFile file(fileName);
    // The reader reads in blocks of its own.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return StataDatasetReader::CannotOpen;
    return StataDatasetReader::read(file, variables);
}
