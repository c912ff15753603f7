#include "DataRows.h"
#include "DtaWriter.h"
#include "StandinRunner.h"

#include <QTest>

namespace {

// Runs the lines between opening and closing the file out.txt and returns
// what they wrote there, or the log when the run failed.
QString written(StandinRunner &runner, const QString &lines)
{
    const QString doFile = QStringLiteral("file open out using \"out.txt\", write text replace\n") +
                           lines + QStringLiteral("\nfile close out\n");
    if (runner.runDoFile(doFile) != 0)
        return QStringLiteral("<run failed>\n") + runner.log();
    return runner.readFile(QStringLiteral("out.txt"));
}

// A small dataset for if-expressions: x with the system and an extended
// missing value, y with one missing value, s a string.
void writeExpressionData(const QString &fileName)
{
    DtaWriter writer;
    writer.addVariable(QStringLiteral("x"), QString(), DtaWriter::Double);
    writer.addVariable(QStringLiteral("y"), QString(), DtaWriter::Byte);
    writer.addVariable(QStringLiteral("s"), QString(), 3);
    writer.addVariable(QStringLiteral("age1"), QString(), DtaWriter::Byte);
    writer.addVariable(QStringLiteral("age2"), QString(), DtaWriter::Byte);
    const double a = std::ldexp(1.0, 1023) + std::ldexp(1.0, 1011); // .a
    const QList<QVariantList> rows = {
        {1, 0, QStringLiteral("a")},
        {5, 1, QStringLiteral("b")},
        {7, 0, QString()},
        {QVariant(), 1, QStringLiteral("c")},
        {a, QVariant(), QStringLiteral("a")},
        {10, 1, QStringLiteral("b")},
    };
    for (QVariantList row : rows) {
        row << 1 << 2;
        writer.addObservation(row);
    }
    QVERIFY(writer.writeFile(fileName));
}

} // namespace

class StandinLanguageTest : public QObject
{
    Q_OBJECT

private slots:
    void runsLines_data();
    void runsLines();
    void formatsLikeDisplay_data();
    void formatsLikeDisplay();
    void evaluatesIfExpressions_data();
    void evaluatesIfExpressions();
    void refusesAmbiguousAbbreviations();
    void displaysIntoTheLog();
    void passesArgumentsToTheDoFile();
    void readsADoFileWithAByteOrderMark();
};

