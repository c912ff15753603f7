#pragma once

#include <QMainWindow>

class QAction;
class QPlainTextEdit;

// Shows a text file read-only, in practice the log of the last Stata run, and
// saves it under another name.
class LogViewWindow : public QMainWindow
{
    Q_OBJECT

public:
    LogViewWindow(const QString &fileName, QWidget *parent = nullptr);

    // Shows the file's text; a file that cannot be read is reported and
    // leaves the editor as it was.
    bool loadFile(const QString &fileName);

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void onSaveAsActionTriggered();

private:
    void createForm();
    bool saveFile(const QString &fileName);

    QPlainTextEdit *m_textEdit = nullptr;
    QAction *m_saveAsAction = nullptr;
    QAction *m_exitAction = nullptr;
};
