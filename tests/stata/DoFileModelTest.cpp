#include "DataRows.h"
#include "model/CellContentGrid.h"
#include "stata/DoFileComposer.h"
#include "stata/StataText.h"

#include <QFile>
#include <QTest>

namespace {

QByteArray readGolden(const QString &name)
{
    QFile file(QStringLiteral(QUORIN_SOURCE_DIR "/tests/data/dofile/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("golden file %s is missing", qPrintable(name));
    return file.readAll();
}

// The golden text without the lines of the given 1-based numbers.
QByteArray withoutLines(const QByteArray &text, const QList<int> &numbers)
{
    const QList<QByteArray> lines = text.split('\n');
    QByteArray result;
    for (int i = 0; i < lines.size() - 1; ++i) {
        if (!numbers.contains(i + 1))
            result += lines.at(i) + '\n';
    }
    return result;
}

MicroCondition term(const QString &varName, const QString &value, const QString &valueLabel)
{
    return MicroCondition(value, valueLabel, varName, QString());
}

// The 2 by 2 table: a text, a sex condition, a region condition with two
// terms and the mean age under both conditions.
CellContentGrid workedExampleGrid()
{
    CellContentGrid grid(2, 2);
    grid(0, 0).setSimpleText(QStringLiteral("Ripartizione"));
    grid(0, 1).addMicroCondition(term("sesso", "1", "Maschio"));
    grid(1, 0).addMicroCondition(term("ripartizione", "1", "Nord"));
    grid(1, 0).addMicroCondition(term("ripartizione", "2", "Centro"));
    grid(1, 1).setStatistic(Statistic{"eta", "Età", "mean", "%9.2f"});
    return grid;
}

StatisticCatalogue meanCatalogue()
{
    StatisticCatalogue catalogue;
    catalogue.insert("mean", Command("mean", "summarize #var #if", "r(mean)",
                                     Command::ResultType::Scalar, 1, 1));
    return catalogue;
}

const QString dataset = QStringLiteral("C:/Data/indagine.dta");
const QString output = QStringLiteral("C:/Data/tabella.csv");

} // namespace

class DoFileModelTest : public QObject
{
    Q_OBJECT

private slots:
    void workedExampleByteForByte();
    void switches_data();
    void switches();
    void emptyGrids_data();
    void emptyGrids();
    void defaultModel();
    void entryLines_data();
    void entryLines();
    void specialTextsChangeOnlyTheWriteLines();
    void snapshotIndependentOfGrid();
    void fileNamesQuoted_data();
    void fileNamesQuoted();

private:
    const StatisticCatalogue m_catalogue = meanCatalogue();
    const AreaCollection m_noAreas;
};

void DoFileModelTest::workedExampleByteForByte()
{
    const CellContentGrid grid = workedExampleGrid();
    const DoFileComposer composer(grid, m_catalogue, m_noAreas);
    QCOMPARE(composer.ifCondition(1, 1),
             QStringLiteral("if (ripartizione==1 | ripartizione==2) & sesso==1"));
    const DoFileModel model = composer.buildModel(dataset);
    QCOMPARE(model.toString(true, true, output).toUtf8(), readGolden("workedExample.do"));
}

void DoFileModelTest::switches_data()
{
    QTest::addColumn<bool>("showMain");
    QTest::addColumn<bool>("showMacro");
    QTest::addColumn<QList<int>>("missingLines");
    QTest::newRow("no main") << false << true << QList<int>{6};
    QTest::newRow("no macro") << true << false << QList<int>{3, 4, 5, 7};
    QTest::newRow("neither") << false << false << QList<int>{3, 4, 5, 6, 7};
}

void DoFileModelTest::switches()
{
    QFETCH(bool, showMain);
    QFETCH(bool, showMacro);
    QFETCH(QList<int>, missingLines);
    const CellContentGrid grid = workedExampleGrid();
    const DoFileModel model = DoFileComposer(grid, m_catalogue, m_noAreas).buildModel(dataset);
    QCOMPARE(model.toString(showMain, showMacro, output).toUtf8(),
             withoutLines(readGolden("workedExample.do"), missingLines));
}

// A grid without cells gives the header and the export section, which is
// the golden one apart from its counts.
void DoFileModelTest::emptyGrids_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    dataRow("empty cells", 3, 2);
    dataRow("no rows", 0, 4);
    dataRow("no columns", 5, 0);
    dataRow("nothing", 0, 0);
}

void DoFileModelTest::emptyGrids()
{
    QFETCH(int, rows);
    QFETCH(int, columns);
    const CellContentGrid grid(rows, columns);
    const DoFileModel model = DoFileComposer(grid, m_catalogue, m_noAreas).buildModel(dataset);
    QVERIFY(model.entries().isEmpty());
    const QString exportSection = model.exportSection(output);
    QCOMPARE(model.toString(true, true, output),
             "use \"C:/Data/indagine.dta\"\ntempname tempMatrix\n" + exportSection);
    QVERIFY(exportSection.startsWith(
        QStringLiteral("local nRow %1\nlocal nCol %2\n").arg(rows).arg(columns)));
    const QByteArray golden = readGolden("workedExample.do");
    QCOMPARE(exportSection.toUtf8().mid(26), golden.mid(golden.indexOf("local nRow 2\n") + 26));
}

void DoFileModelTest::defaultModel()
{
    const DoFileModel model;
    const QString text = model.toString(true, true, QString());
    QVERIFY(text.startsWith("use \"\"\ntempname tempMatrix\nlocal nRow 0\nlocal nCol 0\n"
                            "file open outputFile using \"\", write text replace\n"));
    QCOMPARE(text.count('\n'), 19);
}

// One entry's lines, with the statistics' commands and the macros each shown
// or not; a macro of two lines (a matrix result) belongs to the macros.
void DoFileModelTest::entryLines_data()
{
    QTest::addColumn<QString>("main");
    QTest::addColumn<QString>("macro");
    QTest::addColumn<bool>("showMain");
    QTest::addColumn<bool>("showMacro");
    QTest::addColumn<QString>("lines");
    const QString matrix = QStringLiteral(
        "matrix `tempMatrix' = r(table)\nlocal t_1_1: display %4.1f `tempMatrix'[1, 2]");
    dataRow("empty macro", "summarize x", "", true, true, "summarize x\n\n");
    dataRow("empty macro alone", "summarize x", "", false, true, "\n");
    QTest::newRow("matrix") << "ci means eta" << matrix << true << true
                            << "ci means eta\n" + matrix + "\n";
    QTest::newRow("matrix without macros")
        << "ci means eta" << matrix << true << false << "ci means eta\n";
}

void DoFileModelTest::entryLines()
{
    QFETCH(QString, main);
    QFETCH(QString, macro);
    QFETCH(bool, showMain);
    QFETCH(bool, showMacro);
    QFETCH(QString, lines);
    DoFileModel model(dataset, 1, 1);
    model.append(DoFileEntry{main, macro});
    QCOMPARE(model.toString(showMain, showMacro, output),
             "use \"C:/Data/indagine.dta\"\ntempname tempMatrix\n" + lines +
                 model.exportSection(output));
}

// A text that cannot stand in quotes defines write directives instead; only
// its macro line and the export section's two write lines change.
void DoFileModelTest::specialTextsChangeOnlyTheWriteLines()
{
    CellContentGrid grid = workedExampleGrid();
    grid(0, 0).setSimpleText(QStringLiteral("Ripartizione \"ISTAT\""));
    const DoFileModel model = DoFileComposer(grid, m_catalogue, m_noAreas).buildModel(dataset);
    QList<QByteArray> expected = readGolden("workedExample.do").split('\n');
    expected[2] = "local w_1_1 `\"_char(34) \"Ripartizione \" _char(34) _char(34) \"ISTAT\" "
                  "_char(34) _char(34) _char(34)\"'";
    expected[13] = "                  file write outputFile `w_`row'_`col'' \"`t_`row'_`col''\"";
    expected[16] = "                  file write outputFile `w_`row'_`col'' \"`t_`row'_`col'';\"";
    QCOMPARE(model.toString(true, true, output).toUtf8(), expected.join('\n'));
}

void DoFileModelTest::snapshotIndependentOfGrid()
{
    CellContentGrid grid = workedExampleGrid();
    const DoFileModel model = DoFileComposer(grid, m_catalogue, m_noAreas).buildModel(dataset);
    grid(0, 0).setSimpleText(QStringLiteral("Changed"));
    grid(1, 1).clearContent();
    QCOMPARE(model.toString(true, true, output).toUtf8(), readGolden("workedExample.do"));
}

void DoFileModelTest::fileNamesQuoted_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("quoted");
    dataRow("plain", "C:/Data/indagine.dta", "\"C:/Data/indagine.dta\"");
    dataRow("empty", "", "\"\"");
    dataRow("windows", "C:\\Data\\it's mine\\x.dta", "\"C:\\Data\\it's mine\\x.dta\"");
    dataRow("unc", "\\\\server\\share\\x.dta", "\"\\\\server\\share\\x.dta\"");
    dataRow("admin share", "\\\\server\\c$\\data\\x.dta", "\"\\\\server\\c\\$\\data\\x.dta\"");
    dataRow("backslash before dollar", "C:\\$RECYCLE\\x.dta", "\"C:\\\\\\$RECYCLE\\x.dta\"");
    dataRow("grave accent", "/home/a`b'/x.dta", "\"/home/a\\`b'/x.dta\"");
    dataRow("double quote", "/tmp/say \"hi\".csv", "`\"/tmp/say \"hi\".csv\"'");
}

void DoFileModelTest::fileNamesQuoted()
{
    QFETCH(QString, fileName);
    QFETCH(QString, quoted);
    QCOMPARE(StataText::quotedFileName(fileName), quoted);
    const DoFileModel model(fileName, 1, 1);
    const QString text = model.toString(true, true, fileName);
    QVERIFY(text.startsWith("use " + quoted + "\ntempname tempMatrix\n"));
    QVERIFY(text.contains("\nfile open outputFile using " + quoted + ", write text replace\n"));
}

QTEST_APPLESS_MAIN(DoFileModelTest)
#include "DoFileModelTest.moc"
