#pragma once

#include <QString>

// How a user's text is carried through a do-file into the output file.
//
// The Stata rules this relies on:
// - Before Stata executes a line it substitutes every macro reference in it:
//   `name' for a local and $name or ${name} for a global, nested references
//   first, and the substituted text is scanned again unless the reference is
//   `macval(name)' ([U] 18.3 Macros; [P] macro). A grave accent or a dollar
//   sign in a text therefore starts a macro reference.
// - A backslash before ` or $ keeps them from being expanded ([U] 18.3 Macros,
//   on Windows file names). A text that itself holds a backslash right before
//   one of them, or before another backslash, cannot be written that way
//   without ambiguity, so this escape is not used here.
// - "..." ends at the next double quote. Compound double quotes `"..."' may
//   hold double quotes, but they nest: every `" inside opens and every "'
//   closes one level ([U] 18.3 Macros, "compound double quotes"; [P] macro).
//   A text that holds "' or `" out of balance cannot stand inside them, and
//   once it is in a macro, no quoted literal can pass it to file write.
// - file write takes a list of directives: "string", `"string"', and
//   _char(#) for the character with code # among others ([P] file).
//
// So a text without any of " ` ' $ \ and without line breaks or other control
// characters stands in a plain "..." literal, as it always did. Any other
// text is cut into runs of harmless characters, each written as "run", and
// single other characters, each written as _char(code); the macro then holds
// this directive list inside compound double quotes, which it can never
// upset because it holds no ` and no '.
//
// File names are Stata code in "use" and "file open", not macro values, so
// they stay in "..." and only what Stata would expand is escaped: a ` or $
// gets a backslash, and the backslashes right before it are doubled, since
// in a run of backslashes before ` or $ Stata reads each pair as one
// backslash and an odd one as the escape (Stata tip 65, "Beware the
// backstabbing backslash", Stata Journal 8(3)). A name holding a double
// quote stands in compound double quotes. Any other name is written as it is.
class StataText
{
public:
    // True when the text can stand as it is inside "...".
    static bool isPlain(const QString &text);
    static bool isPlainCharacter(QChar character);

    // The file-write directives that write exactly the text, e.g.
    // "He said " _char(34) "yes" _char(34) for He said "yes".
    static QString fileWriteDirectives(const QString &text);

    // The file name as a quoted Stata string, e.g. "C:\data\survey.dta".
    static QString quotedFileName(const QString &fileName);
};
