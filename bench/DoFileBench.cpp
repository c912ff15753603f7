// Times building and rendering the do-file of a large table: 999 rows by 30
// columns of statistic cells under condition cells in the first row and the
// first column, spread over a few areas.

#include "model/CellContentGrid.h"
#include "stata/DoFileComposer.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <ctime>

namespace {

const QStringList areaNames = {QString(), QStringLiteral("nord"), QStringLiteral("sud")};

CellContentGrid largeGrid(int rows, int columns)
{
    CellContentGrid grid(rows, columns);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            CellContent &cell = grid(row, column);
            cell.setArea(areaNames.at(column % areaNames.size()));
            if (row == 0 || column == 0) {
                const QString variable = row == 0 ? QStringLiteral("sesso") : QStringLiteral("eta");
                const int index = row == 0 ? column : row;
                cell.addMicroCondition(MicroCondition(QString::number(index),
                                                      QStringLiteral("Label %1").arg(index),
                                                      variable, variable));
                if (index % 2)
                    cell.addMicroCondition(MicroCondition(QString::number(index + 1),
                                                          QStringLiteral("Label %1").arg(index + 1),
                                                          variable, variable));
                continue;
            }
            cell.setStatistic(Statistic{QStringLiteral("reddito"), QStringLiteral("Reddito"),
                                        row % 2 ? QStringLiteral("mean") : QStringLiteral("median"),
                                        QStringLiteral("%9.2f")});
        }
    }
    return grid;
}

} // namespace

int main()
{
    StatisticCatalogue catalogue;
    catalogue.insert("mean", Command("mean", "summarize #var #if", "r(mean)",
                                     Command::ResultType::Scalar, 1, 1));
    catalogue.insert("median", Command("median", "summarize #var #if, detail", "r(p50)",
                                       Command::ResultType::Scalar, 1, 1));
    AreaCollection areas;
    areas.insert(Area(QStringLiteral("nord"), QStringLiteral("ripartizione<=2")));
    areas.insert(Area(QStringLiteral("sud"), QStringLiteral("ripartizione>=4 & !missing(eta)")));

    const CellContentGrid grid = largeGrid(999, 30);
    const DoFileComposer composer(grid, catalogue, areas);
    QTextStream out(stdout);
    QList<double> totals;
    for (int round = 0; round < 5; ++round) {
        const std::clock_t cpuStart = std::clock();
        QElapsedTimer timer;
        timer.start();
        const DoFileModel model = composer.buildModel(QStringLiteral("C:/Data/indagine.dta"));
        const qint64 built = timer.nsecsElapsed();
        const QString text = model.toString(true, true, QStringLiteral("C:/Data/tabella.csv"));
        const qint64 rendered = timer.nsecsElapsed();
        const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        totals.append(rendered / 1e9);
        out << QStringLiteral("round %1: build %2 s, render %3 s, total %4 s, processor %5 s (%6 "
                              "entries, %7 bytes)")
                   .arg(round + 1)
                   .arg(built / 1e9, 0, 'f', 3)
                   .arg((rendered - built) / 1e9, 0, 'f', 3)
                   .arg(rendered / 1e9, 0, 'f', 3)
                   .arg(cpu, 0, 'f', 3)
                   .arg(model.entries().size())
                   .arg(text.size())
            << Qt::endl;
    }
    std::sort(totals.begin(), totals.end());
    out << QStringLiteral("999 x 30 grid: median %1 s, best %2 s (target under 0.2 s)")
               .arg(totals.at(totals.size() / 2), 0, 'f', 3)
               .arg(totals.first(), 0, 'f', 3)
        << Qt::endl;
    return 0;
}
