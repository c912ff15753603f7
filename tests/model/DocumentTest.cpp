#include "model/DocumentReader.h"
#include "model/DocumentWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString dataPath(const QString &name)
{
    return QStringLiteral(QUORIN_SOURCE_DIR "/tests/data/document/") + name;
}

QByteArray readData(const QString &name)
{
    QFile file(dataPath(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("test file %s is missing", qPrintable(name));
    return file.readAll();
}

CellContent textCell(const QString &text)
{
    CellContent cell;
    cell.setSimpleText(text);
    return cell;
}

// The small document of the golden file.
Document smallDocument()
{
    Document document;
    document.stataDatasetFileName = QStringLiteral("C:/Data/indagine.dta");
    document.outputFileName = QStringLiteral("C:/Data/tabella.csv");
    document.commands = {
        Command("mean", "summarize #var #if", "r(mean)", Command::ResultType::Scalar, 1, 1),
        Command("ci", "ci means #var #if", "r(table)", Command::ResultType::Matrix, 2, 3)};
    Variable sex("sesso", "Sesso", 251);
    sex.appendModality(Modality("1", "Maschio", "sesso", "Sesso"));
    sex.appendModality(Modality("2", "Femmina", "sesso", "Sesso"));
    document.variables = {sex};
    document.rowHeights = {30, 24};
    document.columnWidths = {120, 80};
    document.areas.insert(Area("nord", "ripartizione<=2 & eta>17"));
    document.cells = CellContentGrid(2, 2);
    document.cells(0, 0) = textCell(QStringLiteral("Età \"media\""));
    document.cells(0, 1).addMicroCondition(MicroCondition("1", "Maschio", "sesso", "Sesso"));
    document.cells(0, 1).setArea("nord");
    document.cells(1, 1).setStatistic(Statistic{"eta", "Età", "mean", "%9.2f"});
    document.cells(1, 1).setArea("nord");
    return document;
}

// A document with a bit of everything, and texts that test the escaping.
Document fullDocument()
{
    Document document;
    document.stataDatasetFileName = QStringLiteral("/home/ana/dati & c/indagine 2024.dta");
    document.outputFileName = QStringLiteral("C:\\Users\\ana\\tabella <finale>.csv");
    document.commands = {
        Command("median", "summarize #var #if, detail", "r(p50)", Command::ResultType::Scalar, 1,
                1),
        Command("mean", "summarize #var #if", "r(mean)", Command::ResultType::Scalar, 1, 1),
        Command("label", "local l: variable label #var", "`l'", Command::ResultType::Macro, 1, 1),
        Command("ci", "ci means #var #if", "r(table)", Command::ResultType::Matrix, 5, 7),
        Command("mean", "mean #var #if", "e(b)[1,1]", Command::ResultType::Scalar, 1, 1),
    };
    Variable sex("sesso", "Sesso dell'intervistato", 251);
    sex.appendModality(Modality("1", "Maschio", "sesso", "Sesso dell'intervistato"));
    sex.appendModality(Modality("2", "Femmina", "sesso", "Sesso dell'intervistato"));
    Variable age("eta", "Età in anni", 252);
    Variable region("ripartizione", "Ripartizione \"geografica\"", 0);
    for (int i = 1; i <= 5; ++i)
        region.appendModality(Modality(QString::number(i), QStringLiteral("Zona %1").arg(i),
                                       "ripartizione", "Ripartizione \"geografica\""));
    document.variables = {sex, age, region};
    document.rowHeights = {30, 24, 24};
    document.columnWidths = {150, 80, 80, 95};
    document.areas.insert(Area("sud", "ripartizione>=4"));
    document.areas.insert(Area("Nord", "ripartizione<=2 & !missing(eta)"));
    document.areas.insert(Area("vuota", ""));
    CellContentGrid &cells = document.cells;
    cells = CellContentGrid(3, 4);
    cells(0, 0) = textCell(QStringLiteral("Two\nlines\tand <tags> & 'quotes' \"too\"  "));
    cells(0, 1).addMicroCondition(MicroCondition("1", "Maschio", "sesso", "Sesso"));
    cells(0, 1).setConditionFormatView(
        CellContent::ConditionFormatView::VariableNameEqualModalityValue);
    cells(0, 2).addMicroCondition(MicroCondition("1", "Zona 1", "ripartizione", "Rip"));
    cells(0, 2).addMicroCondition(MicroCondition("2", "Zona 2", "ripartizione", "Rip"));
    cells(0, 2).setArea("Nord");
    cells(1, 0).setArea("sud");
    cells(1, 1).setStatistic(Statistic{"eta", "Età in anni", "mean", "%9.2f"});
    cells(1, 1).setStatisticFormatView(
        CellContent::StatisticFormatView::OnlyStatisticVariableLabel);
    cells(1, 2).setStatistic(Statistic{"eta", "Età in anni", "ci", ""});
    cells(1, 2).setArea("Nord");
    cells(2, 3).setStatistic(Statistic{"eta", "", "label", "%20s"});
    cells(2, 0) = textCell(QString());
    cells(2, 1) = textCell(QStringLiteral("€ ≥ 😀"));
    return document;
}

void compareCells(const CellContent &actual, const CellContent &expected, int row, int column)
{
    const QByteArray where = QStringLiteral("cell %1,%2").arg(row).arg(column).toUtf8();
    QVERIFY2(actual.dataType() == expected.dataType(), where);
    QVERIFY2(actual.area() == expected.area(), where);
    QVERIFY2(actual.displayText().isEmpty() == expected.displayText().isEmpty(), where);
    QVERIFY2(actual.statisticFormatView() ==
                 CellContent::StatisticFormatView::StatisticNameVariableName,
             where);
    QVERIFY2(actual.conditionFormatView() == CellContent::ConditionFormatView::OnlyModalityLabel,
             where);
    switch (expected.dataType()) {
    case CellContent::Kind::SimpleText:
        QVERIFY2(actual.simpleText() == expected.simpleText(), where);
        break;
    case CellContent::Kind::Statistic:
        QVERIFY2(actual.statistic().statisticName == expected.statistic().statisticName, where);
        QVERIFY2(actual.statistic().varName == expected.statistic().varName, where);
        QVERIFY2(actual.statistic().varLabel == expected.statistic().varLabel, where);
        QVERIFY2(actual.statistic().format == expected.statistic().format, where);
        break;
    case CellContent::Kind::Condition:
        QVERIFY2(actual.condition().count() == expected.condition().count(), where);
        for (int i = 0; i < expected.condition().count(); ++i) {
            const MicroCondition &a = actual.condition().terms().at(i);
            const MicroCondition &e = expected.condition().terms().at(i);
            QVERIFY2(a.value() == e.value() && a.valueLabel() == e.valueLabel() &&
                         a.varName() == e.varName() && a.varLabel() == e.varLabel(),
                     where);
        }
        break;
    case CellContent::Kind::Void:
        break;
    }
}

// Labels of a document as one text, to compare what a file reads as.
QString labelsOf(const QByteArray &file)
{
    DocumentReader reader;
    if (!reader.read(file))
        return QStringLiteral("<refused>");
    const Document &document = reader.document();
    return document.variables.value(0).label() + QLatin1Char('|') +
           document.cells(0, 0).simpleText();
}

} // namespace

class DocumentTest : public QObject
{
    Q_OBJECT

private slots:
    void smallDocumentByteForByte();
    void emptyDocument();
    void writeToDevice();
    void roundTripOfFullDocument();
    void roundTripThroughFile();
    void refusals_data();
    void refusals();
    void unreadableFile();
    void unreadableDevice();
    void oversizedFileRefused();
    void missingAttributesAndElements();
    void cellsMissingAndOutsideTheGrid();
    void modalitiesTakeTheirVariable();
    void partsFoundAnywhereBelowTheRoot();
    void gridLimits_data();
    void gridLimits();
    void largestSquareGridWithoutCellsLoads();
    void controlCharactersLeftOut();
    void eightBitTextReadAsWindows1252_data();
    void eightBitTextReadAsWindows1252();
    void failureForgetsEarlierDocument();
    void damagedCopiesNeverCrash();
};

void DocumentTest::smallDocumentByteForByte()
{
    QCOMPARE(DocumentWriter::toXml(smallDocument()), readData("small.xml"));
}

void DocumentTest::emptyDocument()
{
    QCOMPARE(DocumentWriter::toXml(Document()),
             QByteArray("<quorin>\n"
                        "  <dataset fileName=\"\"/>\n"
                        "  <outputFile name=\"\"/>\n"
                        "  <commands/>\n"
                        "  <variables/>\n"
                        "  <rows count=\"0\"/>\n"
                        "  <columns count=\"0\"/>\n"
                        "  <areas/>\n"
                        "  <cells rowCount=\"0\" columnCount=\"0\"/>\n"
                        "</quorin>\n"));
    DocumentReader reader;
    QVERIFY(reader.read(DocumentWriter::toXml(Document())));
    QCOMPARE(reader.document().cells.rowCount(), 0);
    QCOMPARE(reader.document().cells.columnCount(), 0);
    QVERIFY(reader.document().rowHeights.isEmpty());
}

void DocumentTest::writeToDevice()
{
    QBuffer buffer;
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    QVERIFY(DocumentWriter::write(smallDocument(), &buffer));
    QCOMPARE(buffer.data(), readData("small.xml"));

    QBuffer closed;
    QString error;
    QTest::ignoreMessage(QtWarningMsg, "QIODevice::write (QBuffer): device not open");
    QVERIFY(!DocumentWriter::write(smallDocument(), &closed, &error));
    QVERIFY(!error.isEmpty());
}

void DocumentTest::roundTripOfFullDocument()
{
    const Document written = fullDocument();
    const QByteArray text = DocumentWriter::toXml(written);
    DocumentReader reader;
    QVERIFY(reader.read(text));
    QCOMPARE(reader.status(), DocumentReader::Status::Ok);
    QVERIFY(reader.errorString().isEmpty());
    const Document &read = reader.document();

    QCOMPARE(read.stataDatasetFileName, written.stataDatasetFileName);
    QCOMPARE(read.outputFileName, written.outputFileName);
    QCOMPARE(read.commandNames(), QStringList({"median", "mean", "label", "ci", "mean"}));
    for (int i = 0; i < written.commands.size(); ++i) {
        QCOMPARE(read.commands.at(i).format(), written.commands.at(i).format());
        QCOMPARE(read.commands.at(i).result(), written.commands.at(i).result());
        QCOMPARE(read.commands.at(i).resultType(), written.commands.at(i).resultType());
    }
    QCOMPARE(read.commands.at(3).resultMatrixRow(), 5);
    QCOMPARE(read.commands.at(3).resultMatrixColumn(), 7);
    QCOMPARE(read.catalogue().value("mean").format(), QStringLiteral("mean #var #if"));

    QCOMPARE(read.variables.size(), 3);
    for (int i = 0; i < written.variables.size(); ++i) {
        const Variable &a = read.variables.at(i);
        const Variable &e = written.variables.at(i);
        QCOMPARE(a.name(), e.name());
        QCOMPARE(a.label(), e.label());
        QCOMPARE(a.varType(), e.varType());
        QCOMPARE(a.modalities().size(), e.modalities().size());
        for (int m = 0; m < e.modalities().size(); ++m) {
            QCOMPARE(a.modalities().at(m).value(), e.modalities().at(m).value());
            QCOMPARE(a.modalities().at(m).valueLabel(), e.modalities().at(m).valueLabel());
            QCOMPARE(a.modalities().at(m).varName(), e.name());
            QCOMPARE(a.modalities().at(m).varLabel(), e.label());
        }
    }

    QCOMPARE(read.rowHeights, written.rowHeights);
    QCOMPARE(read.columnWidths, written.columnWidths);
    QCOMPARE(read.areas.names(), QStringList({"Nord", "sud", "vuota"}));
    QCOMPARE(read.areas.area("Nord").condition(),
             QStringLiteral("ripartizione<=2 & !missing(eta)"));

    QCOMPARE(read.cells.rowCount(), 3);
    QCOMPARE(read.cells.columnCount(), 4);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            compareCells(read.cells(row, column), written.cells(row, column), row, column);
            if (QTest::currentTestFailed())
                return;
        }
    }
    // Writing what was read gives the same text again.
    QCOMPARE(DocumentWriter::toXml(read), text);
}

