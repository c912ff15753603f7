#pragma once

#include "model/AreaCollection.h"
#include "model/CellTableModel.h"
#include "model/Document.h"
#include "model/StatisticCatalogue.h"
#include "model/Variable.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// The open document: the grid with its sizes, the variables with their
// modalities, the statistic catalogue in the user's order, the areas and the
// names of the run's dataset and output file. Windows show it
// and send their edits to it; saving writes it, opening replaces it. Every
// change a file keeps is reported by changed().
class DocumentModel : public QObject
{
    Q_OBJECT

public:
    explicit DocumentModel(QObject *parent = nullptr);

    CellTableModel *table() { return &m_table; }
    const CellTableModel *table() const { return &m_table; }
    // The catalogue and the areas, for the windows that edit them; an edit
    // through these pointers is reported with catalogueChanged() or
    // areasChanged() by whoever made it.
    StatisticCatalogue *mutableCatalogue() { return &m_catalogue; }
    const StatisticCatalogue &catalogue() const { return m_catalogue; }
    AreaCollection *mutableAreas() { return &m_areas; }
    const AreaCollection &areas() const { return m_areas; }

    // The variables in the user's order, each with its modalities.
    const QList<Variable> &variables() const { return m_variables; }
    void setVariables(const QList<Variable> &variables);
    void addVariable(const Variable &variable);
    void removeVariable(int row);
    void moveVariable(int row, int target);
    void setModalities(int row, const QList<Modality> &modalities);

    // The statistic names in the user's order; a document may list one twice.
    const QStringList &statisticNames() const { return m_statisticNames; }
    // Replaces the catalogue; a repeated name keeps its later definition and
    // is listed twice.
    void setStatistics(const QList<Command> &commands);
    void addStatistic(const Command &command);
    // The definition of a listed name changes; the name stays.
    void editStatistic(const QString &name, const Command &command);
    // Every entry of the name goes, and every cell computing it is emptied.
    void removeStatistic(const QString &name);

    // Areas by name; removing one takes it from every cell too.
    void addArea(const Area &area);
    void setAreaCondition(const QString &name, const QString &condition);
    void removeArea(const QString &name);

    const QString &stataDatasetFileName() const { return m_stataDatasetFileName; }
    void setStataDatasetFileName(const QString &fileName);
    const QString &outputFileName() const { return m_outputFileName; }
    void setOutputFileName(const QString &fileName);

    Document toDocument() const;
    // Replaces everything by the document's. False, with nothing changed,
    // for a grid larger than the model holds.
    bool setDocument(const Document &document);
    // A new document: void grid of that size, no variables or statistics;
    // the areas and the run's file names stay.
    bool newDocument(int rows, int columns);

signals:
    void changed();
    void areasChanged();
    void catalogueChanged();
    void variablesChanged();

private:
    CellTableModel m_table;
    QList<Variable> m_variables;
    StatisticCatalogue m_catalogue;
    QStringList m_statisticNames;
    AreaCollection m_areas;
    QString m_stataDatasetFileName;
    QString m_outputFileName;
};
