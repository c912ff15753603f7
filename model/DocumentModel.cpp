#include "model/DocumentModel.h"

DocumentModel::DocumentModel(QObject *parent)
    : QObject(parent)
{
    m_table.reset(50, 15);
    connect(&m_table, &CellTableModel::contentChanged, this, &DocumentModel::changed);
    connect(this, &DocumentModel::areasChanged, this, &DocumentModel::changed);
    connect(this, &DocumentModel::catalogueChanged, this, &DocumentModel::changed);
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
    return document;
}

bool DocumentModel::setDocument(const Document &document)
{
    if (!m_table.reset(document.cells, document.rowHeights, document.columnWidths))
        return false;
    m_stataDatasetFileName = document.stataDatasetFileName;
    m_outputFileName = document.outputFileName;
    m_catalogue = document.catalogue();
    m_areas = document.areas;
    emit catalogueChanged();
    emit areasChanged();
    return true;
}
