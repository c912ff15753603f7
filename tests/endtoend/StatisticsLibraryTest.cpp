// The statistics library that ships with Quorin (examples/statistics.xml):
// every statistic is placed on the example survey's income, once for all
// respondents and once for women, run through the Stata stand-in, and each
// figure is compared with the one this test computes from the survey's
// observations, following the definitions of Stata's summarize and count.

#include "../tools/StandinRunner.h"
#include "DtaColumns.h"
#include "FileContents.h"
#include "SampleStatistics.h"
#include "model/CellContentGrid.h"
#include "model/DocumentReader.h"
#include "model/DocumentWriter.h"
#include "stata/DoFileComposer.h"

#include <QTest>

#include <algorithm>
#include <numeric>

namespace {

const QString examples = QStringLiteral(QUORIN_SOURCE_DIR "/examples");

// Stata's summarize, detail: with n p / 100 a whole number k the mean of the
// k-th and (k+1)-th smallest values, otherwise the next larger rank's value.
double percentile(const QList<double> &sorted, int p)
{
    const double rank = sorted.size() * p / 100.0;
    const qsizetype whole = qsizetype(std::floor(rank));
    return rank == double(whole) ? (sorted.at(whole - 1) + sorted.at(whole)) / 2 : sorted.at(whole);
}

// The library's figures, in its order, over the incomes of the chosen
// respondents: count counts them all, the others leave out missing incomes.
QList<double> figures(const DtaColumns &survey, bool womenOnly)
{
    QList<double> v;
    int respondents = 0;
    for (int i = 0; i < survey.value("sex").size(); ++i) {
        if (womenOnly && survey.value("sex").at(i) != 2)
            continue;
        ++respondents;
        if (!std::isnan(survey.value("income").at(i)))
            v.append(survey.value("income").at(i));
    }
    std::sort(v.begin(), v.end());
    return QList<double>() << respondents << v.size() << sampleMean(v) << sampleStandardDeviation(v)
                           << v.first() << v.last() << std::accumulate(v.begin(), v.end(), 0.0)
                           << percentile(v, 50) << percentile(v, 25) << percentile(v, 75);
}

} // namespace

class StatisticsLibraryTest : public QObject
{
    Q_OBJECT

private slots:
    void everyStatisticGivesTheSurveysFigure()
    {
        // A plain Quorin document, written as Quorin writes it, so that saving
        // it changes nothing.
        const QByteArray file = fileBytes(examples + "/statistics.xml");
        DocumentReader reader;
        QVERIFY(reader.read(file));
        QCOMPARE(DocumentWriter::toXml(reader.document()), file);
        const QStringList names = reader.document().commandNames();
        QCOMPARE(names, QStringList({"count", "observations", "mean", "sd", "min", "max", "sum",
                                     "median", "p25", "p75"}));

        // A row per statistic: its name, its figure for everybody, and for
        // the women of the condition cell above the last column.
        CellContentGrid grid(int(names.size()) + 1, 3);
        grid(0, 2).addMicroCondition(MicroCondition("2", "Female", "sex", "Sex"));
        for (int row = 1; row <= names.size(); ++row) {
            grid(row, 0).setSimpleText(names.at(row - 1));
            for (int column : {1, 2})
                grid(row, column).setStatistic({"income", "", names.at(row - 1), "%24.16e"});
        }
        StandinRunner runner;
        const StatisticCatalogue catalogue = reader.document().catalogue();
        const AreaCollection areas;
        const DoFileModel model =
            DoFileComposer(grid, catalogue, areas).buildModel(examples + "/survey.dta");
        QCOMPARE(runner.runDoFile(model.toString(true, true, runner.filePath("table.csv"))), 0);
        QStringList lines = runner.readFile(QStringLiteral("table.csv")).split('\n');
        QCOMPARE(lines.takeLast(), QString());
        QCOMPARE(lines.size(), names.size() + 1);

        const DtaColumns survey = readDtaColumns(examples + "/survey.dta");
        QCOMPARE(survey.value("income").size(), 2000);
        const QList<double> expected[] = {figures(survey, false), figures(survey, true)};
        QVERIFY(expected[1].first() > 500 && expected[1].first() < 1500);
        for (int row = 1; row <= names.size(); ++row) {
            const QStringList fields = lines.at(row).split(';');
            QCOMPARE(fields.size(), 3);
            QCOMPARE(fields.at(0), names.at(row - 1));
            for (int column : {1, 2}) {
                const double figure = expected[column - 1].at(row - 1);
                bool isNumber = false;
                const double shown = fields.at(column).trimmed().toDouble(&isNumber);
                QVERIFY2(
                    isNumber && std::fabs(shown - figure) <= 1e-9 * std::fabs(figure),
                    qPrintable(lines.at(row) + " expected " + QString::number(figure, 'g', 17)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(StatisticsLibraryTest)
#include "StatisticsLibraryTest.moc"
