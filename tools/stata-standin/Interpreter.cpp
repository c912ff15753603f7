#include "Interpreter.h"

#include "DatasetLoader.h"
#include "DisplayDirectives.h"
#include "DisplayFormatter.h"
#include "Expression.h"
#include "LineScanner.h"
#include "MissingValue.h"
#include "SessionLog.h"
#include "StataError.h"
#include "Statistics.h"
#include "StudentT.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include <cmath>

namespace {

// "exit" ends the do-file without an error.
struct DoFileExit
{};

// Stata accepts a command abbreviated down to its shortest unique form
// (the underlined part in the manuals' syntax diagrams).
bool isCommand(const QString &word, const QString &command, int shortest)
{
    return word.size() >= shortest && command.startsWith(word);
}

bool endsWithBrace(const QString &text)
{
    return text.trimmed().endsWith('{');
}

QString withoutTrailingBrace(const QString &text)
{
    QString trimmed = text.trimmed();
    trimmed.chop(1);
    return trimmed;
}

QString firstWord(const QString &text)
{
    LineScanner scanner(text);
    return scanner.readName();
}

// Local names have at most 31 characters, globals 32 ([U] 18.3.1).
void checkMacroName(const QString &name, bool global)
{
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    const int longest = global ? 32 : 31;
    if (!valid.match(name).hasMatch() || name.size() > longest)
        throw StataError(198, QStringLiteral("%1 invalid name").arg(name));
}

double squareRoot(double value)
{
    return MissingValue::isMissing(value) || value < 0 ? MissingValue::value() : std::sqrt(value);
}

QString tableNumber(double value)
{
    static const DisplayFormatter general = DisplayFormatter::parse(QStringLiteral("%10.0g"));
    return general.formatNumber(value);
}

} // namespace

Interpreter::Interpreter(SessionLog &log)
    : m_log(log)
    , m_expander(*this)
{}

void Interpreter::setArguments(const QStringList &arguments)
{
    m_locals.insert(QStringLiteral("0"), arguments.join(' '));
    for (int i = 0; i < arguments.size(); ++i)
        m_locals.insert(QString::number(i + 1), arguments.at(i));
}

int Interpreter::run(const QList<SourceLine> &lines)
{
    try {
        executeRange(lines, 0, int(lines.size()));
    } catch (const DoFileExit &) {
    } catch (const StataError &error) {
        m_files.close(QStringLiteral("_all"));
        m_log.line(QStringLiteral("The stand-in stopped at line %1 of the do-file: %2")
                       .arg(m_currentLine.number)
                       .arg(m_currentLine.text.trimmed()));
        m_log.error(error);
        return error.code();
    }
    m_files.close(QStringLiteral("_all"));
    return 0;
}

void Interpreter::executeRange(const QList<SourceLine> &lines, int begin, int end)
{
    int index = begin;
    while (index < end)
        index = executeStatement(lines, index, end);
}

QString Interpreter::expandLine(const SourceLine &line)
{
    m_currentLine = line;
    m_log.command(line.text.trimmed());
    return m_expander.expand(line.text.trimmed());
}

// Runs the statement that starts at lines[index] (a command, a forvalues
// loop, or an if with its else chain) and returns the index after it.
int Interpreter::executeStatement(const QList<SourceLine> &lines, int index, int end)
{
    const QString raw = lines.at(index).text.trimmed();
    if (raw.isEmpty())
        return index + 1;
    if (raw == QLatin1String("}")) {
        m_currentLine = lines.at(index);
        throw StataError(198, QStringLiteral("unexpected }"));
    }
    const QString expanded = expandLine(lines.at(index));
    if (expanded.trimmed().isEmpty())
        return index + 1; // a line of macros that expand to nothing does nothing
    LineScanner scanner(expanded);
    const QString word = scanner.readName();
    if (word == QLatin1String("if"))
        return executeIf(lines, index, end, expanded.mid(scanner.position()));
    if (word == QLatin1String("else"))
        throw StataError(198, QStringLiteral("else without if"));
    if (isCommand(word, QStringLiteral("forvalues"), 4))
        return executeForvalues(lines, index, end, scanner);
    if (endsWithBrace(raw))
        throw StataError(198, QStringLiteral("the stand-in opens blocks only for forvalues, "
                                             "if and else"));
    executeCommand(expanded);
    return index + 1;
}

