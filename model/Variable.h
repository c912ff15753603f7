#pragma once

#include "model/Modality.h"

#include <QDomDocument>
#include <QDomElement>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QXmlStreamAttributes>

// A Stata variable with its label, its storage type (as found in an imported
// dataset, 0 when typed in by hand) and its ordered modalities.
class Variable
{
public:
    Variable() = default;
    Variable(const QString &name, const QString &label, quint8 varType);
    // Reads name, label and type; the modalities are added by the caller.
    explicit Variable(const QXmlStreamAttributes &attributes);

    const QString &name() const { return m_name; }
    const QString &label() const { return m_label; }
    quint8 varType() const { return m_varType; }
    const QList<Modality> &modalities() const { return m_modalities; }

    void setName(const QString &name) { m_name = name; }
    void setLabel(const QString &label) { m_label = label; }
    void setVarType(quint8 varType) { m_varType = varType; }
    void setModalities(const QList<Modality> &modalities) { m_modalities = modalities; }
    void appendModality(const Modality &modality) { m_modalities.append(modality); }

    QDomElement toXml(QDomDocument &document) const;

private:
    QString m_name;
    QString m_label;
    quint8 m_varType = 0;
    QList<Modality> m_modalities;
};

Q_DECLARE_METATYPE(Variable)
