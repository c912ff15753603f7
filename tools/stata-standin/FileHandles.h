#pragma once

#include <QString>
#include <QStringList>

#include <map>
#include <memory>

class QFile;

// The files a do-file opened with "file open" ([P] file), by handle. Files
// still open when the run ends are closed, as Stata closes them.
class FileHandles
{
public:
    FileHandles();
    ~FileHandles();
    FileHandles(const FileHandles &) = delete;
    FileHandles &operator=(const FileHandles &) = delete;

    // options: write (required here; reading is not supported), text or
    // binary, replace or append. Throws StataError 110 for a handle in use,
    // 602 when the file exists and neither replace nor append is given, 603
    // when it cannot be opened.
    void open(const QString &handle, const QString &fileName, const QStringList &options);
    // "\n" in text becomes the platform's line end in text mode. Throws
    // StataError 198 for an unknown handle.
    void write(const QString &handle, const QString &text);
    // "_all" closes every file.
    void close(const QString &handle);

private:
    struct OpenFile;
    std::map<QString, std::unique_ptr<OpenFile>> m_files;
};
