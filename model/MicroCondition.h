#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QString>
#include <QXmlStreamAttributes>

class Modality;

// One term of a condition: the variable equals the value.
class MicroCondition
{
public:
    MicroCondition() = default;
    MicroCondition(const QString &value, const QString &valueLabel, const QString &varName,
                   const QString &varLabel);
    explicit MicroCondition(const Modality &modality);
    explicit MicroCondition(const QXmlStreamAttributes &attributes);

    const QString &value() const { return m_value; }
    const QString &valueLabel() const { return m_valueLabel; }
    const QString &varName() const { return m_varName; }
    const QString &varLabel() const { return m_varLabel; }

    QDomElement toXml(QDomDocument &document) const;

private:
    QString m_value;
    QString m_valueLabel;
    QString m_varName;
    QString m_varLabel;
};
