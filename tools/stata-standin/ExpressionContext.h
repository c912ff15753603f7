#pragma once

#include "StataValue.h"

#include <QString>

// What an expression can refer to besides literals: the dataset's variables,
// stored results and matrices.
class ExpressionContext
{
public:
    virtual ~ExpressionContext() = default;

    // Throws StataError 111 when no variable (or abbreviation) fits.
    virtual int variableIndex(const QString &name) const = 0;
    virtual StataValue variableValue(int variable, int observation) const = 0;
    virtual int observationCount() const = 0;
    // r(name), e(name): a scalar or a macro; a result that does not exist is
    // the missing value, as in Stata.
    virtual StataValue storedResult(QChar kind, const QString &name) const = 0;
    // name[row, column], 1-based. Throws StataError 111 for an unknown matrix
    // and 503 for subscripts out of range.
    virtual double matrixElement(const QString &matrix, int row, int column) const = 0;
};
