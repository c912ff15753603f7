#pragma once

#include "table/TableWidget.h"

#include <QStringList>

#include <utility>

// Records the grid's twelve selection signals in the order they come, each
// as "name" or "name(argument)".
class SignalRecorder
{
public:
    explicit SignalRecorder(TableWidget *table)
    {
#define QUORIN_RECORD(signal) connect(table, &TableWidget::signal, #signal)
        QUORIN_RECORD(nothingSelected);
        QUORIN_RECORD(cellsWithSameFormatSelected);
        QUORIN_RECORD(cellsWithDifferentFormatSelected);
        QUORIN_RECORD(allNotStatisticCellsSelected);
        QUORIN_RECORD(allCellsWithSameAndNotVoidAreaSelected);
        QUORIN_RECORD(cellsWithDifferentOrVoidAreaSelected);
        QUORIN_RECORD(allCellsWithSameStatisticSelected);
        QUORIN_RECORD(notAllCellsWithSameStatisticSelected);
        QUORIN_RECORD(notSingleCellWithStatisticOrConditionSelected);
        QUORIN_RECORD(singleCellWithStatisticSelected);
        QUORIN_RECORD(singleCellWithConditionSelected);
        QUORIN_RECORD(singleCellWithSimpleTextSelected);
#undef QUORIN_RECORD
    }

    // The signals recorded since the last call.
    QStringList take()
    {
        return std::exchange(m_recorded, {});
    }

private:
    template <typename... Arguments>
    void connect(TableWidget *table, void (TableWidget::*signal)(Arguments...), const char *name)
    {
        const QString signalName = QString::fromLatin1(name);
        QObject::connect(table, signal, &m_context, [this, signalName](const auto &...arguments) {
            QStringList texts{arguments...};
            m_recorded.append(texts.isEmpty() ? signalName
                                              : signalName + '(' + texts.join(',') + ')');
        });
    }

    // Ends the connections with the recorder.
    QObject m_context;
    QStringList m_recorded;
};
