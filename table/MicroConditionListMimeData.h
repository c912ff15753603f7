#pragma once

#include "model/MicroCondition.h"

#include <QList>
#include <QMimeData>

// The payload of a drag from the modality list: one micro-condition per
// selected modality, in selection order. In-process only, no MIME format.
class MicroConditionListMimeData : public QMimeData
{
    Q_OBJECT

public:
    MicroConditionListMimeData() = default;

    const QList<MicroCondition> &microConditions() const { return m_microConditions; }
    void append(const MicroCondition &microCondition) { m_microConditions.append(microCondition); }

private:
    QList<MicroCondition> m_microConditions;
};
