#include "app/MainWindow.h"

#include "app/AboutQuorinDialog.h"
#include "app/DisclaimerDialog.h"
#include "app/LicenseDialog.h"
#include "app/MainWindowSettings.h"
#include "app/NewFileDialog.h"
#include "app/WindowPlacement.h"
#include "model/AtomicFile.h"
#include "model/DocumentModel.h"
#include "model/DocumentReader.h"
#include "model/DocumentWriter.h"
#include "model/StatisticImport.h"
#include "panel/VariablesWidget.h"
#include "stata/CsvViewWindow.h"
#include "stata/DoView.h"
#include "stata/LogViewWindow.h"
#include "stata/QuorinDialog.h"
#include "stata/SetOutputFileNameDialog.h"
#include "stata/SetStataDatasetForComputationDialog.h"
#include "stata/SetStataExecutableDialog.h"
#include "stata/StataDatasetReader.h"
#include "stata/StataRun.h"
#include "stata/StataRunController.h"
#include "table/CellTextToolBar.h"
#include "table/GenericToolBar.h"
#include "table/TableWidget.h"
#include "undo/DocumentEditor.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QUndoStack>

#include <algorithm>

MainWindow::MainWindow(QWidget *parent)
    : MainWindow(QStringList(), parent)
{}

MainWindow::MainWindow(const QStringList &arguments, QWidget *parent)
    : QMainWindow(parent)
    , m_document(new DocumentModel(this))
{
    createHistory();
    createForm();
    createTableWidget();
    createEditMenu();
    createVariablesPanel();
    connectVariablesPanel();
    connectFileEditAndHelpActions();
    createCellTextToolBar();
    createGenericToolBar();
    connectSelectionAnalysis();
    createRecentFileActions();
    connectDocumentChanges();
    readSettings();
    // Last, once everything it may touch or report on exists.
    openFromArguments(arguments);
}

// The children go after this window has ceased to be a MainWindow; what they
// report on the way out must not reach it.
MainWindow::~MainWindow()
{
    for (QObject *child :
         {static_cast<QObject *>(m_tableWidget), static_cast<QObject *>(m_variablesWidget),
          static_cast<QObject *>(m_genericToolBar), static_cast<QObject *>(m_document),
          static_cast<QObject *>(m_undoStack), static_cast<QObject *>(m_document->table())})
        child->disconnect(this);
}

StatisticCatalogue *MainWindow::statisticCatalogue()
{
    return m_document->mutableCatalogue();
}

AreaCollection *MainWindow::areas()
{
    return m_document->mutableAreas();
}

QString MainWindow::strippedName(const QString &fullFileName)
{
    return QFileInfo(fullFileName).fileName();
}

void MainWindow::createHistory()
{
    m_undoStack = new QUndoStack(this);
    m_editor = new DocumentEditor(m_document, m_undoStack, this);
}

