#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QString>
#include <QXmlStreamAttributes>

// One statistic definition: a Stata command template with the placeholders
// #var and #if, and the stored result to pick up after it has run.
class Command
{
public:
    // How the stored result is read back from Stata.
    enum class ResultType { Scalar = 0, Macro = 1, Matrix = 2 };

    Command() = default;
    Command(const QString &name, const QString &format, const QString &result,
            ResultType resultType, int resultMatrixRow, int resultMatrixColumn);
    // Reads a "command" element. A result type text other than "scalar",
    // "macro" or "matrix" reads as scalar, the type a new statistic starts with.
    explicit Command(const QXmlStreamAttributes &attributes);

    const QString &name() const { return m_name; }
    const QString &format() const { return m_format; }
    const QString &result() const { return m_result; }
    ResultType resultType() const { return m_resultType; }
    int resultMatrixRow() const { return m_resultMatrixRow; }
    int resultMatrixColumn() const { return m_resultMatrixColumn; }

    QDomElement toXml(QDomDocument &document) const;

    static QString resultTypeName(ResultType type);

private:
    QString m_name;
    QString m_format;
    QString m_result;
    ResultType m_resultType = ResultType::Scalar;
    // Stata counts matrix rows and columns from 1.
    int m_resultMatrixRow = 1;
    int m_resultMatrixColumn = 1;
};
