#pragma once

#include "StataValue.h"

#include <QString>

// Stata's display formats %w.df, %w.dg, %w.de and %ws, with the "-" (left
// justify), "0" (leading zeros, fixed and exponential formats), "c" (comma
// groups, fixed and general formats) and European-comma ("%9,2f") variants,
// rendered the way Stata's display shows them ([D] format). Each rule in the
// .cpp says where it comes from.
class DisplayFormatter
{
public:
    enum class Kind { Fixed, General, Exponential, String };

    // Throws StataError 120 ("invalid %format") for anything else, dates and
    // times included: the stand-in does not render those.
    static DisplayFormatter parse(const QString &text);

    Kind kind() const { return m_kind; }
    // Throws StataError 109 (type mismatch) for a string in a numeric format
    // and the reverse.
    QString format(const StataValue &value) const;
    QString formatNumber(double number) const;
    QString formatText(const QString &text) const;

    // What "display exp" shows without a format.
    static QString displayDefault(double number);
    // What "local name = exp" stores for a number.
    static QString macroNumber(double number);

private:
    DisplayFormatter() = default;
    QString fixed(double magnitude) const;
    QString exponential(double magnitude) const;
    QString general(double magnitude) const;
    QString fittingGeneral(double magnitude, int room, bool commas) const;
    QString withSeparators(QString digits) const;
    QString justified(const QString &text) const;

    Kind m_kind = Kind::General;
    int m_width = 9;
    int m_decimals = 0;
    bool m_leftJustified = false;
    bool m_leadingZeros = false;
    bool m_commas = false;
    bool m_european = false;
};
