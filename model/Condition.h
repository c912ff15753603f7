#pragma once

#include "model/MicroCondition.h"

#include <QDomDocument>
#include <QDomElement>
#include <QList>
#include <QString>

// An ordered list of alternative terms, joined with Stata's or-operator when
// written into a do-file.
class Condition
{
public:
    Condition() = default;

    const QList<MicroCondition> &terms() const { return m_terms; }
    bool isEmpty() const { return m_terms.isEmpty(); }
    int count() const { return int(m_terms.size()); }
    void append(const MicroCondition &term) { m_terms.append(term); }
    void clear() { m_terms.clear(); }

    // The value labels of the terms, in order, joined by " | ".
    QString label() const;

    QDomElement toXml(QDomDocument &document) const;

private:
    QList<MicroCondition> m_terms;
};
