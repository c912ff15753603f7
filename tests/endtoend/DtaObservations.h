#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The numeric observations of a Stata dataset, read with ReadStat. Tests
// compute the figures a table should show from these, without going through
// Quorin's dataset reader (which skips the observations) or the Stata
// stand-in that computes the table.
class DtaObservations
{
public:
    // False, with errorString() set, when ReadStat cannot read the file.
    bool readFile(const QString &fileName);

    QString errorString() const { return m_errorString; }
    int observationCount() const { return int(m_values.size()); }
    // The value of a variable in an observation; NaN for Stata's missing
    // values and for strings.
    double value(int observation, const QString &variable) const;

private:
    static int onVariable(int index, struct readstat_variable_s *variable, const char *,
                          void *observations);
    static int onValue(int row, struct readstat_variable_s *variable, struct readstat_value_s value,
                       void *observations);

    QStringList m_names;
    QList<QList<double>> m_values;
    QString m_errorString;
};
