#pragma once

#include "model/Document.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// Writes a document as the XML text of a Quorin file: the element "quorin"
// with dataset, output file, commands, variables, rows, columns, areas and
// cells in this order, every level indented by two blanks, no XML
// declaration, UTF-8. Attributes keep a fixed order, so the same document
// always gives the same bytes.
class DocumentWriter
{
public:
    static QByteArray toXml(const Document &document);
    // Writes the text to an open device; false (with the device's reason in
    // error) when not all of it could be written.
    static bool write(const Document &document, QIODevice *device, QString *error = nullptr);
};
