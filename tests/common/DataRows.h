#pragma once

#include <QString>
#include <QTest>

// Adds a row of test data: string literals go in as QString, other values as
// they are. One call keeps a row on one line, where clang-format would give a
// chain of string literals a line each.
inline QString dataValue(const char *text)
{
    return QString::fromUtf8(text);
}

template <typename Value>
Value dataValue(Value value)
{
    return value;
}

template <typename... Values>
void dataRow(const char *name, Values... values)
{
    (QTest::newRow(name) << ... << dataValue(values));
}
