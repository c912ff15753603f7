#include "DtaWriter.h"

#include <QFile>
#include <QSaveFile>

#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

// Byte-order aware appender.
class DtaWriter::Buffer
{
public:
    explicit Buffer(ByteOrder order)
        : m_order(order)
    {}

    template <typename Int>
    void integer(Int value)
    {
        using Unsigned = std::make_unsigned_t<Int>;
        const auto bits = static_cast<Unsigned>(value);
        const int size = int(sizeof(Int));
        for (int i = 0; i < size; ++i) {
            const int shift = 8 * (m_order == LittleEndian ? i : size - 1 - i);
            bytes.append(char((bits >> shift) & 0xff));
        }
    }

    void real(double value)
    {
        quint64 bits;
        std::memcpy(&bits, &value, sizeof bits);
        integer(bits);
    }

    void real(float value)
    {
        quint32 bits;
        std::memcpy(&bits, &value, sizeof bits);
        integer(bits);
    }

    // A text in a fixed field, cut to fit and padded with NULs.
    void field(const QString &text, int width)
    {
        QByteArray latin1 = text.toLatin1().left(width - 1);
        latin1.append(QByteArray(width - latin1.size(), '\0'));
        bytes.append(latin1);
    }

    QByteArray bytes;

private:
    ByteOrder m_order;
};

void DtaWriter::addVariable(const QString &name, const QString &label, quint8 type,
                            const QString &valueLabelName)
{
    addVariable(Variable{name, label, type, valueLabelName, QString()});
}

void DtaWriter::addExpansionField(quint8 type, const QByteArray &contents)
{
    m_expansionFields.append({type, contents});
}

int DtaWriter::storageWidth(quint8 type)
{
    switch (type) {
    case Byte:
        return 1;
    case Int:
        return 2;
    case Long:
    case Float:
        return 4;
    case Double:
        return 8;
    default:
        return type;
    }
}

QByteArray DtaWriter::toByteArray(Sections *sections) const
{
    Sections at;
    Buffer out(m_byteOrder);
    writeHeader(out);
    at.descriptors = out.bytes.size();
    writeDescriptors(out);
    at.expansionFields = out.bytes.size();
    writeExpansionFields(out);
    at.data = out.bytes.size();
    writeData(out);
    at.valueLabels = out.bytes.size();
    writeValueLabels(out, at);
    at.end = out.bytes.size();
    if (sections)
        *sections = at;
    return out.bytes;
}

bool DtaWriter::writeFile(const QString &fileName) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(toByteArray());
    return file.commit();
}

void DtaWriter::writeHeader(Buffer &out) const
{
    out.integer(quint8(m_release));
    out.integer(quint8(m_byteOrder == LittleEndian ? 2 : 1));
    out.integer(quint8(1)); // file type
    out.integer(quint8(0)); // unused
    out.integer(qint16(m_variables.size()));
    out.integer(qint32(m_observations.size() + m_blankObservationCount));
    out.field(m_dataLabel, 81);
    out.field(QStringLiteral(" 6 Dec 2026 09:00"), 18);
}

void DtaWriter::writeDescriptors(Buffer &out) const
{
    for (const Variable &variable : m_variables)
        out.integer(variable.type);
    for (const Variable &variable : m_variables)
        out.field(variable.name, 33);
    for (int i = 0; i <= m_variables.size(); ++i)
        out.integer(qint16(0)); // sort list
    for (const Variable &variable : m_variables) {
        QString format = variable.displayFormat;
        if (format.isEmpty())
            format = variable.type <= 244 ? QStringLiteral("%%1s").arg(variable.type)
                                          : QStringLiteral("%9.0g");
        out.field(format, 49);
    }
    for (const Variable &variable : m_variables)
        out.field(variable.valueLabelName, 33);
    for (const Variable &variable : m_variables)
        out.field(variable.label, 81);
}

void DtaWriter::writeExpansionFields(Buffer &out) const
{
    for (const auto &field : m_expansionFields) {
        out.integer(field.first);
        out.integer(qint32(field.second.size()));
        out.bytes.append(field.second);
    }
    out.integer(quint8(0));
    out.integer(qint32(0));
}

void DtaWriter::writeData(Buffer &out) const
{
    for (const QVariantList &observation : m_observations)
        writeObservation(out, observation);
    if (m_blankObservationCount <= 0)
        return;
    Buffer blank(m_byteOrder);
    writeObservation(blank, QVariantList());
    out.bytes.reserve(out.bytes.size() + qsizetype(blank.bytes.size()) * m_blankObservationCount);
    for (qint32 i = 0; i < m_blankObservationCount; ++i)
        out.bytes.append(blank.bytes);
}

void DtaWriter::writeObservation(Buffer &out, const QVariantList &observation) const
{
    for (int i = 0; i < m_variables.size(); ++i) {
        const quint8 type = m_variables.at(i).type;
        const QVariant value = observation.value(i);
        const bool missing = value.isNull();
        const double number = value.toDouble();
        switch (type) {
        case Byte:
            out.integer(qint8(missing ? 101 : number));
            break;
        case Int:
            out.integer(qint16(missing ? 32741 : number));
            break;
        case Long:
            out.integer(qint32(missing ? 2147483621 : number));
            break;
        case Float:
            out.real(missing ? std::ldexp(1.0f, 127) : float(number));
            break;
        case Double:
            out.real(missing ? std::ldexp(1.0, 1023) : number);
            break;
        default:
            out.field(value.toString(), type + 1);
            out.bytes.chop(1); // string fields need no room for a NUL
            break;
        }
    }
}

void DtaWriter::writeValueLabels(Buffer &out, Sections &sections) const
{
    for (const ValueLabelSet &set : m_valueLabelSets) {
        sections.valueLabelTables.append(out.bytes.size());
        QByteArray text;
        QList<qint32> offsets;
        for (const auto &entry : set.entries) {
            offsets.append(qint32(text.size()));
            text.append(entry.second.toLatin1());
            text.append('\0');
        }
        const qint32 n = qint32(set.entries.size());
        out.integer(qint32(8 + 8 * n + text.size()));
        out.field(set.name, 33);
        out.bytes.append(QByteArray(3, '\0'));
        out.integer(n);
        out.integer(qint32(text.size()));
        for (qint32 offset : offsets)
            out.integer(offset);
        for (const auto &entry : set.entries)
            out.integer(entry.first);
        out.bytes.append(text);
    }
}