void MainWindow::createForm()
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(tr("Quorin"));
    resize(600, 400);

    m_newFileAction = createAction(QStringLiteral("newFileAction"), tr("New..."),
                                   QStringLiteral("Ctrl+N"), QStringLiteral(":/icons/new.png"));
    m_openAction = createAction(QStringLiteral("openAction"), tr("Open..."),
                                QStringLiteral("Ctrl+O"), QStringLiteral(":/icons/open.png"));
    m_saveAction = createAction(QStringLiteral("saveAction"), tr("Save"), QStringLiteral("Ctrl+S"),
                                QStringLiteral(":/icons/save.png"));
    m_saveAsAction = createAction(QStringLiteral("saveAsAction"), tr("Save as..."));
    m_loadVariablesAction = createAction(QStringLiteral("loadVariablesAction"),
                                         tr("Load variables from Stata dataset..."));
    m_importStatisticsAction =
        createAction(QStringLiteral("importStatisticsAction"), tr("Import statistics..."));
    m_exitAction = createAction(QStringLiteral("exitAction"), tr("Exit"), QStringLiteral("Ctrl+Q"),
                                QStringLiteral(":/icons/exit.png"));
    m_clearAllAction = createAction(QStringLiteral("clearAllAction"), tr("Clear all"));
    m_viewVariableAction = createAction(QStringLiteral("viewVariableAction"), tr("Variables"),
                                        QStringLiteral("Alt+1"));
    m_cellTextBarViewAction = createAction(QStringLiteral("cellTextBarViewAction"),
                                           tr("Cell text bar"), QStringLiteral("Alt+2"));
    m_toolBarViewAction =
        createAction(QStringLiteral("toolBarViewAction"), tr("Toolbar"), QStringLiteral("Alt+3"));
    for (QAction *viewAction :
         {m_viewVariableAction, m_cellTextBarViewAction, m_toolBarViewAction}) {
        viewAction->setCheckable(true);
        viewAction->setChecked(true);
    }
    m_csvViewerAction = createAction(QStringLiteral("csvViewerAction"), tr("Csv viewer"));
    m_aboutQuorinAction = createAction(QStringLiteral("aboutQuorinAction"), tr("About Quorin..."),
                                       QString(), QStringLiteral(":/icons/info.png"));
    m_licenseAction = createAction(QStringLiteral("licenseAction"), tr("License"));
    m_disclaimerAction = createAction(QStringLiteral("disclaimerAction"), tr("Disclaimer"),
                                      QString(), QStringLiteral(":/icons/disclaimer.png"));
    m_quorinFlashAction = createAction(QStringLiteral("quorinFlashAction"), tr("Quorin!"),
                                       QString(), QStringLiteral(":/icons/flash.png"));
    m_quorinStataAction = createAction(QStringLiteral("QuorinStataAction"), tr("Quorin..."));
    m_viewOutputDoFileAction =
        createAction(QStringLiteral("viewOutputDoFileAction"), tr("View output do file"));
    m_viewLastLogFileAction =
        createAction(QStringLiteral("viewLastLogFileAction"), tr("View last log file"));
    m_setStataExecutableAction =
        createAction(QStringLiteral("setStataExecutableAction"), tr("Stata executable..."));
    m_setStataDatasetForComputationAction =
        createAction(QStringLiteral("setStataDatasetForComputationAction"),
                     tr("Stata dataset for computation..."));
    m_setOutputFileNameAction =
        createAction(QStringLiteral("setOutputFileNameAction"), tr("Output csv file name..."));
    m_startStataAction = createAction(QStringLiteral("startStataAction"), tr("Start Stata"),
                                      QString(), QStringLiteral(":/icons/stataicon.png"));

    createMenus();
}

void MainWindow::createTableWidget()
{
    m_tableWidget = new TableWidget(m_document);
    setCentralWidget(m_tableWidget);
    m_tableWidget->setEditor(m_editor);
}

QAction *MainWindow::createAction(const QString &objectName, const QString &text,
                                  const QString &shortcut, const QString &icon)
{
    QAction *action = new QAction(text, this);
    action->setObjectName(objectName);
    if (!shortcut.isEmpty())
        action->setShortcut(QKeySequence(shortcut));
    if (!icon.isEmpty())
        action->setIcon(QIcon(icon));
    return action;
}

void MainWindow::createMenus()
{
    menuBar()->setObjectName(QStringLiteral("menuBar"));

    m_fileMenu = menuBar()->addMenu(tr("File"));
    m_fileMenu->setObjectName(QStringLiteral("menuFile"));
    m_fileMenu->addActions({m_newFileAction, m_openAction, m_saveAction, m_saveAsAction});
    m_fileMenu->addSeparator();
    m_fileMenu->addActions({m_loadVariablesAction, m_importStatisticsAction});
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_exitAction);

    m_editMenu = menuBar()->addMenu(tr("Edit"));
    m_editMenu->setObjectName(QStringLiteral("menuEdit"));
    m_editMenu->addAction(m_clearAllAction);

    QMenu *stataMenu = menuBar()->addMenu(tr("Stata"));
    stataMenu->setObjectName(QStringLiteral("menuStata"));
    stataMenu->addActions({m_quorinFlashAction, m_quorinStataAction, m_viewOutputDoFileAction,
                           m_viewLastLogFileAction});
    stataMenu->addSeparator();
    stataMenu->addActions({m_setStataExecutableAction, m_setStataDatasetForComputationAction,
                           m_setOutputFileNameAction});
    stataMenu->addSeparator();
    stataMenu->addAction(m_startStataAction);

    QMenu *viewMenu = menuBar()->addMenu(tr("View"));
    viewMenu->setObjectName(QStringLiteral("menuView"));
    viewMenu->addActions(
        {m_viewVariableAction, m_cellTextBarViewAction, m_toolBarViewAction, m_csvViewerAction});

    QMenu *helpMenu = menuBar()->addMenu(tr("Help"));
    helpMenu->setObjectName(QStringLiteral("menuHelp"));
    helpMenu->addActions({m_aboutQuorinAction, m_licenseAction, m_disclaimerAction});
}

