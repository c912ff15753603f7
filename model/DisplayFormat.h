#pragma once

#include <QList>
#include <QString>

// A Stata display format read into the choices of the format dialog, and
// built back from them. Three families are understood: numeric (%w.dg, %w.df,
// %w.de), string (%ws) and date/time (%tc, %tC, %td, %tw, %tm, %tq, %th, %ty,
// optionally followed by the display tokens of one of the known samples).
// Nothing else of Stata's format language is interpreted.
//
// A text that none of the rules reads leaves every choice at its default and
// is not recognised; a text that is recognised may still carry something the
// choices cannot express (%9g, unknown date tokens), so isExact() tells
// whether building gives the text back.
struct DisplayFormat
{
    enum Kind {
        GenericNumeric = 0,
        FixedNumeric = 1,
        ExponentialNumeric = 2,
        String = 3,
        Clock = 4,
        Daily = 5,
        Weekly = 6,
        Monthly = 7,
        Quarterly = 8,
        HalfYearly = 9,
        Yearly = 10
    };

    // One look of a date or time: the text shown to the user (in the format
    // dialog's translation context) and the tokens written after the type
    // code. Sample 0 of every date kind writes no tokens.
    struct Sample
    {
        const char *shown;
        const char *tokens;
    };

    DisplayFormat() = default;
    explicit DisplayFormat(const QString &text);

    // The samples of a date or time kind in the order the dialog lists them;
    // empty for numeric and string kinds.
    static QList<Sample> samples(Kind kind);
    static bool isNumeric(Kind kind) { return kind <= ExponentialNumeric; }
    static bool isDateOrTime(Kind kind) { return kind >= Clock; }

    // The sample index of a date or time kind (0 for any other kind).
    int sample(Kind dateKind) const;
    void setSample(Kind dateKind, int index);

    // The format text built from the choices (the text field plays no part).
    QString toText() const;
    // Building the choices gives the parsed text back unchanged.
    bool isExact() const { return recognised && toText() == text; }

    QString text;
    bool recognised = false;
    Kind kind = GenericNumeric;
    bool leftJustified = false;
    int clockSample = 0;
    int dailySample = 0;
    int weeklySample = 0;
    int monthlySample = 0;
    int quarterlySample = 0;
    int halfYearSample = 0;
    int yearlySample = 0;
    // Stata's own default numeric format is %9.0g.
    int totalDigits = 9;
    int digitsRightOfDecimal = 0;
    bool europeanDecimals = false;
    bool commas = false;
    bool leadingZeros = false;
    int totalCharacters = 9;
    bool leapSeconds = false;

private:
    bool parse();
    bool parseDateOrTime();
    bool parseNumeric();
    bool parseString();
    QString numericText() const;
    QString dateOrTimeText() const;
    const int *sampleField(Kind dateKind) const;
};
