// Times the main window's document commands on the largest grid Quorin holds
// (999 rows by 30 columns): reading a file into the widgets, writing the
// widgets back to a file, and emptying the grid. Every cell change also
// reaches the main window's modified marker, so this shows what that costs.

#include "BenchSupport.h"
#include "app/MainWindow.h"
#include "model/DocumentWriter.h"
#include "table/TableWidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>

using namespace BenchSupport;

namespace {

double medianMilliseconds(int runs, const std::function<void()> &prepare,
                          const std::function<void()> &work)
{
    QList<double> times;
    for (int run = 0; run < runs; ++run) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir directory;
    QDir::setCurrent(directory.path());
    const int rows = 999;
    const int columns = 30;
    const QString source = directory.filePath(QStringLiteral("large.xml"));
    QFile file(source);
    if (!file.open(QIODevice::WriteOnly) ||
        !DocumentWriter::write(filledDocument(rows, columns), &file))
        return 1;
    file.close();

    MainWindow window;
    window.show();
    const int runs = 5;
    QTextStream out(stdout);
    out << "Document of " << rows << " x " << columns << " cells, " << file.size() / 1024
        << " KiB; median of " << runs << " runs\n";
    const auto nothing = [] {};
    const auto open = [&] { window.readDocument(source); };
    out << "  Open (read and fill the widgets):    " << medianMilliseconds(runs, nothing, open)
        << " ms\n";
    const QString target = directory.filePath(QStringLiteral("saved.xml"));
    out << "  Save (gather and write):             "
        << medianMilliseconds(runs, nothing, [&] { window.writeDocument(target); }) << " ms\n";
    const Document document = filledDocument(rows, columns);
    out << "    of which the XML text alone:       "
        << medianMilliseconds(runs, nothing, [&] { DocumentWriter::toXml(document); }) << " ms\n";
    TableWidget *table = window.tableWidget();
    out << "  Clear all (every cell emptied):      "
        << medianMilliseconds(runs, open, [&] { table->clear(); }) << " ms\n";
    // The same with the grid's signals blocked: what telling the main window
    // of every cell's change costs.
    out << "  Clear all, nobody told of changes:   " << medianMilliseconds(runs, open, [&] {
        const bool blocked = table->blockSignals(true);
        table->clear();
        table->blockSignals(blocked);
    }) << " ms\n";
    window.setWindowModified(false);
    return 0;
}