int Interpreter::nextNonEmpty(const QList<SourceLine> &lines, int index, int end) const
{
    while (index < end && lines.at(index).text.trimmed().isEmpty())
        ++index;
    return index;
}

// The line of the } that closes the block opened at lines[open]: a block
// opens on a line ending in { and closes on a line holding } alone, which is
// how Stata's blocks must be written ([P] if, [P] forvalues).
int Interpreter::blockEnd(const QList<SourceLine> &lines, int open, int end) const
{
    int depth = 1;
    for (int index = open + 1; index < end; ++index) {
        const QString text = lines.at(index).text.trimmed();
        if (text == QLatin1String("}")) {
            if (--depth == 0)
                return index;
        } else if (endsWithBrace(text)) {
            ++depth;
        }
    }
    throw StataError(612, QStringLiteral("unexpected end of file: a { has no }"));
}

// Where an if statement whose line is lines[index] ends, its else chain
// included, judged from the unexpanded lines.
int Interpreter::ifStatementEnd(const QList<SourceLine> &lines, int index, int end,
                                const QString &rawAfterIf) const
{
    const int next = endsWithBrace(rawAfterIf) ? blockEnd(lines, index, end) + 1 : index + 1;
    return elseChainEnd(lines, next, end);
}

int Interpreter::elseChainEnd(const QList<SourceLine> &lines, int next, int end) const
{
    const int candidate = nextNonEmpty(lines, next, end);
    if (candidate >= end || firstWord(lines.at(candidate).text) != QLatin1String("else"))
        return next;
    LineScanner scanner(lines.at(candidate).text);
    scanner.readName();
    if (scanner.consumeKeyword(QStringLiteral("if")))
        return ifStatementEnd(lines, candidate, end, scanner.rest());
    if (endsWithBrace(scanner.rest()))
        return blockEnd(lines, candidate, end) + 1;
    return candidate + 1;
}

// The programming command if ([P] if): the expression is evaluated once,
// with variables taken at the first observation; "if exp {" runs a block,
// "if exp command" one command, and an else, else if or else block may
// follow.
int Interpreter::executeIf(const QList<SourceLine> &lines, int index, int end,
                           const QString &afterIf)
{
    LineScanner raw(lines.at(index).text);
    if (raw.readName() == QLatin1String("else")) // an else if line
        raw.consumeKeyword(QStringLiteral("if"));
    const bool block = endsWithBrace(raw.rest());
    if (block != endsWithBrace(afterIf))
        throw StataError(198, QStringLiteral("if: a macro may not add or remove the {"));
    bool condition = false;
    QString command;
    int thenEnd = index + 1;
    if (block) {
        condition = Expression::parse(withoutTrailingBrace(afterIf), *this).isTrueAt(0);
        thenEnd = blockEnd(lines, index, end);
    } else {
        int consumed = 0;
        condition = Expression::parsePrefix(afterIf, *this, &consumed).isTrueAt(0);
        command = afterIf.mid(consumed).trimmed();
        if (command.isEmpty())
            throw StataError(198, QStringLiteral("if: a command or { must follow the expression"));
    }
    const int next = block ? thenEnd + 1 : index + 1;
    const int chainEnd = elseChainEnd(lines, next, end);
    if (condition) {
        if (block)
            executeRange(lines, index + 1, thenEnd);
        else
            executeCommand(command);
        return chainEnd;
    }
    if (chainEnd == next)
        return next;
    const int elseIndex = nextNonEmpty(lines, next, end);
    const QString expanded = expandLine(lines.at(elseIndex));
    LineScanner scanner(expanded);
    scanner.readName(); // else
    if (scanner.consumeKeyword(QStringLiteral("if"))) {
        executeIf(lines, elseIndex, end, expanded.mid(scanner.position()));
        return chainEnd;
    }
    const QString rest = scanner.rest();
    if (rest == QLatin1String("{"))
        executeRange(lines, elseIndex + 1, blockEnd(lines, elseIndex, end));
    else if (endsWithBrace(rest))
        throw StataError(198, QStringLiteral("else: nothing may stand between else and {"));
    else
        executeCommand(rest);
    return chainEnd;
}

