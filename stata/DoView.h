#pragma once

#include "stata/DoFileModel.h"

#include <QMainWindow>
#include <QString>

class QAction;
class QPlainTextEdit;

// Shows the do-file of a grid as it was when the window opened, with the
// statistics' commands and the macro definitions each shown or hidden, and
// saves the text shown.
class DoView : public QMainWindow
{
    Q_OBJECT

public:
    DoView(const DoFileModel &model, const QString &outputFileName, QWidget *parent = nullptr);

    bool mainCommandsVisible() const { return m_showMain; }
    bool macroCommandsVisible() const { return m_showMacro; }

public slots:
    void setMainCommandsVisible(bool visible);
    void setMacroCommandsVisible(bool visible);
    // The export section always belongs to the do-file; the entry only keeps
    // its check mark, and the text is shown again as it is.
    void onExportCommandsViewChecked();

private slots:
    void on_saveAsAction_triggered();

private:
    void createForm();
    void createMenus();
    void refresh();
    bool writeShownText(const QString &fileName, QString *error) const;

    const DoFileModel m_model;
    const QString m_outputFileName;
    bool m_showMain = true;
    bool m_showMacro = true;

    QPlainTextEdit *m_textEdit = nullptr;
    QAction *m_saveAsAction = nullptr;
    QAction *m_mainViewCommandsAction = nullptr;
    QAction *m_macroViewCommandsAction = nullptr;
    QAction *m_noExportViewCommandsAction = nullptr;
};
