// The exports of a run's table, read back from the files written: what a
// spreadsheet, a browser, LaTeX or a Markdown viewer gets.

#include "CellBuilders.h"
#include "DataRows.h"
#include "FileContents.h"
#include "XlsxSheet.h"
#include "model/Document.h"
#include "stata/DisplayedNumber.h"
#include "stata/ExportTable.h"
#include "stata/TableExporter.h"
#include "stata/TableMarkup.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

CellContent statisticCell(const QString &format)
{
    return CellBuilders::statisticCell(Statistic{"eta", "Eta", "mean", format});
}

// Row 1: a text, a condition label; row 2: results in four formats and a
// missing value.
Document runDocument()
{
    Document document;
    document.cells = CellContentGrid(2, 5);
    document.cells(0, 0) = CellBuilders::textCell("Età; \"anni\"");
    document.cells(0, 1).addMicroCondition(MicroCondition("1", "12.5", "sesso", "Sesso"));
    document.cells(1, 0) = statisticCell("%9.0f");
    document.cells(1, 1) = statisticCell("%9.1fc");
    document.cells(1, 2) = statisticCell("%10.3e");
    document.cells(1, 3) = statisticCell("%9.0g");
    document.cells(1, 4) = statisticCell("%9.2f");
    document.columnWidths = {140, 70};
    return document;
}

const QList<QStringList> runOutput = {
    {"Età; \"anni\"", "12.5", "", "", ""},
    {"       42", "  1,234.5", " 1.235e+03", "       .5", "        ."}};

} // namespace

