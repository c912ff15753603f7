#include "StudentT.h"

#include <cmath>

double StudentT::upperTail(double df, double t)
{
    const double half = 0.5 * regularizedIncompleteBeta(df / 2, 0.5, df / (df + t * t));
    return t >= 0 ? half : 1 - half;
}

double StudentT::inverseUpperTail(double df, double p)
{
    // upperTail falls as t grows: bracket the answer, then halve the bracket.
    double low = -1;
    double high = 1;
    while (upperTail(df, low) < p && low > -1e12)
        low *= 2;
    while (upperTail(df, high) > p && high < 1e12)
        high *= 2;
    for (int i = 0; i < 200 && high - low > 1e-15 * std::fabs(high); ++i) {
        const double middle = (low + high) / 2;
        if (upperTail(df, middle) > p)
            low = middle;
        else
            high = middle;
    }
    return (low + high) / 2;
}

double StudentT::regularizedIncompleteBeta(double a, double b, double x)
{
    if (x <= 0)
        return 0;
    if (x >= 1)
        return 1;
    const double front = std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) +
                                  a * std::log(x) + b * std::log(1 - x));
    // The continued fraction converges fast on the side of the mean.
    if (x < (a + 1) / (a + b + 2))
        return front * betaContinuedFraction(a, b, x) / a;
    return 1 - front * betaContinuedFraction(b, a, 1 - x) / b;
}

// The continued fraction of the incomplete beta function, evaluated with
// Lentz's method.
double StudentT::betaContinuedFraction(double a, double b, double x)
{
    const double tiny = 1e-300;
    const auto guarded = [tiny](double value) { return std::fabs(value) < tiny ? tiny : value; };
    double c = 1;
    double d = 1 / guarded(1 - (a + b) * x / (a + 1));
    double h = d;
    for (int m = 1; m <= 500; ++m) {
        const double even = m * (b - m) * x / ((a + 2 * m - 1) * (a + 2 * m));
        d = 1 / guarded(1 + even * d);
        c = guarded(1 + even / c);
        h *= d * c;
        const double odd = -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 2 * m + 1));
        d = 1 / guarded(1 + odd * d);
        c = guarded(1 + odd / c);
        const double step = d * c;
        h *= step;
        if (std::fabs(step - 1) < 1e-16)
            break;
    }
    return h;
}
