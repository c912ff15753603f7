#include "Expression.h"

#include "ExpressionContext.h"
#include "MissingValue.h"
#include "StataError.h"

#include <QList>

#include <cmath>
#include <functional>
#include <limits>

struct Expression::Node
{
    enum Kind {
        Literal,
        Variable,
        Result,
        MatrixElement,
        ObservationNumber,
        ObservationCount,
        Unary,
        Binary,
        Function
    };
    Kind kind = Literal;
    StataValue value;  // Literal
    int variable = -1; // Variable
    QChar resultKind;  // Result: 'r', 'e'
    QString name;      // Result, MatrixElement, Function, operator of Unary/Binary
    QList<std::shared_ptr<const Node>> children;
};

namespace {

using NodePointer = std::shared_ptr<const Expression::Node>;
using Node = Expression::Node;

struct Token
{
    enum Kind { End, Number, String, Name, Operator };
    Kind kind = End;
    int start = 0;
    double number = 0;
    QString text;
};

bool isNameStart(QChar c)
{
    return c.isLetter() || c == '_';
}

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == '_';
}

// Splits an expression into tokens, all at once, keeping where each began so
// a prefix parse can tell how much text it used.
QList<Token> tokenize(const QString &text)
{
    QList<Token> tokens;
    int i = 0;
    const int n = int(text.size());
    while (true) {
        while (i < n && text.at(i).isSpace())
            ++i;
        Token token;
        token.start = i;
        if (i >= n) {
            tokens.append(token);
            return tokens;
        }
        const QChar c = text.at(i);
        const QChar next = i + 1 < n ? text.at(i + 1) : QChar();
        if (c.isDigit() || (c == '.' && next.isDigit())) {
            int end = i;
            while (end < n && text.at(end).isDigit())
                ++end;
            if (end < n && text.at(end) == '.') {
                ++end;
                while (end < n && text.at(end).isDigit())
                    ++end;
            }
            if (end < n && (text.at(end) == 'e' || text.at(end) == 'E')) {
                int exponent = end + 1;
                if (exponent < n && (text.at(exponent) == '+' || text.at(exponent) == '-'))
                    ++exponent;
                if (exponent < n && text.at(exponent).isDigit()) {
                    end = exponent;
                    while (end < n && text.at(end).isDigit())
                        ++end;
                }
            }
            token.kind = Token::Number;
            token.number = text.mid(i, end - i).toDouble();
            i = end;
        } else if (c == '.') {
            // "." is the system missing value, ".a" to ".z" the extended ones.
            token.kind = Token::Number;
            const QChar after = i + 2 < n ? text.at(i + 2) : QChar();
            if (next >= 'a' && next <= 'z' && !isNameCharacter(after)) {
                token.number = MissingValue::value(next.unicode() - 'a' + 1);
                i += 2;
            } else {
                token.number = MissingValue::value();
                i += 1;
            }
        } else if (c == '"') {
            const int close = int(text.indexOf('"', i + 1));
            if (close < 0)
                throw StataError(198, QStringLiteral("too few quotes"));
            token.kind = Token::String;
            token.text = text.mid(i + 1, close - i - 1);
            i = close + 1;
        } else if (c == '`' && next == '"') {
            // Compound quotes nest: `"a `"b"' c"' is one string.
            int depth = 1;
            int j = i + 2;
            while (j < n && depth > 0) {
                if (text.mid(j, 2) == QLatin1String("`\"")) {
                    ++depth;
                    j += 2;
                } else if (text.mid(j, 2) == QLatin1String("\"'")) {
                    --depth;
                    j += 2;
                } else {
                    ++j;
                }
            }
            if (depth > 0)
                throw StataError(198, QStringLiteral("too few quotes"));
            token.kind = Token::String;
            token.text = text.mid(i + 2, j - i - 4);
            i = j;
        } else if (isNameStart(c)) {
            int end = i;
            while (end < n && isNameCharacter(text.at(end)))
                ++end;
            token.kind = Token::Name;
            token.text = text.mid(i, end - i);
            i = end;
        } else {
            static const QStringList twoCharacter = {QStringLiteral("=="), QStringLiteral("!="),
                                                     QStringLiteral("~="), QStringLiteral("<="),
                                                     QStringLiteral(">=")};
            token.kind = Token::Operator;
            const QString pair = text.mid(i, 2);
            if (twoCharacter.contains(pair)) {
                token.text = pair == QLatin1String("~=") ? QStringLiteral("!=") : pair;
                i += 2;
            } else if (QStringLiteral("=<>&|!~+-*/^()[],").contains(c)) {
                token.text = c == '~' ? QStringLiteral("!") : QString(c);
                i += 1;
            } else {
                // Not part of an expression: it ends here (a display list goes
                // on with a format, a full parse reports the rest).
                tokens.append(Token{Token::End, i, 0, QString()});
                return tokens;
            }
        }
        tokens.append(token);
    }
}

