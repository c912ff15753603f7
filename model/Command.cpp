#include "model/Command.h"

#include "model/XmlAttributes.h"

namespace {

Command::ResultType resultTypeFromName(QStringView name)
{
    if (name == QLatin1String("macro"))
        return Command::ResultType::Macro;
    if (name == QLatin1String("matrix"))
        return Command::ResultType::Matrix;
    return Command::ResultType::Scalar;
}

} // namespace

Command::Command(const QString &name, const QString &format, const QString &result,
                 ResultType resultType, int resultMatrixRow, int resultMatrixColumn)
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
    if (m_resultType == Command::ResultType::Matrix) {
        m_resultMatrixRow = XmlAttributes::integer(attributes, QLatin1String("resultMatrixRow"));
        m_resultMatrixColumn =
            XmlAttributes::integer(attributes, QLatin1String("resultMatrixColumn"));
    }
}

QString Command::resultTypeName(ResultType type)
{
    switch (type) {
    case ResultType::Macro:
        return QStringLiteral("macro");
    case ResultType::Matrix:
        return QStringLiteral("matrix");
    case ResultType::Scalar:
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
    if (m_resultType == ResultType::Matrix) {
        element.setAttribute(QStringLiteral("resultMatrixRow"), QString::number(m_resultMatrixRow));
        element.setAttribute(QStringLiteral("resultMatrixColumn"),
                             QString::number(m_resultMatrixColumn));
    }
    return element;
}
