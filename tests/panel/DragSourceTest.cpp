#include "DataRows.h"
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

void moveWithButtons(QTreeWidget *list, const QPoint &position, Qt::MouseButtons buttons)
{
    QMouseEvent event(QEvent::MouseMove, position, list->viewport()->mapToGlobal(position),
                      Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &event);
}

// Presses on a row and moves the given way with the buttons held. Gives the
// drag the list started, if any: the drag manager deletes it only once the
// event loop runs again, after the drop has been handled.
QDrag *dragFrom(QTreeWidget *list, int row, const QPoint &by,
                Qt::MouseButtons buttons = Qt::LeftButton)
{
    const QPoint press = list->visualItemRect(list->topLevelItem(row)).center();
    QTest::mousePress(list->viewport(), Qt::LeftButton, Qt::NoModifier, press);
    moveWithButtons(list, press + by, buttons);
    return list->findChild<QDrag *>(QString(), Qt::FindDirectChildrenOnly);
}

// A statistic payload as "statistic variable label"; a modality payload as
// "value=label variable:label" per term, joined by ", ".
QString describe(const QMimeData *data)
{
    if (const auto *payload = qobject_cast<const StatisticMimeData *>(data))
        return QStringList{payload->statisticName(), payload->variableName(),
                           payload->variableLabel()}
            .join(' ');
    QStringList terms;
    if (const auto *payload = qobject_cast<const MicroConditionListMimeData *>(data)) {
        for (const MicroCondition &term : payload->microConditions())
            terms.append(term.value() + '=' + term.valueLabel() + ' ' + term.varName() + ':' +
                         term.varLabel());
    }
    return terms.join(QStringLiteral(", "));
}

} // namespace

class DragSourceTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_variables = std::make_unique<VariableListWidget>();
        m_modalities = std::make_unique<ModalityListWidget>();
        auto *income = new QTreeWidgetItem(m_variables.get(), {"income", "Monthly income"});
        income->setData(0, Qt::UserRole,
                        QVariant::fromValue(Variable("income", "Monthly income", 0)));
        for (const auto &[value, label] :
             {std::pair{"1", "Male"}, {"2", "Female"}, {"3", "Other"}}) {
            auto *item = new QTreeWidgetItem(m_modalities.get(), {value, label});
            item->setData(0, Qt::UserRole,
                          QVariant::fromValue(Modality(value, label, "sex", "Sex")));
        }
        for (QTreeWidget *list : {static_cast<QTreeWidget *>(m_variables.get()),
                                  static_cast<QTreeWidget *>(m_modalities.get())}) {
            list->setColumnCount(2);
            list->show();
            QVERIFY(QTest::qWaitForWindowExposed(list));
        }
    }

    void cleanup()
    {
        m_variables.reset();
        m_modalities.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The chosen statistic, possibly none yet, with the current variable; the
    // selected modalities in the order of selection. Nothing without a row.
    void payloads()
    {
        m_variables->setCurrentItem(m_variables->topLevelItem(0));
        const std::unique_ptr<StatisticMimeData> statistic = m_variables->createStatisticMimeData();
        QCOMPARE(describe(statistic.get()), QStringLiteral(" income Monthly income"));
        QVERIFY(statistic->formats().isEmpty());
        m_variables->setCurrentStatistic(QStringLiteral("mean"));
        m_variables->setCurrentItem(nullptr);
        QVERIFY(!m_variables->createStatisticMimeData());

        m_modalities->topLevelItem(2)->setSelected(true);
        m_modalities->topLevelItem(0)->setSelected(true);
        const auto terms = m_modalities->createMicroConditionListMimeData();
        QCOMPARE(describe(terms.get()), QStringLiteral("3=Other sex:Sex, 1=Male sex:Sex"));
        QVERIFY(terms->formats().isEmpty());
        m_modalities->setCurrentItem(m_modalities->topLevelItem(0));
        m_modalities->clearSelection();
        QVERIFY(!m_modalities->createMicroConditionListMimeData());
    }

    // A drag starts at the start drag distance (a Manhattan length, split
    // between the axes here) and only with the left button held. It offers
    // a copy of the payload.
    void drags_data()
    {
        QTest::addColumn<bool>("modalityList");
        QTest::addColumn<int>("extraDistance");
        QTest::addColumn<Qt::MouseButtons>("buttons");
        QTest::addColumn<QString>("payload");
        const Qt::MouseButtons left = Qt::LeftButton;
        const char *variable = "median income Monthly income";
        dataRow("variables, one short", false, -1, left, "");
        dataRow("variables, exactly", false, 0, left, variable);
        dataRow("modalities, one short", true, -1, left, "");
        dataRow("modalities, exactly", true, 0, left, "1=Male sex:Sex");
        dataRow("right button, far", false, 10, Qt::MouseButtons(Qt::RightButton), "");
        dataRow("left and right buttons, far", false, 10, Qt::LeftButton | Qt::RightButton,
                variable);
    }

    void drags()
    {
        QFETCH(bool, modalityList);
        QFETCH(int, extraDistance);
        QFETCH(Qt::MouseButtons, buttons);
        QFETCH(QString, payload);
        QTreeWidget *list =
            modalityList ? static_cast<QTreeWidget *>(m_modalities.get()) : m_variables.get();
        m_variables->setCurrentStatistic(QStringLiteral("median"));
        const int distance = QApplication::startDragDistance() + extraDistance;
        const QDrag *drag =
            dragFrom(list, 0, QPoint(distance / 2, distance - distance / 2), buttons);
        QVERIFY(!list->selectedItems().isEmpty());
        QCOMPARE(drag != nullptr, !payload.isEmpty());
        if (drag) {
            QCOMPARE(drag->source(), list);
            QCOMPARE(drag->supportedActions(), Qt::CopyAction);
            QCOMPARE(describe(drag->mimeData()), payload);
        }
    }

    // Pressing on a selected row keeps the selection for the drag.
    void dragOfSelectedModalities()
    {
        m_modalities->selectAll();
        const QDrag *drag =
            dragFrom(m_modalities.get(), 1, QPoint(0, QApplication::startDragDistance()));
        QVERIFY(drag);
        QCOMPARE(describe(drag->mimeData()),
                 QStringLiteral("1=Male sex:Sex, 2=Female sex:Sex, 3=Other sex:Sex"));
    }

    void draggingDoesNotExtendTheSelection()
    {
        const int rowHeight = m_modalities->visualItemRect(m_modalities->topLevelItem(0)).height();
        dragFrom(m_modalities.get(), 0, QPoint(0, 2 * rowHeight));
        QCOMPARE(m_modalities->selectedItems(), {m_modalities->topLevelItem(0)});
    }

private:
    std::unique_ptr<VariableListWidget> m_variables;
    std::unique_ptr<ModalityListWidget> m_modalities;
};

QTEST_MAIN(DragSourceTest)
#include "DragSourceTest.moc"
