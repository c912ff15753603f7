#include "stata/StataRun.h"

#include "model/AtomicFile.h"
#include "stata/StataPlatform.h"

#include <QEventLoop>
#include <QProgressDialog>

namespace {

int s_progressDialogDelay = 400;

// Stopping Stata after Cancel should take moments; this only bounds the wait
// for a process that ignores being killed.
constexpr int stopTimeout = 5000;

QString elapsedText(qint64 milliseconds)
{
    const qint64 seconds = milliseconds / 1000;
    const QString minutesAndSeconds =
        QStringLiteral("%1:%2").arg((seconds / 60) % 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (seconds < 3600)
        return minutesAndSeconds;
    return QStringLiteral("%1:%2")
        .arg(seconds / 3600)
        .arg(minutesAndSeconds.rightJustified(5, QLatin1Char('0')));
}

} // namespace

QStringList StataRun::batchArguments(bool showStataMessage)
{
    return {StataPlatform::batchFlag(showStataMessage), QStringLiteral("do"),
            QStringLiteral("\"%1\"").arg(doFileName())};
}

int StataRun::progressDialogDelay()
{
    return s_progressDialogDelay;
}

void StataRun::setProgressDialogDelay(int milliseconds)
{
    s_progressDialogDelay = milliseconds;
}

StataRun::StataRun(QWidget *dialogParent)
    : m_dialogParent(dialogParent)
{
    // Stata writes its log to temp.log; what it prints is not needed, and an
    // unread pipe could fill up and stall it.
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());

    m_showTimer.setSingleShot(true);
    connect(&m_showTimer, &QTimer::timeout, this, &StataRun::showProgressDialog);
    m_clockTimer.setInterval(1000);
    connect(&m_clockTimer, &QTimer::timeout, this, &StataRun::updateElapsedTime);
}

StataRun::~StataRun()
{
    delete m_progressDialog;
}

bool StataRun::writeDoFile(const QString &text)
{
    return AtomicFile::writeText(doFileName(), text, &m_errorString);
}

StataRun::Result StataRun::run(const QString &executable, const QStringList &arguments)
{
    m_process.setProgram(executable);
    m_process.setArguments(arguments);
    m_process.start(QIODevice::ReadWrite);
    if (!m_process.waitForStarted(-1)) {
        return {Outcome::NotStarted,
                tr("Stata could not be started (%1): %2")
                    .arg(executable.isEmpty() ? tr("no executable") : executable,
                         m_process.errorString())};
    }
    m_elapsed.start();

    QEventLoop loop;
    m_loop = &loop;
    connect(&m_process, &QProcess::finished, &loop, [&loop] { loop.exit(ProcessEnded); });
    m_showTimer.start(s_progressDialogDelay);
    // Until the progress dialog shows, input waits for the run; paint and
    // timer events go on.
    int exit = loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (exit == ShowProgress && m_process.state() != QProcess::NotRunning && !m_cancelled)
        exit = loop.exec();
    m_showTimer.stop();
    m_clockTimer.stop();
    m_loop = nullptr;
    if (m_progressDialog)
        m_progressDialog->hide();

    // The loop also ends when the application quits; Stata is then stopped.
    if (m_cancelled || m_process.state() != QProcess::NotRunning)
        return stopProcess();
    return endedResult();
}

StataRun::Result StataRun::endedResult() const
{
    if (m_process.exitStatus() == QProcess::CrashExit)
        return {Outcome::Ended, tr("Stata stopped abnormally: %1").arg(m_process.errorString())};
    return {Outcome::Ended, tr("Stata ended with exit code %1.").arg(m_process.exitCode())};
}

StataRun::Result StataRun::stopProcess()
{
    m_process.kill();
    m_process.waitForFinished(stopTimeout);
    return {Outcome::Cancelled, tr("Stata was stopped.")};
}

void StataRun::showProgressDialog()
{
    if (!m_progressDialog) {
        m_progressDialog = new QProgressDialog(m_dialogParent);
        m_progressDialog->setObjectName(QStringLiteral("stataRunProgressDialog"));
        m_progressDialog->setWindowTitle(tr("Quorin"));
        m_progressDialog->setRange(0, 0); // a busy indicator: Stata tells no progress
        m_progressDialog->setCancelButtonText(tr("Cancel"));
        m_progressDialog->setAutoClose(false);
        m_progressDialog->setAutoReset(false);
        m_progressDialog->setMinimumDuration(0);
        m_progressDialog->setWindowModality(Qt::ApplicationModal);
        // The Cancel button, Escape and the window's close button all stop
        // Stata.
        connect(m_progressDialog, &QProgressDialog::canceled, this, &StataRun::cancel);
        connect(m_progressDialog, &QProgressDialog::rejected, this, &StataRun::cancel);
    }
    updateElapsedTime();
    m_progressDialog->show();
    m_clockTimer.start();
    if (m_loop)
        m_loop->exit(ShowProgress);
}

void StataRun::updateElapsedTime()
{
    if (!m_progressDialog)
        return;
    m_progressDialog->setLabelText(tr("Stata is running %1.\nElapsed time: %2")
                                       .arg(doFileName(), elapsedText(m_elapsed.elapsed())));
}

void StataRun::cancel()
{
    m_cancelled = true;
    if (m_loop)
        m_loop->exit(ProcessEnded);
}