void DocumentTest::roundTripThroughFile()
{
    QTemporaryDir directory;
    const QString fileName = directory.filePath("table.xml");
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(DocumentWriter::write(fullDocument(), &file));
    file.close();
    DocumentReader reader;
    QVERIFY(reader.readFile(fileName));
    QCOMPARE(DocumentWriter::toXml(reader.document()), DocumentWriter::toXml(fullDocument()));
}

void DocumentTest::refusals_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<DocumentReader::Status>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("unclosed element")
        << "NotWellFormedUnclosedElement.xml" << DocumentReader::Status::NotWellFormed
        << "Failed to load file.";
    QTest::newRow("other root") << "NotQuorinRoot.xml" << DocumentReader::Status::NotQuorin
                                << "This is not a quorin file.";
    QTest::newRow("too many columns")
        << "GridTooLargeNoCells.xml" << DocumentReader::Status::GridTooLarge
        << "The table in %1 is larger than 999 × 999 cells.";
    QTest::newRow("too many rows") << "GridTooManyRows.xml" << DocumentReader::Status::GridTooLarge
                                   << "The table in %1 is larger than 999 × 999 cells.";
    QTest::newRow("two document types")
        << "TwoDocumentTypes.xml" << DocumentReader::Status::NotWellFormed
        << "Failed to load file.";
    QTest::newRow("entity expansion")
        << "EntityExpansion.xml" << DocumentReader::Status::NotWellFormed << "Failed to load file.";
}

