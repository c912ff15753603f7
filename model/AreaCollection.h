#pragma once

#include "model/Area.h"

#include <QDomDocument>
#include <QDomElement>
#include <QMap>
#include <QStringList>

// The document's areas by name. Names sort by UTF-16 code unit, so capitals
// come before small letters.
class AreaCollection
{
public:
    AreaCollection() = default;

    QDomElement toXml(QDomDocument &document) const;

    // The area of that name, or an area with empty name and condition.
    Area area(const QString &name) const { return m_areas.value(name); }
    bool contains(const QString &name) const { return m_areas.contains(name); }
    void insert(const Area &area) { m_areas.insert(area.name(), area); }
    void remove(const QString &name) { m_areas.remove(name); }
    void clear() { m_areas.clear(); }

    QStringList names() const { return m_areas.keys(); }
    QList<Area> areas() const { return m_areas.values(); }
    bool isEmpty() const { return m_areas.isEmpty(); }
    int count() const { return int(m_areas.size()); }

    bool operator==(const AreaCollection &other) const { return m_areas == other.m_areas; }
    bool operator!=(const AreaCollection &other) const { return !(*this == other); }

private:
    QMap<QString, Area> m_areas;
};
