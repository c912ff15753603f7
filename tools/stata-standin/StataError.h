#pragma once

#include <QString>

// An error that stops the do-file, carrying Stata's return code (the number
// Stata logs as "r(#);") and the message Stata would show for it.
class StataError
{
public:
    StataError(int code, const QString &message)
        : m_code(code)
        , m_message(message)
    {}

    int code() const { return m_code; }
    QString message() const { return m_message; }

    // Stata's catch-all for text it cannot parse: "invalid syntax", r(198).
    static StataError syntax(const QString &detail = QString())
    {
        return StataError(198, detail.isEmpty() ? QStringLiteral("invalid syntax") : detail);
    }

private:
    int m_code;
    QString m_message;
};