// forvalues lname = range { ([P] forvalues): #1/#2 counts by one, #1(#d)#2
// by #d; the local holds each value in turn and the body's lines are
// expanded anew on each pass. A range that is empty runs the body no time.
int Interpreter::executeForvalues(const QList<SourceLine> &lines, int index, int end,
                                  LineScanner &scanner)
{
    const QString name = scanner.readName();
    checkMacroName(name, false);
    if (!scanner.consume('='))
        throw StataError::syntax(QStringLiteral("forvalues: = expected"));
    const QString rest = scanner.rest();
    if (!rest.endsWith('{'))
        throw StataError(198, QStringLiteral("forvalues: { required at the end of the line"));
    const QString range = withoutTrailingBrace(rest).remove(' ');
    static const QRegularExpression byOne(QStringLiteral("^([-+]?[0-9.]+)/([-+]?[0-9.]+)$"));
    static const QRegularExpression byStep(
        QStringLiteral("^([-+]?[0-9.]+)\\(([-+]?[0-9.]+)\\)([-+]?[0-9.]+)$"));
    double first = 0;
    double step = 1;
    double last = 0;
    bool ok = false;
    if (const auto match = byOne.match(range); match.hasMatch()) {
        bool lastOk = false;
        first = match.captured(1).toDouble(&ok);
        last = match.captured(2).toDouble(&lastOk);
        ok = ok && lastOk;
    } else if (const auto stepped = byStep.match(range); stepped.hasMatch()) {
        bool stepOk = false;
        bool lastOk = false;
        first = stepped.captured(1).toDouble(&ok);
        step = stepped.captured(2).toDouble(&stepOk);
        last = stepped.captured(3).toDouble(&lastOk);
        ok = ok && stepOk && lastOk && step != 0;
    }
    if (!ok)
        throw StataError(198, QStringLiteral("invalid range: %1").arg(range));
    const int close = blockEnd(lines, index, end);
    for (qint64 k = 0;; ++k) {
        const double value = first + double(k) * step;
        // A tolerance of a millionth of a step absorbs rounding in
        // fractional steps such as 0(0.1)1.
        const double slack = std::fabs(step) * 1e-6;
        if (step > 0 ? value > last + slack : value < last - slack)
            break;
        m_locals.insert(name, DisplayFormatter::macroNumber(value));
        executeRange(lines, index + 1, close);
    }
    return close + 1;
}

void Interpreter::output(const QString &text)
{
    if (m_quiet > 0)
        return;
    for (const QString &line : text.split('\n'))
        m_log.line(line);
}

void Interpreter::requireEnd(LineScanner &scanner) const
{
    if (!scanner.atEnd())
        throw StataError(198, QStringLiteral("invalid syntax: %1").arg(scanner.rest()));
}

void Interpreter::executeCommand(const QString &text)
{
    LineScanner scanner(text);
    const QString word = scanner.readName();
    if (word.isEmpty())
        throw StataError(199, QStringLiteral("unrecognized command: %1").arg(text.trimmed()));
    if (isCommand(word, QStringLiteral("quietly"), 3) ||
        isCommand(word, QStringLiteral("noisily"), 1)) {
        const bool quiet = word.startsWith('q');
        const int saved = m_quiet;
        m_quiet = quiet ? m_quiet + 1 : 0;
        try {
            executeCommand(scanner.rest());
        } catch (...) {
            m_quiet = saved;
            throw;
        }
        m_quiet = saved;
        return;
    }
    if (word == QLatin1String("use"))
        use(scanner);
    else if (isCommand(word, QStringLiteral("summarize"), 2))
        summarize(scanner);
    else if (isCommand(word, QStringLiteral("count"), 3))
        count(scanner);
    else if (word == QLatin1String("mean"))
        mean(scanner);
    else if (isCommand(word, QStringLiteral("display"), 2))
        display(scanner);
    else if (isCommand(word, QStringLiteral("local"), 3))
        defineMacro(scanner, false);
    else if (isCommand(word, QStringLiteral("global"), 2))
        defineMacro(scanner, true);
    else if (word == QLatin1String("tempname"))
        tempname(scanner);
    else if (isCommand(word, QStringLiteral("matrix"), 3))
        matrix(scanner);
    else if (word == QLatin1String("file"))
        file(scanner);
    else if (word == QLatin1String("sleep"))
        sleep(scanner);
    else if (word == QLatin1String("clear") && scanner.atEnd())
        m_dataset = Dataset();
    else if (word == QLatin1String("exit") && scanner.atEnd())
        throw DoFileExit();
    else
        throw StataError(199, QStringLiteral("unrecognized command: %1").arg(word));
}

