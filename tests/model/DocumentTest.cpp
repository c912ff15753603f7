#include "CellBuilders.h"
#include "DataRows.h"
#include "FileContents.h"
#include "model/DocumentReader.h"
#include "model/DocumentWriter.h"

#include <QBuffer>
#include <QDir>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTest>

using namespace CellBuilders;

namespace {

QString dataPath(const QString &name)
{
    return QStringLiteral(QUORIN_SOURCE_DIR "/tests/data/document/") + name;
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
    document.cells(0, 1) = conditionCell({term("1", "Maschio", "sesso", "Sesso")}, "nord");
    document.cells(1, 1) = statisticCell(statistic("mean", "eta", "Età", "%9.2f"), "nord");
    return document;
}

} // namespace

class DocumentTest : public QObject
{
    Q_OBJECT

private slots:
    void writtenByteForByte()
    {
        const QByteArray golden = fileBytes(dataPath("small.xml"));
        QCOMPARE(DocumentWriter::toXml(smallDocument()), golden);
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QVERIFY(DocumentWriter::write(smallDocument(), &buffer));
        QCOMPARE(buffer.data(), golden);

        QBuffer closed;
        QString error;
        QTest::ignoreMessage(QtWarningMsg, "QIODevice::write (QBuffer): device not open");
        QVERIFY(!DocumentWriter::write(smallDocument(), &closed, &error));
        QVERIFY(!error.isEmpty());

        const QByteArray empty("<quorin>\n  <dataset fileName=\"\"/>\n  <outputFile name=\"\"/>\n"
                               "  <commands/>\n  <variables/>\n  <rows count=\"0\"/>\n"
                               "  <columns count=\"0\"/>\n  <areas/>\n"
                               "  <cells rowCount=\"0\" columnCount=\"0\"/>\n</quorin>\n");
        QCOMPARE(DocumentWriter::toXml(Document()), empty);
        DocumentReader reader;
        QVERIFY(reader.read(empty));
        QCOMPARE(DocumentWriter::toXml(reader.document()), empty);
    }

    // A document with a bit of everything and texts that test the escaping
    // reads as written and gives the same bytes again. The views are not
    // saved and come back as the defaults.
    void fullDocumentRoundTrip()
    {
        DocumentReader reader;
        QVERIFY(reader.readFile(dataPath("full.xml")));
        QCOMPARE(reader.status(), DocumentReader::Status::Ok);
        QVERIFY(reader.errorString().isEmpty());
        const Document &read = reader.document();
        QCOMPARE(DocumentWriter::toXml(read), fileBytes(dataPath("full.xml")));
        QCOMPARE(read.commandNames(), QStringList({"median", "mean", "label", "ci", "mean"}));
        QCOMPARE(read.catalogue().value("mean").format(), QStringLiteral("mean #var #if"));
        QCOMPARE(read.commands.at(3).resultMatrixColumn(), 7);
        QCOMPARE(read.variables.at(2).modalities().at(4).varLabel(), read.variables.at(2).label());
        QCOMPARE(read.cells(0, 0).simpleText(),
                 QStringLiteral("Two\nlines\tand <tags> & 'quotes' \"too\"  "));
        QCOMPARE(read.cells(2, 1).simpleText(), QStringLiteral("€ ≥ 😀"));
        QCOMPARE(read.cells(0, 2).stataExpression(),
                 QStringLiteral("(ripartizione==1 | ripartizione==2)"));
        QCOMPARE(read.cells(0, 1).displayText(), QStringLiteral("Maschio"));
        QCOMPARE(read.cells(1, 1).displayText(), QStringLiteral("mean(eta)"));
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<DocumentReader::Status>("status");
        QTest::addColumn<QString>("message");
        using S = DocumentReader::Status;
        const char *failed = "Failed to load file.";
        const char *tooLarge = "The table in %1 is larger than 999 × 999 cells.";
        dataRow("no such file", "NoSuchFile.xml", S::Unreadable, failed);
        dataRow("unclosed element", "NotWellFormedUnclosedElement.xml", S::NotWellFormed, failed);
        dataRow("other root", "NotQuorinRoot.xml", S::NotQuorin, "This is not a quorin file.");
        dataRow("too many columns", "GridTooLargeNoCells.xml", S::GridTooLarge, tooLarge);
        dataRow("too many rows", "GridTooManyRows.xml", S::GridTooLarge, tooLarge);
        dataRow("two document types", "TwoDocumentTypes.xml", S::NotWellFormed, failed);
        dataRow("entity expansion", "EntityExpansion.xml", S::NotWellFormed, failed);
    }

