#include "model/AtomicFile.h"

#include <QSaveFile>

bool AtomicFile::write(const QString &fileName, const QByteArray &bytes, QString *error)
{
    return write(fileName, bytes, QIODevice::WriteOnly, error);
}

bool AtomicFile::writeText(const QString &fileName, const QString &text, QString *error)
{
    return write(fileName, text.toUtf8(), QIODevice::WriteOnly | QIODevice::Text, error);
}

bool AtomicFile::write(const QString &fileName, const QByteArray &bytes, QIODevice::OpenMode mode,
                       QString *error)
{
    QSaveFile file(fileName);
    const bool written = file.open(mode) && file.write(bytes) == bytes.size() && file.commit();
    if (!written && error)
        *error = file.errorString();
    return written;
}
