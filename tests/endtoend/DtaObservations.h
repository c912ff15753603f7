#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The numeric observations of a small release-114 Stata dataset, read
// straight from the file's bytes. Tests compute the figures a table should
// show from these, without going through Quorin's dataset reader (which
// skips the observations) or the Stata stand-in that computes the table.
class DtaObservations
{
public:
    // False, with errorString() set, for anything but a complete release-114
    // file of numeric variables.
    bool readFile(const QString &fileName);

    QString errorString() const { return m_errorString; }
    const QStringList &variableNames() const { return m_names; }
    int observationCount() const { return int(m_values.size()); }
    // The value of a variable in an observation; NaN for Stata's missing
    // values.
    double value(int observation, const QString &variable) const;

private:
    bool fail(const QString &reason);
    bool readHeader();
    bool readDescriptors();
    bool skipExpansionFields();
    bool readData();
    bool readNumber(quint8 type, double &number);
    bool take(qint64 size, QByteArray &bytes);
    quint64 unsignedNumber(const QByteArray &bytes) const;

    QByteArray m_file;
    qint64 m_position = 0;
    bool m_bigEndian = false;
    int m_variableCount = 0;
    qint64 m_observationCount = 0;
    QList<quint8> m_types;
    QStringList m_names;
    QList<QList<double>> m_values;
    QString m_errorString;
};
