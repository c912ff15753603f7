#include "model/DocumentModel.h"

DocumentModel::DocumentModel(QObject *parent)
    : QObject(parent)
{
    m_table.reset(50, 15);
    connect(&m_table, &CellTableModel::contentChanged, this, &DocumentModel::changed);
    connect(this, &DocumentModel::areasChanged, this, &DocumentModel::changed);
    connect(this, &DocumentModel::catalogueChanged, this, &DocumentModel::changed);
    connect(this, &DocumentModel::variablesChanged, this, &DocumentModel::changed);
}

void DocumentModel::setVariables(const QList<Variable> &variables)
{
    m_variables = variables;
    emit variablesChanged();
}

void DocumentModel::addVariable(const Variable &variable)
{
    m_variables.append(variable);
    emit variablesChanged();
}

void DocumentModel::removeVariable(int row)
{
    if (row < 0 || row >= m_variables.size())
        return;
    m_variables.removeAt(row);
    emit variablesChanged();
}

void DocumentModel::moveVariable(int row, int target)
{
    if (row < 0 || row >= m_variables.size() || target < 0 || target >= m_variables.size() ||
        row == target)
        return;
    m_variables.move(row, target);
    emit variablesChanged();
}

void DocumentModel::setModalities(int row, const QList<Modality> &modalities)
{
    if (row < 0 || row >= m_variables.size())
        return;
    m_variables[row].setModalities(modalities);
    emit variablesChanged();
}

void DocumentModel::setStatistics(const QList<Command> &commands)
{
    m_catalogue.clear();
    m_statisticNames.clear();
    for (const Command &command : commands) {
        m_catalogue.insert(command.name(), command);
        m_statisticNames.append(command.name());
    }
    emit catalogueChanged();
}

void DocumentModel::addStatistic(const Command &command)
{
    m_catalogue.insert(command.name(), command);
    m_statisticNames.append(command.name());
    emit catalogueChanged();
}

void DocumentModel::editStatistic(const QString &name, const Command &command)
{
    m_catalogue.insert(name, command);
    emit catalogueChanged();
}

// No cell may keep a statistic that the catalogue no longer has.
void DocumentModel::removeStatistic(const QString &name)
{
    m_statisticNames.removeAll(name);
    m_catalogue.remove(name);
    QList<CellTableModel::CellEdit> edits;
    const CellContentGrid &cells = m_table.cells();
    for (int row = 0; row < cells.rowCount(); ++row) {
        for (int column = 0; column < cells.columnCount(); ++column) {
            const CellContent &content = cells(row, column);
            if (content.dataType() == CellContent::Kind::Statistic &&
                content.statistic().statisticName == name) {
                CellContent cleared = content;
                cleared.clearContent();
                edits.append({row, column, cleared});
            }
        }
    }
    if (!edits.isEmpty())
        m_table.setContents(edits);
    emit catalogueChanged();
}

void DocumentModel::addArea(const Area &area)
{
    m_areas.insert(area);
    emit areasChanged();
}

void DocumentModel::setAreaCondition(const QString &name, const QString &condition)
{
    if (m_areas.area(name).condition() == condition && m_areas.contains(name))
        return;
    m_areas.insert(Area(name, condition));
    emit areasChanged();
}

void DocumentModel::removeArea(const QString &name)
{
    m_areas.remove(name);
    QList<CellTableModel::CellEdit> edits;
    const CellContentGrid &cells = m_table.cells();
    for (int row = 0; row < cells.rowCount(); ++row) {
        for (int column = 0; column < cells.columnCount(); ++column) {
            if (cells(row, column).area() == name) {
                CellContent freed = cells(row, column);
                freed.setArea(QString());
                edits.append({row, column, freed});
            }
        }
    }
    if (!edits.isEmpty())
        m_table.setContents(edits);
    emit areasChanged();
}

bool DocumentModel::newDocument(int rows, int columns)
{
    if (!m_table.reset(rows, columns))
        return false;
    setVariables({});
    setStatistics({});
    return true;
}

void DocumentModel::setStataDatasetFileName(const QString &fileName)
{
    if (fileName == m_stataDatasetFileName)
        return;
    m_stataDatasetFileName = fileName;
    emit changed();
}

void DocumentModel::setOutputFileName(const QString &fileName)
{
    if (fileName == m_outputFileName)
        return;
    m_outputFileName = fileName;
    emit changed();
}

Document DocumentModel::toDocument() const
{
    Document document;
    document.stataDatasetFileName = m_stataDatasetFileName;
    document.outputFileName = m_outputFileName;
    document.rowHeights = m_table.lineSizes(Qt::Vertical);
    document.columnWidths = m_table.lineSizes(Qt::Horizontal);
    document.areas = m_areas;
    document.cells = m_table.cells();
    document.variables = m_variables;
    // A name listed twice is stored twice, each time with the one definition
    // the catalogue keeps for it, so that the file shows the user's list.
    for (const QString &name : m_statisticNames)
        document.commands.append(m_catalogue.value(name));
    return document;
}

bool DocumentModel::setDocument(const Document &document)
{
    if (!m_table.reset(document.cells, document.rowHeights, document.columnWidths))
        return false;
    m_stataDatasetFileName = document.stataDatasetFileName;
    m_outputFileName = document.outputFileName;
    m_areas = document.areas;
    m_variables = document.variables;
    setStatistics(document.commands);
    emit variablesChanged();
    emit areasChanged();
    return true;
}
