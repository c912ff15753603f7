#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

struct Document;
class QTextStream;

// One run of a document without the window, for scripts: in the current
// directory it writes temp.do, runs Stata in batch mode on it, checks that
// Stata reached the end, and writes the exports the output file asks for.
// Everything it has to say goes to the error stream, one line each.
class BatchRun
{
    Q_DECLARE_TR_FUNCTIONS(BatchRun)

public:
    // The process's exit statuses.
    enum ExitStatus {
        Succeeded = 0,
        // Stata did not reach the end of the do-file; its log tells why.
        StataFailed = 1,
        // Bad arguments, or a document, executable or file that cannot be used.
        Unusable = 2,
    };

    struct Options
    {
        QString documentFileName;
        // Empty: the one stored in settings.ini.
        QString stataExecutable;
        QStringList exportFileNames;
    };

    // Every this many milliseconds of a long run the elapsed time is shown.
    static constexpr int progressInterval = 10000;

    static QString doFileName() { return QStringLiteral("temp.do"); }
    static QString checkFileName() { return QStringLiteral("checkfile.tmp"); }
    static QString logFileName() { return QStringLiteral("temp.log"); }

    explicit BatchRun(QTextStream &errors);

    ExitStatus run(const Options &options);

private:
    bool readDocument(const QString &fileName, Document *document);
    bool checkDocument(const QString &fileName, const Document &document);
    bool checkExports(const QStringList &fileNames);
    QString stataExecutable(const QString &given);
    bool prepareRun(const Document &document);
    ExitStatus runStata(const QString &executable);
    ExitStatus writeExports(const Document &document, const QStringList &fileNames);
    void report(const QString &message);

    QTextStream &m_errors;
};