class TableExportTest : public QObject
{
    Q_OBJECT

private slots:
    void readsDisplayedNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("numberFormat");
        dataRow("fixed, no decimals", "       42", "%9.0f", true, 42.0, "0");
        dataRow("fixed", "    35.17", "%9.2f", true, 35.17, "0.00");
        dataRow("thousands", "  1,234.5", "%9.1fc", true, 1234.5, "#,##0.0");
        dataRow("european", "  1.234,5", "%9,1fc", true, 1234.5, "#,##0.0");
        dataRow("exponential", " 1.235e+03", "%10.3e", true, 1235.0, "0.000E+00");
        dataRow("general", "       .5", "%9.0g", true, 0.5, "General");
        dataRow("no format", "-12", "", true, -12.0, "General");
        dataRow("missing", "        .", "%9.2f", false, 0.0, "0.00");
        dataRow("extended missing", ".a", "%9.2f", false, 0.0, "0.00");
        dataRow("word a number parser knows", "inf", "%9.2f", false, 0.0, "0.00");
        dataRow("date", "01jan2020", "%td", false, 0.0, "General");
        dataRow("text result", "Mean estimation", "%20s", false, 0.0, "General");
    }
    void readsDisplayedNumbers()
    {
        QFETCH(QString, text);
        QFETCH(QString, format);
        double read = 0;
        QTEST(DisplayedNumber::read(text, format, &read), "isNumber");
        QTEST(read, "value");
        QTEST(DisplayedNumber::spreadsheetFormat(format), "numberFormat");
    }
    void guessesNumbersWithoutFormat_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("numberFormat");
        dataRow("padded decimals", "   12.50", true, 12.5, "0.00");
        dataRow("integer", "-7", true, -7.0, "0");
        dataRow("thousands", "1,234,567.8", true, 1234567.8, "#,##0.0");
        dataRow("exponential", "2.50e-03", true, 0.0025, "0.00E+00");
        dataRow("code with leading zero", "007", false, 0.0, "");
        dataRow("badly grouped", "12,34", false, 0.0, "");
        dataRow("missing", ".", false, 0.0, "");
        dataRow("text", "Nord | Centro", false, 0.0, "");
    }
    void guessesNumbersWithoutFormat()
    {
        QFETCH(QString, text);
        double read = 0;
        QString format;
        QTEST(DisplayedNumber::guess(text, &read, &format), "isNumber");
        QTEST(read, "value");
        QTEST(format, "numberFormat");
    }
    void escapesEveryFormat()
    {
        const QString text = QStringLiteral("<a href=\"x\">& % $ # _ { } ~ ^ \\ |</a>\nnext");
        QCOMPARE(TableMarkup::escapeHtml(text),
                 QStringLiteral("&lt;a href=&quot;x&quot;&gt;&amp; % $ # _ { } ~ ^ \\ |&lt;/a&gt;"
                                "<br>next"));
        QCOMPARE(TableMarkup::escapeLatex(text),
                 QStringLiteral("<a href=\"x\">\\& \\% \\$ \\# \\_ \\{ \\} \\textasciitilde{} "
                                "\\textasciicircum{} \\textbackslash{} |</a> next"));
        QCOMPARE(TableMarkup::escapeMarkdown(text),
                 QStringLiteral("<a href=\"x\">& % $ # _ { } ~ ^ \\\\ \\|</a><br>next"));
    }
    void writesWorkbook()
    {
        const QString path = m_directory.filePath("table.xlsx");
        QString error;
        QVERIFY2(
            TableExporter::write(path, ExportTable::fromOutput(runOutput, runDocument()), &error),
            qPrintable(error));
        XlsxSheet sheet;
        QVERIFY(sheet.read(path));
        // Empty fields stay empty cells; a condition label that looks like a
        // number is still a text.
        QStringList cells;
        for (auto cell = sheet.cellsByReference.cbegin(); cell != sheet.cellsByReference.cend();
             ++cell)
            cells << cell.key() + (cell->isString ? " text " + cell->text
                                                  : ' ' + QString::number(cell->number, 'g', 17) +
                                                        ' ' + cell->numberFormat);
        QCOMPARE(cells, QStringList({"A1 text Età; \"anni\"", "A2 42 0", "B1 text 12.5",
                                     "B2 1234.5 #,##0.0", "C2 1235 0.000E+00", "D2 0.5 General",
                                     "E2 text ."}));
        // Excel shows a stored width of w characters in 7w pixels.
        QCOMPARE(qRound(sheet.columnWidths.value(1) * 7), 140);
        QCOMPARE(qRound(sheet.columnWidths.value(2) * 7), 70);
    }
    void writesTextFormats()
    {
        const ExportTable table =
            ExportTable::fromOutput({{"a|b", "x & y"}, {"  3.50", "   ."}, {"\\", "1"}}, [] {
                Document document;
                document.cells = CellContentGrid(3, 2);
                document.cells(1, 0) = statisticCell("%6.2f");
                document.cells(1, 1) = statisticCell("%6.2f");
                return document;
            }());
        const QList<std::pair<QString, QString>> expected = {
            {"t.html", "<!DOCTYPE html>\n<html>\n<head>\n<meta "
                       "charset=\"utf-8\">\n<title>t</title>\n</head>\n"
                       "<body>\n<table border=\"1\" style=\"border-collapse: collapse\">\n"
                       "<tr><td>a|b</td><td>x &amp; y</td></tr>\n"
                       "<tr><td style=\"text-align: right\">3.50</td><td>.</td></tr>\n"
                       "<tr><td>\\</td><td>1</td></tr>\n</table>\n</body>\n</html>\n"},
            {"t.tex", "% Needs \\usepackage{booktabs}\n\\begin{tabular}{rl}\n\\toprule\n"
                      "a|b & x \\& y \\\\\n\\midrule\n3.50 & . \\\\\n\\textbackslash{} & 1 \\\\\n"
                      "\\bottomrule\n\\end{tabular}\n"},
            {"t.md", "| a\\|b | x & y |\n| ---: | --- |\n| 3.50 | . |\n| \\\\ | 1 |\n"}};
        for (const auto &[name, text] : expected) {
            QString error;
            QVERIFY2(TableExporter::write(m_directory.filePath(name), table, &error),
                     qPrintable(error));
            QCOMPARE(fileText(m_directory.filePath(name)), text);
        }
    }
    // Every format is written through a temporary file; when that cannot be
    // made (here its name would be too long) the earlier file stays as it was.
    void failedWriteKeepsEarlierFile()
    {
        for (const char *suffix : {".xlsx", ".md"}) {
            const QString path = m_directory.filePath(QString(250, QLatin1Char('e')) + suffix);
            QVERIFY(writeFileBytes(path, "earlier"));
            QString error;
            QVERIFY(!TableExporter::write(path, ExportTable::fromOutput(runOutput, runDocument()),
                                          &error));
            QVERIFY(!error.isEmpty());
            QCOMPARE(fileBytes(path), QByteArray("earlier"));
        }
    }
    void refusesUnknownSuffix()
    {
        QString error;
        QVERIFY(!TableExporter::write(m_directory.filePath("t.csv"), ExportTable(), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(TableExporter::formatOf("T.XLSX"), TableExporter::Format::Xlsx);
        QVERIFY(!QFile::exists(m_directory.filePath("t.csv")));
    }

private:
    QTemporaryDir m_directory;
};

QTEST_GUILESS_MAIN(TableExportTest)
#include "TableExportTest.moc"
