#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

// Runs a test in a fresh current directory, where Quorin keeps settings.ini
// and the working files of a run; the previous directory comes back after.
class TemporaryWorkingDirectory
{
public:
    TemporaryWorkingDirectory()
        : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(m_directory.path());
    }
    ~TemporaryWorkingDirectory() { QDir::setCurrent(m_previous); }

    TemporaryWorkingDirectory(const TemporaryWorkingDirectory &) = delete;
    TemporaryWorkingDirectory &operator=(const TemporaryWorkingDirectory &) = delete;

    QString path() const { return m_directory.path(); }
    QString filePath(const QString &name) const { return m_directory.filePath(name); }

private:
    QString m_previous;
    QTemporaryDir m_directory;
};
