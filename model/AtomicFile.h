#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// Writes a whole file through a temporary file that takes the old one's
// place only once everything is written (QSaveFile), so a full disk, a crash
// or a refused path leaves any earlier file of that name as it was.
class AtomicFile
{
public:
    // False, with the system's reason in error, when the file is not written.
    static bool write(const QString &fileName, const QByteArray &bytes, QString *error = nullptr);
    // The text as UTF-8, with the platform's line endings.
    static bool writeText(const QString &fileName, const QString &text, QString *error = nullptr);

private:
    static bool write(const QString &fileName, const QByteArray &bytes, QIODevice::OpenMode mode,
                      QString *error);
};
