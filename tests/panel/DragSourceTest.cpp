#include "model/Modality.h"
#include "model/Variable.h"
#include "table/MicroConditionListMimeData.h"
#include "table/ModalityListWidget.h"
#include "table/StatisticMimeData.h"
#include "table/VariableListWidget.h"

#include <QApplication>
#include <QDrag>
#include <QMouseEvent>
#include <QTest>

namespace {

QTreeWidgetItem *addVariable(QTreeWidget *list, const QString &name, const QString &label)
{
    auto *item = new QTreeWidgetItem(list, {name, label});
    item->setData(0, Qt::UserRole, QVariant::fromValue(Variable(name, label, 0)));
    return item;
}

QTreeWidgetItem *addModality(QTreeWidget *list, const QString &value, const QString &valueLabel)
{
    auto *item = new QTreeWidgetItem(list, {value, valueLabel});
    const Modality modality(value, valueLabel, QStringLiteral("sex"), QStringLiteral("Sex"));
    item->setData(0, Qt::UserRole, QVariant::fromValue(modality));
    return item;
}

QPoint centreOf(const QTreeWidget *list, const QTreeWidgetItem *item)
{
    return list->visualItemRect(item).center();
}

void pressLeft(QTreeWidget *list, const QPoint &position)
{
    QTest::mousePress(list->viewport(), Qt::LeftButton, Qt::NoModifier, position);
}

void moveWithButtons(QTreeWidget *list, const QPoint &position, Qt::MouseButtons buttons)
{
    QMouseEvent event(QEvent::MouseMove, position, list->viewport()->mapToGlobal(position),
                      Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &event);
}

// The drag a list started, if any: the drag manager deletes it only once the
// event loop runs again, after the drop has been handled.
QDrag *startedDrag(const QTreeWidget *list)
{
    return list->findChild<QDrag *>(QString(), Qt::FindDirectChildrenOnly);
}

void forgetFinishedDrags()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A statistic payload as "statistic variable label".
QString describe(const StatisticMimeData *payload)
{
    return payload ? QStringList{payload->statisticName(), payload->variableName(),
                                 payload->variableLabel()}
                         .join(QLatin1Char(' '))
                   : QStringLiteral("none");
}

QStringList valuesOf(const MicroConditionListMimeData *payload)
{
    QStringList values;
    for (const MicroCondition &microCondition : payload->microConditions())
        values.append(microCondition.value());
    return values;
}

// Presses on a row and moves the given way with the left button held.
QDrag *dragFrom(QTreeWidget *list, int row, const QPoint &by)
{
    const QPoint press = centreOf(list, list->topLevelItem(row));
    pressLeft(list, press);
    moveWithButtons(list, press + by, Qt::LeftButton);
    return startedDrag(list);
}

} // namespace

class DragSourceTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void variablePayload();
    void modalityPayloadCarriesTheSelection();
    void payloadsNeedARow();
    void dragNeedsTheStartDragDistance_data();
    void dragNeedsTheStartDragDistance();
    void dragNeedsTheLeftButton();
    void variableDragCarriesItsPayload();
    void pressOnASelectedRowKeepsTheSelectionForTheDrag();
    void draggingDoesNotExtendTheSelection();

private:
    VariableListWidget *m_variables = nullptr;
    ModalityListWidget *m_modalities = nullptr;
};

void DragSourceTest::init()
{
    m_variables = new VariableListWidget;
    m_variables->setObjectName(QStringLiteral("variableListWidget"));
    m_variables->setColumnCount(2);
    addVariable(m_variables, QStringLiteral("income"), QStringLiteral("Monthly income"));
    addVariable(m_variables, QStringLiteral("age"), QStringLiteral("Age in years"));
    m_modalities = new ModalityListWidget;
    m_modalities->setObjectName(QStringLiteral("modalityListWidget"));
    m_modalities->setColumnCount(2);
    addModality(m_modalities, QStringLiteral("1"), QStringLiteral("Male"));
    addModality(m_modalities, QStringLiteral("2"), QStringLiteral("Female"));
    addModality(m_modalities, QStringLiteral("3"), QStringLiteral("Other"));
    m_variables->show();
    m_modalities->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_variables));
    QVERIFY(QTest::qWaitForWindowExposed(m_modalities));
}

void DragSourceTest::cleanup()
{
    delete m_variables;
    delete m_modalities;
    forgetFinishedDrags();
}

// The chosen statistic, possibly none yet, with the current variable.
void DragSourceTest::variablePayload()
{
    m_variables->setCurrentItem(m_variables->topLevelItem(0));
    QCOMPARE(describe(m_variables->createStatisticMimeData().get()),
             QStringLiteral(" income Monthly income"));
    m_variables->setCurrentStatistic(QStringLiteral("mean"));
    m_variables->setCurrentItem(m_variables->topLevelItem(1));
    const std::unique_ptr<StatisticMimeData> payload = m_variables->createStatisticMimeData();
    QCOMPARE(describe(payload.get()), QStringLiteral("mean age Age in years"));
    QVERIFY(payload->formats().isEmpty());
}

