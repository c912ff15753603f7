#include "stata/CsvViewWindow.h"

#include "model/Document.h"
#include "stata/CsvTable.h"
#include "stata/ExportTable.h"
#include "stata/TableExporter.h"
#include "stata/ViewerGeometry.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

namespace {

const QString settingsGroup = QStringLiteral("csvView");

} // namespace

CsvViewWindow::CsvViewWindow(QWidget *parent, const QString &fileName)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("CsvViewWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Csv viewer"));
    resize(800, 600);
    createMenus();
    m_exportAction->setEnabled(false);
    m_copyAction->setEnabled(false);
    m_allowEditingAction->setEnabled(false);
    QMetaObject::connectSlotsByName(this);
    connect(m_exitAction, &QAction::triggered, this, &CsvViewWindow::close);

    ViewerGeometry::restore(this, settingsGroup, QSize(400, 400));
    if (!fileName.isEmpty())
        loadFile(fileName);
}

QAction *CsvViewWindow::createAction(const QString &objectName, const QString &text,
                                     const QString &shortcut)
{
    auto *action = new QAction(text, this);
    action->setObjectName(objectName);
    action->setShortcut(QKeySequence(shortcut));
    return action;
}

void CsvViewWindow::createMenus()
{
    menuBar()->setObjectName(QStringLiteral("menubar"));
    m_openAction = createAction(QStringLiteral("openAction"), tr("Open..."), tr("Ctrl+O"));
    m_exportAction = createAction(QStringLiteral("exportAction"), tr("Export..."), QString());
    m_exportAction->setShortcut(QKeySequence::SaveAs);
    m_exitAction = createAction(QStringLiteral("exitAction"), tr("Exit"), tr("Ctrl+Q"));
    m_copyAction = createAction(QStringLiteral("copyAction"), tr("Copy"), tr("Ctrl+C"));
    m_allowEditingAction =
        createAction(QStringLiteral("allowEditingAction"), tr("Allow editing"), tr("Ctrl+A"));
    m_allowEditingAction->setCheckable(true);

    QMenu *fileMenu = menuBar()->addMenu(tr("File"));
    fileMenu->setObjectName(QStringLiteral("menuFile"));
    fileMenu->addAction(m_openAction);
    fileMenu->addAction(m_exportAction);
    fileMenu->addSeparator();
    fileMenu->addAction(m_exitAction);

    QMenu *editMenu = menuBar()->addMenu(tr("Edit"));
    editMenu->setObjectName(QStringLiteral("menuEdit"));
    editMenu->addAction(m_copyAction);
    editMenu->addSeparator();
    editMenu->addAction(m_allowEditingAction);
}

void CsvViewWindow::setRunDocument(const Document &document)
{
    m_runDocument = std::make_shared<const Document>(document);
}

bool CsvViewWindow::loadFile(const QString &fileName)
{
    auto *table = new CsvTable(0, 0, this);
    if (!table->loadFile(fileName)) {
        QMessageBox::warning(this, tr("Quorin"),
                             tr("Cannot read file %1:\n%2.")
                                 .arg(QDir::toNativeSeparators(fileName), table->errorString()));
        if (m_table)
            delete table;
        else
            showTable(table);
        return false;
    }
    showTable(table);
    m_runDocument.reset();
    m_exportAction->setEnabled(true);
    m_copyAction->setEnabled(true);
    m_allowEditingAction->setEnabled(true);
    // A new grid starts read-only; the check mark must say so.
    m_allowEditingAction->setChecked(false);
    return true;
}

void CsvViewWindow::showTable(CsvTable *table)
{
    table->setObjectName(QStringLiteral("csvTable"));
    table->addAction(m_copyAction);
    table->setContextMenuPolicy(Qt::ActionsContextMenu);
    setCentralWidget(table); // deletes the grid shown before
    m_table = table;
}

void CsvViewWindow::closeEvent(QCloseEvent *event)
{
    ViewerGeometry::save(this, settingsGroup);
    event->accept();
}

void CsvViewWindow::on_openAction_triggered()
{
    const QString fileName = QFileDialog::getOpenFileName(
        this, tr("Open csv file"), QStringLiteral("."), tr("Comma Separated Values (*.csv)"));
    if (!fileName.isEmpty())
        loadFile(fileName);
}

void CsvViewWindow::on_allowEditingAction_toggled(bool checked)
{
    if (m_table)
        m_table->setEditable(checked);
}

void CsvViewWindow::on_copyAction_triggered()
{
    if (m_table)
        m_table->copySelection();
}

// Exports the grid as it is shown, edits included. A name without one of
// the formats' suffixes gets the one of the chosen filter.
void CsvViewWindow::on_exportAction_triggered()
{
    if (!m_table)
        return;
    const QStringList filters = TableExporter::fileDialogFilters();
    QString filter = filters.first();
    QString fileName = QFileDialog::getSaveFileName(this, tr("Export table"), QStringLiteral("."),
                                                    filters.join(QStringLiteral(";;")), &filter);
    if (fileName.isEmpty())
        return;
    if (TableExporter::formatOf(fileName) == TableExporter::Format::Unknown)
        fileName += TableExporter::suffixOfFilter(filter);
    QString error;
    const ExportTable table =
        m_runDocument ? ExportTable::fromOutput(m_table->texts(), *m_runDocument)
                      : ExportTable::fromTexts(m_table->texts(), m_table->columnWidths());
    if (!TableExporter::write(fileName, table, &error)) {
        QMessageBox::warning(
            this, tr("Quorin"),
            tr("Cannot write file %1:\n%2.").arg(QDir::toNativeSeparators(fileName), error));
    }
}
