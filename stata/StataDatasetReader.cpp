#include "stata/StataDatasetReader.h"

#include <QFile>
#include <QIODevice>
#include <QLocale>
#include <QtEndian>

#include <cstring>

namespace {

constexpr quint8 release114 = 114;
constexpr quint8 byteOrderHilo = 1;
constexpr quint8 byteOrderLohi = 2;

// Header: release, byte order, file type, unused, nvar (2), nobs (4), data
// label (81), time stamp (18).
constexpr qint64 headerSize = 109;
constexpr int nameFieldWidth = 33;
constexpr int formatFieldWidth = 49;
constexpr int labelFieldWidth = 81;
// Per variable: type byte, name, sort-list entry, display format, value-label
// name and variable label; the sort list has one more entry, its terminator.
constexpr qint64 descriptorBytesPerVariable =
    1 + nameFieldWidth + 2 + formatFieldWidth + nameFieldWidth + labelFieldWidth;
constexpr qint64 expansionRecordHeaderSize = 5;
// Value-label table header: length, set name, padding, n, txtlen.
constexpr qint64 tableHeaderSize = 4 + nameFieldWidth + 3 + 4 + 4;

bool isValidStorageType(quint8 type)
{
    return (type >= 1 && type <= 244) || type >= 251;
}

// Bytes one observation of the storage type takes: strings their length,
// byte 1, int 2, long and float 4, double 8.
int storageWidth(quint8 type)
{
    switch (type) {
    case 251:
        return 1;
    case 252:
        return 2;
    case 253:
    case 254:
        return 4;
    case 255:
        return 8;
    default:
        return type;
    }
}

// The text of a fixed-width field, up to its first NUL.
QByteArray fieldBytes(const QByteArray &bytes, qsizetype offset, int width)
{
    const char *start = bytes.constData() + offset;
    return QByteArray(start, qsizetype(qstrnlen(start, uint(width))));
}

QString fieldText(const QByteArray &bytes, qsizetype offset, int width)
{
    return QString::fromLatin1(fieldBytes(bytes, offset, width));
}

} // namespace

StataDatasetReader::StataDatasetReader(QIODevice &device)
    : m_device(device)
{}

StataDatasetReader::Result StataDatasetReader::read(QIODevice &device, QList<Variable> &variables)
{
    if (!device.isOpen() || !device.isReadable() || device.isSequential() || !device.seek(0))
        return CannotOpen;
    StataDatasetReader reader(device);
    const Result result = reader.readAll();
    if (result == Success)
        variables.append(reader.m_variables);
    return result;
}

