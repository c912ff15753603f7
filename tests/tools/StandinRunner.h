#pragma once

#include "FileContents.h"

#include <QProcess>
#include <QTemporaryDir>

// Runs the Stata stand-in the way Quorin's run cycle starts Stata: in a
// fresh directory, with "-e", "do" and the quoted do-file name, and keeps
// the directory so a test can read what the run left there.
class StandinRunner
{
public:
    StandinRunner()
    {
        m_environment.insert(QStringLiteral("QUORIN_STANDIN_ARGS_FILE"),
                             filePath(QStringLiteral("arguments.jsonl")));
    }

    QString filePath(const QString &name) const { return m_directory.filePath(name); }
    QString path() const { return m_directory.path(); }
    QProcessEnvironment &environment() { return m_environment; }
    bool exists(const QString &name) const { return QFile::exists(filePath(name)); }
    QString standardError() const { return m_standardError; }
    QString standardOutput() const { return m_standardOutput; }
    QString log() const { return readFile(QStringLiteral("temp.log")); }

    void writeFile(const QString &name, const QString &text) const
    {
        writeFileBytes(filePath(name), text.toUtf8());
    }

    // A file the run left, or a text no expectation matches when it is missing.
    QString readFile(const QString &name) const
    {
        return exists(name) ? fileText(filePath(name)) : QStringLiteral("<missing %1>").arg(name);
    }

    // Writes temp.do and runs the stand-in on it.
    int runDoFile(const QString &doFileText,
                  const QStringList &arguments = {"-e", "do", "\"temp.do\""})
    {
        writeFile(QStringLiteral("temp.do"), doFileText);
        return run(arguments);
    }

    // The exit code, or -1 when the stand-in did not run to its end in time.
    int run(const QStringList &arguments)
    {
        QProcess process;
        process.setWorkingDirectory(path());
        process.setProcessEnvironment(m_environment);
        process.start(QStringLiteral(QUORIN_STANDIN_PATH), arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return -1;
        m_standardError = QString::fromLocal8Bit(process.readAllStandardError());
        m_standardOutput = QString::fromLocal8Bit(process.readAllStandardOutput());
        return process.exitCode();
    }

private:
    QTemporaryDir m_directory;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
    QString m_standardError;
    QString m_standardOutput;
};
