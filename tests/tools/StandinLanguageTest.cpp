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
    void expandsMacrosAndQuotes_data();
    void expandsMacrosAndQuotes();
    void formatsLikeDisplay_data();
    void formatsLikeDisplay();
    void evaluatesIfExpressions_data();
    void evaluatesIfExpressions();
    void refusesAmbiguousAbbreviations();
    void runsLoopsAndBranches_data();
    void runsLoopsAndBranches();
    void writesFileDirectives();
    void displaysIntoTheLog();
    void passesArgumentsToTheDoFile();
    void readsADoFileWithAByteOrderMark();
};

void StandinLanguageTest::expandsMacrosAndQuotes_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nested reference")
        << QStringLiteral(
               "local row 1\nlocal col 2\nlocal t_1_2 \"x\"\nfile write out \"`t_`row'_`col''\"")
        << QStringLiteral("x");
    QTest::newRow("outer quotes removed once")
        << QStringLiteral("local a \"a\" \"b\"\nfile write out `\"`a'\"'")
        << QStringLiteral("a\" \"b");
    QTest::newRow("compound quotes keep inner quotes")
        << QStringLiteral("local a `\"say \"hi\" now\"'\nfile write out `\"[`a']\"'")
        << QStringLiteral("[say \"hi\" now]");
    QTest::newRow("nested compound quotes")
        << QStringLiteral("local a `\"x `\"y\"' z\"'\nfile write out `\"`a'\"'")
        << QStringLiteral("x `\"y\"' z");
    QTest::newRow("unquoted text")
        << QStringLiteral("local a   two words  \nfile write out \"[`a']\"")
        << QStringLiteral("[two words]");
    QTest::newRow("apostrophe alone")
        << QStringLiteral("local a \"l'Aquila\"\nfile write out \"`a'\"")
        << QStringLiteral("l'Aquila");
    QTest::newRow("grave accent without close")
        << QStringLiteral("file write out \"it`s\"") << QStringLiteral("it`s");
    QTest::newRow("undefined macro is empty")
        << QStringLiteral("file write out \"[`nothing']\"") << QStringLiteral("[]");
    QTest::newRow("escaped grave accent stored")
        << QStringLiteral("local b \"B\"\nlocal a \"\\`b'\"\nfile write out \"`macval(a)'\"")
        << QStringLiteral("`b'");
    QTest::newRow("stored reference expands when used")
        << QStringLiteral("local b \"B\"\nlocal a \"\\`b'\"\nfile write out \"`a'\"")
        << QStringLiteral("B");
    QTest::newRow("escaped dollar")
        << QStringLiteral("global g \"G\"\nfile write out \"\\$g $g ${g}\"")
        << QStringLiteral("$g G G");
    QTest::newRow("dollar before a non-name")
        << QStringLiteral("file write out \"costs $5\"") << QStringLiteral("costs $5");
    QTest::newRow("doubled backslash before a reference")
        << QStringLiteral("local x \"X\"\nfile write out \"C:\\\\`x'\"") << QStringLiteral("C:\\X");
    QTest::newRow("three backslashes escape the quote")
        << QStringLiteral("local x \"X\"\nfile write out \"\\\\\\`x'\"") << QStringLiteral("\\`x'");
    QTest::newRow("backslashes elsewhere stay")
        << QStringLiteral("file write out \"C:\\dir\\\\server\\file\"")
        << QStringLiteral("C:\\dir\\\\server\\file");
    QTest::newRow("expression") << QStringLiteral("file write out \"`=2+3' `=\"a\"+\"b\"'\"")
                                << QStringLiteral("5 ab");
    QTest::newRow("inline display")
        << QStringLiteral("file write out \"`:display %5.1f 2.26'\"") << QStringLiteral("  2.3");
    QTest::newRow("local = expression") << QStringLiteral("local a = 1/4\nlocal b = 1/3\n"
                                                          "file write out \"`a' `b'\"")
                                        << QStringLiteral(".25 .3333333333333333");
    QTest::newRow("display keeps the format's blanks")
        << QStringLiteral("local v: display %6.2f 1.5\nfile write out \"[`v']\"")
        << QStringLiteral("[  1.50]");
    QTest::newRow("display glued to its format")
        << QStringLiteral("local v: display%5.1f 2.26\nfile write out \"[`v']\"")
        << QStringLiteral("[  2.3]");
    QTest::newRow("tempname") << QStringLiteral("tempname a b\nfile write out \"`a' `b'\"")
                              << QStringLiteral("__000000 __000001");
    QTest::newRow("stored results as text")
        << QStringLiteral("tempname m\nfile write out \"`r(N)'|`e(cmd)'\"") << QStringLiteral("|");
    QTest::newRow("comments")
        << QStringLiteral(
               "* a comment line\nlocal a \"x\" // to the end\n/* a\nblock */ local b \"y\"\n"
               "local c = 1 + ///\n  2\nfile write out \"`a'`b'`c' a // b /* c */\"")
        << QStringLiteral("xy3 a // b /* c */");
    QTest::newRow("line expanding to nothing")
        << QStringLiteral("`nothing'\n$nothing\nfile write out \"ok\"") << QStringLiteral("ok");
    QTest::newRow("string functions")
        << QStringLiteral("local v `\"say \"hi\"; ok\"'\nlocal q = char(34) + "
                          "subinstr(`\"`macval(v)'\"', char(34), char(34) + char(34), .) + "
                          "char(34)\nfile write out `\"`macval(q)' `=strpos(\"abc\", \"c\")' "
                          "`=strpos(\"abc\", \"x\")' `=subinstr(\"aaa\", \"a\", \"b\", 2)'\"'")
        << QStringLiteral("\"say \"\"hi\"\"; ok\" 3 0 bba");
    QTest::newRow("cleared by an empty definition")
        << QStringLiteral("local a \"x\"\nlocal a\nfile write out \"[`a']\"")
        << QStringLiteral("[]");
}

