#include "model/DocumentReader.h"

#include "model/XmlAttributes.h"

#include <QDir>
#include <QFile>
#include <QStringConverter>
#include <QStringDecoder>
#include <QXmlStreamReader>

namespace {

// Reads the whole text in one pass of a stream reader, building no tree.
// The file's parts are found as a tree walk would find them: each part is
// the first element of its name anywhere below the document element, and a
// part may lie inside another (in a damaged file), so every open part sees
// every element below it. Only the well-formedness of the text as a whole
// decides whether it is read, so a file refused for its content is still
// read to its end.
class DocumentParser
{
public:
    explicit DocumentParser(QXmlStreamReader &xml)
        : m_xml(xml)
    {}

    // The document read, or the reason for refusing the text.
    DocumentReader::Status parse(Document &document);

private:
    // A part of the file: the depth of its element while open, -1 before
    // it is found, 0 once it has ended (a later element of the name is not
    // read).
    struct Part
    {
        int depth = -1;
        bool isOpen() const { return depth > 0; }
        bool isBelow(int elementDepth) const { return isOpen() && elementDepth > depth; }
    };

    // A "cell" element being read. Its content is kept in the pending list
    // until the outermost open cell ends, so that cells nested in a damaged
    // file are placed in the order in which they begin.
    struct OpenCell
    {
        int depth = 0;
        int row = 0;
        int column = 0;
        qsizetype pending = 0;
        // The first child element that holds the content of the cell's type.
        bool contentSeen = false;
        // The depth of that child while it is an open "condition".
        int conditionDepth = 0;
    };
    struct PendingCell
    {
        int row;
        int column;
        CellContent content;
    };

    void startElement(int depth);
    void endElement(int depth);
    void openParts(QStringView name, int depth);
    void readPartChild(QStringView name, int depth);
    void startCell(int depth);
    void readCellChild(QStringView name, int depth);
    void endCell(int depth);
    void finish();

    QXmlStreamReader &m_xml;
    Document *m_document = nullptr;
    DocumentReader::Status m_status = DocumentReader::Status::Ok;
    Part m_commands;
    Part m_variables;
    Part m_rows;
    Part m_columns;
    Part m_areas;
    Part m_cells;
    bool m_datasetRead = false;
    bool m_outputFileRead = false;
    QList<OpenCell> m_openCells;
    QList<PendingCell> m_pendingCells;
};

DocumentReader::Status DocumentParser::parse(Document &document)
{
    m_document = &document;
    // Element names are compared as written, prefixes included, as Quorin
    // has always read them.
    m_xml.setNamespaceProcessing(false);
    int depth = 0;
    int dtdCount = 0;
    while (!m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (m_status == DocumentReader::Status::Ok)
                startElement(depth);
            break;
        case QXmlStreamReader::EndElement:
            if (m_status == DocumentReader::Status::Ok)
                endElement(depth);
            --depth;
            break;
        case QXmlStreamReader::DTD:
            // The stream reader lets a second one pass; XML allows one.
            if (++dtdCount > 1)
                return DocumentReader::Status::NotWellFormed;
            break;
        default:
            break;
        }
    }
    if (m_xml.hasError())
        return DocumentReader::Status::NotWellFormed;
    if (m_status == DocumentReader::Status::Ok)
        finish();
    return m_status;
}

void DocumentParser::startElement(int depth)
{
    const QStringView name = m_xml.qualifiedName();
    if (depth == 1) {
        if (name != QLatin1String("quorin"))
            m_status = DocumentReader::Status::NotQuorin;
        return;
    }
    // An element that begins a part may also belong to a part already open.
    readPartChild(name, depth);
    openParts(name, depth);
}

void DocumentParser::readPartChild(QStringView name, int depth)
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    Document &document = *m_document;
    if (m_commands.isBelow(depth) && name == QLatin1String("command"))
        document.commands.append(Command(attributes));
    if (m_variables.isBelow(depth)) {
        // Every child is a variable and every grandchild one of its modalities.
        if (depth == m_variables.depth + 1) {
            document.variables.append(Variable(attributes));
        } else if (depth == m_variables.depth + 2) {
            Variable &variable = document.variables.last();
            variable.appendModality(Modality(attributes, variable.name(), variable.label()));
        }
    }
    // No grid has more lines than this; the sizes beyond the grid's own
    // count are dropped at the end.
    if (m_rows.isBelow(depth) && depth == m_rows.depth + 1 &&
        document.rowHeights.size() < Document::maximumLineCount)
        document.rowHeights.append(XmlAttributes::integer(attributes, QLatin1String("height")));
    if (m_columns.isBelow(depth) && depth == m_columns.depth + 1 &&
        document.columnWidths.size() < Document::maximumLineCount)
        document.columnWidths.append(XmlAttributes::integer(attributes, QLatin1String("width")));
    if (m_areas.isBelow(depth) && name == QLatin1String("area"))
        document.areas.insert(Area(attributes));
    if (m_cells.isBelow(depth)) {
        readCellChild(name, depth);
        if (name == QLatin1String("cell"))
            startCell(depth);
    }
}