void DocumentTest::refusals()
{
    QFETCH(QString, file);
    QFETCH(DocumentReader::Status, status);
    QFETCH(QString, message);
    DocumentReader reader;
    QVERIFY(!reader.readFile(dataPath(file)));
    QCOMPARE(reader.status(), status);
    QCOMPARE(reader.errorString(),
             message.replace(QStringLiteral("%1"), QDir::toNativeSeparators(dataPath(file))));
    QCOMPARE(reader.document().cells.rowCount(), 0);
}

void DocumentTest::unreadableFile()
{
    DocumentReader reader;
    QVERIFY(!reader.readFile(dataPath("NoSuchFile.xml")));
    QCOMPARE(reader.status(), DocumentReader::Status::Unreadable);
    QCOMPARE(reader.errorString(), QStringLiteral("Failed to load file."));
}

void DocumentTest::unreadableDevice()
{
    QBuffer notOpen;
    DocumentReader reader;
    QVERIFY(!reader.read(&notOpen));
    QCOMPARE(reader.errorString(), QStringLiteral("Failed to load file."));

    // A device that ends in the middle of the document.
    QByteArray truncated = readData("small.xml");
    truncated.chop(40);
    QBuffer buffer(&truncated);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QVERIFY(!reader.read(&buffer));
    QCOMPARE(reader.status(), DocumentReader::Status::NotWellFormed);
}

