#pragma once

#include "table/TableWidget.h"

#include <QStringList>

// Records the grid's twelve selection signals in the order they come, each
// as "name" or "name(argument)".
class SignalRecorder
{
public:
    explicit SignalRecorder(TableWidget *table)
    {
        connect(table, &TableWidget::nothingSelected, "nothingSelected");
        connect(table, &TableWidget::cellsWithSameFormatSelected, "cellsWithSameFormatSelected");
        connect(table, &TableWidget::cellsWithDifferentFormatSelected,
                "cellsWithDifferentFormatSelected");
        connect(table, &TableWidget::allNotStatisticCellsSelected, "allNotStatisticCellsSelected");
        connect(table, &TableWidget::allCellsWithSameAndNotVoidAreaSelected,
                "allCellsWithSameAndNotVoidAreaSelected");
        connect(table, &TableWidget::cellsWithDifferentOrVoidAreaSelected,
                "cellsWithDifferentOrVoidAreaSelected");
        connect(table, &TableWidget::allCellsWithSameStatisticSelected,
                "allCellsWithSameStatisticSelected");
        connect(table, &TableWidget::notAllCellsWithSameStatisticSelected,
                "notAllCellsWithSameStatisticSelected");
        connect(table, &TableWidget::notSingleCellWithStatisticOrConditionSelected,
                "notSingleCellWithStatisticOrConditionSelected");
        connect(table, &TableWidget::singleCellWithStatisticSelected,
                "singleCellWithStatisticSelected");
        connect(table, &TableWidget::singleCellWithConditionSelected,
                "singleCellWithConditionSelected");
        connect(table, &TableWidget::singleCellWithSimpleTextSelected,
                "singleCellWithSimpleTextSelected");
    }

    // The signals recorded since the last call.
    QStringList take()
    {
        const QStringList recorded = m_recorded;
        m_recorded.clear();
        return recorded;
    }

private:
    template <typename... Arguments>
    void connect(TableWidget *table, void (TableWidget::*signal)(Arguments...), const char *name)
    {
        const QString signalName = QString::fromLatin1(name);
        QObject::connect(table, signal, table, [this, signalName](const auto &...arguments) {
            QStringList texts{arguments...};
            m_recorded.append(texts.isEmpty() ? signalName
                                              : signalName + '(' + texts.join(',') + ')');
        });
    }

    QStringList m_recorded;
};
