#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QMetaType>
#include <QString>
#include <QXmlStreamAttributes>

// One value of a variable with its value label. The owning variable's name and
// label are copied in so that a modality can stand alone once dragged away.
class Modality
{
public:
    Modality() = default;
    Modality(const QString &value, const QString &valueLabel, const QString &varName,
             const QString &varLabel);
    // Reads value and value label; the variable's name and label are given.
    Modality(const QXmlStreamAttributes &attributes, const QString &varName,
             const QString &varLabel);

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

Q_DECLARE_TYPEINFO(Modality, Q_RELOCATABLE_TYPE);
Q_DECLARE_METATYPE(Modality)