void DocumentTest::oversizedFileRefused()
{
    // Reading stops one byte past the limit, whatever the device holds.
    class EndlessDevice : public QIODevice
    {
    public:
        qint64 served = 0;

    protected:
        qint64 readData(char *data, qint64 maxSize) override
        {
            memset(data, ' ', size_t(maxSize));
            served += maxSize;
            return maxSize;
        }
        qint64 writeData(const char *, qint64) override { return -1; }
    };
    EndlessDevice device;
    QVERIFY(device.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    DocumentReader reader;
    reader.setMaximumFileSize(1 << 20);
    QVERIFY(!reader.read(&device));
    QCOMPARE(reader.errorString(), QStringLiteral("Failed to load file."));
    QCOMPARE(device.served, (1 << 20) + 1);

    // A document of exactly the size allowed still loads.
    const QByteArray small = readData("small.xml");
    QBuffer buffer;
    buffer.setData(small);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    reader.setMaximumFileSize(small.size());
    QVERIFY(reader.read(&buffer));
    QVERIFY(DocumentReader::maximumFileSize >= 64 * 1024 * 1024);
}

void DocumentTest::missingAttributesAndElements()
{
    DocumentReader reader;
    QVERIFY(reader.readFile(dataPath("MissingAttributesAndElements.xml")));
    const Document &document = reader.document();
    QVERIFY(document.stataDatasetFileName.isEmpty());
    QVERIFY(document.outputFileName.isEmpty());
    QCOMPARE(document.commands.size(), 2);
    QCOMPARE(document.commands.at(0).name(), QStringLiteral("n"));
    QVERIFY(document.commands.at(0).format().isEmpty());
    QCOMPARE(document.commands.at(0).resultType(), Command::ResultType::Scalar);
    QVERIFY(document.commands.at(1).name().isEmpty());
    QCOMPARE(document.variables.size(), 1);
    QVERIFY(document.variables.at(0).name().isEmpty());
    QCOMPARE(document.variables.at(0).varType(), quint8(0));
    QCOMPARE(document.variables.at(0).modalities().size(), 1);
    QVERIFY(document.variables.at(0).modalities().at(0).value().isEmpty());
    QCOMPARE(document.rowHeights, QList<int>{0});
    QVERIFY(document.columnWidths.isEmpty());
    QCOMPARE(document.areas.names(), QStringList{QString()});
    QCOMPARE(document.areas.area(QString()).condition(), QStringLiteral("x==1"));
    QCOMPARE(document.cells.rowCount(), 1);
    QCOMPARE(document.cells.columnCount(), 2);
    // The "cell" without position lands at 0, 0 and reads as void.
    QCOMPARE(document.cells(0, 0).dataType(), CellContent::Kind::Void);
    QCOMPARE(document.cells(0, 1).dataType(), CellContent::Kind::Statistic);
    QVERIFY(document.cells(0, 1).statistic().statisticName.isEmpty());
}

void DocumentTest::cellsMissingAndOutsideTheGrid()
{
    DocumentReader reader;
    QVERIFY(reader.readFile(dataPath("CellsMissingAndOutside.xml")));
    const Document &document = reader.document();
    QCOMPARE(document.cells.rowCount(), 3);
    QCOMPARE(document.cells.columnCount(), 2);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 2; ++column) {
            const bool kept = row == 1 && column == 1;
            QCOMPARE(document.cells(row, column).dataType(),
                     kept ? CellContent::Kind::SimpleText : CellContent::Kind::Void);
        }
    }
    QCOMPARE(document.cells(1, 1).simpleText(), QStringLiteral("kept"));
    // Heights beyond the grid's rows have no row to apply to.
    QCOMPARE(document.rowHeights, QList<int>({30, 31, 32}));
}

