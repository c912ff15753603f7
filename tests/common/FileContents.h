#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A whole file's bytes; empty when it cannot be read, so that a missing file
// fails the comparison it is used in.
inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A whole file as UTF-8 text; empty when it cannot be read.
inline QString fileText(const QString &path)
{
    return QString::fromUtf8(fileBytes(path));
}

// Writes the bytes as a whole file; false when it cannot be written.
inline bool writeFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
