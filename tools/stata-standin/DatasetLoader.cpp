#include "DatasetLoader.h"

#include "MissingValue.h"
#include "StataError.h"

#include <QFile>

#include <cmath>
#include <cstring>

namespace {

// Sequential reader over the file's bytes that refuses to run past the end.
class ByteReader
{
public:
    ByteReader(const QByteArray &bytes, bool bigEndian, const QString &fileName)
        : m_bytes(bytes)
        , m_bigEndian(bigEndian)
        , m_fileName(fileName)
    {}

    qint64 remaining() const { return m_bytes.size() - m_position; }

    const char *take(qint64 count)
    {
        if (count < 0 || count > remaining())
            throw StataError(
                610, QStringLiteral("file %1 is corrupt: it ends too soon").arg(m_fileName));
        const char *data = m_bytes.constData() + m_position;
        m_position += count;
        return data;
    }

    quint64 unsignedInteger(int size)
    {
        const auto *data = reinterpret_cast<const uchar *>(take(size));
        quint64 value = 0;
        for (int i = 0; i < size; ++i) {
            const int index = m_bigEndian ? i : size - 1 - i;
            value = (value << 8) | data[index];
        }
        return value;
    }

    QString text(int width)
    {
        const char *data = take(width);
        return QString::fromLatin1(data, int(qstrnlen(data, uint(width))));
    }

private:
    const QByteArray &m_bytes;
    qint64 m_position = 0;
    bool m_bigEndian;
    QString m_fileName;
};

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

// Missing values of the integer types are the largest codes of each type:
// byte 101 is ".", 102 to 127 are ".a" to ".z"; int from 32741, long from
// 2147483621 (the dta format description, "Representation of numbers").
double integerValue(qint64 value, qint64 firstMissing)
{
    return value >= firstMissing ? MissingValue::value(int(value - firstMissing)) : double(value);
}

double floatValue(quint32 bits)
{
    float number;
    std::memcpy(&number, &bits, sizeof number);
    // float missing values start at 2^127 (0x7f000000), one step of 2^115 apart.
    if (bits >= 0x7f000000u && bits < 0x80000000u)
        return MissingValue::value(int((bits - 0x7f000000u) >> 11));
    if (!std::isfinite(number))
        return MissingValue::value();
    return double(number);
}

double doubleValue(quint64 bits)
{
    double number;
    std::memcpy(&number, &bits, sizeof number);
    // double missing values start at 2^1023 (0x7fe0000000000000).
    if (bits >= 0x7fe0000000000000ull && bits < 0x8000000000000000ull)
        return MissingValue::value(int((bits - 0x7fe0000000000000ull) >> 40));
    if (!std::isfinite(number))
        return MissingValue::value();
    return number;
}

double readNumber(ByteReader &in, quint8 type)
{
    switch (type) {
    case 251:
        return integerValue(qint8(in.unsignedInteger(1)), 101);
    case 252:
        return integerValue(qint16(in.unsignedInteger(2)), 32741);
    case 253:
        return integerValue(qint32(in.unsignedInteger(4)), 2147483621);
    case 254:
        return floatValue(quint32(in.unsignedInteger(4)));
    default:
        return doubleValue(in.unsignedInteger(8));
    }
}

} // namespace

Dataset DatasetLoader::load(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw StataError(601, QStringLiteral("file %1 not found").arg(fileName));
    return fromBytes(file.readAll(), fileName);
}

Dataset DatasetLoader::fromBytes(const QByteArray &bytes, const QString &fileName)
{
    const auto notStata = [&fileName] {
        return StataError(610, QStringLiteral("file %1 not Stata format").arg(fileName));
    };
    if (bytes.size() < 109)
        throw notStata();
    if (quint8(bytes.at(0)) != 114)
        throw StataError(610, QStringLiteral("file %1 is not a release-114 dataset; the "
                                             "stand-in reads only that release")
                                  .arg(fileName));
    const quint8 byteOrder = quint8(bytes.at(1)); // 1 HILO (big-endian), 2 LOHI
    if (byteOrder != 1 && byteOrder != 2)
        throw notStata();

    ByteReader in(bytes, byteOrder == 1, fileName);
    in.take(4);
    const int variableCount = int(qint16(in.unsignedInteger(2)));
    const qint64 observationCount = qint32(in.unsignedInteger(4));
    if (variableCount < 0 || observationCount < 0)
        throw notStata();
    in.take(81 + 18); // data label, time stamp

    QList<Dataset::Variable> variables(variableCount);
    qint64 rowWidth = 0;
    for (Dataset::Variable &variable : variables) {
        variable.storageType = quint8(in.unsignedInteger(1));
        if (variable.storageType == 0 || (variable.storageType > 244 && variable.storageType < 251))
            throw notStata();
        rowWidth += storageWidth(variable.storageType);
    }
    for (Dataset::Variable &variable : variables)
        variable.name = in.text(33);
    in.take(2 * (qint64(variableCount) + 1)); // sort list
    in.take(49 * qint64(variableCount));      // display formats
    in.take(33 * qint64(variableCount));      // value-label names
    in.take(81 * qint64(variableCount));      // variable labels

    // Expansion fields: type byte, 4-byte length, contents; a zero type ends them.
    for (;;) {
        const quint8 type = quint8(in.unsignedInteger(1));
        const qint64 length = qint32(in.unsignedInteger(4));
        if (type == 0)
            break;
        in.take(length);
    }

    if (rowWidth > 0 && observationCount > in.remaining() / rowWidth)
        throw StataError(610, QStringLiteral("file %1 is corrupt: it holds fewer observations "
                                             "than its header says")
                                  .arg(fileName));
    for (Dataset::Variable &variable : variables) {
        if (variable.isString())
            variable.texts.reserve(observationCount);
        else
            variable.numbers.reserve(observationCount);
    }
    for (qint64 row = 0; row < observationCount; ++row) {
        for (Dataset::Variable &variable : variables) {
            if (variable.isString())
                variable.texts.append(in.text(variable.storageType));
            else
                variable.numbers.append(readNumber(in, variable.storageType));
        }
    }
    return Dataset(std::move(variables), int(observationCount));
}
