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
    // Appends count observations whose every value is missing (empty for
    // strings), written after the added ones without being held in memory.
    void addBlankObservations(qint32 count) { m_blankObservationCount += count; }
    void addValueLabelSet(const ValueLabelSet &set) { m_valueLabelSets.append(set); }
    void addExpansionField(quint8 type, const QByteArray &contents);

    // Where each section of toByteArray() starts, for tests that cut or
    // corrupt a dataset at a known place.
    struct Sections
    {
        qint64 descriptors = 0;
        qint64 expansionFields = 0;
        qint64 data = 0;
        qint64 valueLabels = 0;
        QList<qint64> valueLabelTables;
        qint64 end = 0;
    };

    QByteArray toByteArray(Sections *sections = nullptr) const;
    bool writeFile(const QString &fileName) const;

    // Bytes one observation of this type takes.
    static int storageWidth(quint8 type);

private:
    class Buffer;
    void writeHeader(Buffer &out) const;
    void writeDescriptors(Buffer &out) const;
    void writeExpansionFields(Buffer &out) const;
    void writeData(Buffer &out) const;
    void writeObservation(Buffer &out, const QVariantList &observation) const;
    void writeValueLabels(Buffer &out, Sections &sections) const;

    quint8 m_release = 114;
    ByteOrder m_byteOrder = LittleEndian;
    QString m_dataLabel;
    QList<Variable> m_variables;
    QList<QVariantList> m_observations;
    qint32 m_blankObservationCount = 0;
    QList<ValueLabelSet> m_valueLabelSets;
    QList<QPair<quint8, QByteArray>> m_expansionFields;
};