    void refusals()
    {
        QFETCH(QString, file);
        QFETCH(QString, message);
        DocumentReader reader;
        QVERIFY(reader.read(DocumentWriter::toXml(smallDocument())));
        QVERIFY(!reader.readFile(dataPath(file)));
        QTEST(reader.status(), "status");
        QCOMPARE(reader.errorString(),
                 message.replace(QStringLiteral("%1"), QDir::toNativeSeparators(dataPath(file))));
        // Nothing of the document read before is left.
        QCOMPARE(reader.document().cells.rowCount(), 0);
        QVERIFY(reader.document().commands.isEmpty());
    }

    // Reading stops one byte past the limit, whatever the device holds; a
    // device that cannot be read is refused like a file.
    void devices()
    {
        QBuffer big;
        big.setData(QByteArray((1 << 20) + 100, ' '));
        QVERIFY(big.open(QIODevice::ReadOnly));
        DocumentReader reader;
        reader.setMaximumFileSize(1 << 20);
        QVERIFY(!reader.read(&big));
        QCOMPARE(reader.errorString(), QStringLiteral("Failed to load file."));
        QCOMPARE(big.pos(), (1 << 20) + 1);
        QBuffer notOpen;
        QVERIFY(!reader.read(&notOpen));
        QCOMPARE(reader.errorString(), QStringLiteral("Failed to load file."));

        // A document of exactly the size allowed still loads.
        QBuffer buffer;
        buffer.setData(fileBytes(dataPath("small.xml")));
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        reader.setMaximumFileSize(buffer.size());
        QVERIFY(reader.read(&buffer));
        QVERIFY(DocumentReader::maximumFileSize >= 64 * 1024 * 1024);
    }

    void missingAttributesAndElements()
    {
        DocumentReader reader;
        QVERIFY(reader.readFile(dataPath("MissingAttributesAndElements.xml")));
        const Document &document = reader.document();
        QVERIFY(document.stataDatasetFileName.isEmpty() && document.outputFileName.isEmpty());
        QCOMPARE(document.commandNames(), QStringList({"n", ""}));
        QVERIFY(document.commands.at(0).format().isEmpty());
        QCOMPARE(document.commands.at(0).resultType(), Command::ResultType::Scalar);
        QCOMPARE(document.variables.size(), 1);
        const Variable &variable = document.variables.at(0);
        QVERIFY(variable.name().isEmpty() && variable.varType() == 0);
        QCOMPARE(variable.modalities().size(), 1);
        QVERIFY(variable.modalities().at(0).value().isEmpty());
        QCOMPARE(document.rowHeights, QList<int>{0});
        QVERIFY(document.columnWidths.isEmpty());
        QCOMPARE(document.areas.names(), QStringList{QString()});
        QCOMPARE(document.areas.area(QString()).condition(), QStringLiteral("x==1"));
        QCOMPARE(QList<int>({document.cells.rowCount(), document.cells.columnCount()}),
                 QList<int>({1, 2}));
        // The "cell" without position lands at 0, 0 and reads as void.
        QCOMPARE(document.cells(0, 0).dataType(), CellContent::Kind::Void);
        QCOMPARE(document.cells(0, 1).dataType(), CellContent::Kind::Statistic);
        QVERIFY(document.cells(0, 1).statistic().statisticName.isEmpty());
    }

