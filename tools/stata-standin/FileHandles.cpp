#include "FileHandles.h"

#include "StataError.h"

#include <QFile>

struct FileHandles::OpenFile
{
    QFile file;
    bool text = true;
};

FileHandles::FileHandles() = default;
FileHandles::~FileHandles() = default;

void FileHandles::open(const QString &handle, const QString &fileName, const QStringList &options)
{
    if (m_files.count(handle))
        throw StataError(110, QStringLiteral("handle %1 already exists").arg(handle));
    bool write = false;
    bool replace = false;
    bool append = false;
    bool binary = false;
    for (const QString &option : options) {
        if (option == QLatin1String("write"))
            write = true;
        else if (option == QLatin1String("replace"))
            replace = true;
        else if (option == QLatin1String("append"))
            append = true;
        else if (option == QLatin1String("binary"))
            binary = true;
        else if (option != QLatin1String("text"))
            throw StataError(198, QStringLiteral("option %1 not allowed").arg(option));
    }
    if (!write)
        throw StataError(198, QStringLiteral("the stand-in opens files for writing only"));
    if (replace && append)
        throw StataError(198, QStringLiteral("options replace and append may not be combined"));
    auto openFile = std::make_unique<OpenFile>();
    openFile->file.setFileName(fileName);
    openFile->text = !binary;
    if (!replace && !append && openFile->file.exists())
        throw StataError(602, QStringLiteral("file %1 already exists").arg(fileName));
    const QIODevice::OpenMode mode =
        QIODevice::WriteOnly | (append ? QIODevice::Append : QIODevice::Truncate);
    if (!openFile->file.open(mode))
        throw StataError(603, QStringLiteral("file %1 could not be opened").arg(fileName));
    m_files.emplace(handle, std::move(openFile));
}

void FileHandles::write(const QString &handle, const QString &text)
{
    const auto found = m_files.find(handle);
    if (found == m_files.end())
        throw StataError(198, QStringLiteral("file handle %1 not found").arg(handle));
    QString contents = text;
#ifdef Q_OS_WIN
    // Text files on Windows end their lines with CR LF.
    if (found->second->text)
        contents.replace(QLatin1String("\n"), QLatin1String("\r\n"));
#endif
    found->second->file.write(contents.toUtf8());
}

void FileHandles::close(const QString &handle)
{
    if (handle == QLatin1String("_all")) {
        m_files.clear();
        return;
    }
    if (m_files.erase(handle) == 0)
        throw StataError(198, QStringLiteral("file handle %1 not found").arg(handle));
}