// use filename [, clear] ([D] use): ".dta" is added to a name without an
// extension.
void Interpreter::use(LineScanner &scanner)
{
    QString fileName = scanner.atQuote() ? scanner.readQuoted() : scanner.readWord();
    if (fileName.isEmpty())
        throw StataError(198, QStringLiteral("use: file name expected"));
    if (scanner.consume(',')) {
        const QString options = scanner.rest();
        if (!options.isEmpty() && options != QLatin1String("clear"))
            throw StataError(198, QStringLiteral("option %1 not allowed").arg(options));
    }
    requireEnd(scanner);
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QLatin1String(".dta");
    m_dataset = DatasetLoader::load(fileName);
}

// command [varlist] [if exp] [, options]. "in" ranges and weights are not
// supported and stop the run.
Interpreter::Syntax Interpreter::parseSyntax(LineScanner &scanner, bool variablesRequired) const
{
    Syntax syntax;
    while (!scanner.atEnd() && scanner.peek() != ',') {
        const int start = scanner.position();
        if (scanner.consumeKeyword(QStringLiteral("if"))) {
            syntax.condition = scanner.readUntilComma();
            if (syntax.condition.isEmpty())
                throw StataError(198, QStringLiteral("if: an expression must follow"));
            break;
        }
        if (scanner.consumeKeyword(QStringLiteral("in")))
            throw StataError(198, QStringLiteral("the stand-in does not support in ranges"));
        if (scanner.peek() == '[')
            throw StataError(198, QStringLiteral("the stand-in does not support weights"));
        const QString name = scanner.readName();
        if (name.isEmpty()) {
            scanner.setPosition(start);
            throw StataError(198, QStringLiteral("invalid syntax: %1").arg(scanner.rest()));
        }
        syntax.variables.append(m_dataset.variable(variableIndex(name)).name);
    }
    if (scanner.consume(',')) {
        LineScanner options(scanner.rest());
        while (!options.atEnd()) {
            const QString option = options.readWord();
            syntax.options.append(option);
        }
    }
    if (variablesRequired && syntax.variables.isEmpty())
        throw StataError(100, QStringLiteral("varlist required"));
    return syntax;
}

QList<int> Interpreter::selectedObservations(const QString &condition) const
{
    QList<int> selected;
    const int n = m_dataset.observationCount();
    if (condition.isEmpty()) {
        for (int i = 0; i < n; ++i)
            selected.append(i);
        return selected;
    }
    const Expression expression = Expression::parse(condition, *this);
    for (int i = 0; i < n; ++i) {
        if (expression.isTrueAt(i))
            selected.append(i);
    }
    return selected;
}

