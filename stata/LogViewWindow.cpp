#include "stata/LogViewWindow.h"

#include "model/AtomicFile.h"
#include "stata/ViewerGeometry.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextStream>
#include <QVBoxLayout>

namespace {

const QString settingsGroup = QStringLiteral("logView");

// Shows the wait cursor for the lifetime of the object.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

LogViewWindow::LogViewWindow(const QString &fileName, QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("LogViewWindow"));
    // Each opening makes a new window; deleting it on close keeps hidden
    // copies of old logs from piling up for the rest of the session.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("View last log file"));
    resize(800, 600);
    createForm();
    ViewerGeometry::restore(this, settingsGroup, QSize(700, 300));
    loadFile(fileName);
    connect(m_saveAsAction, &QAction::triggered, this, &LogViewWindow::onSaveAsActionTriggered);
    connect(m_exitAction, &QAction::triggered, this, &LogViewWindow::close);
}

void LogViewWindow::createForm()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralwidget"));
    auto *layout = new QVBoxLayout(central);
    layout->setObjectName(QStringLiteral("verticalLayout"));
    m_textEdit = new QPlainTextEdit(central);
    m_textEdit->setObjectName(QStringLiteral("textEdit"));
    m_textEdit->setReadOnly(true);
    // Stata lays out its output in columns.
    m_textEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_textEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(m_textEdit);
    setCentralWidget(central);

    menuBar()->setObjectName(QStringLiteral("menubar"));
    QMenu *fileMenu = menuBar()->addMenu(tr("File"));
    fileMenu->setObjectName(QStringLiteral("menuFile"));
    m_saveAsAction = fileMenu->addAction(tr("Save as..."));
    m_saveAsAction->setObjectName(QStringLiteral("saveAsAction"));
    fileMenu->addSeparator();
    m_exitAction = fileMenu->addAction(tr("Exit"));
    m_exitAction->setObjectName(QStringLiteral("exitAction"));
}

bool LogViewWindow::loadFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QMessageBox::warning(this, tr("Quorin"),
                             tr("Cannot read file %1:\n%2.")
                                 .arg(QDir::toNativeSeparators(fileName), file.errorString()));
        return false;
    }
    WaitCursor waitCursor;
    m_textEdit->setPlainText(readShownText(file));
    return true;
}

// The tail starts after the first line break within the limit, so that it
// holds whole lines and no character is cut in two.
QString LogViewWindow::readShownText(QFile &file) const
{
    const qint64 size = file.size();
    if (size <= m_maximumShownSize || !file.seek(size - m_maximumShownSize))
        return QTextStream(&file).readAll();
    QByteArray tail = file.read(m_maximumShownSize);
    const qsizetype lineStart = tail.indexOf('\n') + 1;
    tail.remove(0, lineStart);
    const QString limit =
        QLocale().formattedDataSize(m_maximumShownSize, 0, QLocale::DataSizeTraditionalFormat);
    return tr("[The start of this log is left out: it is larger than %1, and only its last "
              "lines are shown.]")
               .arg(limit) +
           QLatin1Char('\n') + QTextStream(tail).readAll();
}

void LogViewWindow::onSaveAsActionTriggered()
{
    const QString fileName = QFileDialog::getSaveFileName(
        this, tr("Save log file"), QStringLiteral("."), tr("Log files (*.log)"));
    if (!fileName.isEmpty())
        saveFile(fileName);
}

bool LogViewWindow::saveFile(const QString &fileName)
{
    QString error;
    bool written;
    {
        WaitCursor waitCursor;
        written = AtomicFile::writeText(fileName, m_textEdit->toPlainText(), &error);
    }
    if (!written) {
        QMessageBox::warning(
            this, tr("Quorin"),
            tr("Cannot write file %1:\n%2.").arg(QDir::toNativeSeparators(fileName), error));
    }
    return written;
}

void LogViewWindow::closeEvent(QCloseEvent *event)
{
    ViewerGeometry::save(this, settingsGroup);
    event->accept();
}
