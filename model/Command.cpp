#include "model/Command.h"

#include "model/XmlAttributes.h"

namespace {

T::ResultType resultTypeFromName(QStringView name)
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

Command::Command(const QXmlStreamAttributes &attributes)
    : m_name(XmlAttributes::text(attributes, QLatin1String("name")))
    , m_format(XmlAttributes::text(attributes, QLatin1String("format")))
    , m_result(XmlAttributes::text(attributes, QLatin1String("result")))
    , m_resultType(resultTypeFromName(attributes.value(QLatin1String("resultType"))))
{
    if (m_resultType == T::Matrix) {
        m_resultMatrixRow = XmlAttributes::integer(attributes, QLatin1String("resultMatrixRow"));
        m_resultMatrixColumn =
            XmlAttributes::integer(attributes, QLatin1String("resultMatrixColumn"));
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
