// Writes the example document (examples/survey-table.xml): a publishable
// table on the example survey, laid out the way a user would lay it out in
// Quorin. The variables come from the survey itself through Quorin's own
// dataset reader, exactly as "Load variables from Stata dataset..." imports
// them, so the conditions carry the same values and labels a drag from the
// variables panel gives.
//
// The table: working-age respondents (the area "Working age") by region down
// the side and by sex and employment status across, first counted, then with
// their mean monthly net income.
#include "model/Document.h"
#include "model/DocumentWriter.h"
#include "stata/StataDatasetReader.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cstdio>

namespace {

// Relative to the repository's root, where the README starts Quorin.
const QString datasetFileName = QStringLiteral("examples/survey.dta");
const QString outputFileName = QStringLiteral("examples/survey-table.csv");

const QString areaName = QStringLiteral("Working age");
const QString areaCondition = QStringLiteral("age >= 18 & age <= 64");

const QString countFormat = QStringLiteral("%9.0fc");
const QString meanFormat = QStringLiteral("%9.1fc");

// The grid: a label column, then for each sex "All" and three employment
// statuses, then the total over both sexes.
constexpr int labelColumn = 0;
constexpr int firstDataColumn = 1;
constexpr int columnCount = 10;
constexpr int titleRow = 0;
constexpr int sexRow = 2;
constexpr int statusRow = 3;
constexpr int countHeadingRow = 4;
constexpr int firstCountRow = 5;
constexpr int meanHeadingRow = 12;
constexpr int firstMeanRow = 13;
constexpr int regionCount = 5;
constexpr int rowCount = firstMeanRow + regionCount + 1;

QList<Command> statisticCatalogue()
{
    // The first two fill the table; the others are there to be dragged.
    return {
        Command(QStringLiteral("count"), QStringLiteral("count #if"), QStringLiteral("r(N)"),
                Command::ResultType::Scalar, 1, 1),
        Command(QStringLiteral("mean"), QStringLiteral("summarize #var #if"),
                QStringLiteral("r(mean)"), Command::ResultType::Scalar, 1, 1),
        Command(QStringLiteral("median"), QStringLiteral("summarize #var #if, detail"),
                QStringLiteral("r(p50)"), Command::ResultType::Scalar, 1, 1),
        Command(QStringLiteral("sd"), QStringLiteral("summarize #var #if"), QStringLiteral("r(sd)"),
                Command::ResultType::Scalar, 1, 1),
        // Row 2 of r(table) after mean is the standard error of the mean.
        Command(QStringLiteral("se"), QStringLiteral("mean #var #if"), QStringLiteral("r(table)"),
                Command::ResultType::Matrix, 2, 1),
    };
}

class ExampleTable
{
public:
    explicit ExampleTable(const QList<Variable> &variables)
        : m_variables(variables)
        , m_cells(rowCount, columnCount)
    {}

    // False, with the reason on standard error, when the survey lacks a
    // variable or a value label the table needs.
    bool build()
    {
        text(titleRow, labelColumn, QStringLiteral("Table 1. Working-age respondents (18-64)"));
        if (!buildHeader() ||
            !buildBlock(countHeadingRow, QStringLiteral("Respondents"), QStringLiteral("count"),
                        QStringLiteral("id"), countFormat) ||
            !buildBlock(meanHeadingRow, QStringLiteral("Mean monthly net income (EUR)"),
                        QStringLiteral("mean"), QStringLiteral("income"), meanFormat))
            return false;
        // The area covers every condition and statistic: a condition cell
        // restricts only the statistics of its own area.
        for (int row = sexRow; row < rowCount; ++row) {
            for (int column = 0; column < columnCount; ++column)
                m_cells(row, column).setArea(areaName);
        }
        return true;
    }

