#pragma once

#include <QString>

// The value of a Stata expression: a number (missing values included, see
// MissingValue) or a string. Stata never converts between the two silently;
// mixing them is a type mismatch.
struct StataValue
{
    bool isString = false;
    double number = 0;
    QString text;

    static StataValue ofNumber(double number)
    {
        StataValue value;
        value.number = number;
        return value;
    }
    static StataValue ofString(const QString &text)
    {
        StataValue value;
        value.isString = true;
        value.text = text;
        return value;
    }
};
