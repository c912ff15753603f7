#pragma once

#include "StataValue.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

// The observations of a dataset in memory: one column per variable, numbers
// as doubles (missing values included) and strings as texts.
class Dataset
{
public:
    struct Variable
    {
        QString name;
        // Release-114 code: 1..244 str#, 251 byte .. 255 double, 0 for longer
        // strings and strL.
        quint8 storageType = 0;
        bool string = false;
        QVector<double> numbers;
        QStringList texts;
        bool isString() const { return string; }
    };

    Dataset() = default;
    Dataset(QList<Variable> variables, int observationCount)
        : m_variables(std::move(variables))
        , m_observationCount(observationCount)
    {}

    int observationCount() const { return m_observationCount; }
    int variableCount() const { return int(m_variables.size()); }
    const Variable &variable(int index) const { return m_variables.at(index); }
    StataValue value(int variable, int observation) const;

    // Finds a variable by its name or, as Stata does while "varabbrev" is on
    // (its default), by an abbreviation that fits exactly one variable.
    // Throws StataError 111 when none or several fit.
    int indexOf(const QString &name) const;

private:
    QList<Variable> m_variables;
    int m_observationCount = 0;
};
