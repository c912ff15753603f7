#pragma once

#include "FileContents.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QStringList>

// The stand-in Stata appends one JSON object per start to the file named by
// QUORIN_STANDIN_ARGS_FILE; the tests that set it name it arguments.jsonl in
// their working directory.
inline QList<QJsonObject>
recordedStandinStarts(const QString &path = QStringLiteral("arguments.jsonl"))
{
    QList<QJsonObject> starts;
    const QStringList lines = fileText(path).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines)
        starts.append(QJsonDocument::fromJson(line.toUtf8()).object());
    return starts;
}

// The arguments of every start of the stand-in, oldest first.
inline QList<QStringList>
recordedStandinArguments(const QString &path = QStringLiteral("arguments.jsonl"))
{
    QList<QStringList> starts;
    for (const QJsonObject &start : recordedStandinStarts(path)) {
        QStringList arguments;
        for (const QJsonValue &value : start.value(QLatin1String("arguments")).toArray())
            arguments.append(value.toString());
        starts.append(arguments);
    }
    return starts;
}
