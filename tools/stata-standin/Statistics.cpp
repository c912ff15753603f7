#include "Statistics.h"

#include "MissingValue.h"

#include <algorithm>
#include <cmath>

Statistics::Summary Statistics::summarize(QVector<double> values, bool detail)
{
    Summary summary;
    summary.count = int(values.size());
    if (values.isEmpty())
        return summary;
    double sum = 0;
    summary.minimum = values.first();
    summary.maximum = values.first();
    for (double value : values) {
        sum += value;
        summary.minimum = std::min(summary.minimum, value);
        summary.maximum = std::max(summary.maximum, value);
    }
    const double n = double(values.size());
    summary.sum = sum;
    summary.mean = sum / n;
    // Deviations from the mean, a second pass, keep the variance exact for
    // data far from zero.
    double squares = 0;
    double cubes = 0;
    double fourths = 0;
    for (double value : values) {
        const double deviation = value - summary.mean;
        squares += deviation * deviation;
        cubes += deviation * deviation * deviation;
        fourths += deviation * deviation * deviation * deviation;
    }
    summary.variance = values.size() > 1 ? squares / (n - 1) : MissingValue::value();
    if (detail) {
        std::sort(values.begin(), values.end());
        for (int p : {1, 5, 10, 25, 50, 75, 90, 95, 99})
            summary.percentiles.append({p, percentile(values, p)});
        // Skewness and kurtosis use the moments with an n denominator.
        const double m2 = squares / n;
        summary.skewness = m2 > 0 ? (cubes / n) / std::pow(m2, 1.5) : MissingValue::value();
        summary.kurtosis = m2 > 0 ? (fourths / n) / (m2 * m2) : MissingValue::value();
    }
    return summary;
}

double Statistics::percentile(const QVector<double> &sorted, int p)
{
    const qint64 n = sorted.size();
    // n p / 100 in integers, so whole numbers are recognised exactly.
    const qint64 whole = n * p / 100;
    const bool exact = (n * p) % 100 == 0;
    if (!exact)
        return sorted.at(whole);
    if (whole == 0)
        return sorted.first();
    if (whole >= n)
        return sorted.last();
    return (sorted.at(whole - 1) + sorted.at(whole)) / 2;
}

Statistics::Means Statistics::means(const QList<QVector<double>> &columns)
{
    const int k = int(columns.size());
    const int n = k > 0 ? int(columns.first().size()) : 0;
    Means result;
    result.b = Matrix::filled(1, k);
    result.V = Matrix::filled(k, k, MissingValue::value());
    for (int j = 0; j < k; ++j) {
        double sum = 0;
        for (double value : columns.at(j))
            sum += value;
        result.b.set(0, j, sum / n);
    }
    if (n < 2)
        return result;
    for (int a = 0; a < k; ++a) {
        for (int c = 0; c < k; ++c) {
            double products = 0;
            for (int i = 0; i < n; ++i)
                products += (columns.at(a).at(i) - result.b.at(0, a)) *
                            (columns.at(c).at(i) - result.b.at(0, c));
            result.V.set(a, c, products / (n - 1) / n);
        }
    }
    return result;
}