NodePointer literal(const StataValue &value)
{
    auto node = std::make_shared<Node>();
    node->value = value;
    return node;
}

NodePointer operation(Node::Kind kind, const QString &name, QList<NodePointer> children)
{
    auto node = std::make_shared<Node>();
    node->kind = kind;
    node->name = name;
    node->children = std::move(children);
    return node;
}

// Recursive descent over Stata's order of evaluation ([U] 13.2.5, from first
// to last): ! (or ~), ^, - (negation), / and *, - and +, the relational
// operators, &, |. Operators of one level group from the left.
class Parser
{
public:
    Parser(const QList<Token> &tokens, const ExpressionContext &context)
        : m_tokens(tokens)
        , m_context(context)
    {}

    NodePointer expression() { return disjunction(); }
    const Token &current() const { return m_tokens.at(m_position); }

private:
    bool atOperator(const QString &text) const
    {
        return current().kind == Token::Operator && current().text == text;
    }
    const Token &take() { return m_tokens.at(m_position++); }
    void expect(const QString &text)
    {
        if (!atOperator(text))
            throw StataError::syntax(QStringLiteral("%1 expected").arg(text));
        take();
    }

    NodePointer binaryLevel(const QStringList &operators, NodePointer (Parser::*operand)())
    {
        NodePointer left = (this->*operand)();
        while (current().kind == Token::Operator && operators.contains(current().text)) {
            const QString op = take().text;
            left = operation(Node::Binary, op, {left, (this->*operand)()});
        }
        return left;
    }

    NodePointer disjunction() { return binaryLevel({QStringLiteral("|")}, &Parser::conjunction); }
    NodePointer conjunction() { return binaryLevel({QStringLiteral("&")}, &Parser::relation); }
    NodePointer relation()
    {
        if (atOperator(QStringLiteral("=")))
            throw StataError::syntax(QStringLiteral("= invalid in an expression; == compares"));
        NodePointer left =
            binaryLevel({QStringLiteral("=="), QStringLiteral("!="), QStringLiteral("<"),
                         QStringLiteral("<="), QStringLiteral(">"), QStringLiteral(">=")},
                        &Parser::sum);
        if (atOperator(QStringLiteral("=")))
            throw StataError::syntax(QStringLiteral("= invalid in an expression; == compares"));
        return left;
    }
    NodePointer sum()
    {
        return binaryLevel({QStringLiteral("+"), QStringLiteral("-")}, &Parser::product);
    }
    NodePointer product()
    {
        return binaryLevel({QStringLiteral("*"), QStringLiteral("/")}, &Parser::negation);
    }
    NodePointer negation()
    {
        if (atOperator(QStringLiteral("-")) || atOperator(QStringLiteral("+"))) {
            const QString op = take().text;
            NodePointer operand = negation();
            return op == QLatin1String("-") ? operation(Node::Unary, op, {operand}) : operand;
        }
        return power();
    }
    NodePointer power()
    {
        NodePointer left = notOperand();
        while (atOperator(QStringLiteral("^"))) {
            take();
            left = operation(Node::Binary, QStringLiteral("^"), {left, negation()});
        }
        return left;
    }
    NodePointer notOperand()
    {
        if (atOperator(QStringLiteral("!"))) {
            take();
            return operation(Node::Unary, QStringLiteral("!"), {notOperand()});
        }
        return primary();
    }