void DocumentTest::modalitiesTakeTheirVariable()
{
    DocumentReader reader;
    QVERIFY(reader.readFile(dataPath("ModalitiesTakeTheirVariable.xml")));
    const QList<Variable> &variables = reader.document().variables;
    QCOMPARE(variables.size(), 2);
    const Modality &male = variables.at(0).modalities().at(0);
    QCOMPARE(male.varName(), QStringLiteral("sesso"));
    QCOMPARE(male.varLabel(), QStringLiteral("Sesso"));
    QCOMPARE(male.valueLabel(), QStringLiteral("Maschio"));
    QCOMPARE(variables.at(1).name(), QStringLiteral("eta"));
    QCOMPARE(variables.at(1).varType(), quint8(252));
}

// A damaged file reads as a walk through its tree would: each part is the
// first element of its name anywhere below the root, even inside another
// part; a cell nested in a cell comes later and wins its position.
void DocumentTest::partsFoundAnywhereBelowTheRoot()
{
    DocumentReader reader;
    QVERIFY(reader.read(
        QByteArray("<quorin><x><dataset fileName=\"first\"/></x><dataset fileName=\"second\"/>"
                   "<variables><v name=\"a\"><m value=\"1\"><m value=\"deep\"/></m>"
                   "<cells rowCount=\"2\" columnCount=\"1\">"
                   "<cell row=\"0\" dataType=\"condition\"><condition><microCondition value=\"1\"/>"
                   "<cell row=\"0\" dataType=\"statistic\"><statistic statisticName=\"s\"/>"
                   "<statistic statisticName=\"t\"/></cell></condition></cell>"
                   "<cell row=\"1\" dataType=\"simpletext\"><y><simpletext text=\"no\"/></y>"
                   "<simpletext text=\"yes\"/></cell></cells></v></variables>"
                   "<cells rowCount=\"9\" columnCount=\"9\"/><rows><r height=\"3\"/><r/><r "
                   "height=\"5\"/></rows>"
                   "</quorin>")));
    const Document &document = reader.document();
    QCOMPARE(document.stataDatasetFileName, QStringLiteral("first"));
    QCOMPARE(document.variables.size(), 1);
    QCOMPARE(document.variables.at(0).modalities().size(), 2); // "m" and "cells"
    QCOMPARE(document.cells.rowCount(), 2);
    QCOMPARE(document.cells(0, 0).dataType(), CellContent::Kind::Statistic);
    QCOMPARE(document.cells(0, 0).statistic().statisticName, QStringLiteral("s"));
    QCOMPARE(document.cells(1, 0).simpleText(), QStringLiteral("yes"));
    QCOMPARE(document.rowHeights, QList<int>({3, 0}));
}