void StandinLanguageTest::runsLines_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nested reference")
        << QStringLiteral(
               "local row 1\nlocal col 2\nlocal t_1_2 \"x\"\nfile write out \"`t_`row'_`col''\"")
        << QStringLiteral("x");
    dataRow("outer quotes removed once", "local a \"a\" \"b\"\nfile write out `\"`a'\"'",
            "a\" \"b");
    dataRow("compound quotes keep inner quotes",
            "local a `\"say \"hi\" now\"'\nfile write out `\"[`a']\"'", "[say \"hi\" now]");
    dataRow("nested compound quotes", "local a `\"x `\"y\"' z\"'\nfile write out `\"`a'\"'",
            "x `\"y\"' z");
    dataRow("unquoted text", "local a   two words  \nfile write out \"[`a']\"", "[two words]");
    dataRow("apostrophe alone", "local a \"l'Aquila\"\nfile write out \"`a'\"", "l'Aquila");
    dataRow("grave accent without close", "file write out \"it`s\"", "it`s");
    dataRow("undefined macro is empty", "file write out \"[`nothing']\"", "[]");
    dataRow("escaped grave accent stored",
            "local b \"B\"\nlocal a \"\\`b'\"\nfile write out \"`macval(a)'\"", "`b'");
    dataRow("stored reference expands when used",
            "local b \"B\"\nlocal a \"\\`b'\"\nfile write out \"`a'\"", "B");
    dataRow("escaped dollar", "global g \"G\"\nfile write out \"\\$g $g ${g}\"", "$g G G");
    dataRow("dollar before a non-name", "file write out \"costs $5\"", "costs $5");
    dataRow("doubled backslash before a reference", "local x \"X\"\nfile write out \"C:\\\\`x'\"",
            "C:\\X");
    dataRow("three backslashes escape the quote", "local x \"X\"\nfile write out \"\\\\\\`x'\"",
            "\\`x'");
    dataRow("backslashes elsewhere stay", "file write out \"C:\\dir\\\\server\\file\"",
            "C:\\dir\\\\server\\file");
    dataRow("expression", "file write out \"`=2+3' `=\"a\"+\"b\"'\"", "5 ab");
    dataRow("inline display", "file write out \"`:display %5.1f 2.26'\"", "  2.3");
    dataRow("local = expression",
            "local a = 1/4\nlocal b = 1/3\n"
            "file write out \"`a' `b'\"",
            ".25 .3333333333333333");
    dataRow("display keeps the format's blanks",
            "local v: display %6.2f 1.5\nfile write out \"[`v']\"", "[  1.50]");
    dataRow("display glued to its format", "local v: display%5.1f 2.26\nfile write out \"[`v']\"",
            "[  2.3]");
    dataRow("tempname", "tempname a b\nfile write out \"`a' `b'\"", "__000000 __000001");
    dataRow("stored results as text", "tempname m\nfile write out \"`r(N)'|`e(cmd)'\"", "|");
    QTest::newRow("comments")
        << QStringLiteral(
               "* a comment line\nlocal a \"x\" // to the end\n/* a\nblock */ local b \"y\"\n"
               "local c = 1 + ///\n  2\nfile write out \"`a'`b'`c' a // b /* c */\"")
        << QStringLiteral("xy3 a // b /* c */");
    dataRow("line expanding to nothing", "`nothing'\n$nothing\nfile write out \"ok\"", "ok");
    dataRow("string functions",
            "local v `\"say \"hi\"; ok\"'\nlocal q = char(34) + "
            "subinstr(`\"`macval(v)'\"', char(34), char(34) + char(34), .) + "
            "char(34)\nfile write out `\"`macval(q)' `=strpos(\"abc\", \"c\")' "
            "`=strpos(\"abc\", \"x\")' `=subinstr(\"aaa\", \"a\", \"b\", 2)'\"'",
            "\"say \"\"hi\"\"; ok\" 3 0 bba");
    dataRow("cleared by an empty definition", "local a \"x\"\nlocal a\nfile write out \"[`a']\"",
            "[]");
    // Loops, branches and the file directives.
    dataRow("forvalues with a step", "forvalues i = 10(-3)1 {\n  file write out \"`i' \"\n}",
            "10 7 4 1 ");
    dataRow("fractional step", "forvalues i = 0(.25)1 {\n  file write out \"`i' \"\n}",
            "0 .25 .5 .75 1 ");
    QTest::newRow("empty range")
        << QStringLiteral(
               "forvalues i = 1/0 {\n  file write out \"never\"\n}\nfile write out \"end\"")
        << QStringLiteral("end");
    dataRow("if else if else",
            "forvalues i = 1/3 {\n"
            "  if `i' == 1 {\n    file write out \"one \"\n  }\n"
            "  else if \"`i'\" == \"2\" {\n    file write out \"two \"\n  }\n"
            "  else {\n    file write out \"many \"\n  }\n"
            "}",
            "one two many ");
    dataRow("one-line if and else", "if 1 > 2 file write out \"no\"\nelse file write out \"yes\"",
            "yes");
    dataRow("if on the first observation",
            "if \"abc\" < \"abd\" & . > 1e300 {\n  file write out \"ordered\"\n}", "ordered");
    QTest::newRow("nested loops")
        << QStringLiteral(
               "forvalues r = 1/2 {\n  forvalues c = 1/3 {\n    file write out \"`r'`c' \"\n  }\n"
               "  file write out _n\n}")
        << QStringLiteral("11 12 13 \n21 22 23 \n");
    dataRow("quietly and sleep", "quietly display \"hidden\"\nsleep 1\nfile write out \"awake\"",
            "awake");
    dataRow("file directives",
            "file write out \"a\" _tab \"b\" _n(2) \"c\" _char(65) (1+1) %5.2f (3) _skip(2) "
            "`\"q\"q\"' _col(1) \"!\" _newline",
            "a\tb\n\ncA2 3.00  q\"q!\n");
}