    NodePointer primary()
    {
        const Token token = take();
        switch (token.kind) {
        case Token::Number:
            return literal(StataValue::ofNumber(token.number));
        case Token::String:
            return literal(StataValue::ofString(token.text));
        case Token::Name:
            return named(token.text);
        case Token::Operator:
            if (token.text == QLatin1String("(")) {
                NodePointer inner = expression();
                expect(QStringLiteral(")"));
                return inner;
            }
            break;
        case Token::End:
            break;
        }
        throw StataError::syntax();
    }

    NodePointer named(const QString &name)
    {
        if (atOperator(QStringLiteral("("))) {
            take();
            if (name == QLatin1String("r") || name == QLatin1String("e"))
                return storedResult(name.at(0));
            return function(name);
        }
        if (atOperator(QStringLiteral("["))) {
            take();
            NodePointer row = expression();
            expect(QStringLiteral(","));
            NodePointer column = expression();
            expect(QStringLiteral("]"));
            return operation(Node::MatrixElement, name, {row, column});
        }
        if (name == QLatin1String("_n"))
            return operation(Node::ObservationNumber, name, {});
        if (name == QLatin1String("_N"))
            return operation(Node::ObservationCount, name, {});
        if (name == QLatin1String("_pi"))
            return literal(StataValue::ofNumber(3.14159265358979323846));
        auto node = std::make_shared<Node>();
        node->kind = Node::Variable;
        node->name = name;
        node->variable = m_context.variableIndex(name);
        return node;
    }

    NodePointer storedResult(QChar kind)
    {
        const Token token = take();
        if (token.kind != Token::Name)
            throw StataError::syntax();
        expect(QStringLiteral(")"));
        auto node = std::make_shared<Node>();
        node->kind = Node::Result;
        node->resultKind = kind;
        node->name = token.text;
        return node;
    }

    NodePointer function(const QString &name)
    {
        QList<NodePointer> arguments;
        if (!atOperator(QStringLiteral(")"))) {
            arguments.append(expression());
            while (atOperator(QStringLiteral(","))) {
                take();
                arguments.append(expression());
            }
        }
        expect(QStringLiteral(")"));
        return operation(Node::Function, name, arguments);
    }

    const QList<Token> &m_tokens;
    const ExpressionContext &m_context;
    int m_position = 0;
};

StataError typeMismatch()
{
    return StataError(109, QStringLiteral("type mismatch"));
}

double number(const StataValue &value)
{
    if (value.isString)
        throw typeMismatch();
    return value.number;
}

StataValue truth(bool condition)
{
    return StataValue::ofNumber(condition ? 1 : 0);
}

// Arithmetic on a missing value gives "." ([U] 12.2.1); results that are not
// finite (division by zero, overflow) are "." too.
StataValue arithmetic(double left, double right, const std::function<double(double, double)> &op)
{
    if (MissingValue::isMissing(left) || MissingValue::isMissing(right))
        return StataValue::ofNumber(MissingValue::value());
    return StataValue::ofNumber(MissingValue::normalized(op(left, right)));
}

StataValue compare(const QString &op, const StataValue &left, const StataValue &right)
{
    if (left.isString != right.isString)
        throw typeMismatch();
    // Strings compare by character codes; numbers as doubles, which puts
    // every missing value above every number ([U] 12.2.1).
    const int order = left.isString                ? QString::compare(left.text, right.text)
                      : left.number < right.number ? -1
                      : left.number > right.number ? 1
                                                   : 0;
    if (op == QLatin1String("=="))
        return truth(order == 0);
    if (op == QLatin1String("!="))
        return truth(order != 0);
    if (op == QLatin1String("<"))
        return truth(order < 0);
    if (op == QLatin1String("<="))
        return truth(order <= 0);
    if (op == QLatin1String(">"))
        return truth(order > 0);
    return truth(order >= 0);
}

