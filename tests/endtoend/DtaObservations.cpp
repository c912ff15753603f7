#include "DtaObservations.h"

#include <QFile>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Storage types of release 114; 1 to 244 are strings.
constexpr quint8 byteType = 251;
constexpr quint8 intType = 252;
constexpr quint8 longType = 253;
constexpr quint8 floatType = 254;
constexpr quint8 doubleType = 255;

constexpr int headerSize = 109;
constexpr int nameSize = 33;
constexpr int formatSize = 49;
constexpr int variableLabelSize = 81;

int width(quint8 type)
{
    switch (type) {
    case byteType:
        return 1;
    case intType:
        return 2;
    case longType:
    case floatType:
        return 4;
    case doubleType:
        return 8;
    }
    return 0;
}

} // namespace

bool DtaObservations::readFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    m_file = file.readAll();
    m_position = 0;
    return readHeader() && readDescriptors() && skipExpansionFields() && readData();
}

double DtaObservations::value(int observation, const QString &variable) const
{
    const int column = int(m_names.indexOf(variable));
    if (observation < 0 || observation >= m_values.size() || column < 0)
        return std::numeric_limits<double>::quiet_NaN();
    return m_values.at(observation).at(column);
}

bool DtaObservations::fail(const QString &reason)
{
    m_errorString = reason;
    m_values.clear();
    return false;
}

bool DtaObservations::readHeader()
{
    QByteArray header;
    if (!take(headerSize, header) || quint8(header.at(0)) != 114)
        return fail(QStringLiteral("not a release-114 dataset"));
    m_bigEndian = header.at(1) == 1;
    m_variableCount = int(unsignedNumber(header.mid(4, 2)));
    m_observationCount = qint64(unsignedNumber(header.mid(6, 4)));
    return true;
}

bool DtaObservations::readDescriptors()
{
    QByteArray bytes;
    if (!take(m_variableCount, bytes))
        return fail(QStringLiteral("no type list"));
    for (const char type : bytes) {
        if (width(quint8(type)) == 0)
            return fail(QStringLiteral("a variable is not numeric"));
        m_types.append(quint8(type));
    }
    for (int i = 0; i < m_variableCount; ++i) {
        if (!take(nameSize, bytes))
            return fail(QStringLiteral("no variable names"));
        m_names.append(QString::fromLatin1(bytes.constData()));
    }
    // Sort list, formats, value-label names and variable labels.
    const qint64 rest = 2 * (m_variableCount + 1) +
                        qint64(m_variableCount) * (formatSize + nameSize + variableLabelSize);
    return take(rest, bytes) || fail(QStringLiteral("descriptors cut short"));
}

bool DtaObservations::skipExpansionFields()
{
    QByteArray field;
    for (;;) {
        if (!take(5, field))
            return fail(QStringLiteral("expansion fields cut short"));
        const qint64 length = qint64(unsignedNumber(field.mid(1, 4)));
        if (field.at(0) == 0 && length == 0)
            return true;
        if (!take(length, field))
            return fail(QStringLiteral("expansion fields cut short"));
    }
}

bool DtaObservations::readData()
{
    for (qint64 i = 0; i < m_observationCount; ++i) {
        QList<double> observation;
        for (const quint8 type : m_types) {
            double number = 0;
            if (!readNumber(type, number))
                return fail(QStringLiteral("observations cut short"));
            observation.append(number);
        }
        m_values.append(observation);
    }
    return true;
}

// Values above each type's largest non-missing value are Stata's missing
// values (. and .a to .z): from 101, 32741 and 2147483621 for the integers,
// from 2^127 and 2^1023 for the reals.
bool DtaObservations::readNumber(quint8 type, double &number)
{
    QByteArray bytes;
    if (!take(width(type), bytes))
        return false;
    const quint64 raw = unsignedNumber(bytes);
    const double missing = std::numeric_limits<double>::quiet_NaN();
    switch (type) {
    case byteType:
        number = qint8(raw) > 100 ? missing : qint8(raw);
        break;
    case intType:
        number = qint16(raw) > 32740 ? missing : qint16(raw);
        break;
    case longType:
        number = qint32(raw) > 2147483620 ? missing : qint32(raw);
        break;
    case floatType: {
        const quint32 bits = quint32(raw);
        float real = 0;
        std::memcpy(&real, &bits, sizeof real);
        number = real >= std::ldexp(1.0f, 127) ? missing : double(real);
        break;
    }
    case doubleType: {
        double real = 0;
        std::memcpy(&real, &raw, sizeof real);
        number = real >= std::ldexp(1.0, 1023) ? missing : real;
        break;
    }
    }
    return true;
}

bool DtaObservations::take(qint64 size, QByteArray &bytes)
{
    if (size < 0 || size > m_file.size() - m_position)
        return false;
    bytes = m_file.mid(m_position, size);
    m_position += size;
    return true;
}

quint64 DtaObservations::unsignedNumber(const QByteArray &bytes) const
{
    quint64 number = 0;
    for (int i = 0; i < bytes.size(); ++i) {
        const int index = m_bigEndian ? i : int(bytes.size()) - 1 - i;
        number = (number << 8) | quint8(bytes.at(index));
    }
    return number;
}
