// Times the grid's heavy operations at three sizes and prints a table.
//
// Each grid size runs in a child process of its own, so that its peak memory
// (VmHWM) is its own. "quorin" is TableWidget; "literal" is LiteralGrid, the
// same operations done the plain way, for comparison (it is stopped after a
// time limit, since some of its operations take minutes on the larger grids).
//
//   TableBench                       all sizes, both implementations
//   TableBench quorin 200 50         one run, raw figures

#include "LiteralGrid.h"
#include "model/CellContent.h"
#include "table/Cell.h"
#include "table/TableWidget.h"

#include <QApplication>
#include <QDomDocument>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelection>
#include <QMap>
#include <QProcess>
#include <QTextStream>

#include <ctime>
#include <functional>

namespace {

const char *const operationNames[] = {"newTable",         "insert row", "clear",
                                      "remove half rows", "loadCells",  "destroy"};

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

long peakMemoryKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

// Runs the operation, lets the event loop lay out and delete what it left
// behind, and prints the time in milliseconds, as "elapsed/processor": on a
// machine shared with other work the processor time is the steadier figure.
void timed(const char *name, const std::function<void()> &operation)
{
    QElapsedTimer timer;
    timer.start();
    const std::clock_t processorStart = std::clock();
    operation();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const long processor = long((std::clock() - processorStart) * 1000 / CLOCKS_PER_SEC);
    out() << name << '\t' << timer.elapsed() << '/' << processor << Qt::endl;
}

Statistic meanOfIncome()
{
    Statistic statistic;
    statistic.statisticName = QStringLiteral("mean");
    statistic.varName = QStringLiteral("income");
    statistic.varLabel = QStringLiteral("Household income");
    statistic.format = QStringLiteral("%9.2f");
    return statistic;
}

// A "cells" element of a full grid, a third each of statistics, conditions
// and texts.
QDomElement documentCells(QDomDocument &document, int rows, int columns)
{
    QDomElement cells = document.createElement(QStringLiteral("cells"));
    cells.setAttribute(QStringLiteral("rowCount"), rows);
    cells.setAttribute(QStringLiteral("columnCount"), columns);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            CellContent content;
            switch ((row + column) % 3) {
            case 0:
                content.setStatistic(meanOfIncome());
                break;
            case 1:
                content.addMicroCondition(
                    MicroCondition(QStringLiteral("1"), QStringLiteral("Male"),
                                   QStringLiteral("sex"), QStringLiteral("Sex")));
                break;
            default:
                content.setSimpleText(QStringLiteral("Total"));
            }
            cells.appendChild(content.toXml(document, row, column));
        }
    }
    document.appendChild(cells);
    return cells;
}

QItemSelection everyOtherRow(QAbstractItemModel *model)
{
    QItemSelection selection;
    for (int row = 0; row < model->rowCount(); row += 2) {
        selection.append(
            QItemSelectionRange(model->index(row, 0), model->index(row, model->columnCount() - 1)));
    }
    return selection;
}

void runQuorin(int rows, int columns)
{
    StatisticCatalogue catalogue;
    AreaCollection areas;
    auto *table = new TableWidget(&catalogue, &areas);
    table->resize(1000, 700);
    table->show();
    QCoreApplication::processEvents();
    auto fill = [&] {
        for (int row = 0; row < table->rowCount(); ++row) {
            for (int column = 0; column < columns; ++column)
                table->cell(row, column)->setStatistic(meanOfIncome());
        }
        QCoreApplication::processEvents();
    };
    timed("newTable", [&] { table->newTable(rows, columns); });
    fill();
    table->setCurrentCell(rows / 2, 0);
    timed("insert row", [&] { QMetaObject::invokeMethod(table, "insertRowUp"); });
    timed("clear", [&] { table->clear(); });
    fill();
    table->selectionModel()->select(everyOtherRow(table->model()), QItemSelectionModel::Select);
    timed("remove half rows", [&] { table->removeRowsOfSelectedCells(); });
    out() << "grid peak KiB\t" << peakMemoryKiB() << Qt::endl;
    QDomDocument document;
    const QDomElement cells = documentCells(document, rows, columns);
    table->newTable(50, 15);
    timed("loadCells", [&] { table->loadCells(cells); });
    timed("destroy", [&] { delete table; });
}