// Above Clear all: Undo and Redo, which name the step they take; the
// clipboard; the grid's row and column commands of its context menu, so that
// the keyboard reaches them through the menu bar.
void MainWindow::createEditMenu()
{
    QAction *undo = m_undoStack->createUndoAction(this, tr("Undo"));
    undo->setObjectName(QStringLiteral("undoAction"));
    undo->setShortcut(QKeySequence::Undo);
    QAction *redo = m_undoStack->createRedoAction(this, tr("Redo"));
    redo->setObjectName(QStringLiteral("redoAction"));
    redo->setShortcut(QKeySequence::Redo);
    m_editMenu->insertActions(m_clearAllAction, {undo, redo});
    m_editMenu->insertSeparator(m_clearAllAction);

    const struct
    {
        const char *name;
        QString text;
        QKeySequence::StandardKey key;
        void (TableWidget::*slot)();
    } clipboard[] = {{"cutAction", tr("Cut"), QKeySequence::Cut, &TableWidget::cut},
                     {"copyAction", tr("Copy"), QKeySequence::Copy, &TableWidget::copy},
                     {"pasteAction", tr("Paste"), QKeySequence::Paste, &TableWidget::paste}};
    for (const auto &entry : clipboard) {
        QAction *action = createAction(QString::fromLatin1(entry.name), entry.text);
        action->setShortcut(entry.key);
        connect(action, &QAction::triggered, m_tableWidget, entry.slot);
        m_editMenu->insertAction(m_clearAllAction, action);
    }
    m_editMenu->insertSeparator(m_clearAllAction);

    for (const char *name : {"insertRowsMenu", "insertColumnsMenu"}) {
        if (auto *menu = m_tableWidget->findChild<QMenu *>(QString::fromLatin1(name)))
            m_editMenu->insertMenu(m_clearAllAction, menu);
    }
    for (const char *name : {"removeRowsAction", "removeColumnsAction"}) {
        if (auto *action = m_tableWidget->findChild<QAction *>(QString::fromLatin1(name)))
            m_editMenu->insertAction(m_clearAllAction, action);
    }
    m_editMenu->insertSeparator(m_clearAllAction);
}

void MainWindow::createVariablesPanel()
{
    m_variablesWidget = new VariablesWidget(m_document, this);
    m_variablesWidget->setEditor(m_editor);
    addDockWidget(Qt::LeftDockWidgetArea, m_variablesWidget);
    m_variablesWidget->setVisible(true);
}

// Removing a statistic from the catalogue empties the cells that used it.
// "Variables" in the View menu follows the panel both ways, also when the
// panel is closed with its own button.
void MainWindow::connectVariablesPanel()
{
    connect(m_viewVariableAction, &QAction::triggered, m_variablesWidget,
            &VariablesWidget::setVisible);
    connect(m_variablesWidget, &VariablesWidget::visibilityChanged, m_viewVariableAction,
            &QAction::setChecked);
}

void MainWindow::connectFileEditAndHelpActions()
{
    connect(m_newFileAction, &QAction::triggered, this, &MainWindow::newFile);
    connect(m_openAction, &QAction::triggered, this, &MainWindow::open);
    connect(m_saveAction, &QAction::triggered, this, &MainWindow::save);
    connect(m_saveAsAction, &QAction::triggered, this, &MainWindow::saveAs);
    connect(m_loadVariablesAction, &QAction::triggered, this, &MainWindow::loadVariables);
    connect(m_importStatisticsAction, &QAction::triggered, this, &MainWindow::importStatistics);
    connect(m_exitAction, &QAction::triggered, this, &MainWindow::exitApplication);
    connect(m_clearAllAction, &QAction::triggered, this, &MainWindow::confirmClear);
    connect(m_licenseAction, &QAction::triggered, this, &MainWindow::onLicenseClicked);
    connect(m_disclaimerAction, &QAction::triggered, this, &MainWindow::onDisclaimerClicked);
    connect(m_quorinFlashAction, &QAction::triggered, this, &MainWindow::onQuorinFlash);
    connect(m_viewLastLogFileAction, &QAction::triggered, this, &MainWindow::viewLastLogFile);
    connect(m_setOutputFileNameAction, &QAction::triggered, this, &MainWindow::setOutputFileName);
    connect(m_csvViewerAction, &QAction::triggered, this, &MainWindow::openCsvViewer);
    connect(m_startStataAction, &QAction::triggered, this, &MainWindow::startStata);
    connect(m_setStataExecutableAction, &QAction::triggered, this, &MainWindow::setStataExecutable);
    connect(m_setStataDatasetForComputationAction, &QAction::triggered, this,
            &MainWindow::setStataDatasetForComputation);
    connect(m_quorinStataAction, &QAction::triggered, this, &MainWindow::runWithSettings);
    connect(m_viewOutputDoFileAction, &QAction::triggered, this, &MainWindow::viewOutputDoFile);
    connect(m_aboutQuorinAction, &QAction::triggered, this, &MainWindow::showAboutQuorin);
}

