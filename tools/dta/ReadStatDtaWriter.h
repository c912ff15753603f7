#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

// Writes Stata datasets of any release from 104 to 119 through ReadStat's
// writer, for tests, benchmarks and fuzz seeds. Texts are written in the
// release's own encoding: Windows-1252 before 118, UTF-8 from 118 on. The
// files come out little-endian, as ReadStat writes them.
class ReadStatDtaWriter
{
public:
    enum class Type { Byte, Int, Long, Float, Double, String, StrL };

    struct Variable
    {
        QString name;
        QString label;
        Type type = Type::Double;
        int width = 0; // bytes of a String
        QString valueLabelSet;
    };

    struct ValueLabelSet
    {
        QString name;
        QList<QPair<qint32, QString>> entries;
    };

    explicit ReadStatDtaWriter(int release = 118)
        : m_release(release)
    {}

    int release() const { return m_release; }
    void setDataLabel(const QString &label) { m_dataLabel = label; }
    void addVariable(const QString &name, const QString &label, Type type, int width = 0,
                     const QString &valueLabelSet = QString())
    {
        m_variables.append(Variable{name, label, type, width, valueLabelSet});
    }
    void addValueLabelSet(const ValueLabelSet &set) { m_valueLabelSets.append(set); }
    // One value per variable: a number, a text, or a null QVariant for
    // Stata's system missing value (an empty text for strings).
    void addObservation(const QVariantList &values) { m_observations.append(values); }
    // Appends count observations whose every value is missing, written after
    // the added ones without being held in memory.
    void addBlankObservations(qint64 count) { m_blankObservationCount += count; }

    // The file's bytes; empty, with the reason in *error, when ReadStat
    // refuses what was described.
    QByteArray toByteArray(QString *error = nullptr) const;
    bool writeFile(const QString &fileName, QString *error = nullptr) const;

private:
    QByteArray encoded(const QString &text) const;

    int m_release;
    QString m_dataLabel;
    QList<Variable> m_variables;
    QList<ValueLabelSet> m_valueLabelSets;
    QList<QVariantList> m_observations;
    qint64 m_blankObservationCount = 0;
};