StataValue binary(const QString &op, const StataValue &left, const StataValue &right)
{
    // & and | treat any non-zero number as true, missing values included.
    if (op == QLatin1String("&"))
        return truth(number(left) != 0 && number(right) != 0);
    if (op == QLatin1String("|"))
        return truth(number(left) != 0 || number(right) != 0);
    if (op == QLatin1String("+") && left.isString && right.isString)
        return StataValue::ofString(left.text + right.text);
    if (op == QLatin1String("+"))
        return arithmetic(number(left), number(right), std::plus<double>());
    if (op == QLatin1String("-"))
        return arithmetic(number(left), number(right), std::minus<double>());
    if (op == QLatin1String("*"))
        return arithmetic(number(left), number(right), std::multiplies<double>());
    if (op == QLatin1String("/"))
        return arithmetic(number(left), number(right), std::divides<double>());
    if (op == QLatin1String("^"))
        return arithmetic(number(left), number(right),
                          [](double a, double b) { return std::pow(a, b); });
    return compare(op, left, right);
}

bool isMissingValue(const StataValue &value)
{
    return value.isString ? value.text.isEmpty() : MissingValue::isMissing(value.number);
}

// The functions of [FN] that tests and hand-written templates use.
StataValue callFunction(const QString &name, const QList<StataValue> &arguments)
{
    const auto requireCount = [&](int minimum, int maximum) {
        if (arguments.size() < minimum || arguments.size() > maximum)
            throw StataError::syntax(QStringLiteral("wrong number of arguments to %1()").arg(name));
    };
    const auto numeric = [&](const std::function<double(double)> &op) {
        requireCount(1, 1);
        const double x = number(arguments.at(0));
        if (MissingValue::isMissing(x))
            return StataValue::ofNumber(MissingValue::value());
        return StataValue::ofNumber(MissingValue::normalized(op(x)));
    };
    if (name == QLatin1String("missing") || name == QLatin1String("mi")) {
        requireCount(1, 1000);
        bool any = false;
        for (const StataValue &argument : arguments)
            any = any || isMissingValue(argument);
        return truth(any);
    }
    if (name == QLatin1String("inlist")) {
        requireCount(2, 1000);
        bool found = false;
        for (int i = 1; i < arguments.size(); ++i)
            found = found || compare(QStringLiteral("=="), arguments.at(0), arguments.at(i)).number;
        return truth(found);
    }
    if (name == QLatin1String("inrange")) {
        requireCount(3, 3);
        const StataValue &z = arguments.at(0);
        const StataValue &low = arguments.at(1);
        const StataValue &high = arguments.at(2);
        if (z.isString || low.isString || high.isString) {
            const auto at = [](const StataValue &a, const StataValue &b) {
                return compare(QStringLiteral("<="), a, b).number != 0;
            };
            return truth(at(low, z) && at(z, high));
        }
        // [FN] inrange(): a missing z is out of range; a missing bound is
        // open on its side.
        if (MissingValue::isMissing(z.number))
            return truth(false);
        const bool aboveLow = MissingValue::isMissing(low.number) || low.number <= z.number;
        const bool belowHigh = MissingValue::isMissing(high.number) || z.number <= high.number;
        return truth(aboveLow && belowHigh);
    }
    if (name == QLatin1String("abs"))
        return numeric([](double x) { return std::fabs(x); });
    if (name == QLatin1String("sqrt"))
        return numeric([](double x) {
            return x < 0 ? std::numeric_limits<double>::quiet_NaN() : std::sqrt(x);
        });
    if (name == QLatin1String("int"))
        return numeric([](double x) { return std::trunc(x); });
    if (name == QLatin1String("floor"))
        return numeric([](double x) { return std::floor(x); });
    if (name == QLatin1String("ceil"))
        return numeric([](double x) { return std::ceil(x); });
    if (name == QLatin1String("round")) {
        requireCount(1, 2);
        const double x = number(arguments.at(0));
        const double unit = arguments.size() == 2 ? number(arguments.at(1)) : 1;
        if (MissingValue::isMissing(x) || MissingValue::isMissing(unit))
            return StataValue::ofNumber(MissingValue::value());
        return StataValue::ofNumber(unit == 0 ? x : std::round(x / unit) * unit);
    }
    if (name == QLatin1String("strlen")) {
        requireCount(1, 1);
        if (!arguments.at(0).isString)
            throw typeMismatch();
        return StataValue::ofNumber(double(arguments.at(0).text.size()));
    }
    const auto text = [&](int index) {
        if (!arguments.at(index).isString)
            throw typeMismatch();
        return arguments.at(index).text;
    };
    // strpos(s1, s2): where s2 first occurs in s1, counted from 1; 0 if not.
    if (name == QLatin1String("strpos")) {
        requireCount(2, 2);
        return StataValue::ofNumber(double(text(0).indexOf(text(1)) + 1));
    }
    // subinstr(s1, s2, s3, n): s1 with the first n occurrences of s2
    // replaced by s3; n missing replaces all of them.
    if (name == QLatin1String("subinstr")) {
        requireCount(4, 4);
        const QString from = text(1);
        const double limit = number(arguments.at(3));
        QString result = text(0);
        if (from.isEmpty())
            return StataValue::ofString(result);
        qsizetype at = 0;
        for (double done = 0; MissingValue::isMissing(limit) || done < limit; ++done) {
            at = result.indexOf(from, at);
            if (at < 0)
                break;
            result.replace(at, from.size(), text(2));
            at += text(2).size();
        }
        return StataValue::ofString(result);
    }
    // char(n): the character of code n from 1 to 255; "" for any other n.
    if (name == QLatin1String("char")) {
        requireCount(1, 1);
        const double code = number(arguments.at(0));
        if (MissingValue::isMissing(code) || code < 1 || code > 255)
            return StataValue::ofString(QString());
        return StataValue::ofString(QString(QChar(char16_t(code))));
    }
    throw StataError(133, QStringLiteral("unknown function %1()").arg(name));
}