void DocumentParser::openParts(QStringView name, int depth)
{
    const auto open = [&](Part &part, QLatin1String partName) {
        if (part.depth >= 0 || name != partName)
            return false;
        part.depth = depth;
        return true;
    };
    const QXmlStreamAttributes attributes = m_xml.attributes();
    if (!m_datasetRead && name == QLatin1String("dataset")) {
        m_datasetRead = true;
        m_document->stataDatasetFileName =
            XmlAttributes::text(attributes, QLatin1String("fileName"));
    }
    if (!m_outputFileRead && name == QLatin1String("outputFile")) {
        m_outputFileRead = true;
        m_document->outputFileName = XmlAttributes::text(attributes, QLatin1String("name"));
    }
    open(m_commands, QLatin1String("commands"));
    open(m_variables, QLatin1String("variables"));
    open(m_rows, QLatin1String("rows"));
    open(m_columns, QLatin1String("columns"));
    open(m_areas, QLatin1String("areas"));
    if (open(m_cells, QLatin1String("cells"))) {
        const int rowCount = qMax(0, XmlAttributes::integer(attributes, QLatin1String("rowCount")));
        const int columnCount =
            qMax(0, XmlAttributes::integer(attributes, QLatin1String("columnCount")));
        if (Document::gridSizeAllowed(rowCount, columnCount))
            m_document->cells = CellContentGrid(rowCount, columnCount);
        else
            m_status = DocumentReader::Status::GridTooLarge;
    }
}

void DocumentParser::startCell(int depth)
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    OpenCell cell;
    cell.depth = depth;
    cell.row = XmlAttributes::integer(attributes, QLatin1String("row"));
    cell.column = XmlAttributes::integer(attributes, QLatin1String("col"));
    cell.pending = m_pendingCells.size();
    m_pendingCells.append(PendingCell{cell.row, cell.column, CellContent(attributes)});
    m_openCells.append(cell);
}

// The content of a cell is in its first child named after its data type; a
// condition's terms are the "microCondition" elements anywhere below that
// child, in document order.
void DocumentParser::readCellChild(QStringView name, int depth)
{
    for (OpenCell &cell : m_openCells) {
        CellContent &content = m_pendingCells[cell.pending].content;
        if (!cell.contentSeen && depth == cell.depth + 1 &&
            name == CellContent::kindName(content.dataType())) {
            cell.contentSeen = true;
            const QXmlStreamAttributes attributes = m_xml.attributes();
            if (content.dataType() == CellContent::Kind::Statistic)
                content.setStatistic(
                    Statistic{XmlAttributes::text(attributes, QLatin1String("varName")),
                              XmlAttributes::text(attributes, QLatin1String("varLabel")),
                              XmlAttributes::text(attributes, QLatin1String("statisticName")),
                              XmlAttributes::text(attributes, QLatin1String("format"))});
            else if (content.dataType() == CellContent::Kind::SimpleText)
                content.setSimpleText(XmlAttributes::text(attributes, QLatin1String("text")));
            else if (content.dataType() == CellContent::Kind::Condition)
                cell.conditionDepth = depth;
        } else if (cell.conditionDepth > 0 && depth > cell.conditionDepth &&
                   name == QLatin1String("microCondition")) {
            content.addMicroCondition(MicroCondition(m_xml.attributes()));
        }
    }
}

void DocumentParser::endElement(int depth)
{
    if (!m_openCells.isEmpty())
        endCell(depth);
    for (Part *part : {&m_commands, &m_variables, &m_rows, &m_columns, &m_areas, &m_cells}) {
        if (part->depth == depth)
            part->depth = 0;
    }
}

void DocumentParser::endCell(int depth)
{
    for (OpenCell &cell : m_openCells) {
        if (cell.conditionDepth == depth)
            cell.conditionDepth = 0;
    }
    if (m_openCells.last().depth != depth)
        return;
    m_openCells.removeLast();
    if (!m_openCells.isEmpty())
        return;
    // A later cell for the same position wins; cells outside the grid are
    // left out.
    for (const PendingCell &cell : std::as_const(m_pendingCells))
        m_document->cells.setContent(cell.row, cell.column, cell.content);
    m_pendingCells.clear();
}

void DocumentParser::finish()
{
    Document &document = *m_document;
    if (document.rowHeights.size() > document.cells.rowCount())
        document.rowHeights.resize(document.cells.rowCount());
    if (document.columnWidths.size() > document.cells.columnCount())
        document.columnWidths.resize(document.cells.columnCount());
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
    QXmlStreamReader xml(text);
    Status status = DocumentParser(xml).parse(m_document);
    // Text read as a string keeps no declared encoding of its own, so a
    // Windows-1252 file declared as UTF-8 reads too.
    if (status == Status::NotWellFormed && isEightBitText(text)) {
        m_document = Document();
        QXmlStreamReader eightBit(fromWindows1252(text));
        status = DocumentParser(eightBit).parse(m_document);
    }
    if (status != Status::Ok)
        return fail(status);
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
