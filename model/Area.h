#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QString>
#include <QXmlStreamAttributes>

// A named restriction of the sample: a Stata if-expression kept as typed.
class Area
{
public:
    Area() = default;
    Area(const QString &name, const QString &condition);
    explicit Area(const QXmlStreamAttributes &attributes);

    const QString &name() const { return m_name; }
    const QString &condition() const { return m_condition; }

    QDomElement toXml(QDomDocument &document) const;

    bool operator==(const Area &other) const
    {
        return m_name == other.m_name && m_condition == other.m_condition;
    }
    bool operator!=(const Area &other) const { return !(*this == other); }

private:
    QString m_name;
    QString m_condition;
};
