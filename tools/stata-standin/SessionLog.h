#pragma once

#include <QFile>
#include <QString>

class StataError;

// The log of a batch run, written as the run goes (each line flushed), so a
// run that is stopped still leaves what it did.
class SessionLog
{
public:
    bool open(const QString &fileName);
    bool append(const QString &fileName);
    void line(const QString &text);
    void command(const QString &text) { line(QStringLiteral(". ") + text); }
    // The message, then "r(#);" as Stata logs an error.
    void error(const StataError &error);

private:
    QFile m_file;
};
