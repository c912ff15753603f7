#include "DataRows.h"
#include "DtaWriter.h"
#include "StandinRunner.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// Runs the lines between opening and closing the file out.txt and returns
// what they wrote there, or the log when the run failed.
QString written(StandinRunner &runner, const QString &lines)
{
    if (runner.runDoFile("file open out using \"out.txt\", write text replace\n" + lines +
                         "\nfile close out\n") != 0)
        return QStringLiteral("<run failed>\n") + runner.log();
    return runner.readFile(QStringLiteral("out.txt"));
}

// A small dataset for if-expressions: x with the system and an extended
// missing value, y with one missing value, s a string, age1 and age2 for
// abbreviations.
void writeExpressionData(const QString &fileName)
{
    DtaWriter writer;
    writer.addVariable(QStringLiteral("x"), QString(), DtaWriter::Double);
    writer.addVariable(QStringLiteral("y"), QString(), DtaWriter::Byte);
    writer.addVariable(QStringLiteral("s"), QString(), 3);
    writer.addVariable(QStringLiteral("age1"), QString(), DtaWriter::Byte);
    writer.addVariable(QStringLiteral("age2"), QString(), DtaWriter::Byte);
    const double a = std::ldexp(1.0, 1023) + std::ldexp(1.0, 1011); // .a
    const QList<QVariantList> rows = {{1, 0, "a"},  {5, 1, "b"},          {7, 0, ""},
                                      {{}, 1, "c"}, {a, QVariant(), "a"}, {10, 1, "b"}};
    for (QVariantList row : rows)
        writer.addObservation(row << 1 << 2);
    QVERIFY(writer.writeFile(fileName));
}

} // namespace