void DocumentTest::gridLimits_data()
{
    QTest::addColumn<qint64>("rows");
    QTest::addColumn<qint64>("columns");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("empty") << qint64(0) << qint64(0) << true;
    QTest::newRow("largest") << qint64(999) << qint64(999) << true;
    QTest::newRow("rows without columns") << qint64(999) << qint64(0) << true;
    QTest::newRow("one row too many") << qint64(1000) << qint64(1) << false;
    QTest::newRow("one column too many") << qint64(1) << qint64(1000) << false;
    QTest::newRow("overflowing product") << qint64(2000000000) << qint64(2000000000) << false;
    QTest::newRow("negative") << qint64(-1) << qint64(5) << false;
}

void DocumentTest::gridLimits()
{
    QFETCH(qint64, rows);
    QFETCH(qint64, columns);
    QFETCH(bool, allowed);
    QCOMPARE(Document::gridSizeAllowed(rows, columns), allowed);
}

void DocumentTest::largestSquareGridWithoutCellsLoads()
{
    DocumentReader reader;
    QVERIFY(
        reader.read(QByteArray("<quorin><cells rowCount=\"999\" columnCount=\"999\"/></quorin>")));
    QCOMPARE(reader.document().cells.rowCount(), 999);
    QCOMPARE(reader.document().cells(998, 998).dataType(), CellContent::Kind::Void);
}