QString StataDatasetReader::message(Result result)
{
    switch (result) {
    case CannotOpen:
        return tr("Cannot read the file");
    case NotFormat114:
        return tr("Not format-114 dataset.");
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

StataDatasetReader::Result StataDatasetReader::readAll()
{
    m_size = m_device.size();
    Result result = readHeader();
    if (result == Success && (!readDescriptors() || !skipExpansionFields() || !skipObservations()))
        result = NotComplete;
    if (result == Success)
        result = readValueLabelTables();
    // The device failed to deliver bytes the file has: a read error, not a
    // damaged dataset.
    return m_deviceFailed ? CannotOpen : result;
}

StataDatasetReader::Result StataDatasetReader::readHeader()
{
    QByteArray header;
    if (!readExactly(qMin(headerSize, remaining()), header) || header.isEmpty())
        return NotComplete;
    if (quint8(header.at(0)) != release114)
        return NotFormat114;
    if (header.size() < headerSize)
        return NotComplete;
    const quint8 byteOrder = quint8(header.at(1));
    if (byteOrder != byteOrderHilo && byteOrder != byteOrderLohi)
        return NotComplete;
    m_bigEndian = byteOrder == byteOrderHilo;
    m_variableCount = int16At(header, 4);
    m_observationCount = int32At(header, 6);
    if (m_variableCount < 0 || m_observationCount < 0)
        return NotComplete;
    return Success;
}

bool StataDatasetReader::readDescriptors()
{
    const qint64 count = m_variableCount;
    QByteArray bytes;
    if (!readExactly(descriptorBytesPerVariable * count + 2, bytes))
        return false;
    const qsizetype namesAt = count;
    const qsizetype setNamesAt =
        namesAt + nameFieldWidth * count + 2 * (count + 1) + formatFieldWidth * count;
    const qsizetype labelsAt = setNamesAt + nameFieldWidth * count;

    m_variables.reserve(count);
    for (int i = 0; i < count; ++i) {
        const quint8 type = quint8(bytes.at(i));
        // An unknown type has no known width, so the observations could not
        // be skipped and everything after them would be misread.
        if (!isValidStorageType(type))
            return false;
        m_observationWidth += storageWidth(type);
        m_variables.append(
            Variable(fieldText(bytes, namesAt + nameFieldWidth * i, nameFieldWidth),
                     fieldText(bytes, labelsAt + labelFieldWidth * i, labelFieldWidth), type));
        const QByteArray setName =
            fieldBytes(bytes, setNamesAt + nameFieldWidth * i, nameFieldWidth);
        // Stata names are never empty; an empty name means "no value labels"
        // and must not match a table that a corrupt file calls "".
        if (!setName.isEmpty())
            m_variablesBySetName[setName].append(i);
    }
    return true;
}

bool StataDatasetReader::skipExpansionFields()
{
    // Records of type, length and contents, up to and including one of type 0.
    // A file that ends before that record is cut short.
    while (true) {
        QByteArray record;
        if (!readExactly(expansionRecordHeaderSize, record))
            return false;
        const qint32 length = int32At(record, 1);
        if (!skip(length))
            return false;
        if (record.at(0) == 0)
            return true;
    }
}

bool StataDatasetReader::skipObservations()
{
    return skip(qint64(m_observationCount) * m_observationWidth);
}

StataDatasetReader::Result StataDatasetReader::readValueLabelTables()
{
    while (remaining() > 0) {
        const Result result = readValueLabelTable();
        if (result != Success)
            return result;
    }
    return Success;
}

StataDatasetReader::Result StataDatasetReader::readValueLabelTable()
{
    QByteArray header;
    if (!readExactly(tableHeaderSize, header))
        return NotComplete;
    const QByteArray setName = fieldBytes(header, 4, nameFieldWidth);
    const qint32 entryCount = int32At(header, 40);
    const qint32 textLength = int32At(header, 44);
    if (entryCount < 0 || textLength < 0)
        return NotComplete;
    // Offsets and values, then the text area.
    const qint64 bodySize = 8 * qint64(entryCount) + textLength;
    const QList<int> users = m_variablesBySetName.value(setName);
    if (users.isEmpty())
        return skip(bodySize) ? Success : NotComplete;

    QByteArray body;
    if (!readExactly(bodySize, body))
        return NotComplete;
    m_modalityCount += qint64(entryCount) * users.size();
    if (m_modalityCount > maximumModalities)
        return TooManyLabels;

    QList<qint32> values;
    values.reserve(entryCount);
    const qsizetype valuesAt = 4 * qsizetype(entryCount);
    for (qint32 j = 0; j < entryCount; ++j)
        values.append(int32At(body, valuesAt + 4 * j));

    // The labels stand in the text area in entry order, each ended by a NUL;
    // an empty label is a lone NUL and keeps the following ones in place.
    // Fewer labels than entries would pair labels with the wrong values.
    QList<QString> labels;
    labels.reserve(entryCount);
    const char *text = body.constData() + 8 * qsizetype(entryCount);
    const char *const end = text + textLength;
    for (qint32 j = 0; j < entryCount; ++j) {
        const auto *nul = static_cast<const char *>(std::memchr(text, 0, size_t(end - text)));
        if (!nul)
            return NotComplete;
        labels.append(QString::fromLatin1(text, nul - text));
        text = nul + 1;
    }

    for (int i : users) {
        Variable &variable = m_variables[i];
        QList<Modality> modalities = variable.modalities();
        modalities.reserve(modalities.size() + entryCount);
        for (qint32 j = 0; j < entryCount; ++j)
            modalities.append(Modality(QString::number(values.at(j)), labels.at(j), variable.name(),
                                       variable.label()));
        variable.setModalities(modalities);
    }
    return Success;
}

qint64 StataDatasetReader::remaining() const
{
    return m_size - m_device.pos();
}

// Every read is checked against what is left of the file before its buffer
// is allocated, so no count in the file can make us allocate more than it holds.
bool StataDatasetReader::readExactly(qint64 size, QByteArray &bytes)
{
    if (size < 0 || size > remaining())
        return false;
    bytes = m_device.read(size);
    m_deviceFailed = bytes.size() != size;
    return !m_deviceFailed;
}

bool StataDatasetReader::skip(qint64 size)
{
    if (size < 0 || size > remaining())
        return false;
    m_deviceFailed = !m_device.seek(m_device.pos() + size);
    return !m_deviceFailed;
}

qint32 StataDatasetReader::int32At(const QByteArray &bytes, qsizetype offset) const
{
    const char *at = bytes.constData() + offset;
    return m_bigEndian ? qFromBigEndian<qint32>(at) : qFromLittleEndian<qint32>(at);
}

qint16 StataDatasetReader::int16At(const QByteArray &bytes, qsizetype offset) const
{
    const char *at = bytes.constData() + offset;
    return m_bigEndian ? qFromBigEndian<qint16>(at) : qFromLittleEndian<qint16>(at);
}

StataDatasetReader::Result readStataDataset(QList<Variable> &variables, const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return StataDatasetReader::CannotOpen;
    return StataDatasetReader::read(file, variables);
}
