#pragma once

#include "Matrix.h"
#include "StataValue.h"

#include <QMap>
#include <QString>

// One family of stored results, r() or e(): scalars, macros and matrices.
// An r-class command clears r() before storing its results; an e-class
// command clears e() ([P] return).
class StoredResults
{
public:
    void clear();
    void setScalar(const QString &name, double value) { m_scalars.insert(name, value); }
    void setMacro(const QString &name, const QString &text) { m_macros.insert(name, text); }
    void setMatrix(const QString &name, const Matrix &matrix) { m_matrices.insert(name, matrix); }

    // A scalar as a number, a macro as a string, anything else missing.
    StataValue value(const QString &name) const;
    // The text `r(name)' expands to: a macro's text, a scalar at full
    // precision, "matrix" for a matrix, nothing otherwise.
    QString macroText(const QString &name) const;
    const Matrix *matrix(const QString &name) const;

private:
    QMap<QString, double> m_scalars;
    QMap<QString, QString> m_macros;
    QMap<QString, Matrix> m_matrices;
};