    void cellsMissingAndOutsideTheGrid()
    {
        DocumentReader reader;
        QVERIFY(reader.readFile(dataPath("CellsMissingAndOutside.xml")));
        const Document &document = reader.document();
        QCOMPARE(document.cells.rowCount(), 3);
        QCOMPARE(document.cells.columnCount(), 2);
        int filled = 0;
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 2; ++column)
                filled += document.cells(row, column).dataType() != CellContent::Kind::Void;
        }
        QCOMPARE(filled, 1);
        QCOMPARE(document.cells(1, 1).simpleText(), QStringLiteral("kept"));
        // Heights beyond the grid's rows have no row to apply to.
        QCOMPARE(document.rowHeights, QList<int>({30, 31, 32}));

        // Modalities take their variable's name and label, not their own.
        QVERIFY(reader.readFile(dataPath("ModalitiesTakeTheirVariable.xml")));
        const Modality male = reader.document().variables.at(0).modalities().at(0);
        QCOMPARE(QStringList({male.varName(), male.varLabel(), male.valueLabel()}),
                 QStringList({"sesso", "Sesso", "Maschio"}));
        QCOMPARE(reader.document().variables.at(1).varType(), quint8(252));
    }

    // A damaged file reads as a walk through its tree would: each part is the
    // first element of its name anywhere below the root, even inside another
    // part; a cell nested in a cell comes later and wins its position.
    void partsFoundAnywhereBelowTheRoot()
    {
        DocumentReader reader;
        QVERIFY(reader.read(QByteArray(
            "<quorin><x><dataset fileName=\"first\"/></x><dataset fileName=\"second\"/>"
            "<variables><v name=\"a\"><m value=\"1\"><m value=\"deep\"/></m>"
            "<cells rowCount=\"2\" columnCount=\"1\">"
            "<cell row=\"0\" dataType=\"condition\"><condition><microCondition value=\"1\"/>"
            "<cell row=\"0\" dataType=\"statistic\"><statistic statisticName=\"s\"/>"
            "<statistic statisticName=\"t\"/></cell></condition></cell>"
            "<cell row=\"1\" dataType=\"simpletext\"><y><simpletext text=\"no\"/></y>"
            "<simpletext text=\"yes\"/></cell></cells></v></variables>"
            "<cells rowCount=\"9\" columnCount=\"9\"/><rows><r height=\"3\"/><r/><r "
            "height=\"5\"/></rows></quorin>")));
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

    void gridLimits()
    {
        for (const auto &[rows, columns, allowed] : {std::tuple{0LL, 0LL, true},
                                                     {999LL, 999LL, true},
                                                     {999LL, 0LL, true},
                                                     {1000LL, 1LL, false},
                                                     {1LL, 1000LL, false},
                                                     {2000000000LL, 2000000000LL, false},
                                                     {-1LL, 5LL, false}})
            QCOMPARE(Document::gridSizeAllowed(rows, columns), allowed);
        DocumentReader reader;
        QVERIFY(reader.read(
            QByteArray("<quorin><cells rowCount=\"999\" columnCount=\"999\"/></quorin>")));
        QCOMPARE(reader.document().cells.rowCount(), 999);
        QCOMPARE(reader.document().cells(998, 998).dataType(), CellContent::Kind::Void);
    }

    void controlCharactersLeftOut()
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

    // Windows-1252, even declared as UTF-8, UTF-8 and UTF-16 with a byte
    // order mark all read; bytes usable as neither are refused.
    void eightBitTextReadAsWindows1252()
    {
        const QString xml = QStringLiteral("<quorin><variables><variable label=\"Città\"/>"
                                           "</variables><cells rowCount=\"1\" columnCount=\"1\">"
                                           "<cell dataType=\"simpletext\"><simpletext "
                                           "text=\"Età € – “sì”\"/></cell></cells></quorin>");
        const QString declared = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + xml;
        QStringEncoder windows("windows-1252");
        QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        for (const QByteArray &file :
             {QByteArray(windows.encode(xml)), QByteArray(windows.encode(declared)), xml.toUtf8(),
              QByteArray(utf16.encode(xml))}) {
            DocumentReader reader;
            QVERIFY(reader.read(file));
            QCOMPARE(reader.document().variables.value(0).label() + '|' +
                         reader.document().cells(0, 0).simpleText(),
                     QStringLiteral("Città|Età € – “sì”"));
        }
        QVERIFY(!DocumentReader().read(QByteArray("<quorin>\xe0</quorun>")));
    }

    // Every truncation and a few thousand byte changes of a real document
    // either load or are refused with a message; none may crash or hang.
    void damagedCopiesNeverCrash()
    {
        const QByteArray original = fileBytes(dataPath("full.xml"));
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
        const QByteArray replacements("<>&\"'/=9-x \n\0\xff", 14);
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
};

QTEST_APPLESS_MAIN(DocumentTest)
#include "DocumentTest.moc"