void runLiteral(int rows, int columns)
{
    auto *table = new LiteralGrid;
    table->newTable(50, 15);
    table->resize(1000, 700);
    table->show();
    QCoreApplication::processEvents();
    timed("newTable", [&] { table->newTable(rows, columns); });
    table->fill();
    timed("clear", [&] { table->clearGrid(); });
    table->fill();
    table->selectionModel()->select(everyOtherRow(table->model()), QItemSelectionModel::Select);
    timed("remove half rows", [&] { table->removeRowsOfSelectedCells(); });
    out() << "grid peak KiB\t" << peakMemoryKiB() << Qt::endl;
    QDomDocument document;
    const QDomElement cells = documentCells(document, rows, columns);
    table->newTable(50, 15);
    timed("loadCells", [&] { table->loadCells(cells); });
    timed("destroy", [&] { delete table; });
}

// Runs one child and collects its figures; those it did not reach within the
// time limit are left out.
QMap<QString, QString> runChild(const QString &implementation, int rows, int columns,
                                int limitSeconds)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {implementation, QString::number(rows), QString::number(columns)});
    QMap<QString, QString> figures;
    QElapsedTimer timer;
    timer.start();
    while (child.state() != QProcess::NotRunning && timer.elapsed() < limitSeconds * 1000)
        child.waitForFinished(200);
    if (child.state() != QProcess::NotRunning) {
        child.kill();
        child.waitForFinished();
        figures.insert(QStringLiteral("stopped"), QString::number(limitSeconds));
    }
    const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split('\n');
    for (const QString &line : lines) {
        const QStringList parts = line.split('\t');
        if (parts.size() == 2)
            figures.insert(parts.at(0), parts.at(1));
    }
    return figures;
}

void printRow(const QString &implementation, int rows, int columns,
              const QMap<QString, QString> &figures)
{
    QString line =
        QStringLiteral("%1 %2 x %3").arg(implementation, -8).arg(rows, 4).arg(columns, -4);
    for (const char *name : operationNames) {
        const QString value = figures.value(QString::fromLatin1(name));
        line += QStringLiteral(" %1").arg(value.isEmpty() ? QStringLiteral("-") : value, 11);
    }
    for (const char *peakName : {"grid peak KiB", "peak KiB"}) {
        const QString peak = figures.value(QString::fromLatin1(peakName));
        line += QStringLiteral(" %1").arg(
            peak.isEmpty() ? QStringLiteral("-") : QString::number(peak.toLong() / 1024), 9);
    }
    if (figures.contains(QStringLiteral("stopped")))
        line += QStringLiteral("  (stopped after %1 s)").arg(figures.value("stopped"));
    out() << line << Qt::endl;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();

    if (arguments.size() == 4) {
        const int rows = arguments.at(2).toInt();
        const int columns = arguments.at(3).toInt();
        if (arguments.at(1) == QLatin1String("literal"))
            runLiteral(rows, columns);
        else
            runQuorin(rows, columns);
        out() << "peak KiB\t" << peakMemoryKiB() << Qt::endl;
        return 0;
    }

    const int literalLimit = arguments.size() == 2 ? arguments.at(1).toInt() : 300;
    out() << "Milliseconds per operation, elapsed/processor, the event loop's follow-up work\n"
             "(layout, painting, deferred deletion) included. Peak memory in MiB: after the\n"
             "grid operations, and at the end, which includes the document loadCells reads."
          << Qt::endl;
    QString header = QStringLiteral("%1").arg(QStringLiteral("grid"), -19);
    for (const char *name : operationNames)
        header += QStringLiteral(" %1").arg(QString::fromLatin1(name).left(11), 11);
    header += QStringLiteral(" %1 %2")
                  .arg(QStringLiteral("peak grid"), 9)
                  .arg(QStringLiteral("peak all"), 9);
    out() << header << Qt::endl;
    const QList<QPair<int, int>> sizes = {{50, 15}, {200, 50}, {999, 30}};
    for (const auto &size : sizes) {
        printRow(QStringLiteral("quorin"), size.first, size.second,
                 runChild(QStringLiteral("quorin"), size.first, size.second, 600));
        if (literalLimit > 0) {
            printRow(QStringLiteral("literal"), size.first, size.second,
                     runChild(QStringLiteral("literal"), size.first, size.second, literalLimit));
        }
    }
    return 0;
}