// summarize [varlist] [if] [, detail meanonly] ([R] summarize): over the
// selected observations where the variable is not missing (string variables
// count no observation). Stores, for the last variable, r(N), r(sum_w),
// r(mean), r(Var), r(sd) (n - 1 denominator), r(min), r(max), r(sum), and
// with detail r(p1) ... r(p99), r(skewness), r(kurtosis). With no
// observation only r(N), r(sum_w) and r(sum), all 0.
void Interpreter::summarize(LineScanner &scanner)
{
    const Syntax syntax = parseSyntax(scanner, false);
    bool detail = false;
    bool meanOnly = false;
    for (const QString &option : syntax.options) {
        if (isCommand(option, QStringLiteral("detail"), 1))
            detail = true;
        else if (isCommand(option, QStringLiteral("meanonly"), 4))
            meanOnly = true;
        else
            throw StataError(198, QStringLiteral("option %1 not allowed").arg(option));
    }
    if (detail && meanOnly)
        throw StataError(198, QStringLiteral("options detail and meanonly may not be combined"));
    QStringList names = syntax.variables;
    if (names.isEmpty()) {
        for (int i = 0; i < m_dataset.variableCount(); ++i)
            names.append(m_dataset.variable(i).name);
    }
    const QList<int> selected = selectedObservations(syntax.condition);
    m_r.clear();
    if (!meanOnly)
        output(QStringLiteral(
            "    Variable |        Obs        Mean    Std. dev.       Min        Max"));
    for (const QString &name : names) {
        const int index = variableIndex(name);
        QVector<double> values;
        if (!m_dataset.variable(index).isString()) {
            for (int observation : selected) {
                const double value = m_dataset.variable(index).numbers.at(observation);
                if (!MissingValue::isMissing(value))
                    values.append(value);
            }
        }
        const Statistics::Summary summary = Statistics::summarize(values, detail);
        m_r.clear();
        m_r.setScalar(QStringLiteral("N"), summary.count);
        m_r.setScalar(QStringLiteral("sum_w"), summary.count);
        m_r.setScalar(QStringLiteral("sum"), summary.sum);
        if (summary.count > 0) {
            m_r.setScalar(QStringLiteral("mean"), summary.mean);
            m_r.setScalar(QStringLiteral("min"), summary.minimum);
            m_r.setScalar(QStringLiteral("max"), summary.maximum);
            if (!meanOnly) {
                m_r.setScalar(QStringLiteral("Var"), summary.variance);
                m_r.setScalar(QStringLiteral("sd"), squareRoot(summary.variance));
            }
            for (const auto &percentile : summary.percentiles)
                m_r.setScalar(QStringLiteral("p%1").arg(percentile.first), percentile.second);
            if (detail) {
                m_r.setScalar(QStringLiteral("skewness"), summary.skewness);
                m_r.setScalar(QStringLiteral("kurtosis"), summary.kurtosis);
            }
        }
        if (!meanOnly)
            output(QStringLiteral("%1 | %2 %3 %4 %5 %6")
                       .arg(name.right(12), 12)
                       .arg(summary.count, 10)
                       .arg(tableNumber(m_r.value(QStringLiteral("mean")).number))
                       .arg(tableNumber(m_r.value(QStringLiteral("sd")).number))
                       .arg(tableNumber(m_r.value(QStringLiteral("min")).number))
                       .arg(tableNumber(m_r.value(QStringLiteral("max")).number)));
    }
}

// count [if] ([D] count): r(N), the number of selected observations.
void Interpreter::count(LineScanner &scanner)
{
    const Syntax syntax = parseSyntax(scanner, false);
    if (!syntax.variables.isEmpty() || !syntax.options.isEmpty())
        throw StataError(198, QStringLiteral("count takes only an if qualifier here"));
    const int n = int(selectedObservations(syntax.condition).size());
    m_r.clear();
    m_r.setScalar(QStringLiteral("N"), n);
    output(QStringLiteral("  %1").arg(n));
}