void MainWindow::createCellTextToolBar()
{
    m_cellTextToolBar = new CellTextToolBar;
    addToolBar(Qt::TopToolBarArea, m_cellTextToolBar);
    connect(m_cellTextBarViewAction, &QAction::triggered, m_cellTextToolBar,
            &CellTextToolBar::setVisible);
    addToolBarBreak(Qt::TopToolBarArea);
}

void MainWindow::createGenericToolBar()
{
    m_genericToolBar = new GenericToolBar(m_tableWidget, m_document);
    connect(m_genericToolBar, &GenericToolBar::quorinFlashToolButtonClicked, this,
            &MainWindow::onQuorinFlash);
    connect(m_genericToolBar, &GenericToolBar::startStataToolButtonClicked, this,
            &MainWindow::startStata);
    addToolBar(Qt::TopToolBarArea, m_genericToolBar);
    connect(m_toolBarViewAction, &QAction::triggered, m_genericToolBar,
            &GenericToolBar::setVisible);
    connect(m_genericToolBar, &GenericToolBar::formatStringChanged, m_tableWidget,
            &TableWidget::setFormatInSelectedStatisticsCells);
    // The toolbar keeps its own list of the areas, which an undone step
    // may have changed.
    connect(m_editor, &DocumentEditor::stepReplayed, m_genericToolBar,
            [this] { m_genericToolBar->refreshAreaBox(m_document->areas()); });
}

// The grid only tells what the selection holds; the toolbars show it. A
// selection of nothing resets both toolbars, in this order.
void MainWindow::connectSelectionAnalysis()
{
    TableWidget *table = m_tableWidget;
    GenericToolBar *generic = m_genericToolBar;
    CellTextToolBar *cellText = m_cellTextToolBar;
    connect(table, &TableWidget::allCellsWithSameStatisticSelected, generic,
            &GenericToolBar::setCurrentResult);
    connect(table, &TableWidget::notAllCellsWithSameStatisticSelected, generic,
            &GenericToolBar::setCurrentResultVoid);
    connect(table, &TableWidget::nothingSelected, generic, &GenericToolBar::setCurrentResultVoid);
    connect(table, &TableWidget::cellsWithSameFormatSelected, generic,
            &GenericToolBar::setCurrentFormat);
    connect(table, &TableWidget::cellsWithDifferentFormatSelected, generic,
            &GenericToolBar::setCurrentFormatVoid);
    connect(table, &TableWidget::allNotStatisticCellsSelected, generic,
            &GenericToolBar::setCurrentFormatVoidAndDisabled);
    connect(table, &TableWidget::nothingSelected, generic,
            &GenericToolBar::setCurrentFormatVoidAndDisabled);
    connect(table, &TableWidget::allCellsWithSameAndNotVoidAreaSelected, generic,
            &GenericToolBar::setCurrentArea);
    connect(table, &TableWidget::cellsWithDifferentOrVoidAreaSelected, generic,
            &GenericToolBar::setCurrentAreaVoid);
    connect(table, &TableWidget::nothingSelected, generic, &GenericToolBar::setCurrentAreaVoid);
    connect(table, &TableWidget::singleCellWithStatisticSelected, cellText,
            &CellTextToolBar::setCellBarStatisticText);
    connect(table, &TableWidget::singleCellWithConditionSelected, cellText,
            &CellTextToolBar::setCellBarConditionText);
    connect(table, &TableWidget::singleCellWithSimpleTextSelected, cellText,
            &CellTextToolBar::setCellBarSimpleText);
    connect(table, &TableWidget::notSingleCellWithStatisticOrConditionSelected, cellText,
            &CellTextToolBar::setCellBarTextVoid);
    connect(table, &TableWidget::nothingSelected, cellText, &CellTextToolBar::setCellBarTextVoid);
    connect(generic->areaComboBox(), &QComboBox::textActivated, table, &TableWidget::selectArea);
}

void MainWindow::createRecentFileActions()
{
    m_recentFilesSeparator = m_fileMenu->addSeparator();
    m_recentFilesSeparator->setObjectName(QStringLiteral("recentFilesSeparator"));
    for (int i = 0; i < maximumRecentFiles; ++i) {
        QAction *action = new QAction(this);
        action->setObjectName(QStringLiteral("recentFileAction%1").arg(i));
        action->setVisible(false);
        connect(action, &QAction::triggered, this, &MainWindow::openRecentFile);
        m_recentFileActions.append(action);
        m_fileMenu->addAction(action);
    }
}

