#include "model/Command.h"

#include "model/XmlAttributes.h"

namespace {

T::ResultType resultTypeFromName(const QString &name)
{
    if (name == QLatin1String("macro"))
        return T::Macro;
    if (name == QLatin1String("matrix"))
        return T::Matrix;
    return T::Scalar;
}

} // namespace

Command::Command(const QString &name, const QString &format, const QString &result,
                 T::ResultType resultType, int resultMatrixRow, int resultMatrixColumn)
    : m_name(name)
    , m_format(format)
    , m_result(result)
    , m_resultType(resultType)
    , m_resultMatrixRow(resultMatrixRow)
    , m_resultMatrixColumn(resultMatrixColumn)
{}

Command::Command(const QDomElement &element)
    : m_name(XmlAttributes::text(element, QStringLiteral("name")))
    , m_format(XmlAttributes::text(element, QStringLiteral("format")))
    , m_result(XmlAttributes::text(element, QStringLiteral("result")))
    , m_resultType(resultTypeFromName(XmlAttributes::text(element, QStringLiteral("resultType"))))
{
    if (m_resultType == T::Matrix) {
        m_resultMatrixRow = XmlAttributes::integer(element, QStringLiteral("resultMatrixRow"));
        m_resultMatrixColumn =
            XmlAttributes::integer(element, QStringLiteral("resultMatrixColumn"));
    }
}

QString Command::resultTypeName(T::ResultType type)
{
    switch (type) {
    case T::Macro:
        return QStringLiteral("macro");
    case T::Matrix:
        return QStringLiteral("matrix");
    case T::Scalar:
        break;
    }
    return QStringLiteral("scalar");
}

QDomElement Command::toXml(QDomDocument &document) const
{
    QDomElement element = document.createElement(QStringLiteral("command"));
    element.setAttribute(QStringLiteral("name"), m_name);
    element.setAttribute(QStringLiteral("format"), m_format);
    element.setAttribute(QStringLiteral("result"), m_result);
    element.setAttribute(QStringLiteral("resultType"), resultTypeName(m_resultType));
    if (m_resultType == T::Matrix) {
        element.setAttribute(QStringLiteral("resultMatrixRow"), QString::number(m_resultMatrixRow));
        element.setAttribute(QStringLiteral("resultMatrixColumn"),
                             QString::number(m_resultMatrixColumn));
    }
    return element;
}
