#pragma once

#include "model/Modality.h"
#include "model/ModalityTexts.h"

#include <QDomDocument>
#include <QDomElement>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QXmlStreamAttributes>

// A Stata variable with its label, its storage type (as found in an imported
// dataset, 0 when typed in by hand) and its ordered modalities. The modalities
// are kept as their texts and made on demand; each carries the variable's
// name and label as they are when it is made.
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
    QList<Modality> modalities() const;
    qsizetype modalityCount() const { return m_modalityTexts.size(); }
    const ModalityTexts &modalityTexts() const { return m_modalityTexts; }

    void setName(const QString &name) { m_name = name; }
    void setLabel(const QString &label) { m_label = label; }
    void setVarType(quint8 varType) { m_varType = varType; }
    // Only the value and the value label of each modality are kept.
    void setModalities(const QList<Modality> &modalities);
    void appendModality(const Modality &modality);
    void setModalityTexts(const ModalityTexts &texts) { m_modalityTexts = texts; }

    QDomElement toXml(QDomDocument &document) const;

private:
    QString m_name;
    QString m_label;
    quint8 m_varType = 0;
    ModalityTexts m_modalityTexts;
};

Q_DECLARE_METATYPE(Variable)
