#pragma once

#include "Matrix.h"

#include <QList>
#include <QVector>

// The computations behind summarize and mean, on the non-missing values
// that the command selected, with the formulas of Stata's manuals ([R]
// summarize and [R] mean, Methods and formulas).
class Statistics
{
public:
    struct Summary
    {
        int count = 0;
        double sum = 0;
        double mean = 0;
        double variance = 0; // n - 1 denominator; missing for fewer than 2 values
        double minimum = 0;
        double maximum = 0;
        // With detail only.
        QList<QPair<int, double>> percentiles; // (p, value) for 1 5 10 25 50 75 90 95 99
        double skewness = 0;
        double kurtosis = 0;
    };

    static Summary summarize(QVector<double> values, bool detail);

    struct Means
    {
        Matrix b; // 1 x k
        Matrix V; // k x k: the covariance of the values over n
    };
    // columns[j] holds variable j's values over the same complete cases.
    static Means means(const QList<QVector<double>> &columns);

    // [R] summarize: with P = n p / 100, the p-th percentile is x(floor(P)+1)
    // when P is not a whole number, else (x(P) + x(P+1)) / 2, x sorted
    // ascending and counted from 1.
    static double percentile(const QVector<double> &sorted, int p);
};
