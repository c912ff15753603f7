#pragma once

#include <QString>

// Where the macro expander finds what a reference stands for.
class MacroSource
{
public:
    virtual ~MacroSource() = default;

    // Macros that do not exist expand to nothing, as in Stata.
    virtual QString localMacro(const QString &name) const = 0;
    virtual QString globalMacro(const QString &name) const = 0;
    // `=exp': the expression's value as "local name = exp" would store it.
    virtual QString inlineExpression(const QString &expression) = 0;
    // `:function ...': an extended macro function, such as display.
    virtual QString inlineExtendedFunction(const QString &text) = 0;
};