void StandinLanguageTest::runsLines()
{
    QFETCH(QString, lines);
    QFETCH(QString, expected);
    StandinRunner runner;
    QCOMPARE(written(runner, lines), expected);
}

void StandinLanguageTest::formatsLikeDisplay_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *format, const char *value, const char *expected) {
        QTest::addRow("%s %s", format, value)
            << QString::fromLatin1(format) << QString::fromLatin1(value)
            << QString::fromLatin1(expected);
    };
    row("%9.2f", "3.14159", "     3.14");
    row("%9.2f", "-3.14159", "    -3.14");
    row("%9.2f", "0.5", "     0.50");
    row("%9.0f", "2.6", "        3");
    row("%-9.2f", "3.14159", "3.14     ");
    row("%09.2f", "3.14159", "000003.14");
    row("%09.2f", "-3.14159", "-00003.14");
    row("%-09.2f", "1.5", "000001.50");
    row("%12.2fc", "1234567.891", "1,234,567.89");
    row("%14.2fc", "1234567.891", "  1,234,567.89");
    row("%9.2fc", "999.5", "   999.50");
    row("%9,2f", "1234.5", "  1234,50");
    row("%12,2fc", "1234567.5", "1.234.567,50");
    row("%3.1f", "1234.5", "1234.5");
    row("%9.2e", "1234", " 1.23e+03");
    row("%-9.2e", "1234", "1.23e+03 ");
    row("%10.3e", "-0.000123456", "-1.235e-04");
    row("%9,2e", "1234", " 1,23e+03");
    row("%09.2e", "1234", "01.23e+03");
    row("%9.0g", "1/3", " .3333333");
    row("%9.0g", "-1/3", "-.3333333");
    row("%9.0g", "3.14159265", " 3.141593");
    row("%9.0g", "12345678", " 12345678");
    row("%9.0g", "123456789", " 1.23e+08");
    row("%9.0g", "0.00001234", " 1.23e-05");
    row("%9.0g", "2.5", "      2.5");
    row("%9.0g", "100", "      100");
    row("%9.0g", "0", "        0");
    row("%-9.0g", "2.5", "2.5      ");
    row("%20.0g", "0.1", "                  .1");
    row("%9.3g", "3.14159", "     3.14");
    row("%9.2g", "1234", "  1.2e+03");
    row("%9.4g", "0.5", "       .5");
    row("%10.0gc", "1234567", " 1,234,567");
    row("%9.0gc", "12345678", " 12345678");
    row("%9,0g", "2.5", "      2,5");
    row("%9.2f", ".", "        .");
    row("%9.2f", ".b", "       .b");
    row("%-9.2f", ".", ".        ");
    row("%9.0g", ".z", "       .z");
    row("%10s", "\"abc\"", "       abc");
    row("%-10s", "\"abc\"", "abc       ");
    // display without a format: %10.0g without its leading blanks.
    row("", "1/3", ".33333333");
    row("", "1234567890", "1.235e+09");
    row("", "5", "5");
    row("", "-2.5", "-2.5");
    row("", ".", ".");
}

void StandinLanguageTest::formatsLikeDisplay()
{
    QFETCH(QString, format);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    StandinRunner runner;
    QCOMPARE(written(runner, QStringLiteral("local v: display %1 %2\nfile write out \"[`v']\"")
                                 .arg(format, value)),
             QStringLiteral("[%1]").arg(expected));
}

