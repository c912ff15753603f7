#include "model/DocumentModel.h"

#include "CellBuilders.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

// Every change a document file keeps is reported with changed() and its
// part's signal, for the window's modified marker and the panels to follow;
// changes of look and edits that change nothing are not reported.
namespace {

using Change = std::function<void(DocumentModel &)>;

void fill(DocumentModel &document)
{
    Variable sex("sesso", "Sesso", 251);
    sex.appendModality(Modality("1", "Maschio", "sesso", "Sesso"));
    document.setVariables({sex, Variable("eta", "Età", 252)});
    document.setStatistics(
        {Command("mean", "summarize #var #if", "r(mean)", Command::ResultType::Scalar, 1, 1)});
    document.addArea(Area("nord", "rip<=2"));
    document.setStataDatasetFileName(QStringLiteral("in.dta"));
    document.setOutputFileName(QStringLiteral("out.csv"));
}

} // namespace

Q_DECLARE_METATYPE(Change)

class DocumentModelTest : public QObject
{
    Q_OBJECT

private slots:
    void everyChangeIsReported_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("part"); // the part's own signal, if it has one
        const auto row = [](const char *part, const char *name, const Change &change) {
            QTest::newRow(name) << change << QString::fromLatin1(part);
        };
        using D = DocumentModel;
        static const Command sd("sd", "summarize #var", "r(sd)", Command::ResultType::Matrix, 1, 1);
        row("", "cell", [](D &d) {
            d.table()->setContents({{1, 1, CellBuilders::textCell("x")}});
        });
        row("", "row height", [](D &d) { d.table()->setLineSize(Qt::Vertical, 2, 61); });
        row("", "column width", [](D &d) { d.table()->setLineSize(Qt::Horizontal, 1, 133); });
        row("", "rows inserted", [](D &d) { d.table()->insertLines(Qt::Vertical, 0, 2); });
        row("", "column removed", [](D &d) { d.table()->removeLines(Qt::Horizontal, {3}); });
        row("", "grid cleared", [](D &d) { d.table()->reset(50, 15); });
        row("variables", "variables replaced", [](D &d) { d.setVariables({}); });
        row("variables", "variable added", [](D &d) { d.addVariable(Variable("peso", "", 0)); });
        row("variables", "variable removed", [](D &d) { d.removeVariable(1); });
        row("variables", "variable moved", [](D &d) { d.moveVariable(0, 1); });
        row("variables", "modalities", [](D &d) { d.setModalities(0, {}); });
        row("catalogue", "statistics replaced", [](D &d) { d.setStatistics({}); });
        row("catalogue", "statistic added", [](D &d) { d.addStatistic(sd); });
        row("catalogue", "statistic edited", [](D &d) { d.editStatistic("mean", sd); });
        row("catalogue", "statistic removed", [](D &d) { d.removeStatistic("mean"); });
        row("areas", "area added", [](D &d) { d.addArea(Area("sud", "rip>3")); });
        row("areas", "area condition", [](D &d) { d.setAreaCondition("nord", "rip<3"); });
        row("areas", "area removed", [](D &d) { d.removeArea("nord"); });
        row("", "dataset name", [](D &d) { d.setStataDatasetFileName("other.dta"); });
        row("", "output name", [](D &d) { d.setOutputFileName("other.csv"); });
        row("variables", "new document", [](D &d) { d.newDocument(3, 3); });
        row("areas", "document replaced", [](D &d) { d.setDocument(Document()); });
    }

    void everyChangeIsReported()
    {
        QFETCH(Change, change);
        QFETCH(QString, part);
        DocumentModel document;
        fill(document);
        static const QMap<QString, void (DocumentModel::*)()> partSignals = {
            {"", &DocumentModel::changed},
            {"variables", &DocumentModel::variablesChanged},
            {"catalogue", &DocumentModel::catalogueChanged},
            {"areas", &DocumentModel::areasChanged}};
        QSignalSpy changed(&document, &DocumentModel::changed);
        QSignalSpy partChanged(&document, partSignals.value(part));
        change(document);
        QVERIFY(changed.count() >= 1);
        QVERIFY(partChanged.count() >= 1);
    }

    void lookAndNoOpsAreNotReported()
    {
        DocumentModel document;
        fill(document);
        QSignalSpy changed(&document, &DocumentModel::changed);
        CellContent view;
        view.setStatisticFormatView(CellContent::StatisticFormatView::OnlyStatisticName);
        document.table()->setContents({{0, 0, view}}, CellTableModel::EditKind::View);
        document.table()->setContents({{999, 0, CellBuilders::textCell("outside")}});
        document.table()->setLineSize(Qt::Vertical, 0, document.table()->lineSize(Qt::Vertical, 0));
        document.moveVariable(0, 0);
        document.removeVariable(5);
        document.setAreaCondition("nord", "rip<=2");
        document.setStataDatasetFileName(QStringLiteral("in.dta"));
        document.setOutputFileName(QStringLiteral("out.csv"));
        QCOMPARE(changed.count(), 0);
    }
};

QTEST_GUILESS_MAIN(DocumentModelTest)
#include "DocumentModelTest.moc"
