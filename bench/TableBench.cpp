// Times the grid's whole-table operations through the shown main window and
// prints a table of figures:
//
//   Open a 999 x 30 document (30,000 filled cells) until the grid is painted
//   New 999 x 999, until painted
//   on 999 x 999: Clear all, insert 100 rows, remove half the rows (as one
//   range and as every other row), each until painted
//   the memory a 999 x 999 grid takes (resident size before and after)
//
// Each figure is the median of five runs, as elapsed and processor time in
// milliseconds. The memory is measured in a child process of its own
// ("TableBench memory"), so that nothing else the benchmark built counts.
// Run it with QT_QPA_PLATFORM=offscreen where there is no display.

#include "BenchSupport.h"
#include "app/MainWindow.h"
#include "model/Document.h"
#include "model/DocumentModel.h"
#include "model/DocumentWriter.h"
#include "table/TableWidget.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <functional>

using namespace BenchSupport;

namespace {

// Lets the window lay out and paint what the operation changed.
void paint(TableWidget *table)
{
    QCoreApplication::processEvents();
    table->viewport()->repaint();
}

// Median elapsed and processor milliseconds of five runs of the work, each
// after its preparation (not timed) and until the grid is painted.
void timed(const char *name, TableWidget *table, const std::function<void()> &prepare,
           const std::function<void()> &work)
{
    QList<double> elapsed;
    QList<double> processor;
    for (int run = 0; run < 5; ++run) {
        prepare();
        paint(table);
        QElapsedTimer timer;
        timer.start();
        const std::clock_t start = std::clock();
        work();
        paint(table);
        elapsed.append(timer.nsecsElapsed() / 1e6);
        processor.append(double(std::clock() - start) * 1000 / CLOCKS_PER_SEC);
    }
    std::sort(elapsed.begin(), elapsed.end());
    std::sort(processor.begin(), processor.end());
    out() << QStringLiteral("  %1 %2 ms (processor %3 ms)\n")
                 .arg(QString::fromLatin1(name), -52)
                 .arg(elapsed.at(2), 7, 'f', 1)
                 .arg(processor.at(2), 7, 'f', 1);
    out().flush();
}

void selectRows(TableWidget *table, const QList<int> &rows)
{
    QItemSelection selection;
    for (int row : rows)
        selection.select(table->cells()->index(row, 0), table->cells()->index(row, 0));
    table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

// The resident size of a shown main window, then with a 999 x 999 grid.
int measureMemory()
{
    MainWindow window;
    window.resize(1200, 800);
    window.show();
    paint(window.tableWidget());
    const long before = statusKiB("VmRSS:");
    window.document()->newDocument(999, 999);
    paint(window.tableWidget());
    out() << QStringLiteral("Memory: resident %1 MiB with the shown window of 50 x 15, %2 MiB "
                            "with 999 x 999 (peak %3 MiB)\n")
                 .arg(before / 1024.0, 0, 'f', 1)
                 .arg(statusKiB("VmRSS:") / 1024.0, 0, 'f', 1)
                 .arg(statusKiB("VmHWM:") / 1024.0, 0, 'f', 1);
    window.setWindowModified(false);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "memory")
        return measureMemory();
    QTemporaryDir directory;
    QDir::setCurrent(directory.path());
    const QString large = directory.filePath(QStringLiteral("large.xml"));
    QFile file(large);
    if (!file.open(QIODevice::WriteOnly) || !DocumentWriter::write(filledDocument(999, 30), &file))
        return 1;
    file.close();

    MainWindow window;
    window.resize(1200, 800);
    window.show();
    TableWidget *table = window.tableWidget();
    DocumentModel *document = window.document();
    paint(table);
    const auto newLargest = [&] { document->newDocument(999, 999); };

    out() << "Grid operations through the shown main window; median of 5 runs\n";
    timed("Open 999 x 30 (30,000 filled cells), painted", table, newLargest,
          [&] { window.readDocument(large); });
    timed(
        "New 999 x 999", table, [&] { document->newDocument(50, 15); }, newLargest);
    timed(
        "Clear all on 999 x 999", table,
        [&] {
            newLargest();
            document->table()->setContents({{500, 500, CellContent()}});
        },
        [&] { table->clear(); });
    timed(
        "Insert 100 rows on 999 x 899", table, [&] { document->newDocument(899, 999); },
        [&] { document->table()->insertLines(Qt::Vertical, 400, 100); });
    QList<int> everyOther;
    for (int row = 0; row < 999; row += 2)
        everyOther.append(row);
    timed(
        "Remove half the rows (one range) on 999 x 999", table,
        [&] {
            newLargest();
            table->selectionModel()->select(
                QItemSelection(table->cells()->index(0, 0), table->cells()->index(499, 998)),
                QItemSelectionModel::ClearAndSelect);
        },
        [&] { table->removeRowsOfSelectedCells(); });
    timed(
        "Remove half the rows (every other row) on 999 x 999", table,
        [&] {
            newLargest();
            selectRows(table, everyOther);
        },
        [&] { table->removeRowsOfSelectedCells(); });

    QProcess memory;
    memory.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    memory.start(QCoreApplication::applicationFilePath(), {QStringLiteral("memory")});
    memory.waitForFinished(-1);
    window.setWindowModified(false);
    return 0;
}