// mean varlist [if] [, level(#)] ([R] mean): over the selected observations
// where no variable of the list is missing. Stores e(b) (1 x k), e(V) (the
// covariance of the values over N), e(N), e(df_r), e(cmd), e(title), and,
// as estimation commands do since Stata 13, r(table) with the rows b, se,
// t, pvalue, ll, ul, df, crit, eform. No observation is error 2000.
void Interpreter::mean(LineScanner &scanner)
{
    const Syntax syntax = parseSyntax(scanner, true);
    double level = 95;
    for (const QString &option : syntax.options) {
        static const QRegularExpression levelOption(QStringLiteral("^level\\(([0-9.]+)\\)$"));
        const auto match = levelOption.match(option);
        if (!match.hasMatch())
            throw StataError(198, QStringLiteral("option %1 not allowed").arg(option));
        level = match.captured(1).toDouble();
        if (level < 10 || level > 99.99)
            throw StataError(198, QStringLiteral("level() must be between 10 and 99.99"));
    }
    QList<int> columns;
    for (const QString &name : syntax.variables) {
        const int index = variableIndex(name);
        if (m_dataset.variable(index).isString())
            throw StataError(109, QStringLiteral("string variables not allowed in varlist; %1 is "
                                                 "a string variable")
                                      .arg(name));
        columns.append(index);
    }
    QList<QVector<double>> values(columns.size());
    for (int observation : selectedObservations(syntax.condition)) {
        bool complete = true;
        for (int index : columns)
            complete = complete &&
                       !MissingValue::isMissing(m_dataset.variable(index).numbers.at(observation));
        if (!complete)
            continue;
        for (int j = 0; j < columns.size(); ++j)
            values[j].append(m_dataset.variable(columns.at(j)).numbers.at(observation));
    }
    const int n = values.isEmpty() ? 0 : int(values.first().size());
    if (n == 0)
        throw StataError(2000, QStringLiteral("no observations"));

    Statistics::Means means = Statistics::means(values);
    means.b.columnNames = syntax.variables;
    means.V.rowNames = syntax.variables;
    means.V.columnNames = syntax.variables;
    m_e.clear();
    m_e.setMatrix(QStringLiteral("b"), means.b);
    m_e.setMatrix(QStringLiteral("V"), means.V);
    m_e.setScalar(QStringLiteral("N"), n);
    m_e.setScalar(QStringLiteral("df_r"), n - 1);
    m_e.setMacro(QStringLiteral("cmd"), QStringLiteral("mean"));
    m_e.setMacro(QStringLiteral("title"), QStringLiteral("Mean estimation"));
    m_e.setMacro(QStringLiteral("varlist"), syntax.variables.join(' '));

    const int k = int(columns.size());
    Matrix table = Matrix::filled(9, k);
    table.rowNames = {QStringLiteral("b"),      QStringLiteral("se"),   QStringLiteral("t"),
                      QStringLiteral("pvalue"), QStringLiteral("ll"),   QStringLiteral("ul"),
                      QStringLiteral("df"),     QStringLiteral("crit"), QStringLiteral("eform")};
    table.columnNames = syntax.variables;
    const double df = n - 1;
    const double critical =
        df > 0 ? StudentT::inverseUpperTail(df, (1 - level / 100) / 2) : MissingValue::value();
    output(QStringLiteral("Mean estimation                   Number of obs = %1").arg(n));
    for (int j = 0; j < k; ++j) {
        const double b = means.b.at(0, j);
        const double se = squareRoot(means.V.at(j, j));
        const bool known = !MissingValue::isMissing(se) && se > 0 && df > 0;
        const double t = known ? b / se : MissingValue::value();
        table.set(0, j, b);
        table.set(1, j, se);
        table.set(2, j, t);
        table.set(3, j, known ? 2 * StudentT::upperTail(df, std::fabs(t)) : MissingValue::value());
        table.set(4, j, known ? b - critical * se : MissingValue::value());
        table.set(5, j, known ? b + critical * se : MissingValue::value());
        table.set(6, j, df > 0 ? df : MissingValue::value());
        table.set(7, j, critical);
        table.set(8, j, 0);
        output(QStringLiteral("%1 | %2 %3")
                   .arg(syntax.variables.at(j).right(12), 12)
                   .arg(tableNumber(b))
                   .arg(tableNumber(se)));
    }
    m_r.clear();
    m_r.setMatrix(QStringLiteral("table"), table);
    m_r.setScalar(QStringLiteral("level"), level);
}

void Interpreter::display(LineScanner &scanner)
{
    DisplayDirectives directives(*this, DisplayDirectives::Mode::Display);
    output(directives.render(scanner.rest()));
}

