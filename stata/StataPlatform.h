#pragma once

#include <QString>

// What differs between Windows and the other systems when Quorin chooses and
// starts Stata. Windows keeps Stata's own conventions (".exe" programs, "/e"
// and "/b" batch flags); Stata for Unix takes "-e" and "-b", and any
// executable file may be the Stata program there.
class StataPlatform
{
public:
    // Where the file choosers of the Stata settings open.
    static QString fileChooserStartDirectory();

    // The pattern of the executable choosers' filters: "*.exe" or "*".
    static QString executablePattern();

    // Whether a path chosen in an executable chooser may be taken as the
    // Stata executable. On Windows it must name a program (see below);
    // elsewhere the file must exist and be executable.
    static bool isExecutableChoice(const QString &path);

    // Whether the path ends in ".exe" in any case: Windows file names are
    // case-insensitive, and Stata installs as "StataSE-64.EXE" as well.
    static bool hasWindowsProgramSuffix(const QString &path);

    // The batch flag: "b" keeps Stata's message box at the end of the run,
    // "e" ends silently.
    static QString batchFlag(bool showStataMessage);
};
