#pragma once

// Student's t distribution, for the confidence intervals and p-values that
// estimation commands leave in r(table): ttail() and invttail() of [FN]
// Statistical functions.
class StudentT
{
public:
    // P(T > t) with df degrees of freedom.
    static double upperTail(double df, double t);
    // The t with upperTail(df, t) == p, 0 < p < 1.
    static double inverseUpperTail(double df, double p);

private:
    static double regularizedIncompleteBeta(double a, double b, double x);
    static double betaContinuedFraction(double a, double b, double x);
};
