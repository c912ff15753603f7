#pragma once

#include <QString>
#include <QXmlStreamAttributes>
#include <QXmlStreamReader>
#include <QtGlobal>

// The attributes of the element at the given place in document order (0 for
// the document element), as the document reader hands them to the value
// types.
inline QXmlStreamAttributes elementAttributes(const QString &xml, int index = 0)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && index-- == 0)
            return reader.attributes();
    }
    qFatal("test XML has no such element");
}
