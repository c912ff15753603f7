#pragma once

#include "StataValue.h"

#include <QString>

#include <memory>

class ExpressionContext;

// A Stata expression ([U] 13 Functions and expressions), parsed once and
// evaluated at any observation: numbers, Stata's missing values (".",
// ".a" to ".z", larger than every number), strings ("..." and compound
// `"..."'), variables, r() and e() results, matrix elements name[i, j], _n,
// _N, _pi, a few functions, and the operators ! ~ ^ - * / + == != ~= < <= >
// >= & | with Stata's order of evaluation.
class Expression
{
public:
    // Parses the whole text. Throws StataError (198 syntax, 111 unknown name).
    static Expression parse(const QString &text, const ExpressionContext &context);
    // Parses the longest expression at the start of text (display lists and
    // one-line "if exp command"); *consumed gets the length it used.
    static Expression parsePrefix(const QString &text, const ExpressionContext &context,
                                  int *consumed);

    // observation is 0-based; outside the data, variables read as missing.
    StataValue evaluate(int observation) const;
    // The truth of an if-qualifier at an observation: non-zero numbers
    // (missing ones included) are true. Throws 109 for a string.
    bool isTrueAt(int observation) const;

    struct Node;

private:
    Expression(std::shared_ptr<const Node> root, const ExpressionContext *context)
        : m_root(std::move(root))
        , m_context(context)
    {}

    std::shared_ptr<const Node> m_root;
    const ExpressionContext *m_context;
};
