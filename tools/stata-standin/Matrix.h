#pragma once

#include <QStringList>
#include <QVector>

// A Stata matrix: numbers (missing values allowed) in rows and columns with
// optional row and column names.
struct Matrix
{
    int rows = 0;
    int columns = 0;
    QVector<double> values; // row by row
    QStringList rowNames;
    QStringList columnNames;

    static Matrix filled(int rows, int columns, double value = 0)
    {
        Matrix matrix;
        matrix.rows = rows;
        matrix.columns = columns;
        matrix.values = QVector<double>(rows * columns, value);
        return matrix;
    }
    // 0-based.
    double at(int row, int column) const { return values.at(row * columns + column); }
    void set(int row, int column, double value) { values[row * columns + column] = value; }
};
