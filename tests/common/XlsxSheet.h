#pragma once

#include <QDomDocument>
#include <QFile>
#include <QHash>
#include <QMap>
#include <QStringList>
#include <QtEndian>

#include <zlib.h>

// Reads back the first sheet of a workbook the way a spreadsheet would, so
// tests see what Excel sees: each cell's type, value and number format, and
// the column widths. An .xlsx file is a zip archive of XML parts; the
// archive's central directory gives each part's place, and zlib inflates it.
class XlsxSheet
{
public:
    struct Cell
    {
        bool isString = false;
        QString text;
        double number = 0;
        QString numberFormat;
    };

    bool read(const QString &fileName)
    {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        m_zip = file.readAll();
        const QStringList strings = sharedStrings();
        const QStringList formats = cellFormats();
        QDomDocument sheet;
        if (!sheet.setContent(part("xl/worksheets/sheet1.xml")))
            return false;
        const QDomNodeList cells = sheet.elementsByTagName(QStringLiteral("c"));
        for (int i = 0; i < cells.size(); ++i) {
            const QDomElement c = cells.at(i).toElement();
            Cell cell;
            const QString value = c.firstChildElement(QStringLiteral("v")).text();
            cell.isString = c.attribute(QStringLiteral("t")) == QLatin1String("s");
            if (cell.isString)
                cell.text = strings.value(value.toInt());
            else
                cell.number = value.toDouble();
            cell.numberFormat = formats.value(c.attribute(QStringLiteral("s"), "0").toInt(),
                                              QStringLiteral("General"));
            cellsByReference.insert(c.attribute(QStringLiteral("r")), cell);
        }
        const QDomNodeList columns = sheet.elementsByTagName(QStringLiteral("col"));
        for (int i = 0; i < columns.size(); ++i) {
            const QDomElement col = columns.at(i).toElement();
            columnWidths.insert(col.attribute(QStringLiteral("min")).toInt(),
                                col.attribute(QStringLiteral("width")).toDouble());
        }
        return true;
    }

    // Cells by reference such as "B2"; a cell never written is absent.
    QMap<QString, Cell> cellsByReference;
    // Widths in characters by 1-based column.
    QMap<int, double> columnWidths;

private:
    quint32 u32(qsizetype at) const
    {
        return at + 4 <= m_zip.size() ? qFromLittleEndian<quint32>(m_zip.constData() + at) : 0;
    }
    quint16 u16(qsizetype at) const
    {
        return at + 2 <= m_zip.size() ? qFromLittleEndian<quint16>(m_zip.constData() + at) : 0;
    }

    QByteArray part(const QByteArray &name) const
    {
        qsizetype end = m_zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
        if (end < 0)
            return {};
        qsizetype entry = u32(end + 16);
        for (int i = 0; i < u16(end + 10) && entry + 46 <= m_zip.size(); ++i) {
            const quint16 nameLength = u16(entry + 28);
            if (m_zip.mid(entry + 46, nameLength) == name)
                return entryData(entry);
            entry += 46 + nameLength + u16(entry + 30) + u16(entry + 32);
        }
        return {};
    }

    QByteArray entryData(qsizetype entry) const
    {
        const quint16 method = u16(entry + 10);
        const quint32 compressedSize = u32(entry + 20);
        const quint32 size = u32(entry + 24);
        const qsizetype local = u32(entry + 42);
        const QByteArray data =
            m_zip.mid(local + 30 + u16(local + 26) + u16(local + 28), compressedSize);
        if (method == 0)
            return data;
        QByteArray out(size, Qt::Uninitialized);
        z_stream stream{};
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
        stream.avail_in = uInt(data.size());
        stream.next_out = reinterpret_cast<Bytef *>(out.data());
        stream.avail_out = uInt(out.size());
        // Raw deflate data: zip parts carry no zlib header.
        if (method != 8 || inflateInit2(&stream, -MAX_WBITS) != Z_OK)
            return {};
        const int result = inflate(&stream, Z_FINISH);
        inflateEnd(&stream);
        return result == Z_STREAM_END ? out : QByteArray();
    }

    QStringList sharedStrings() const
    {
        QStringList strings;
        QDomDocument document;
        document.setContent(part("xl/sharedStrings.xml"));
        const QDomNodeList items = document.elementsByTagName(QStringLiteral("si"));
        for (int i = 0; i < items.size(); ++i) {
            QString text;
            const QDomNodeList runs = items.at(i).toElement().elementsByTagName("t");
            for (int j = 0; j < runs.size(); ++j)
                text += runs.at(j).toElement().text();
            strings.append(text);
        }
        return strings;
    }

    // The number format of each cell style, by style index.
    QStringList cellFormats() const
    {
        QHash<int, QString> byId = {{0, "General"}, {1, "0"},        {2, "0.00"},
                                    {3, "#,##0"},   {4, "#,##0.00"}, {11, "0.00E+00"}};
        QDomDocument styles;
        styles.setContent(part("xl/styles.xml"));
        const QDomNodeList custom = styles.elementsByTagName(QStringLiteral("numFmt"));
        for (int i = 0; i < custom.size(); ++i) {
            const QDomElement format = custom.at(i).toElement();
            byId.insert(format.attribute("numFmtId").toInt(), format.attribute("formatCode"));
        }
        QStringList formats;
        const QDomElement cellXfs = styles.documentElement().firstChildElement("cellXfs");
        for (QDomElement xf = cellXfs.firstChildElement("xf"); !xf.isNull();
             xf = xf.nextSiblingElement("xf"))
            formats.append(byId.value(xf.attribute("numFmtId").toInt(), "?"));
        return formats;
    }

    QByteArray m_zip;
};
