#pragma once

#include <QString>
#include <QStringList>

// How the stand-in was started. Quorin starts Stata with three arguments:
// "/e" or "/b" on Windows, "-e" or "-b" elsewhere (both spellings are
// accepted everywhere), "do", and the do-file's name wrapped in double
// quotes as part of the argument ("\"temp.do\""); or with no argument at all
// for an interactive start.
class StandinCommandLine
{
public:
    enum class Mode { Batch, Interactive, Help, Invalid };

    static StandinCommandLine parse(const QStringList &arguments);
    static QString usage();

    Mode mode() const { return m_mode; }
    // The do-file as given, without the surrounding quotes, with ".do" added
    // to a name without an extension (as Stata does).
    QString doFileName() const { return m_doFileName; }
    // "temp.do" logs to "temp.log" in the current directory.
    QString logFileName() const;
    // Arguments after the do-file's name, passed on to it as `1', `2', ...
    QStringList doFileArguments() const { return m_doFileArguments; }
    QString error() const { return m_error; }

private:
    Mode m_mode = Mode::Invalid;
    QString m_doFileName;
    QStringList m_doFileArguments;
    QString m_error;
};