void DragSourceTest::modalityPayloadCarriesTheSelection()
{
    m_modalities->topLevelItem(2)->setSelected(true);
    m_modalities->topLevelItem(0)->setSelected(true);
    const std::unique_ptr<MicroConditionListMimeData> payload =
        m_modalities->createMicroConditionListMimeData();
    // In the order selectedItems() gives: the order of selection.
    QCOMPARE(valuesOf(payload.get()), (QStringList{"3", "1"}));
    const MicroCondition &first = payload->microConditions().at(0);
    QCOMPARE(first.valueLabel(), QStringLiteral("Other"));
    QCOMPARE(first.varName(), QStringLiteral("sex"));
    QCOMPARE(first.varLabel(), QStringLiteral("Sex"));
    QVERIFY(payload->formats().isEmpty());
}

void DragSourceTest::payloadsNeedARow()
{
    m_variables->setCurrentStatistic(QStringLiteral("mean"));
    m_variables->setCurrentItem(nullptr);
    QVERIFY(!m_variables->createStatisticMimeData());
    m_modalities->setCurrentItem(m_modalities->topLevelItem(0));
    m_modalities->clearSelection();
    QVERIFY(!m_modalities->createMicroConditionListMimeData());
}

void DragSourceTest::dragNeedsTheStartDragDistance_data()
{
    QTest::addColumn<bool>("modalityList");
    QTest::addColumn<int>("extraDistance");
    QTest::newRow("variables, one short") << false << -1;
    QTest::newRow("variables, exactly") << false << 0;
    QTest::newRow("modalities, one short") << true << -1;
    QTest::newRow("modalities, exactly") << true << 0;
}

void DragSourceTest::dragNeedsTheStartDragDistance()
{
    QFETCH(bool, modalityList);
    QFETCH(int, extraDistance);
    QTreeWidget *list = modalityList ? static_cast<QTreeWidget *>(m_modalities) : m_variables;
    m_variables->setCurrentStatistic(QStringLiteral("mean"));
    // Split between the axes: the distance is measured as a Manhattan length.
    const int distance = QApplication::startDragDistance() + extraDistance;
    const QDrag *drag = dragFrom(list, 0, QPoint(distance / 2, distance - distance / 2));
    QVERIFY(!list->selectedItems().isEmpty());
    QCOMPARE(drag != nullptr, extraDistance == 0);
}

void DragSourceTest::dragNeedsTheLeftButton()
{
    const QPoint press = centreOf(m_variables, m_variables->topLevelItem(0));
    pressLeft(m_variables, press);
    const QPoint far(0, QApplication::startDragDistance() * 2);
    moveWithButtons(m_variables, press + far, Qt::RightButton);
    QVERIFY(!startedDrag(m_variables));
    moveWithButtons(m_variables, press + far, Qt::LeftButton | Qt::RightButton);
    QVERIFY(startedDrag(m_variables));
}

void DragSourceTest::variableDragCarriesItsPayload()
{
    m_variables->setCurrentStatistic(QStringLiteral("median"));
    const QDrag *drag = dragFrom(m_variables, 1, QPoint(QApplication::startDragDistance(), 0));
    QVERIFY(drag);
    QCOMPARE(drag->source(), m_variables);
    QCOMPARE(drag->supportedActions(), Qt::CopyAction);
    QCOMPARE(describe(qobject_cast<const StatisticMimeData *>(drag->mimeData())),
             QStringLiteral("median age Age in years"));
}

void DragSourceTest::pressOnASelectedRowKeepsTheSelectionForTheDrag()
{
    m_modalities->selectAll();
    const QDrag *drag = dragFrom(m_modalities, 1, QPoint(0, QApplication::startDragDistance()));
    QVERIFY(drag);
    QCOMPARE(drag->source(), m_modalities);
    QCOMPARE(drag->supportedActions(), Qt::CopyAction);
    const auto *payload = qobject_cast<const MicroConditionListMimeData *>(drag->mimeData());
    QVERIFY(payload);
    QCOMPARE(valuesOf(payload), (QStringList{"1", "2", "3"}));
}

void DragSourceTest::draggingDoesNotExtendTheSelection()
{
    pressLeft(m_modalities, centreOf(m_modalities, m_modalities->topLevelItem(0)));
    moveWithButtons(m_modalities, centreOf(m_modalities, m_modalities->topLevelItem(2)),
                    Qt::LeftButton);
    QCOMPARE(m_modalities->selectedItems(),
             QList<QTreeWidgetItem *>{m_modalities->topLevelItem(0)});
}

QTEST_MAIN(DragSourceTest)
#include "DragSourceTest.moc"
