#include "stata/StataPlatform.h"

#include <QDir>
#include <QFileInfo>

QString StataPlatform::fileChooserStartDirectory()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:/");
#else
    return QDir::homePath();
#endif
}

QString StataPlatform::executablePattern()
{
#ifdef Q_OS_WIN
    return QStringLiteral("*.exe");
#else
    return QStringLiteral("*");
#endif
}

bool StataPlatform::isExecutableChoice(const QString &path)
{
    if (path.isEmpty())
        return false;
#ifdef Q_OS_WIN
    return hasWindowsProgramSuffix(path);
#else
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
#endif
}

bool StataPlatform::hasWindowsProgramSuffix(const QString &path)
{
    return path.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive);
}

QString StataPlatform::batchFlag(bool showStataMessage)
{
#ifdef Q_OS_WIN
    return showStataMessage ? QStringLiteral("/b") : QStringLiteral("/e");
#else
    return showStataMessage ? QStringLiteral("-b") : QStringLiteral("-e");
#endif
}