// local name [= exp | : function | "text" | `"text"' | text] ([P] macro):
// one pair of outer double quotes (simple or compound) is removed; with
// nothing after the name the macro is cleared. global works the same way.
void Interpreter::defineMacro(LineScanner &scanner, bool global)
{
    const QString name = scanner.readName();
    checkMacroName(name, global);
    QMap<QString, QString> &macros = global ? m_globals : m_locals;
    QString contents;
    if (scanner.consume('=')) {
        contents = inlineExpression(scanner.rest());
    } else if (scanner.consume(':')) {
        contents = inlineExtendedFunction(scanner.rest());
    } else {
        contents = scanner.rest();
        if (contents.startsWith(QLatin1String("`\"")) && contents.endsWith(QLatin1String("\"'")) &&
            contents.size() >= 4)
            contents = contents.mid(2, contents.size() - 4);
        else if (contents.startsWith('"') && contents.endsWith('"') && contents.size() >= 2)
            contents = contents.mid(1, contents.size() - 2);
    }
    if (contents.isEmpty())
        macros.remove(name);
    else
        macros.insert(name, contents);
}

// tempname name ... ([P] macro): each local gets a fresh name __000000,
// __000001, ... that names nothing yet.
void Interpreter::tempname(LineScanner &scanner)
{
    if (scanner.atEnd())
        throw StataError(100, QStringLiteral("tempname: a name is required"));
    while (!scanner.atEnd()) {
        const QString name = scanner.readName();
        checkMacroName(name, false);
        m_locals.insert(name, QStringLiteral("__%1").arg(m_temporaryNames++, 6, 10, QChar('0')));
    }
}

// matrix [define] name = e(name) | r(name) | name, and matrix list name
// ([P] matrix define): the stand-in copies matrices, it does no algebra.
void Interpreter::matrix(LineScanner &scanner)
{
    const int start = scanner.position();
    const QString subcommand = scanner.readName();
    if (subcommand == QLatin1String("list")) {
        const QString name = scanner.readName();
        requireEnd(scanner);
        if (!m_matrices.contains(name))
            throw StataError(111, QStringLiteral("matrix %1 not found").arg(name));
        const Matrix &shown = m_matrices[name];
        for (int row = 0; row < shown.rows; ++row) {
            QString line = QStringLiteral("r%1").arg(row + 1);
            for (int column = 0; column < shown.columns; ++column)
                line += QLatin1Char(' ') + tableNumber(shown.at(row, column));
            output(line);
        }
        return;
    }
    if (!isCommand(subcommand, QStringLiteral("define"), 3))
        scanner.setPosition(start);
    const QString name = scanner.readName();
    checkMacroName(name, false);
    if (!scanner.consume('='))
        throw StataError(198, QStringLiteral("matrix: = expected"));
    const QString source = scanner.rest();
    static const QRegularExpression stored(QStringLiteral("^([re])\\(\\s*(\\w+)\\s*\\)$"));
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z_]\\w*$"));
    if (const auto match = stored.match(source); match.hasMatch()) {
        const StoredResults &results = match.captured(1) == QLatin1String("r") ? m_r : m_e;
        const Matrix *found = results.matrix(match.captured(2));
        if (!found)
            throw StataError(111, QStringLiteral("matrix %1 not found").arg(source));
        m_matrices.insert(name, *found);
    } else if (plainName.match(source).hasMatch()) {
        if (!m_matrices.contains(source))
            throw StataError(111, QStringLiteral("matrix %1 not found").arg(source));
        m_matrices.insert(name, m_matrices.value(source));
    } else {
        throw StataError(198, QStringLiteral("the stand-in only copies matrices: %1").arg(source));
    }
}

