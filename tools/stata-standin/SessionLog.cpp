#include "SessionLog.h"

#include "StataError.h"

bool SessionLog::open(const QString &fileName)
{
    m_file.setFileName(fileName);
    return m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
}

bool SessionLog::append(const QString &fileName)
{
    m_file.setFileName(fileName);
    return m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

void SessionLog::line(const QString &text)
{
    if (!m_file.isOpen())
        return;
    m_file.write(text.toUtf8());
    m_file.write("\n");
    m_file.flush();
}

void SessionLog::error(const StataError &error)
{
    line(error.message());
    line(QStringLiteral("r(%1);").arg(error.code()));
}
