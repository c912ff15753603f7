#include "stata/StataText.h"

#include <QStringList>

bool StataText::isPlainCharacter(QChar character)
{
    const char16_t code = character.unicode();
    if (code < 0x20)
        return code == u'\t';
    return code != u'"' && code != u'`' && code != u'\'' && code != u'$' && code != u'\\' &&
           code != 0x7f;
}

bool StataText::isPlain(const QString &text)
{
    for (const QChar character : text) {
        if (!isPlainCharacter(character))
            return false;
    }
    return true;
}

QString StataText::fileWriteDirectives(const QString &text)
{
    QStringList directives;
    QString run;
    for (const QChar character : text) {
        if (isPlainCharacter(character)) {
            run += character;
            continue;
        }
        if (!run.isEmpty()) {
            directives.append(QLatin1Char('"') + run + QLatin1Char('"'));
            run.clear();
        }
        directives.append(QStringLiteral("_char(%1)").arg(int(character.unicode())));
    }
    if (!run.isEmpty())
        directives.append(QLatin1Char('"') + run + QLatin1Char('"'));
    return directives.join(QLatin1Char(' '));
}

QString StataText::quotedFileName(const QString &fileName)
{
    QString escaped;
    escaped.reserve(fileName.size() + 2);
    qsizetype backslashes = 0;
    for (const QChar character : fileName) {
        if (character == u'`' || character == u'$')
            escaped += QString(backslashes + 1, QLatin1Char('\\'));
        escaped += character;
        backslashes = character == u'\\' ? backslashes + 1 : 0;
    }
    if (fileName.contains(QLatin1Char('"')))
        return QStringLiteral("`\"") + escaped + QStringLiteral("\"'");
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}
