// Times undo through the shown main window and measures what the history of
// edits costs in memory; prints a table of figures:
//
//   undo (and redo) of Clear all on 999 x 999 (a heading row and column,
//   1,997 filled cells) and on 999 x 30 full of statistics (30,000 cells),
//   each until the grid is painted; median of five runs
//   the memory 100 undo steps of edits take on 999 x 30: the resident size
//   once the document is open, then after the steps (measured in a child
//   process of its own, "UndoBench memory")
//
// Run it with QT_QPA_PLATFORM=offscreen where there is no display.

#include "BenchSupport.h"
#include "app/MainWindow.h"
#include "model/Document.h"
#include "model/DocumentModel.h"
#include "model/DocumentWriter.h"
#include "table/StatisticMimeData.h"
#include "table/TableWidget.h"
#include "undo/DocumentEditor.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUndoStack>

#include <algorithm>
#include <functional>

using namespace BenchSupport;

namespace {

Document document(int rows, int columns, bool full)
{
    Document document;
    document.commands = {
        Command("mean", "summarize #var #if", "r(mean)", Command::ResultType::Scalar, 1, 1)};
    document.areas.insert(Area("nord", "ripartizione<=2"));
    document.cells = CellContentGrid(rows, columns);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            CellContent &cell = document.cells(row, column);
            if (row == 0 || column == 0)
                cell.addMicroCondition(MicroCondition(QString::number(row + column),
                                                      QStringLiteral("Label"), "sesso", "Sesso"));
            else if (full)
                cell.setStatistic(Statistic{"reddito", "Reddito", "mean", "%9.2f"});
            cell.setArea(column % 2 ? QStringLiteral("nord") : QString());
        }
    }
    return document;
}

QString written(const QString &name, const Document &document)
{
    const QString path = QDir::current().filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !DocumentWriter::write(document, &file))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void paint(TableWidget *table)
{
    QCoreApplication::processEvents();
    table->viewport()->repaint();
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// Clear all, then its undo and redo, each timed until painted.
void timeClearAll(MainWindow &window, const QString &file, const char *name)
{
    TableWidget *table = window.tableWidget();
    QList<double> clear, undo, redo;
    auto time = [table](QList<double> &into, const std::function<void()> &work) {
        QElapsedTimer timer;
        timer.start();
        work();
        paint(table);
        into.append(timer.nsecsElapsed() / 1e6);
    };
    for (int run = 0; run < 5; ++run) {
        window.readDocument(file);
        table->selectAll();
        paint(table);
        time(clear, [table] { table->clear(); });
        time(undo, [&window] { window.undoStack()->undo(); });
        time(redo, [&window] { window.undoStack()->redo(); });
    }
    out() << QStringLiteral("  %1 Clear all %2 ms, undo %3 ms, redo %4 ms\n")
                 .arg(QString::fromLatin1(name), -40)
                 .arg(median(clear), 6, 'f', 1)
                 .arg(median(undo), 6, 'f', 1)
                 .arg(median(redo), 6, 'f', 1);
    out().flush();
}

void select(TableWidget *table, int top, int left, int bottom, int right)
{
    table->setCurrentCell(top, left);
    table->selectionModel()->select(
        QItemSelection(table->cells()->index(top, left), table->cells()->index(bottom, right)),
        QItemSelectionModel::ClearAndSelect);
}

// One of five kinds of edit, each one step: a statistic dropped on three
// whole columns, a column deleted, a block of 20 x 30 pasted, two rows
// removed, a row inserted.
void edit(TableWidget *table, int step)
{
    const int column = 1 + step % 27;
    const int lastRow = table->rowCount() - 1;
    switch (step % 5) {
    case 0: {
        select(table, 0, column, lastRow, column + 2);
        StatisticMimeData payload(QStringLiteral("sd"), QStringLiteral("x"), QStringLiteral("X"));
        table->dropPayload(0, column, &payload, QStringLiteral("variableListWidget"));
        break;
    }
    case 1:
        select(table, 0, column, lastRow, column);
        table->clearSelectedCells();
        break;
    case 2:
        select(table, 0, 0, 19, 29);
        table->copy();
        table->setCurrentCell(100 + step, 0);
        table->paste();
        break;
    case 3:
        select(table, step, 0, step + 1, 0);
        table->removeRowsOfSelectedCells();
        break;
    default:
        table->editor()->insertLines(QStringLiteral("Insert rows"), Qt::Vertical, step, 1);
        break;
    }
}

int measureMemory(const QString &file)
{
    MainWindow window;
    window.resize(1200, 800);
    window.show();
    window.readDocument(file);
    paint(window.tableWidget());
    // A first copy fills the clipboard, which is not the history's.
    select(window.tableWidget(), 0, 0, 19, 29);
    window.tableWidget()->copy();
    const long before = statusKiB("VmRSS:");
    for (int step = 0; step < 100; ++step)
        edit(window.tableWidget(), step);
    paint(window.tableWidget());
    const long after = statusKiB("VmRSS:");
    out() << QStringLiteral("Memory of %1 undo steps of edits on 999 x 30: resident %2 MiB with "
                            "the document open, %3 MiB after the steps: %4 MiB more\n")
                 .arg(window.undoStack()->count())
                 .arg(before / 1024.0, 0, 'f', 1)
                 .arg(after / 1024.0, 0, 'f', 1)
                 .arg((after - before) / 1024.0, 0, 'f', 1);
    window.undoStack()->clear();
    window.setWindowModified(false);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc > 2 && QByteArray(argv[1]) == "memory")
        return measureMemory(QString::fromLocal8Bit(argv[2]));
    QTemporaryDir directory;
    QDir::setCurrent(directory.path());
    const QString largest = written(QStringLiteral("largest.xml"), document(999, 999, false));
    const QString statistics = written(QStringLiteral("statistics.xml"), document(999, 30, true));

    MainWindow window;
    window.resize(1200, 800);
    window.show();
    out() << "Undo through the shown main window; median of 5 runs, until painted\n";
    timeClearAll(window, largest, "999 x 999 (1,997 filled cells):");
    timeClearAll(window, statistics, "999 x 30 full of statistics:");
    window.undoStack()->clear();
    window.setWindowModified(false);

    QProcess memory;
    memory.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    memory.start(QCoreApplication::applicationFilePath(), {QStringLiteral("memory"), statistics});
    memory.waitForFinished(-1);
    return 0;
}