// Every change of what a document file keeps marks the window modified; New,
// Open and Save clear the mark.
void MainWindow::connectDocumentChanges()
{
    connect(m_undoStack, &QUndoStack::indexChanged, this, &MainWindow::updateModifiedMark);
    connect(m_undoStack, &QUndoStack::cleanChanged, this, &MainWindow::updateModifiedMark);
    connect(m_document->table(), &CellTableModel::contentChanged, this, [this] {
        if (m_editor->isMakingStep())
            return;
        m_changedOutsideHistory = true;
        updateModifiedMark();
    });
}

// Called once for every cell of a large change, so it does nothing once the
// mark is set. A document without a file gets its "Untitled" title, which
// has a place for the mark.
void MainWindow::updateModifiedMark()
{
    const bool modified = m_changedOutsideHistory || m_editor->differsFromClean();
    if (modified == isWindowModified())
        return;
    if (modified && m_currentFileName.isEmpty())
        showTitle();
    setWindowModified(modified);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    writeSettings();
    event->accept();
}

void MainWindow::confirmClear()
{
    const QMessageBox::StandardButton answer =
        QMessageBox::warning(this, tr("Quorin"), tr("Are you sure you want to clear the quorin?"),
                             QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        m_tableWidget->clear();
}

void MainWindow::loadVariables()
{
    const QString fileName = QFileDialog::getOpenFileName(
        this, tr("Load variables from dataset"), QStringLiteral("."), tr("Stata Data (*.dta)"));
    if (!fileName.isEmpty())
        loadVariablesFromDataset(fileName);
}

void MainWindow::loadVariablesFromDataset(const QString &fileName)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QList<Variable> variables;
    const StataDatasetReader::Result result = readStataDataset(variables, fileName);
    if (result == StataDatasetReader::Success)
        m_editor->record(tr("Import variables"), [&] { m_document->setVariables(variables); });
    QApplication::restoreOverrideCursor();
    if (result != StataDatasetReader::Success) {
        QMessageBox box(QMessageBox::Warning, QString(), StataDatasetReader::message(result),
                        QMessageBox::Ok);
        box.exec();
    }
}

// Started as "quorin table.xml", Quorin opens that document; started as
// "quorin dataset.dta", with that dataset's variables. Paths written the
// Windows way arrive with forward slashes.
void MainWindow::openFromArguments(const QStringList &arguments)
{
    if (arguments.size() != 2)
        return;
    QString fileName = arguments.at(1);
    fileName.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (fileName.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive))
        readDocument(fileName);
    else
        loadVariablesFromDataset(fileName);
}

// Adds the statistics of another document to this one's; the names this one
// has already keep their definitions, and the closing message lists them.
void MainWindow::importStatistics()
{
    const QString fileName = QFileDialog::getOpenFileName(
        this, tr("Import statistics"), QStringLiteral("."), tr("Quorin files (*.xml)"));
    if (fileName.isEmpty())
        return;
    DocumentReader reader;
    if (!reader.readFile(fileName)) {
        QMessageBox::warning(this, tr("Quorin"), reader.errorString());
        return;
    }
    QList<Command> current;
    for (const QString &name : m_document->statisticNames())
        current.append(m_document->catalogue().value(name));
    const StatisticImport imported = StatisticImport::merge(current, reader.document().commands);
    if (!imported.addedNames().isEmpty())
        m_editor->record(tr("Import statistics"),
                         [this, &imported] { m_document->setStatistics(imported.commands()); });
    QMessageBox::information(this, tr("Quorin"), imported.report());
}

// The main window goes first, as it may ask to save the document; only when
// the user did not cancel there do the viewers and a floating panel close,
// so they stay open with the document and the settings keep the panel as
// it was.
void MainWindow::exitApplication()
{
    if (close())
        QApplication::closeAllWindows();
}

// ---- Document commands ----

