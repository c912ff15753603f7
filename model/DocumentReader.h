#pragma once

#include "model/Document.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class QIODevice;

// Reads a Quorin file into a Document. A file is refused as a whole, with a
// message for the user, when it cannot be read, is not well-formed XML, has
// another document element than "quorin", or declares a grid larger than
// Quorin holds; anything else loads: missing elements and attributes read as
// empty text or 0, positions without a "cell" are void, cells outside the
// declared grid are left out. Quorin writes UTF-8; a file that is not valid
// UTF-8 (nor UTF-16 or UTF-32) and not well-formed as it stands is read as
// Windows-1252, the code page of older documents written on Windows.
class DocumentReader
{
    Q_DECLARE_TR_FUNCTIONS(DocumentReader)

public:
    enum class Status { Ok, Unreadable, NotWellFormed, NotQuorin, GridTooLarge };

    // Files larger than this are not read: no document Quorin writes comes
    // near it, and parsing one would take memory without bound.
    static constexpr qint64 maximumFileSize = 256 * 1024 * 1024;
    void setMaximumFileSize(qint64 bytes) { m_maximumFileSize = bytes; }

    bool readFile(const QString &fileName);
    // Reads the rest of a device opened for reading.
    bool read(QIODevice *device);
    bool read(const QByteArray &text);

    Status status() const { return m_status; }
    // The message to show when reading failed; empty after success.
    QString errorString() const;
    // The document read; empty after a failure.
    const Document &document() const { return m_document; }

private:
    bool fail(Status status);

    qint64 m_maximumFileSize = maximumFileSize;
    Status m_status = Status::Ok;
    // The file read last, named in messages.
    QString m_fileName;
    Document m_document;
};