void DocumentTest::controlCharactersLeftOut()
{
    Document document;
    document.cells = CellContentGrid(1, 1);
    document.cells(0, 0) = textCell(QStringLiteral("a\x01"
                                                   "b\x1f"
                                                   "c\td\ne"));
    DocumentReader reader;
    QVERIFY(reader.read(DocumentWriter::toXml(document)));
    QCOMPARE(reader.document().cells(0, 0).simpleText(), QStringLiteral("abc\td\ne"));
}

void DocumentTest::eightBitTextReadAsWindows1252_data()
{
    const auto file = [](const QByteArray &declaration, const QString &label, const QString &text,
                         QStringConverter::Encoding encoding) {
        const QString xml = QString::fromLatin1(declaration) +
                            QStringLiteral("<quorin><variables><variable label=\"%1\"/></variables>"
                                           "<cells rowCount=\"1\" columnCount=\"1\"><cell "
                                           "dataType=\"simpletext\"><simpletext text=\"%2\"/>"
                                           "</cell></cells></quorin>")
                                .arg(label, text);
        QStringEncoder encode(encoding, QStringConverter::Flag::WriteBom);
        return encoding == QStringConverter::Latin1 ? QStringEncoder("windows-1252").encode(xml)
                                                    : QByteArray(encode(xml));
    };
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("labels");
    const QString accents = QStringLiteral("Città|Età € – “sì”");
    // Latin1 stands for Windows-1252 in this table.
    QTest::newRow("Windows-1252") << file("", "Città", "Età € – “sì”", QStringConverter::Latin1)
                                  << accents;
    QTest::newRow("Windows-1252 declared UTF-8")
        << file("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "Città", "Età € – “sì”",
                QStringConverter::Latin1)
        << accents;
    QTest::newRow("UTF-8 stays UTF-8")
        << file("", "Città", "Età € – “sì”", QStringConverter::Utf8) << accents;
    QTest::newRow("UTF-16 with byte order mark")
        << file("", "Città", "Età € – “sì”", QStringConverter::Utf16LE) << accents;
    QTest::newRow("unusable as either") << QByteArray("<quorin>\xe0</quorun>") << "<refused>";
}

void DocumentTest::eightBitTextReadAsWindows1252()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, labels);
    QCOMPARE(labelsOf(file), labels);
}

void DocumentTest::failureForgetsEarlierDocument()
{
    DocumentReader reader;
    QVERIFY(reader.read(DocumentWriter::toXml(smallDocument())));
    QCOMPARE(reader.document().cells.rowCount(), 2);
    QVERIFY(!reader.readFile(dataPath("NotQuorinRoot.xml")));
    QCOMPARE(reader.document().cells.rowCount(), 0);
    QVERIFY(reader.document().commands.isEmpty());
}

void DocumentTest::damagedCopiesNeverCrash()
{
    // Every truncation and a few thousand byte changes of a real document
    // either load or are refused with a message; none may crash or hang.
    const QByteArray original = DocumentWriter::toXml(fullDocument());
    int loaded = 0;
    int refused = 0;
    auto check = [&](const QByteArray &text) {
        DocumentReader reader;
        if (reader.read(text)) {
            ++loaded;
            QVERIFY(Document::gridSizeAllowed(reader.document().cells.rowCount(),
                                              reader.document().cells.columnCount()));
        } else {
            ++refused;
            QVERIFY(!reader.errorString().isEmpty());
        }
    };
    for (qsizetype length = 0; length < original.size(); length += 7)
        check(original.left(length));
    QRandomGenerator random(7);
    const QByteArray replacements("<>&\"'/=9-x \n\0\xff");
    for (int round = 0; round < 2000; ++round) {
        QByteArray text = original;
        for (int changes = random.bounded(1, 4); changes > 0; --changes)
            text[random.bounded(int(text.size()))] =
                replacements.at(random.bounded(int(replacements.size())));
        check(text);
    }
    QVERIFY(loaded > 100);
    QVERIFY(refused > 100);
}

QTEST_APPLESS_MAIN(DocumentTest)
#include "DocumentTest.moc"
