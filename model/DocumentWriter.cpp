#include "model/DocumentWriter.h"

#include <QDomDocument>
#include <QDomElement>
#include <QDomNamedNodeMap>
#include <QHash>
#include <QIODevice>
#include <QXmlStreamWriter>

#include <algorithm>

namespace {

// The order in which each element's attributes are written. The document
// types build their own elements (their toXml), which keep attributes in no
// particular order; the text must not depend on that.
const QHash<QString, QStringList> &attributeOrder()
{
    static const QHash<QString, QStringList> order = {
        {"dataset", {"fileName"}},
        {"outputFile", {"name"}},
        {"command",
         {"name", "format", "result", "resultType", "resultMatrixRow", "resultMatrixColumn"}},
        {"variable", {"name", "label", "vartype"}},
        {"modality", {"value", "valueLabel"}},
        {"rows", {"count"}},
        {"row", {"height"}},
        {"columns", {"count"}},
        {"column", {"width"}},
        {"area", {"name", "condition"}},
        {"cells", {"rowCount", "columnCount"}},
        {"cell", {"row", "col", "area", "dataType"}},
        {"microCondition", {"value", "valueLabel", "varName", "varLabel"}},
        {"statistic", {"statisticName", "varName", "varLabel", "format"}},
        {"simpletext", {"text"}},
    };
    return order;
}

bool isXmlCharacter(char32_t code)
{
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

// XML 1.0 cannot hold most control characters at all, not even escaped; a
// text pasted with one would make the whole file unreadable, so they are
// left out.
QString xmlSafe(const QString &text)
{
    QString safe;
    safe.reserve(text.size());
    for (const char32_t code : QStringView(text).toUcs4()) {
        if (isXmlCharacter(code))
            safe += QString::fromUcs4(&code, 1);
    }
    return safe;
}

QString xmlSafeFast(const QString &text)
{
    for (const QChar character : text) {
        const char16_t code = character.unicode();
        if (code < 0x20 || code >= 0xD800)
            return xmlSafe(text);
    }
    return text;
}

QStringList orderedAttributeNames(const QDomElement &element)
{
    const QDomNamedNodeMap attributes = element.attributes();
    const QStringList known = attributeOrder().value(element.tagName());
    QStringList names;
    for (const QString &name : known) {
        if (element.hasAttribute(name))
            names.append(name);
    }
    QStringList others;
    for (int i = 0; i < attributes.count(); ++i) {
        const QString name = attributes.item(i).nodeName();
        if (!known.contains(name))
            others.append(name);
    }
    std::sort(others.begin(), others.end());
    return names + others;
}

void writeElement(QXmlStreamWriter &writer, const QDomElement &element)
{
    writer.writeStartElement(element.tagName());
    for (const QString &name : orderedAttributeNames(element))
        writer.writeAttribute(name, xmlSafeFast(element.attribute(name)));
    for (QDomElement child = element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement())
        writeElement(writer, child);
    writer.writeEndElement();
}

QDomElement textElement(QDomDocument &dom, const QString &tag, const QString &attribute,
                        const QString &value)
{
    QDomElement element = dom.createElement(tag);
    element.setAttribute(attribute, value);
    return element;
}

QDomElement sizesElement(QDomDocument &dom, const QString &tag, const QString &childTag,
                         const QString &attribute, const QList<int> &sizes)
{
    QDomElement element = dom.createElement(tag);
    element.setAttribute(QStringLiteral("count"), QString::number(sizes.size()));
    for (const int size : sizes)
        element.appendChild(textElement(dom, childTag, attribute, QString::number(size)));
    return element;
}

QDomElement cellsElement(QDomDocument &dom, const CellContentGrid &cells)
{
    QDomElement element = dom.createElement(QStringLiteral("cells"));
    element.setAttribute(QStringLiteral("rowCount"), QString::number(cells.rowCount()));
    element.setAttribute(QStringLiteral("columnCount"), QString::number(cells.columnCount()));
    for (int row = 0; row < cells.rowCount(); ++row) {
        for (int column = 0; column < cells.columnCount(); ++column)
            element.appendChild(cells(row, column).toXml(dom, row, column));
    }
    return element;
}

QDomElement documentElement(QDomDocument &dom, const Document &document)
{
    QDomElement root = dom.createElement(QStringLiteral("quorin"));
    root.appendChild(textElement(dom, QStringLiteral("dataset"), QStringLiteral("fileName"),
                                 document.stataDatasetFileName));
    root.appendChild(textElement(dom, QStringLiteral("outputFile"), QStringLiteral("name"),
                                 document.outputFileName));
    QDomElement commands = dom.createElement(QStringLiteral("commands"));
    for (const Command &command : document.commands)
        commands.appendChild(command.toXml(dom));
    root.appendChild(commands);
    QDomElement variables = dom.createElement(QStringLiteral("variables"));
    for (const Variable &variable : document.variables)
        variables.appendChild(variable.toXml(dom));
    root.appendChild(variables);
    root.appendChild(sizesElement(dom, QStringLiteral("rows"), QStringLiteral("row"),
                                  QStringLiteral("height"), document.rowHeights));
    root.appendChild(sizesElement(dom, QStringLiteral("columns"), QStringLiteral("column"),
                                  QStringLiteral("width"), document.columnWidths));
    root.appendChild(document.areas.toXml(dom));
    root.appendChild(cellsElement(dom, document.cells));
    return root;
}

} // namespace

QByteArray DocumentWriter::toXml(const Document &document)
{
    QDomDocument dom;
    const QDomElement root = documentElement(dom, document);
    QByteArray text;
    QXmlStreamWriter writer(&text);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(2);
    writeElement(writer, root);
    // Without a declaration in front, the writer still opens the document
    // element on a new line.
    if (text.startsWith('\n'))
        text.remove(0, 1);
    text += '\n';
    return text;
}

bool DocumentWriter::write(const Document &document, QIODevice *device, QString *error)
{
    const QByteArray text = toXml(document);
    if (device->write(text) == text.size())
        return true;
    if (error)
        *error = device->errorString();
    return false;
}