// file open handle using filename, options | file write handle directives |
// file close handle|_all ([P] file).
void Interpreter::file(LineScanner &scanner)
{
    const QString subcommand = scanner.readName();
    if (subcommand == QLatin1String("open")) {
        const QString handle = scanner.readName();
        checkMacroName(handle, false);
        if (!scanner.consumeKeyword(QStringLiteral("using")))
            throw StataError(198, QStringLiteral("file open: using required"));
        const QString fileName = scanner.atQuote() ? scanner.readQuoted() : scanner.readWord();
        if (fileName.isEmpty())
            throw StataError(198, QStringLiteral("file open: file name expected"));
        QStringList options;
        if (scanner.consume(',')) {
            LineScanner list(scanner.rest());
            while (!list.atEnd()) {
                const QString option = list.readWord();
                if (!option.isEmpty())
                    options.append(option);
                list.consume(',');
            }
        }
        requireEnd(scanner);
        m_files.open(handle, fileName, options);
    } else if (subcommand == QLatin1String("write")) {
        const QString handle = scanner.readName();
        DisplayDirectives directives(*this, DisplayDirectives::Mode::FileWrite);
        const QString text = directives.render(scanner.rest());
        m_files.write(handle, text);
    } else if (subcommand == QLatin1String("close")) {
        const QString handle = scanner.readName();
        requireEnd(scanner);
        if (handle.isEmpty())
            throw StataError(198, QStringLiteral("file close: handle expected"));
        m_files.close(handle);
    } else {
        throw StataError(198,
                         QStringLiteral("the stand-in does not support file %1").arg(subcommand));
    }
}

// sleep # ([P] sleep): waits # milliseconds.
void Interpreter::sleep(LineScanner &scanner)
{
    bool ok = false;
    const qint64 milliseconds = scanner.rest().toLongLong(&ok);
    if (!ok || milliseconds < 0 || milliseconds > 3600 * 1000)
        throw StataError(198, QStringLiteral("sleep: a number of milliseconds is required"));
    QThread::msleep(quint64(milliseconds));
}

QString Interpreter::localMacro(const QString &name) const
{
    // `r(name)' and `e(name)' give stored results as text ([P] macro).
    static const QRegularExpression result(QStringLiteral("^([rec])\\((\\w+)\\)$"));
    if (const auto match = result.match(name); match.hasMatch()) {
        const QString kind = match.captured(1);
        if (kind == QLatin1String("c"))
            return match.captured(2) == QLatin1String("pwd") ? QDir::currentPath() : QString();
        return (kind == QLatin1String("r") ? m_r : m_e).macroText(match.captured(2));
    }
    return m_locals.value(name);
}

QString Interpreter::globalMacro(const QString &name) const
{
    return m_globals.value(name);
}

QString Interpreter::inlineExpression(const QString &expression)
{
    const StataValue value = Expression::parse(expression, *this).evaluate(0);
    return value.isString ? value.text : DisplayFormatter::macroNumber(value.number);
}

// Extended macro functions ([P] macro): the stand-in knows display only.
QString Interpreter::inlineExtendedFunction(const QString &text)
{
    LineScanner scanner(text);
    const QString function = scanner.readName();
    if (!isCommand(function, QStringLiteral("display"), 2))
        throw StataError(198, QStringLiteral("the stand-in does not support the extended macro "
                                             "function %1")
                                  .arg(function));
    DisplayDirectives directives(*this, DisplayDirectives::Mode::MacroFunction);
    return directives.render(text.mid(scanner.position()));
}

int Interpreter::variableIndex(const QString &name) const
{
    return m_dataset.indexOf(name);
}

StataValue Interpreter::variableValue(int variable, int observation) const
{
    if (observation < 0 || observation >= m_dataset.observationCount()) {
        // Outside the data (display x with no observation) a numeric
        // variable reads as missing and a string one as "".
        return m_dataset.variable(variable).isString()
                   ? StataValue::ofString(QString())
                   : StataValue::ofNumber(MissingValue::value());
    }
    return m_dataset.value(variable, observation);
}

int Interpreter::observationCount() const
{
    return m_dataset.observationCount();
}

StataValue Interpreter::storedResult(QChar kind, const QString &name) const
{
    return (kind == 'r' ? m_r : m_e).value(name);
}

double Interpreter::matrixElement(const QString &matrix, int row, int column) const
{
    const auto found = m_matrices.constFind(matrix);
    if (found == m_matrices.constEnd())
        throw StataError(111, QStringLiteral("matrix %1 not found").arg(matrix));
    if (row < 1 || row > found->rows || column < 1 || column > found->columns)
        throw StataError(503, QStringLiteral("conformability error: %1[%2, %3] is outside the "
                                             "matrix")
                                  .arg(matrix)
                                  .arg(row)
                                  .arg(column));
    return found->at(row - 1, column - 1);
}
