#include "DataRows.h"
#include "model/CellContentGrid.h"
#include "stata/DoFileComposer.h"
#include "stata/StataText.h"

#include <QFile>
#include <QTest>

namespace {

QByteArray readGolden(const QString &name)
{
    QFile file(QUORIN_SOURCE_DIR "/tests/data/dofile/" + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("golden file %s is missing", qPrintable(name));
    return file.readAll();
}

const QByteArray golden = readGolden("workedExample.do");

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

const QString dataset = QStringLiteral("C:/Data/indagine.dta");
const QString output = QStringLiteral("C:/Data/tabella.csv");
const QString header = QStringLiteral("use \"C:/Data/indagine.dta\"\ntempname tempMatrix\n");

// The do-file of the 2 by 2 table: a text, a sex condition, a region
// condition with two terms and the mean age under both conditions. The grid
// changes after: the model is a snapshot, which the grid no longer touches.
DoFileModel workedExample(const QString &text = QStringLiteral("Ripartizione"))
{
    CellContentGrid grid(2, 2);
    grid(0, 0).setSimpleText(text);
    grid(0, 1).addMicroCondition(MicroCondition("1", "Maschio", "sesso", QString()));
    grid(1, 0).addMicroCondition(MicroCondition("1", "Nord", "ripartizione", QString()));
    grid(1, 0).addMicroCondition(MicroCondition("2", "Centro", "ripartizione", QString()));
    grid(1, 1).setStatistic(Statistic{"eta", "Età", "mean", "%9.2f"});
    StatisticCatalogue catalogue;
    catalogue.insert("mean", Command("mean", "summarize #var #if", "r(mean)",
                                     Command::ResultType::Scalar, 1, 1));
    const AreaCollection areas;
    const DoFileComposer composer(grid, catalogue, areas);
    if (composer.ifCondition(1, 1) != "if (ripartizione==1 | ripartizione==2) & sesso==1")
        qFatal("the worked example's condition is %s", qPrintable(composer.ifCondition(1, 1)));
    const DoFileModel model = composer.buildModel(dataset);
    grid(0, 0).setSimpleText("Changed");
    grid(1, 1).clearContent();
    return model;
}

} // namespace

class DoFileModelTest : public QObject
{
    Q_OBJECT

private slots:
    // The statistics' commands and the macros are each shown or not.
    void workedExampleByteForByte_data()
    {
        QTest::addColumn<bool>("showMain");
        QTest::addColumn<bool>("showMacro");
        QTest::addColumn<QList<int>>("missingLines");
        dataRow("whole", true, true, QList<int>());
        dataRow("no main", false, true, QList<int>{6});
        dataRow("no macro", true, false, QList<int>{3, 4, 5, 7});
        dataRow("neither", false, false, QList<int>{3, 4, 5, 6, 7});
    }
    void workedExampleByteForByte()
    {
        QFETCH(bool, showMain);
        QFETCH(bool, showMacro);
        QFETCH(QList<int>, missingLines);
        QCOMPARE(workedExample().toString(showMain, showMacro, output).toUtf8(),
                 withoutLines(golden, missingLines));
    }

    // A text that cannot stand in quotes defines write directives instead;
    // only its macro line and the export section's two write lines change.
    void specialTextsChangeOnlyTheWriteLines()
    {
        QList<QByteArray> expected = golden.split('\n');
        expected[2] = "local w_1_1 `\"_char(34) \"Ripartizione \" _char(34) _char(34) \"ISTAT\" "
                      "_char(34) _char(34) _char(34)\"'";
        expected[13] =
            "                  file write outputFile `w_`row'_`col'' \"`t_`row'_`col''\"";
        expected[16] =
            "                  file write outputFile `w_`row'_`col'' \"`t_`row'_`col'';\"";
        QCOMPARE(workedExample("Ripartizione \"ISTAT\"").toString(true, true, output),
                 expected.join('\n'));
    }

    // A grid without cells gives the header and the export section, which
    // is the golden one apart from its counts.
    void emptyGrids_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        dataRow("empty cells", 3, 2);
        dataRow("no rows", 0, 4);
        dataRow("no columns", 5, 0);
    }
    void emptyGrids()
    {
        QFETCH(int, rows);
        QFETCH(int, columns);
        const CellContentGrid grid(rows, columns);
        const StatisticCatalogue catalogue;
        const AreaCollection areas;
        const DoFileModel model = DoFileComposer(grid, catalogue, areas).buildModel(dataset);
        QVERIFY(model.entries().isEmpty());
        const QString exportSection = model.exportSection(output);
        QCOMPARE(model.toString(true, true, output), header + exportSection);
        QVERIFY(exportSection.startsWith(
            QStringLiteral("local nRow %1\nlocal nCol %2\n").arg(rows).arg(columns)));
        QCOMPARE(exportSection.toUtf8().mid(26), golden.mid(golden.indexOf("local nRow 2\n") + 26));
    }

    // One entry's lines, with the statistics' commands and the macros each
    // shown or not; a macro of two lines (a matrix result) belongs to the
    // macros.
    void entryLines_data()
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
        dataRow("matrix", "ci means eta", matrix, true, true, "ci means eta\n" + matrix + "\n");
        dataRow("matrix without macros", "ci means eta", matrix, true, false, "ci means eta\n");
    }
    void entryLines()
    {
        QFETCH(QString, main);
        QFETCH(QString, macro);
        QFETCH(bool, showMain);
        QFETCH(bool, showMacro);
        QFETCH(QString, lines);
        DoFileModel model(dataset, 1, 1);
        model.append(DoFileEntry{main, macro});
        QCOMPARE(model.toString(showMain, showMacro, output),
                 header + lines + model.exportSection(output));
    }

    void fileNamesQuoted_data()
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
    void fileNamesQuoted()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, quoted);
        QCOMPARE(StataText::quotedFileName(fileName), quoted);
        const QString text = DoFileModel(fileName, 1, 1).toString(true, true, fileName);
        QVERIFY(text.startsWith("use " + quoted + "\ntempname tempMatrix\n"));
        QVERIFY(text.contains("\nfile open outputFile using " + quoted + ", write text replace\n"));
    }
};

QTEST_APPLESS_MAIN(DoFileModelTest)
#include "DoFileModelTest.moc"
