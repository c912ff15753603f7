#include "model/DocumentReader.h"

#include "model/XmlAttributes.h"

#include <QDir>
#include <QDomDocument>
#include <QDomElement>
#include <QFile>
#include <QStringConverter>
#include <QStringDecoder>

namespace {

QDomElement firstElement(const QDomElement &root, const QString &tagName)
{
    return root.elementsByTagName(tagName).item(0).toElement();
}

QList<Variable> readVariables(const QDomElement &element)
{
    QList<Variable> variables;
    for (QDomElement child = element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        Variable variable(child);
        for (QDomElement modality = child.firstChildElement(); !modality.isNull();
             modality = modality.nextSiblingElement())
            variable.appendModality(Modality(modality, variable.name(), variable.label()));
        variables.append(variable);
    }
    return variables;
}

// The sizes of the first rows or columns, by position of the child elements;
// children beyond the grid's size have no row or column to apply to.
QList<int> readSizes(const QDomElement &element, const QString &attribute, int limit)
{
    QList<int> sizes;
    for (QDomElement child = element.firstChildElement(); !child.isNull() && sizes.size() < limit;
         child = child.nextSiblingElement())
        sizes.append(XmlAttributes::integer(child, attribute));
    return sizes;
}

void readCells(const QDomElement &element, CellContentGrid &cells)
{
    const QDomNodeList nodes = element.elementsByTagName(QStringLiteral("cell"));
    for (int i = 0; i < nodes.size(); ++i) {
        const QDomElement cell = nodes.item(i).toElement();
        cells.setContent(XmlAttributes::integer(cell, QStringLiteral("row")),
                         XmlAttributes::integer(cell, QStringLiteral("col")), CellContent(cell));
    }
}

// Bytes that are neither UTF-8 nor marked as UTF-16 or UTF-32 (by a byte
// order mark or by the first character, which in a document is "<").
bool isEightBitText(const QByteArray &text)
{
    const std::optional<QStringConverter::Encoding> marked =
        QStringConverter::encodingForData(text, u'<');
    if (marked && *marked != QStringConverter::Utf8)
        return false;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = utf8(text);
    return utf8.hasError();
}

// Documents written on Windows by hand or by other tools are often in the
// system's code page; a Western one is by far the most common. Where the
// code page is not known to Qt, Latin-1 gives the same letters but for the
// typographic marks of 0x80-0x9F.
QString fromWindows1252(const QByteArray &text)
{
    QStringDecoder windows1252("windows-1252");
    if (!windows1252.isValid())
        return QString::fromLatin1(text);
    return windows1252(text);
}

} // namespace

bool DocumentReader::readFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return fail(Status::Unreadable);
    const bool read = this->read(&file);
    m_fileName = fileName;
    return read;
}

bool DocumentReader::read(QIODevice *device)
{
    if (!device || !device->isReadable())
        return fail(Status::Unreadable);
    const QByteArray text = device->read(m_maximumFileSize + 1);
    if (text.size() > m_maximumFileSize)
        return fail(Status::Unreadable);
    return read(text);
}

bool DocumentReader::read(const QByteArray &text)
{
    m_fileName.clear();
    m_document = Document();
    QDomDocument dom;
    // Text read as a string keeps no declared encoding of its own, so a
    // Windows-1252 file declared as UTF-8 reads too.
    if (!dom.setContent(text) && !(isEightBitText(text) && dom.setContent(fromWindows1252(text))))
        return fail(Status::NotWellFormed);
    const QDomElement root = dom.documentElement();
    if (root.tagName() != QLatin1String("quorin"))
        return fail(Status::NotQuorin);

    const QDomElement cells = firstElement(root, QStringLiteral("cells"));
    const int rowCount = qMax(0, XmlAttributes::integer(cells, QStringLiteral("rowCount")));
    const int columnCount = qMax(0, XmlAttributes::integer(cells, QStringLiteral("columnCount")));
    if (!Document::gridSizeAllowed(rowCount, columnCount))
        return fail(Status::GridTooLarge);

    Document &document = m_document;
    document.stataDatasetFileName = XmlAttributes::text(
        firstElement(root, QStringLiteral("dataset")), QStringLiteral("fileName"));
    document.outputFileName = XmlAttributes::text(firstElement(root, QStringLiteral("outputFile")),
                                                  QStringLiteral("name"));
    document.commands = StatisticCatalogueXml::read(firstElement(root, QStringLiteral("commands")));
    document.variables = readVariables(firstElement(root, QStringLiteral("variables")));
    document.rowHeights =
        readSizes(firstElement(root, QStringLiteral("rows")), QStringLiteral("height"), rowCount);
    document.columnWidths = readSizes(firstElement(root, QStringLiteral("columns")),
                                      QStringLiteral("width"), columnCount);
    document.areas.load(firstElement(root, QStringLiteral("areas")));
    document.cells = CellContentGrid(rowCount, columnCount);
    readCells(cells, document.cells);
    m_status = Status::Ok;
    return true;
}

QString DocumentReader::errorString() const
{
    switch (m_status) {
    case Status::Ok:
        break;
    case Status::NotQuorin:
        return tr("This is not a quorin file.");
    case Status::GridTooLarge:
        return tr("The table in %1 is larger than 999 × 999 cells.")
            .arg(QDir::toNativeSeparators(m_fileName));
    case Status::Unreadable:
    case Status::NotWellFormed:
        return tr("Failed to load file.");
    }
    return QString();
}

bool DocumentReader::fail(Status status)
{
    m_status = status;
    m_document = Document();
    return false;
}
