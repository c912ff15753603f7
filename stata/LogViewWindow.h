#pragma once

#include <QMainWindow>

class QAction;
class QFile;
class QPlainTextEdit;

// Shows a text file read-only, in practice the log of the last Stata run, and
// saves it under another name.
class LogViewWindow : public QMainWindow
{
    Q_OBJECT

public:
    // A runaway do-file can write a log of gigabytes; the editor holds its
    // whole text in memory and freezes on such a file. Its end, which says
    // how the run ended, is what the user looks for.
    static constexpr qint64 maximumShownSize = 64 * 1024 * 1024;

    LogViewWindow(const QString &fileName, QWidget *parent = nullptr);

    // Shows the file's text, or of a file larger than the limit its last
    // lines within the limit, after a line that says the start was left out.
    // A file that cannot be read is reported and leaves the editor as it was.
    bool loadFile(const QString &fileName);
    void setMaximumShownSize(qint64 bytes) { m_maximumShownSize = bytes; }

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void onSaveAsActionTriggered();

private:
    void createForm();
    bool saveFile(const QString &fileName);
    QString readShownText(QFile &file) const;

    QPlainTextEdit *m_textEdit = nullptr;
    QAction *m_saveAsAction = nullptr;
    QAction *m_exitAction = nullptr;
    qint64 m_maximumShownSize = maximumShownSize;
};
