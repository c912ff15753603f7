#pragma once

#include "model/AreaCollection.h"
#include "model/CellTableModel.h"
#include "model/Document.h"
#include "model/StatisticCatalogue.h"

#include <QObject>
#include <QString>

// The open document: the grid with its sizes, the statistic catalogue, the
// areas and the names of the run's dataset and output file. Windows show it
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

    const QString &stataDatasetFileName() const { return m_stataDatasetFileName; }
    void setStataDatasetFileName(const QString &fileName);
    const QString &outputFileName() const { return m_outputFileName; }
    void setOutputFileName(const QString &fileName);

    // The grid, areas and names as a document file keeps them; the variables
    // and the catalogue's order come from whoever lists them.
    Document toDocument() const;
    // Replaces grid, catalogue, areas and names by the document's. False,
    // with nothing changed, for a grid larger than the model holds.
    bool setDocument(const Document &document);

signals:
    void changed();
    void areasChanged();
    void catalogueChanged();

private:
    CellTableModel m_table;
    StatisticCatalogue m_catalogue;
    AreaCollection m_areas;
    QString m_stataDatasetFileName;
    QString m_outputFileName;
};