class StandinLanguageTest : public QObject
{
    Q_OBJECT

private slots:
    void runsLines_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("expected");
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
                "local b \"B\"\nlocal a \"\\`b'\"\nfile write out \"`macval(a)' `a'\"", "`b' B");
        dataRow("escaped dollar", "global g \"G\"\nfile write out \"\\$g $g ${g} $5\"",
                "$g G G $5");
        dataRow("backslashes", "local x \"X\"\nfile write out \"C:\\\\`x' \\\\\\`x' C:\\d\\\\s\"",
                "C:\\X \\`x' C:\\d\\\\s");
        dataRow("expressions", "local a = 1/3\nfile write out \"`=2+3' `=\"a\"+\"b\"' `a'\"",
                "5 ab .3333333333333333");
        dataRow("inline display", "file write out \"`:display %5.1f 2.26'\"", "  2.3");
        dataRow("tempname", "tempname a b\nfile write out \"`a' `b'\"", "__000000 __000001");
        dataRow("stored results as text", "tempname m\nfile write out \"`r(N)'|`e(cmd)'\"", "|");
        dataRow("line expanding to nothing", "`nothing'\n$nothing\nfile write out \"ok\"", "ok");
        dataRow("string functions",
                "local v `\"say \"hi\"; ok\"'\nlocal q = char(34) + "
                "subinstr(`\"`macval(v)'\"', char(34), char(34) + char(34), .) + "
                "char(34)\nfile write out `\"`macval(q)' `=strpos(\"abc\", \"c\")' "
                "`=strpos(\"abc\", \"x\")' `=subinstr(\"aaa\", \"a\", \"b\", 2)'\"'",
                "\"say \"\"hi\"\"; ok\" 3 0 bba");
        dataRow("cleared by an empty definition",
                "local a \"x\"\nlocal a\nfile write out \"[`a']\"", "[]");
        dataRow("if else if else",
                "forvalues i = 1/3 {\n  if `i' == 1 {\n    file write out \"one \"\n  }\n"
                "  else if \"`i'\" == \"2\" {\n    file write out \"two \"\n  }\n"
                "  else {\n    file write out \"many \"\n  }\n}",
                "one two many ");
        dataRow("one-line if and else",
                "if 1 > 2 file write out \"no\"\nelse file write out \"yes\"", "yes");
        dataRow("nested loops",
                "forvalues r = 1/2 {\n  forvalues c = 1/3 {\n    file write out \"`r'`c' \"\n"
                "  }\n  file write out _n\n}",
                "11 12 13 \n21 22 23 \n");
        dataRow("quietly and sleep", "quietly display \"hidden\"\nsleep 1\nfile write out \"up\"",
                "up");
        dataRow("file directives",
                "file write out \"a\" _tab \"b\" _n(2) \"c\" _char(65) (1+1) %5.2f (3) _skip(2) "
                "`\"q\"q\"' _col(1) \"!\" _newline",
                "a\tb\n\ncA2 3.00  q\"q!\n");
    }

    void runsLines()
    {
        QFETCH(QString, lines);
        QFETCH(QString, expected);
        StandinRunner runner;
        QCOMPARE(written(runner, lines), expected);
    }

    // "local v: display %fmt value", as Quorin's do-files format statistics:
    // each case is written as format, value and [what display shows]; without
    // a format, display shows %10.0g without its leading blanks.
    void formatsLikeDisplay()
    {
        static const char *const cases = R"(
%9.2f 3.14159 [     3.14]    %9.2f -3.14159 [    -3.14]    %9.2f 0.5 [     0.50]
%9.0f 2.6 [        3]    %-9.2f 3.14159 [3.14     ]    %09.2f 3.14159 [000003.14]
%09.2f -3.14159 [-00003.14]    %-09.2f 1.5 [000001.50]    %12.2fc 1234567.891 [1,234,567.89]
%14.2fc 1234567.891 [  1,234,567.89]    %9.2fc 999.5 [   999.50]    %9,2f 1234.5 [  1234,50]
%12,2fc 1234567.5 [1.234.567,50]    %3.1f 1234.5 [1234.5]    %9.2e 1234 [ 1.23e+03]
%-9.2e 1234 [1.23e+03 ]    %10.3e -0.000123456 [-1.235e-04]    %9,2e 1234 [ 1,23e+03]
%09.2e 1234 [01.23e+03]    %9.0g 1/3 [ .3333333]    %9.0g -1/3 [-.3333333]
%9.0g 3.14159265 [ 3.141593]    %9.0g 12345678 [ 12345678]    %9.0g 123456789 [ 1.23e+08]
%9.0g 0.00001234 [ 1.23e-05]    %9.0g 2.5 [      2.5]    %9.0g 100 [      100]
%9.0g 0 [        0]    %-9.0g 2.5 [2.5      ]    %20.0g 0.1 [                  .1]
%9.3g 3.14159 [     3.14]    %9.2g 1234 [  1.2e+03]    %9.4g 0.5 [       .5]
%10.0gc 1234567 [ 1,234,567]    %9.0gc 12345678 [ 12345678]    %9,0g 2.5 [      2,5]
%9.2f . [        .]    %9.2f .b [       .b]    %-9.2f . [.        ]    %9.0g .z [       .z]
%10s "abc" [       abc]    %-10s "abc" [abc       ]    1/3 [.33333333]    1234567890 [1.235e+09]
5 [5]    -2.5 [-2.5]    . [.])";
        QString lines;
        QStringList expected;
        static const QRegularExpression oneCase(QStringLiteral(R"((%\S+ )?(\S+) \[[^\]]*\])"));
        for (const QRegularExpressionMatch &match : oneCase.globalMatch(QString::fromUtf8(cases))) {
            lines += QStringLiteral("local v: display %1%2\nfile write out `\"%1%2 [`v']\"' _n\n")
                         .arg(match.captured(1), match.captured(2));
            expected << match.captured(0);
        }
        QCOMPARE(expected.size(), 47);
        StandinRunner runner;
        QCOMPARE(written(runner, lines).split('\n'), expected << QString());
    }

    // count if ... keeps this many observations of x: 1, 5, 7, ., .a, 10;
    // y: 0, 1, 0, 1, ., 1; s: a, b, "", c, a, b.
    void evaluatesIfExpressions()
    {
        const QList<std::pair<int, QStringList>> cases = {
            {1, {"x == .", "x == .a", "x > .", "x == 5 | x == 7 & y == 1", "x == 1.0e1"}},
            {2,
             {"x >= .", "missing(x)", "x <= 5", "!(x > 5)", "s == \"a\"", "-x < -5", "_n > 4",
              "inlist(x, 1, 10)", "inrange(x, 6, .)"}},
            {3, {"(x > 1 & x < 10) | s == \"c\"", "s > \"a\"", "x > 5 & y", "inrange(x, 5, 10)"}},
            {4, {"x > 5", "x < .", "!missing(x)", "y"}},
            {5, {"x != 5", "x ~= 5", "s != \"\"", "x*2 >= 10"}},
            {6, {"2^2 == 4 & _n <= _N"}}};
        QString lines = QStringLiteral("use data\n");
        QStringList expected;
        for (const auto &[count, conditions] : cases) {
            for (const QString &condition : conditions) {
                lines += QStringLiteral("count if %1\nfile write out `\"%1: \"' (r(N)) _n\n")
                             .arg(condition);
                expected << QStringLiteral("%1: %2").arg(condition).arg(count);
            }
        }
        StandinRunner runner;
        writeExpressionData(runner.filePath(QStringLiteral("data.dta")));
        QCOMPARE(written(runner, lines).split('\n'), expected << QString());
        QCOMPARE(runner.runDoFile(QStringLiteral("use data\ncount if age == 1\n")), 1);
        QVERIFY(runner.log().contains(QStringLiteral("age ambiguous abbreviation\nr(111);")));
    }
};

QTEST_GUILESS_MAIN(StandinLanguageTest)
#include "StandinLanguageTest.moc"
