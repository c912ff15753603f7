#pragma once

#include <QList>

#include <cmath>

// The figures Stata's summarize reports, computed plainly, for tests that
// check results against an independent computation.
inline double sampleMean(const QList<double> &values)
{
    double sum = 0;
    for (double value : values)
        sum += value;
    return sum / values.size();
}

// The sample standard deviation (n - 1 in the denominator).
inline double sampleStandardDeviation(const QList<double> &values)
{
    const double mean = sampleMean(values);
    double squares = 0;
    for (double value : values)
        squares += (value - mean) * (value - mean);
    return std::sqrt(squares / (values.size() - 1));
}
