#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

// Writes Stata datasets in the release-114 layout (Stata 10 to 12), for tests,
// benchmarks and the example survey. Texts are written as Latin-1.
class DtaWriter
{
public:
    // Storage-type codes of release 114: 1..244 are strings of that width.
    enum StorageType : quint8 { Byte = 251, Int = 252, Long = 253, Float = 254, Double = 255 };
    enum ByteOrder { LittleEndian, BigEndian };

    struct Variable
    {
        QString name;
        QString label;
        quint8 type = Double;
        QString valueLabelName;
        QString displayFormat;
    };

    struct ValueLabelSet
    {
        QString name;
        QList<QPair<qint32, QString>> entries;
    };

    void setRelease(quint8 release) { m_release = release; }
    void setByteOrder(ByteOrder byteOrder) { m_byteOrder = byteOrder; }
    void setDataLabel(const QString &label) { m_dataLabel = label; }

    void addVariable(const Variable &variable) { m_variables.append(variable); }
    void addVariable(const QString &name, const QString &label, quint8 type,
                     const QString &valueLabelName = QString());
    // One value per variable: a number, a string, or a null QVariant for
    // Stata's system missing value.
    void addObservation(const QVariantList &values) { m_observations.append(values); }
    void addValueLabelSet(const ValueLabelSet &set) { m_valueLabelSets.append(set); }
    void addExpansionField(quint8 type, const QByteArray &contents);

    QByteArray toByteArray() const;
    bool writeFile(const QString &fileName) const;

    // Bytes one observation of this type takes.
    static int storageWidth(quint8 type);

private:
    class Buffer;
    void writeHeader(Buffer &out) const;
    void writeDescriptors(Buffer &out) const;
    void writeExpansionFields(Buffer &out) const;
    void writeData(Buffer &out) const;
    void writeValueLabels(Buffer &out) const;

    quint8 m_release = 114;
    ByteOrder m_byteOrder = LittleEndian;
    QString m_dataLabel;
    QList<Variable> m_variables;
    QList<QVariantList> m_observations;
    QList<ValueLabelSet> m_valueLabelSets;
    QList<QPair<quint8, QByteArray>> m_expansionFields;
};
