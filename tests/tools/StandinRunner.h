#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// Runs the Stata stand-in the way Quorin's run cycle starts Stata: in a
// fresh directory, with "-e", "do" and the quoted do-file name, and keeps
// the directory so a test can read what the run left there.
class StandinRunner
{
public:
    StandinRunner()
        : m_directory(std::make_unique<QTemporaryDir>())
    {
        m_environment.insert(QStringLiteral("QUORIN_STANDIN_ARGS_FILE"),
                             filePath(QStringLiteral("arguments.jsonl")));
    }

    static QStringList batchArguments()
    {
        return {QStringLiteral("-e"), QStringLiteral("do"), QStringLiteral("\"temp.do\"")};
    }

    QString filePath(const QString &name) const { return m_directory->filePath(name); }
    QString path() const { return m_directory->path(); }
    QProcessEnvironment &environment() { return m_environment; }

    void writeFile(const QString &name, const QString &text) const
    {
        QFile file(filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(text.toUtf8());
    }

    QString readFile(const QString &name) const
    {
        QFile file(filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll())
                                              : QStringLiteral("<missing %1>").arg(name);
    }

    bool exists(const QString &name) const { return QFile::exists(filePath(name)); }

    // Writes temp.do and runs the stand-in on it; the exit code, or -1 when
    // it did not run to its end within the time given.
    int runDoFile(const QString &doFileText, const QStringList &arguments = batchArguments())
    {
        writeFile(QStringLiteral("temp.do"), doFileText);
        return run(arguments);
    }

    int run(const QStringList &arguments)
    {
        QProcess process;
        process.setProgram(QStringLiteral(QUORIN_STANDIN_PATH));
        process.setArguments(arguments);
        process.setWorkingDirectory(path());
        process.setProcessEnvironment(m_environment);
        process.start();
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return -1;
        m_standardError = QString::fromLocal8Bit(process.readAllStandardError());
        m_standardOutput = QString::fromLocal8Bit(process.readAllStandardOutput());
        return process.exitCode();
    }

    QString standardError() const { return m_standardError; }
    QString standardOutput() const { return m_standardOutput; }
    QString log() const { return readFile(QStringLiteral("temp.log")); }

private:
    std::unique_ptr<QTemporaryDir> m_directory;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
    QString m_standardError;
    QString m_standardOutput;
};
