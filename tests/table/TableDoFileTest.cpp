#include "ContentBuilders.h"
#include "table/Cell.h"
#include "table/TableWidget.h"

#include <QFile>
#include <QTest>

using namespace TableTest;

class TableDoFileTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void workedExampleFromTheGrid();
    void modelIsASnapshot();
    void areasAndUnknownStatistics();

private:
    StatisticCatalogue m_catalogue;
    AreaCollection m_areas;
    TableWidget *m_table = nullptr;
};

void TableDoFileTest::init()
{
    m_catalogue.clear();
    m_catalogue.insert("mean", Command("mean", "summarize #var #if", "r(mean)", T::Scalar, 1, 1));
    m_areas.clear();
    m_table = new TableWidget(&m_catalogue, &m_areas);
    QVERIFY(m_table->newTable(2, 2));
    m_table->setStataDatasetFileName(QStringLiteral("C:/Data/indagine.dta"));
    m_table->cell(0, 0)->setSimpleText(QStringLiteral("Ripartizione"));
    m_table->cell(0, 1)->addMicroCondition(modality("1", "Maschio", "sesso", "Sesso"));
    m_table->cell(1, 0)->addMicroCondition(modality("1", "Nord", "ripartizione", "Rip"));
    m_table->cell(1, 0)->addMicroCondition(modality("2", "Centro", "ripartizione", "Rip"));
    m_table->cell(1, 1)->setStatistic(statistic("mean", "eta", "Età", "%9.2f"));
}

void TableDoFileTest::cleanup()
{
    delete m_table;
}

void TableDoFileTest::workedExampleFromTheGrid()
{
    QFile golden(QStringLiteral(QUORIN_SOURCE_DIR "/tests/data/dofile/workedExample.do"));
    QVERIFY(golden.open(QIODevice::ReadOnly));
    const DoFileModel model = m_table->buildDoFileModel();
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.toString(true, true, "C:/Data/tabella.csv").toUtf8(), golden.readAll());
    QCOMPARE(model.entries().at(3).mainCommand, m_table->finalCommand(1, 1));
}

void TableDoFileTest::modelIsASnapshot()
{
    const DoFileModel model = m_table->buildDoFileModel();
    const QString before = model.toString(true, true, QString());
    m_table->cell(0, 0)->setSimpleText(QStringLiteral("Area"));
    m_table->setStataDatasetFileName(QStringLiteral("other.dta"));
    QCOMPARE(model.toString(true, true, QString()), before);
    const QString after = m_table->buildDoFileModel().toString(true, true, QString());
    QVERIFY(after.startsWith("use \"other.dta\"\n"));
    QVERIFY(after.contains("\nlocal t_1_1 \"Area\"\n"));
}

void TableDoFileTest::areasAndUnknownStatistics()
{
    m_areas.insert(Area("nord", "ripartizione<=2"));
    m_table->cell(1, 1)->setArea(QStringLiteral("nord"));
    m_table->cell(0, 0)->setStatistic(statistic("gone", "eta"));
    const DoFileModel model = m_table->buildDoFileModel();
    QCOMPARE(model.entries().at(0).macroCommand, QStringLiteral("local t_1_1 \"\""));
    QCOMPARE(model.entries().at(3).mainCommand,
             QStringLiteral("summarize eta if (ripartizione<=2)"));
}

QTEST_MAIN(TableDoFileTest)
#include "TableDoFileTest.moc"
