#pragma once

#include "model/AreaCollection.h"
#include "model/StatisticCatalogue.h"
#include "model/Variable.h"

#include <QList>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <memory>

class CellTextToolBar;
class DocumentEditor;
class DocumentModel;
class GenericToolBar;
class MainWindowSettings;
class QAction;
class QMenu;
class QUndoStack;
class TableWidget;
class VariablesWidget;

// The one top-level window. It owns the open document, which its children
// show and edit, and routes every menu command.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int maximumRecentFiles = 5;

    explicit MainWindow(QWidget *parent = nullptr);
    // The program's window: with exactly one argument after the program's
    // name, that argument is a document (".xml") to open, or else a Stata
    // dataset whose variables are imported.
    explicit MainWindow(const QStringList &arguments, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Imports the variables of a Stata dataset into the variables panel in
    // place of its current ones, or tells the user why it cannot.
    void loadVariablesFromDataset(const QString &fileName);

    DocumentModel *document() { return m_document; }
    // Every edit of the document is a step here; the title's modified mark
    // follows its clean state.
    QUndoStack *undoStack() { return m_undoStack; }
    StatisticCatalogue *statisticCatalogue();
    TableWidget *tableWidget() { return m_tableWidget; }
    AreaCollection *areas();

    const QString &stataExecutableFileName() const { return m_stataExecutableFileName; }
    void setStataExecutableFileName(const QString &fileName)
    {
        m_stataExecutableFileName = fileName;
    }
    bool outputCsvFileAfterComputation() const { return m_outputCsvFileAfterComputation; }
    bool showStataMessage() const { return m_showStataMessage; }

    // A path's file name without its directories.
    static QString strippedName(const QString &fullFileName);

    // Writes the document to the file, replacing it only once the whole text
    // is written: a failure, a full disk or a crash on the way leaves the file
    // as it was. False, with the system's reason in error, when it failed.
    bool writeDocument(const QString &fileName, QString *error = nullptr);
    // Replaces the document by the file's and makes it the current file; a
    // file Quorin cannot use is refused with a message and nothing changes.
    bool readDocument(const QString &fileName);

    const QString &currentFileName() const { return m_currentFileName; }
    // Most recent first, each path once; as many as were used, of which the
    // File menu shows the first maximumRecentFiles.
    const QStringList &recentFiles() const { return m_recentFiles; }

    // The check file of a run: written by the do-file's last lines, so it
    // exists only when Stata ran the do-file to its end. Deleting reports
    // false when a check file is there and cannot be removed.
    bool deleteCheckFile();
    bool checkFileExists() const;
    // The run's error box, which offers the Stata log; details tell how
    // Stata ended.
    void showStataError(const QString &details = QString());

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void confirmClear();
    void loadVariables();
    void importStatistics();
    void exitApplication();
    void newFile();
    void open();
    bool save();
    bool saveAs();
    void viewLastLogFile();
    void setOutputFileName();
    void openCsvViewer();
    void startStata();
    void setStataExecutable();
    void setStataDatasetForComputation();
    void runWithSettings();
    void viewOutputDoFile();
    void showAboutQuorin();
    void openRecentFile();
    void onQuorinFlash();
    void onDisclaimerClicked();
    void onLicenseClicked();

private:
    void createHistory();
    void createForm();
    void createEditMenu();
    void updateModifiedMark();
    void createTableWidget();
    QAction *createAction(const QString &objectName, const QString &text,
                          const QString &shortcut = QString(), const QString &icon = QString());
    void createMenus();
    void createRecentFileActions();
    void createVariablesPanel();
    void connectVariablesPanel();
    void connectFileEditAndHelpActions();
    void createCellTextToolBar();
    void createGenericToolBar();
    void connectSelectionAnalysis();
    void connectDocumentChanges();
    bool askForStataExecutable();
    void runTable(bool showStataMessage, bool viewOutput);
    void openFromArguments(const QStringList &arguments);

    bool maybeSave();
    bool saveFile(const QString &fileName);
    void setCurrentFile(const QString &fileName);
    void showTitle();
    void updateRecentFileActions();

    void readSettings();
    void placeWindow(const MainWindowSettings &stored);
    void placeVariablesPanel(const MainWindowSettings &stored);
    void writeSettings();

    // Form: actions and menus.
    QAction *m_newFileAction = nullptr;
    QAction *m_openAction = nullptr;
    QAction *m_saveAction = nullptr;
    QAction *m_saveAsAction = nullptr;
    QAction *m_loadVariablesAction = nullptr;
    QAction *m_importStatisticsAction = nullptr;
    QAction *m_exitAction = nullptr;
    QAction *m_clearAllAction = nullptr;
    QAction *m_viewVariableAction = nullptr;
    QAction *m_cellTextBarViewAction = nullptr;
    QAction *m_toolBarViewAction = nullptr;
    QAction *m_csvViewerAction = nullptr;
    QAction *m_aboutQuorinAction = nullptr;
    QAction *m_licenseAction = nullptr;
    QAction *m_disclaimerAction = nullptr;
    QAction *m_quorinFlashAction = nullptr;
    QAction *m_quorinStataAction = nullptr;
    QAction *m_viewOutputDoFileAction = nullptr;
    QAction *m_viewLastLogFileAction = nullptr;
    QAction *m_setStataExecutableAction = nullptr;
    QAction *m_setStataDatasetForComputationAction = nullptr;
    QAction *m_setOutputFileNameAction = nullptr;
    QAction *m_startStataAction = nullptr;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_editMenu = nullptr;

    TableWidget *m_tableWidget = nullptr;
    VariablesWidget *m_variablesWidget = nullptr;
    // The two toolbars stand in the top area on two rows, cell text first.
    CellTextToolBar *m_cellTextToolBar = nullptr;
    GenericToolBar *m_genericToolBar = nullptr;

    QString m_stataExecutableFileName;
    bool m_outputCsvFileAfterComputation = true;
    bool m_showStataMessage = true;
    DocumentModel *m_document = nullptr;
    QUndoStack *m_undoStack = nullptr;
    DocumentEditor *m_editor = nullptr;
    // Set by a change of the grid made outside the undo history (a row or
    // column resized), which only a save clears.
    bool m_changedOutsideHistory = false;
    QString m_currentFileName;
    QStringList m_recentFiles;
    QList<QAction *> m_recentFileActions;
    QAction *m_recentFilesSeparator = nullptr;
};