void StandinLanguageTest::evaluatesIfExpressions_data()
{
    // x: 1, 5, 7, ., .a, 10; y: 0, 1, 0, 1, ., 1; s: a, b, "", c, a, b.
    QTest::addColumn<QString>("condition");
    QTest::addColumn<int>("count");
    dataRow("missing is above every number", "x > 5", 4);
    dataRow("below system missing", "x < .", 4);
    dataRow("at or above system missing", "x >= .", 2);
    dataRow("equals system missing", "x == .", 1);
    dataRow("equals extended missing", "x == .a", 1);
    dataRow("extended above system", "x > .", 1);
    dataRow("missing()", "missing(x)", 2);
    dataRow("not missing()", "!missing(x)", 4);
    dataRow("not equal", "x != 5", 5);
    dataRow("tilde not equal", "x ~= 5", 5);
    dataRow("at most", "x <= 5", 2);
    dataRow("parentheses and or", "(x > 1 & x < 10) | s == \"c\"", 3);
    dataRow("not of a comparison", "!(x > 5)", 2);
    dataRow("and before or", "x == 5 | x == 7 & y == 1", 1);
    dataRow("string equal", "s == \"a\"", 2);
    dataRow("string not empty", "s != \"\"", 5);
    dataRow("string order", "s > \"a\"", 3);
    dataRow("missing counts as true", "y", 4);
    dataRow("truth with and", "x > 5 & y", 3);
    dataRow("negation keeps missing", "-x < -5", 2);
    dataRow("arithmetic on missing", "x*2 >= 10", 5);
    dataRow("power and constants", "2^2 == 4 & _n <= _N", 6);
    dataRow("observation number", "_n > 4", 2);
    dataRow("inlist", "inlist(x, 1, 10)", 2);
    dataRow("inrange leaves missing out", "inrange(x, 5, 10)", 3);
    dataRow("inrange with an open bound", "inrange(x, 6, .)", 2);
    dataRow("float literal", "x == 1.0e1", 1);
}

void StandinLanguageTest::evaluatesIfExpressions()
{
    QFETCH(QString, condition);
    QFETCH(int, count);
    StandinRunner runner;
    writeExpressionData(runner.filePath(QStringLiteral("data.dta")));
    QCOMPARE(written(runner,
                     QStringLiteral("use data\ncount if %1\nfile write out (r(N))").arg(condition)),
             QString::number(count));
}

void StandinLanguageTest::refusesAmbiguousAbbreviations()
{
    StandinRunner runner;
    writeExpressionData(runner.filePath(QStringLiteral("data.dta")));
    QCOMPARE(runner.runDoFile(QStringLiteral("use data\ncount if age == 1\n")), 1);
    QVERIFY(runner.log().contains(QStringLiteral("age ambiguous abbreviation")));
    QVERIFY(runner.log().contains(QStringLiteral("r(111);")));
}

void StandinLanguageTest::displaysIntoTheLog()
{
    StandinRunner runner;
    QCOMPARE(runner.runDoFile(QStringLiteral("display \"sum: \" 2+3 _n \"next\"\n"
                                             "display %5.1f 2.26 _col(10) \"x\"\n")),
             0);
    QVERIFY(runner.log().contains(QStringLiteral("\nsum: 5\nnext\n")));
    QVERIFY(runner.log().contains(QStringLiteral("\n  2.3    x\n")));
}

void StandinLanguageTest::passesArgumentsToTheDoFile()
{
    StandinRunner runner;
    runner.writeFile(QStringLiteral("job.do"),
                     QStringLiteral("file open out using \"out.txt\", write\n"
                                    "file write out \"`1'|`2'|`0'\"\nfile close out\n"));
    QCOMPARE(runner.run({QStringLiteral("-b"), QStringLiteral("do"), QStringLiteral("job"),
                         QStringLiteral("first"), QStringLiteral("second")}),
             0);
    QCOMPARE(runner.readFile(QStringLiteral("out.txt")),
             QStringLiteral("first|second|first second"));
    QVERIFY(runner.exists(QStringLiteral("job.log")));
}

void StandinLanguageTest::readsADoFileWithAByteOrderMark()
{
    StandinRunner runner;
    QCOMPARE(runner.runDoFile(QStringLiteral("\ufefffile open out using \"out.txt\", write\n"
                                             "file write out \"bom\"\nfile close out\n")),
             0);
    QCOMPARE(runner.readFile(QStringLiteral("out.txt")), QStringLiteral("bom"));
}

QTEST_GUILESS_MAIN(StandinLanguageTest)
#include "StandinLanguageTest.moc"
