#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

class QEventLoop;
class QProgressDialog;
class QWidget;

// One batch run of the Stata executable on the do-file of the current
// directory. It owns the Stata process and the progress dialog that keeps
// the user informed and able to cancel: the window stays painted while Stata
// runs, however long that takes, and the run ends when Stata ends.
class StataRun : public QObject
{
    Q_OBJECT

public:
    enum class Outcome {
        Ended,            // Stata ran and ended; the check file tells whether it succeeded
        NotStarted,       // the executable could not be started
        Cancelled,        // the user stopped Stata
        DoFileNotWritten, // nothing was run: the do-file could not be written
    };

    struct Result
    {
        Outcome outcome = Outcome::NotStarted;
        // How the run ended or why it did not start, in the user's words.
        QString details;
    };

    // The working files of a run, in the current directory.
    static QString doFileName() { return QStringLiteral("temp.do"); }
    static QString checkFileName() { return QStringLiteral("checkfile.tmp"); }
    static QString logFileName() { return QStringLiteral("temp.log"); }

    // The platform's batch flag, "do", and the do-file's name in double
    // quotes (as Stata's own command line would quote it).
    static QStringList batchArguments(bool showStataMessage);

    // A run shorter than this never shows its progress dialog; until then
    // user input waits, so nothing can start a second run meanwhile.
    static int progressDialogDelay();
    static void setProgressDialogDelay(int milliseconds);

    explicit StataRun(QWidget *dialogParent);
    ~StataRun() override;

    // Writes the do-file in one piece: a failed write leaves no half-written
    // file for Stata to run, and is reported rather than run.
    bool writeDoFile(const QString &text);

    // Starts the executable (the path as one program name) in the current
    // directory and returns when it has ended, could not start or was
    // cancelled (a cancelled Stata is stopped before this returns).
    Result run(const QString &executable, const QStringList &arguments);

    QString errorString() const { return m_errorString; }

private:
    enum LoopExit { ProcessEnded = 0, ShowProgress = 1 };

    void showProgressDialog();
    void updateElapsedTime();
    void cancel();
    Result endedResult() const;
    Result stopProcess();

    QWidget *m_dialogParent = nullptr;
    QProcess m_process;
    QProgressDialog *m_progressDialog = nullptr;
    QEventLoop *m_loop = nullptr;
    QTimer m_showTimer;
    QTimer m_clockTimer;
    QElapsedTimer m_elapsed;
    bool m_cancelled = false;
    QString m_errorString;
};