    const CellContentGrid &cells() const { return m_cells; }

private:
    bool buildHeader()
    {
        text(sexRow, labelColumn, QStringLiteral("Sex"));
        text(statusRow, labelColumn, QStringLiteral("Employment status"));
        const QStringList sexes = {QStringLiteral("Male"), QStringLiteral("Female")};
        const QStringList statuses = {QStringLiteral("Employed"), QStringLiteral("Unemployed"),
                                      QStringLiteral("Inactive")};
        int column = firstDataColumn;
        for (const QString &sex : sexes) {
            for (int i = 0; i <= statuses.size(); ++i, ++column) {
                if (!condition(sexRow, column, QStringLiteral("sex"), sex))
                    return false;
                if (i == 0)
                    text(statusRow, column, QStringLiteral("All"));
                else if (!condition(statusRow, column, QStringLiteral("empstat"),
                                    statuses.at(i - 1)))
                    return false;
            }
        }
        text(sexRow, column, QStringLiteral("Total"));
        text(statusRow, column, QStringLiteral("All"));
        return true;
    }

    // A heading row, a row per region and a total row, every data cell
    // holding the statistic.
    bool buildBlock(int headingRow, const QString &heading, const QString &statisticName,
                    const QString &varName, const QString &format)
    {
        const Variable *variable = findVariable(varName);
        const Variable *region = findVariable(QStringLiteral("region"));
        if (!variable || !region || region->modalities().size() != regionCount)
            return fail(QStringLiteral("variables %1 and region with %2 regions")
                            .arg(varName)
                            .arg(regionCount));
        text(headingRow, labelColumn, heading);
        const Statistic statistic{varName, variable->label(), statisticName, format};
        for (int i = 0; i <= regionCount; ++i) {
            const int row = headingRow + 1 + i;
            if (i < regionCount)
                m_cells(row, labelColumn)
                    .addMicroCondition(MicroCondition(region->modalities().at(i)));
            else
                text(row, labelColumn, QStringLiteral("Total"));
            for (int column = firstDataColumn; column < columnCount; ++column)
                m_cells(row, column).setStatistic(statistic);
        }
        return true;
    }

    void text(int row, int column, const QString &text)
    {
        m_cells(row, column).setSimpleText(text);
    }

    bool condition(int row, int column, const QString &varName, const QString &valueLabel)
    {
        const Variable *variable = findVariable(varName);
        if (variable) {
            for (const Modality &modality : variable->modalities()) {
                if (modality.valueLabel() == valueLabel) {
                    m_cells(row, column).addMicroCondition(MicroCondition(modality));
                    return true;
                }
            }
        }
        return fail(QStringLiteral("%1 labelled \"%2\"").arg(varName, valueLabel));
    }

    const Variable *findVariable(const QString &name) const
    {
        for (const Variable &variable : m_variables) {
            if (variable.name() == name)
                return &variable;
        }
        return nullptr;
    }

    static bool fail(const QString &what)
    {
        std::fprintf(stderr, "the survey has no %s\n", qPrintable(what));
        return false;
    }

    const QList<Variable> &m_variables;
    CellContentGrid m_cells;
};

// Row heights and column widths that show every label and figure in full.
void setSizes(Document &document)
{
    for (int row = 0; row < rowCount; ++row)
        document.rowHeights.append(row == titleRow ? 36 : 28);
    document.columnWidths.append(290);
    for (int column = firstDataColumn; column < columnCount; ++column)
        document.columnWidths.append(96);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SURVEY.dta OUTPUT.xml\n", argv[0]);
        return 2;
    }
    Document document;
    const StataDatasetReader::Result result =
        readStataDataset(document.variables, QString::fromLocal8Bit(argv[1]));
    if (result != StataDatasetReader::Success) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(StataDatasetReader::message(result)));
        return 1;
    }
    ExampleTable table(document.variables);
    if (!table.build())
        return 1;
    document.stataDatasetFileName = datasetFileName;
    document.outputFileName = outputFileName;
    document.commands = statisticCatalogue();
    document.areas.insert(Area(areaName, areaCondition));
    document.cells = table.cells();
    setSizes(document);

    QSaveFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::WriteOnly) || !DocumentWriter::write(document, &file) ||
        !file.commit()) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[2], qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