void StandinLanguageTest::expandsMacrosAndQuotes()
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
    QTest::newRow("missing is above every number") << QStringLiteral("x > 5") << 4;
    QTest::newRow("below system missing") << QStringLiteral("x < .") << 4;
    QTest::newRow("at or above system missing") << QStringLiteral("x >= .") << 2;
    QTest::newRow("equals system missing") << QStringLiteral("x == .") << 1;
    QTest::newRow("equals extended missing") << QStringLiteral("x == .a") << 1;
    QTest::newRow("extended above system") << QStringLiteral("x > .") << 1;
    QTest::newRow("missing()") << QStringLiteral("missing(x)") << 2;
    QTest::newRow("not missing()") << QStringLiteral("!missing(x)") << 4;
    QTest::newRow("not equal") << QStringLiteral("x != 5") << 5;
    QTest::newRow("tilde not equal") << QStringLiteral("x ~= 5") << 5;
    QTest::newRow("at most") << QStringLiteral("x <= 5") << 2;
    QTest::newRow("parentheses and or") << QStringLiteral("(x > 1 & x < 10) | s == \"c\"") << 3;
    QTest::newRow("not of a comparison") << QStringLiteral("!(x > 5)") << 2;
    QTest::newRow("and before or") << QStringLiteral("x == 5 | x == 7 & y == 1") << 1;
    QTest::newRow("string equal") << QStringLiteral("s == \"a\"") << 2;
    QTest::newRow("string not empty") << QStringLiteral("s != \"\"") << 5;
    QTest::newRow("string order") << QStringLiteral("s > \"a\"") << 3;
    QTest::newRow("missing counts as true") << QStringLiteral("y") << 4;
    QTest::newRow("truth with and") << QStringLiteral("x > 5 & y") << 3;
    QTest::newRow("negation keeps missing") << QStringLiteral("-x < -5") << 2;
    QTest::newRow("arithmetic on missing") << QStringLiteral("x*2 >= 10") << 5;
    QTest::newRow("power and constants") << QStringLiteral("2^2 == 4 & _n <= _N") << 6;
    QTest::newRow("observation number") << QStringLiteral("_n > 4") << 2;
    QTest::newRow("inlist") << QStringLiteral("inlist(x, 1, 10)") << 2;
    QTest::newRow("inrange leaves missing out") << QStringLiteral("inrange(x, 5, 10)") << 3;
    QTest::newRow("inrange with an open bound") << QStringLiteral("inrange(x, 6, .)") << 2;
    QTest::newRow("float literal") << QStringLiteral("x == 1.0e1") << 1;
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

void StandinLanguageTest::runsLoopsAndBranches_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("expected");
    QTest::newRow("forvalues with a step")
        << QStringLiteral("forvalues i = 10(-3)1 {\n  file write out \"`i' \"\n}")
        << QStringLiteral("10 7 4 1 ");
    QTest::newRow("fractional step")
        << QStringLiteral("forvalues i = 0(.25)1 {\n  file write out \"`i' \"\n}")
        << QStringLiteral("0 .25 .5 .75 1 ");
    QTest::newRow("empty range")
        << QStringLiteral(
               "forvalues i = 1/0 {\n  file write out \"never\"\n}\nfile write out \"end\"")
        << QStringLiteral("end");
    QTest::newRow("if else if else")
        << QStringLiteral("forvalues i = 1/3 {\n"
                          "  if `i' == 1 {\n    file write out \"one \"\n  }\n"
                          "  else if \"`i'\" == \"2\" {\n    file write out \"two \"\n  }\n"
                          "  else {\n    file write out \"many \"\n  }\n"
                          "}")
        << QStringLiteral("one two many ");
    QTest::newRow("one-line if and else")
        << QStringLiteral("if 1 > 2 file write out \"no\"\nelse file write out \"yes\"")
        << QStringLiteral("yes");
    QTest::newRow("if on the first observation")
        << QStringLiteral("if \"abc\" < \"abd\" & . > 1e300 {\n  file write out \"ordered\"\n}")
        << QStringLiteral("ordered");
    QTest::newRow("nested loops")
        << QStringLiteral(
               "forvalues r = 1/2 {\n  forvalues c = 1/3 {\n    file write out \"`r'`c' \"\n  }\n"
               "  file write out _n\n}")
        << QStringLiteral("11 12 13 \n21 22 23 \n");
    QTest::newRow("quietly and sleep")
        << QStringLiteral("quietly display \"hidden\"\nsleep 1\nfile write out \"awake\"")
        << QStringLiteral("awake");
}

void StandinLanguageTest::runsLoopsAndBranches()
{
    QFETCH(QString, lines);
    QFETCH(QString, expected);
    StandinRunner runner;
    QCOMPARE(written(runner, lines), expected);
}

void StandinLanguageTest::writesFileDirectives()
{
    StandinRunner runner;
    QCOMPARE(written(runner, QStringLiteral("file write out \"a\" _tab \"b\" _n(2) \"c\" _char(65) "
                                            "(1+1) %5.2f (3) _skip(2) `\"q\"q\"' _col(1) \"!\""
                                            " _newline")),
             QStringLiteral("a\tb\n\ncA2 3.00  q\"q!\n"));
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