StataValue evaluateNode(const Node &node, const ExpressionContext &context, int observation)
{
    switch (node.kind) {
    case Node::Literal:
        return node.value;
    case Node::Variable:
        if (observation < 0 || observation >= context.observationCount())
            return context.variableValue(node.variable, -1);
        return context.variableValue(node.variable, observation);
    case Node::Result:
        return context.storedResult(node.resultKind, node.name);
    case Node::MatrixElement: {
        const double row = number(evaluateNode(*node.children.at(0), context, observation));
        const double column = number(evaluateNode(*node.children.at(1), context, observation));
        if (MissingValue::isMissing(row) || MissingValue::isMissing(column))
            throw StataError(503, QStringLiteral("conformability error"));
        return StataValue::ofNumber(
            context.matrixElement(node.name, int(std::trunc(row)), int(std::trunc(column))));
    }
    case Node::ObservationNumber:
        return StataValue::ofNumber(observation + 1);
    case Node::ObservationCount:
        return StataValue::ofNumber(context.observationCount());
    case Node::Unary: {
        const double operand = number(evaluateNode(*node.children.at(0), context, observation));
        if (node.name == QLatin1String("!"))
            return truth(operand == 0);
        return MissingValue::isMissing(operand) ? StataValue::ofNumber(MissingValue::value())
                                                : StataValue::ofNumber(-operand);
    }
    case Node::Binary:
        return binary(node.name, evaluateNode(*node.children.at(0), context, observation),
                      evaluateNode(*node.children.at(1), context, observation));
    case Node::Function: {
        QList<StataValue> arguments;
        for (const NodePointer &child : node.children)
            arguments.append(evaluateNode(*child, context, observation));
        return callFunction(node.name, arguments);
    }
    }
    throw StataError::syntax();
}

} // namespace

Expression Expression::parse(const QString &text, const ExpressionContext &context)
{
    int consumed = 0;
    Expression expression = parsePrefix(text, context, &consumed);
    if (!text.mid(consumed).trimmed().isEmpty())
        throw StataError::syntax(
            QStringLiteral("invalid syntax: %1").arg(text.mid(consumed).trimmed()));
    return expression;
}

Expression Expression::parsePrefix(const QString &text, const ExpressionContext &context,
                                   int *consumed)
{
    const QList<Token> tokens = tokenize(text);
    if (tokens.first().kind == Token::End)
        throw StataError::syntax(QStringLiteral("expression expected"));
    Parser parser(tokens, context);
    NodePointer root = parser.expression();
    *consumed = parser.current().start;
    return Expression(root, &context);
}

StataValue Expression::evaluate(int observation) const
{
    return evaluateNode(*m_root, *m_context, observation);
}

bool Expression::isTrueAt(int observation) const
{
    return number(evaluate(observation)) != 0;
}
