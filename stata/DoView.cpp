#include "stata/DoView.h"

#include "model/AtomicFile.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QWidget>

DoView::DoView(const DoFileModel &model, const QString &outputFileName, QWidget *parent)
    : QMainWindow(parent)
    , m_model(model)
    , m_outputFileName(outputFileName)
{
    // A separate top-level window even with a parent; closing only hides it.
    setWindowFlag(Qt::Window);
    createForm();
    createMenus();
    QMetaObject::connectSlotsByName(this);
    refresh();
}

void DoView::createForm()
{
    setWindowTitle(tr("View output do file"));
    resize(800, 600);
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralwidget"));
    auto *layout = new QVBoxLayout(central);
    layout->setObjectName(QStringLiteral("verticalLayout"));
    m_textEdit = new QPlainTextEdit(central);
    m_textEdit->setObjectName(QStringLiteral("textEdit"));
    m_textEdit->setReadOnly(true);
    m_textEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_textEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(m_textEdit);
    setCentralWidget(central);
}

void DoView::createMenus()
{
    menuBar()->setObjectName(QStringLiteral("menubar"));

    QMenu *fileMenu = menuBar()->addMenu(tr("File"));
    fileMenu->setObjectName(QStringLiteral("fileMenu"));
    m_saveAsAction = fileMenu->addAction(tr("Save as..."));
    m_saveAsAction->setObjectName(QStringLiteral("saveAsAction"));

    QMenu *viewMenu = menuBar()->addMenu(tr("View commands"));
    viewMenu->setObjectName(QStringLiteral("viewCommandsMenu"));
    m_mainViewCommandsAction = viewMenu->addAction(tr("Main"));
    m_mainViewCommandsAction->setObjectName(QStringLiteral("mainViewCommandsAction"));
    m_mainViewCommandsAction->setCheckable(true);
    m_mainViewCommandsAction->setChecked(true);
    m_macroViewCommandsAction = viewMenu->addAction(tr("Macro"));
    m_macroViewCommandsAction->setObjectName(QStringLiteral("macroViewCommandsAction"));
    m_macroViewCommandsAction->setCheckable(true);
    m_macroViewCommandsAction->setChecked(true);
    viewMenu->addSeparator();
    m_noExportViewCommandsAction = viewMenu->addAction(tr("No Export"));
    m_noExportViewCommandsAction->setObjectName(QStringLiteral("noExportViewCommandsAction"));
    m_noExportViewCommandsAction->setCheckable(true);
    m_noExportViewCommandsAction->setChecked(false);

    connect(m_mainViewCommandsAction, &QAction::triggered, this, &DoView::setMainCommandsVisible);
    connect(m_macroViewCommandsAction, &QAction::triggered, this, &DoView::setMacroCommandsVisible);
    connect(m_noExportViewCommandsAction, &QAction::triggered, this,
            &DoView::onExportCommandsViewChecked);
}

void DoView::setMainCommandsVisible(bool visible)
{
    m_showMain = visible;
    refresh();
}

void DoView::setMacroCommandsVisible(bool visible)
{
    m_showMacro = visible;
    refresh();
}

void DoView::onExportCommandsViewChecked()
{
    refresh();
}

void DoView::refresh()
{
    m_textEdit->setPlainText(m_model.toString(m_showMain, m_showMacro, m_outputFileName));
}

void DoView::on_saveAsAction_triggered()
{
    const QString fileName =
        QFileDialog::getSaveFileName(this, tr("Save do file"), QStringLiteral("."),
                                     tr("Do files (*.do);;Text Documents (*.txt)"));
    if (fileName.isEmpty())
        return;
    QString error;
    if (!writeShownText(fileName, &error)) {
        QMessageBox::warning(
            this, tr("Quorin"),
            tr("Cannot write file %1:\n%2.").arg(QDir::toNativeSeparators(fileName), error));
    }
}

// The model's own text rather than the editor's, whose plain text turns
// no-break spaces into blanks.
bool DoView::writeShownText(const QString &fileName, QString *error) const
{
    return AtomicFile::writeText(
        fileName, m_model.toString(m_showMain, m_showMacro, m_outputFileName), error);
}