// True when the command that asked may go on: nothing unsaved, the user saved
// it, or the user chose to discard it.
bool MainWindow::maybeSave()
{
    if (!isWindowModified())
        return true;
    QMessageBox box(QMessageBox::Warning, tr("Quorin"),
                    tr("The document has been modified.\nDo you want to save your changes?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return save();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

// The areas and the grid's dataset and output file names stay as they were.
void MainWindow::newFile()
{
    if (!maybeSave())
        return;
    NewFileDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int rows = dialog.numberOfRows();
    const int columns = dialog.numberOfColumns();
    m_tableWidget->clearSelection();
    if (!m_document->newDocument(rows, columns)) {
        QMessageBox::warning(this, tr("Quorin"), TableWidget::tooLargeMessage(rows, columns));
        return;
    }
    m_editor->clearHistory();
    setCurrentFile(QString());
}

void MainWindow::open()
{
    if (!maybeSave())
        return;
    const QString fileName = QFileDialog::getOpenFileName(
        this, tr("Open Quorin file"), QStringLiteral("."), tr("Quorin files (*.xml)"));
    if (!fileName.isEmpty())
        readDocument(fileName);
}

bool MainWindow::save()
{
    if (m_currentFileName.isEmpty())
        return saveAs();
    return saveFile(m_currentFileName);
}

bool MainWindow::saveAs()
{
    const QString fileName = QFileDialog::getSaveFileName(
        this, tr("Save Quorin file"), QStringLiteral("."), tr("Quorin files (*.xml)"));
    if (fileName.isEmpty())
        return false;
    return saveFile(fileName);
}

// A document that could not be written stays modified, under its old name.
bool MainWindow::saveFile(const QString &fileName)
{
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = writeDocument(fileName, &error);
    QApplication::restoreOverrideCursor();
    if (!written) {
        QMessageBox::warning(
            this, tr("Quorin"),
            tr("Cannot write file %1:\n%2.").arg(QDir::toNativeSeparators(fileName), error));
        return false;
    }
    setCurrentFile(fileName);
    return true;
}

bool MainWindow::writeDocument(const QString &fileName, QString *error)
{
    return AtomicFile::write(fileName, DocumentWriter::toXml(m_document->toDocument()), error);
}

// The file is read whole before anything changes, so a refused file leaves
// the document, the current file and the recent files as they were.
bool MainWindow::readDocument(const QString &fileName)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DocumentReader reader;
    const bool loaded = reader.readFile(fileName) && m_document->setDocument(reader.document());
    if (loaded) {
        m_genericToolBar->refreshAreaBox(m_document->areas());
        if (m_tableWidget->rowCount() > 0 && m_tableWidget->columnCount() > 0)
            m_tableWidget->setCurrentCell(0, 0);
    }
    QApplication::restoreOverrideCursor();
    if (!loaded) {
        const QString message = reader.errorString();
        QMessageBox::warning(this, tr("Quorin"),
                             message.isEmpty() ? tr("Failed to load file.") : message);
        return false;
    }
    m_editor->clearHistory();
    setCurrentFile(fileName);
    return true;
}

// Paths are kept absolute, so that the recent files and Save still find the
// file after the working directory changed.
void MainWindow::setCurrentFile(const QString &fileName)
{
    m_currentFileName = fileName.isEmpty() ? QString() : QFileInfo(fileName).absoluteFilePath();
    m_undoStack->setClean();
    m_changedOutsideHistory = false;
    setWindowModified(false);
    if (!m_currentFileName.isEmpty()) {
        m_recentFiles.removeAll(m_currentFileName);
        m_recentFiles.prepend(m_currentFileName);
        updateRecentFileActions();
    }
    showTitle();
}

void MainWindow::showTitle()
{
    const QString shownName =
        m_currentFileName.isEmpty() ? tr("Untitled") : strippedName(m_currentFileName);
    setWindowTitle(tr("%1[*] - Quorin").arg(shownName));
}

// Files that vanished leave the list itself, so they are not saved either.
void MainWindow::updateRecentFileActions()
{
    m_recentFiles.erase(std::remove_if(m_recentFiles.begin(), m_recentFiles.end(),
                                       [](const QString &path) { return !QFile::exists(path); }),
                        m_recentFiles.end());
    for (int i = 0; i < m_recentFileActions.size(); ++i) {
        QAction *action = m_recentFileActions.at(i);
        if (i < m_recentFiles.size()) {
            const QString &path = m_recentFiles.at(i);
            // A "&" in a file name is shown, not taken as a shortcut mark.
            QString name = strippedName(path);
            name.replace(QLatin1Char('&'), QLatin1String("&&"));
            action->setText(tr("&%1 %2").arg(QString::number(i + 1), name));
            action->setData(path);
            action->setVisible(true);
        } else {
            action->setVisible(false);
        }
    }
    m_recentFilesSeparator->setVisible(!m_recentFiles.isEmpty());
}

void MainWindow::viewLastLogFile()
{
    (new LogViewWindow(StataRun::logFileName(), this))->show();
}

void MainWindow::setOutputFileName()
{
    SetOutputFileNameDialog dialog(m_document->outputFileName(), this);
    if (dialog.exec() == QDialog::Accepted)
        m_document->setOutputFileName(dialog.outputFileName());
}

void MainWindow::openCsvViewer()
{
    (new CsvViewWindow(this, QString()))->show();
}

void MainWindow::startStata()
{
    if (m_stataExecutableFileName.isEmpty() && !askForStataExecutable())
        return;
    // The path is the program's name as a whole: paths such as
    // "C:/Program Files/Stata12/StataSE.exe" hold blanks.
    QProcess stata;
    stata.setProgram(m_stataExecutableFileName);
    stata.setWorkingDirectory(QDir::currentPath());
    if (!stata.startDetached()) {
        QMessageBox::warning(
            this, tr("Quorin"),
            tr("Stata could not be started (%1): %2")
                .arg(QDir::toNativeSeparators(m_stataExecutableFileName), stata.errorString()));
    }
}

bool MainWindow::askForStataExecutable()
{
    QMessageBox box(this);
    box.setWindowTitle(tr("Quorin"));
    box.setText(tr("No Stata executable file name was set."));
    box.setInformativeText(tr("Do you want to set it and then start Stata?"));
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Ok);
    if (box.exec() != QMessageBox::Ok)
        return false;
    SetStataExecutableDialog dialog(QString(), this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_stataExecutableFileName = dialog.stataExecutableFileName();
    return !m_stataExecutableFileName.isEmpty();
}

bool MainWindow::deleteCheckFile()
{
    QFile checkFile(StataRun::checkFileName());
    return !checkFile.exists() || checkFile.remove();
}

bool MainWindow::checkFileExists() const
{
    return QFile::exists(StataRun::checkFileName());
}

void MainWindow::showStataError(const QString &details)
{
    QMessageBox box;
    box.setIcon(QMessageBox::Warning);
    box.setText(tr("Error executing Stata do file."));
    box.setInformativeText(
        tr("It's possible the output csv file was created, but it's wrong.\nLast Stata log file "
           "saved on disk may not be that of the last computation.\nDo you want to view last "
           "Stata log file?"));
    box.setDetailedText(details);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    if (box.exec() == QMessageBox::Yes)
        (new LogViewWindow(StataRun::logFileName(), this))->show();
}

void MainWindow::setStataExecutable()
{
    SetStataExecutableDialog dialog(m_stataExecutableFileName, this);
    if (dialog.exec() == QDialog::Accepted)
        m_stataExecutableFileName = dialog.stataExecutableFileName();
}

void MainWindow::setStataDatasetForComputation()
{
    SetStataDatasetForComputationDialog dialog(m_document->stataDatasetFileName(), this);
    if (dialog.exec() == QDialog::Accepted)
        m_document->setStataDatasetFileName(dialog.stataDatasetFileName());
}

void MainWindow::runWithSettings()
{
    QuorinDialog dialog(m_stataExecutableFileName, m_document->stataDatasetFileName(),
                        m_document->outputFileName(), m_outputCsvFileAfterComputation,
                        m_showStataMessage, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_stataExecutableFileName = dialog.stataExecutableFileName();
    m_editor->record(tr("Set dataset and output file"), [&] {
        m_document->setOutputFileName(dialog.outputFileName());
        m_document->setStataDatasetFileName(dialog.stataDatasetFileName());
    });
    m_outputCsvFileAfterComputation = dialog.viewOutputCsvFileAfterComputation();
    m_showStataMessage = dialog.showStataMessage();
    runTable(m_showStataMessage, m_outputCsvFileAfterComputation);
}

// One run of the table: the check file goes first, so that only this run's
// Stata can create it; the output is shown only when it does.
void MainWindow::runTable(bool showStataMessage, bool viewOutput)
{
    if (!deleteCheckFile()) {
        QMessageBox::warning(this, tr("Quorin"),
                             tr("Cannot remove the check file %1 left by an earlier run.\n"
                                "Remove it, then run again.")
                                 .arg(StataRun::checkFileName()));
        return;
    }
    const StataRun::Result result =
        StataRunController::run(*m_document, m_stataExecutableFileName, showStataMessage, this);
    switch (result.outcome) {
    case StataRun::Outcome::Cancelled:
        deleteCheckFile();
        return;
    case StataRun::Outcome::DoFileNotWritten:
        QMessageBox::warning(
            this, tr("Quorin"),
            tr("Cannot write file %1:\n%2.").arg(StataRun::doFileName(), result.details));
        return;
    case StataRun::Outcome::Ended:
    case StataRun::Outcome::NotStarted:
        break;
    }
    if (!checkFileExists()) {
        showStataError(result.details);
        return;
    }
    deleteCheckFile();
    if (viewOutput) {
        auto *viewer = new CsvViewWindow(this, m_document->outputFileName());
        viewer->setRunDocument(m_document->toDocument());
        viewer->show();
    }
}

// Each use opens another viewer on the grid as it is now; closing one only
// hides it, and the main window frees them all with itself.
void MainWindow::viewOutputDoFile()
{
    auto *view = new DoView(StataRunController::doFileModel(*m_document), QString(), this);
    view->show();
}

void MainWindow::showAboutQuorin()
{
    AboutQuorinDialog dialog(this);
    dialog.exec();
}

void MainWindow::openRecentFile()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action || !m_recentFileActions.contains(action))
        return;
    if (!maybeSave())
        return;
    readDocument(action->data().toString());
}

// ---- Settings ----

void MainWindow::readSettings()
{
    QSettings settings(MainWindowSettings::fileName(), QSettings::IniFormat);
    const MainWindowSettings stored = MainWindowSettings::read(settings);

    m_recentFiles = stored.recentFiles;
    m_stataExecutableFileName = stored.stataExecutableFileName;
    updateRecentFileActions();

    placeWindow(stored);
    placeVariablesPanel(stored);
    m_variablesWidget->setVisible(stored.panelVisible);
    m_viewVariableAction->setChecked(stored.panelVisible);

    m_cellTextToolBar->setVisible(stored.cellTextToolBarVisible);
    m_cellTextBarViewAction->setChecked(stored.cellTextToolBarVisible);
    m_toolBarViewAction->setChecked(stored.genericToolBarVisible);
    m_genericToolBar->readSettings(settings);

    m_outputCsvFileAfterComputation = stored.outputCsvFileAfterComputation;
    m_showStataMessage = stored.showStataMessage;
}

// A first start (no saved size) takes most of the primary screen; a saved
// place that is on no screen any more moves onto the primary one. The place
// is also where a maximized window returns to.
void MainWindow::placeWindow(const MainWindowSettings &stored)
{
    const QRect place =
        stored.size.isValid()
            ? WindowPlacement::ontoCurrentScreens(QRect(stored.position, stored.size))
            : WindowPlacement::firstStartOnPrimaryScreen();
    if (!place.isEmpty()) {
        move(place.topLeft());
        resize(place.size());
    }
    // Marked rather than shown: the program shows the window when it is built.
    if (stored.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::placeVariablesPanel(const MainWindowSettings &stored)
{
    switch (stored.panelPlace) {
    case MainWindowSettings::PanelPlace::Left:
        m_variablesWidget->setFloating(false);
        addDockWidget(Qt::LeftDockWidgetArea, m_variablesWidget);
        break;
    case MainWindowSettings::PanelPlace::Right:
        m_variablesWidget->setFloating(false);
        addDockWidget(Qt::RightDockWidgetArea, m_variablesWidget);
        break;
    case MainWindowSettings::PanelPlace::Floating:
        m_variablesWidget->setFloating(true);
        m_variablesWidget->move(stored.panelPosition);
        if (stored.panelSize.isValid())
            m_variablesWidget->resize(stored.panelSize);
        break;
    case MainWindowSettings::PanelPlace::Unchanged:
        break;
    }
}

void MainWindow::writeSettings()
{
    MainWindowSettings current;
    current.recentFiles = m_recentFiles;
    current.stataExecutableFileName = m_stataExecutableFileName;
    current.maximized = isMaximized();
    current.position = pos();
    current.size = size();

    if (m_variablesWidget->isFloating()) {
        current.panelPlace = MainWindowSettings::PanelPlace::Floating;
        current.panelPosition = m_variablesWidget->pos();
        current.panelSize = m_variablesWidget->size();
    } else if (dockWidgetArea(m_variablesWidget) == Qt::RightDockWidgetArea) {
        current.panelPlace = MainWindowSettings::PanelPlace::Right;
    } else if (dockWidgetArea(m_variablesWidget) == Qt::LeftDockWidgetArea) {
        current.panelPlace = MainWindowSettings::PanelPlace::Left;
    } else {
        current.panelPlace = MainWindowSettings::PanelPlace::Unchanged;
    }
    current.panelVisible = !m_variablesWidget->isHidden();

    current.cellTextToolBarVisible = !m_cellTextToolBar->isHidden();
    current.outputCsvFileAfterComputation = m_outputCsvFileAfterComputation;
    current.showStataMessage = m_showStataMessage;

    QSettings settings(MainWindowSettings::fileName(), QSettings::IniFormat);
    current.write(settings);
    m_genericToolBar->writeSettings(settings);
}

void MainWindow::onQuorinFlash()
{
    if (m_stataExecutableFileName.isEmpty() || m_document->stataDatasetFileName().isEmpty() ||
        m_document->outputFileName().isEmpty()) {
        runWithSettings();
        return;
    }
    // The quick run always ends silently and always shows its table.
    runTable(false, true);
}

void MainWindow::onDisclaimerClicked()
{
    DisclaimerDialog dialog(this);
    dialog.exec();
}

void MainWindow::onLicenseClicked()
{
    LicenseDialog dialog(this);
    dialog.exec();
}
