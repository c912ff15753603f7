#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QExplicitlySharedDataPointer>
#include <QMetaType>
#include <QSharedData>
#include <QString>
#include <QXmlStreamAttributes>

// One value of a variable with its value label. The owning variable's name and
// label travel with it, so that a modality can stand alone once dragged away;
// the modalities of one variable share them, since a dataset may bring a
// hundred thousand modalities at once.
class Modality
{
public:
    Modality() = default;
    Modality(const QString &value, const QString &valueLabel, const QString &varName,
             const QString &varLabel);
    // Reads value and value label; the variable's name and label are given.
    Modality(const QXmlStreamAttributes &attributes, const QString &varName,
             const QString &varLabel);

    // Another modality of the same variable.
    Modality sibling(QString value, QString valueLabel) const;
    Modality sibling(const QXmlStreamAttributes &attributes) const;

    const QString &value() const { return m_value; }
    const QString &valueLabel() const { return m_valueLabel; }
    const QString &varName() const;
    const QString &varLabel() const;

    QDomElement toXml(QDomDocument &document) const;

private:
    struct VariableNames : QSharedData
    {
        VariableNames(const QString &name, const QString &label)
            : name(name)
            , label(label)
        {}
        QString name;
        QString label;
    };

    Modality(QString value, QString valueLabel,
             QExplicitlySharedDataPointer<const VariableNames> variable);

    QString m_value;
    QString m_valueLabel;
    QExplicitlySharedDataPointer<const VariableNames> m_variable;
};

Q_DECLARE_TYPEINFO(Modality, Q_RELOCATABLE_TYPE);
Q_DECLARE_METATYPE(Modality)
