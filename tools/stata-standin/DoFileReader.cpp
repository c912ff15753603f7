#include "DoFileReader.h"

#include "StataError.h"

#include <QFile>
#include <QStringList>

QList<SourceLine> DoFileReader::read(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw StataError(601, QStringLiteral("file %1 not found").arg(fileName));
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xfeff))) // a byte-order mark some editors write
        text.remove(0, 1);
    return split(text);
}

QList<SourceLine> DoFileReader::split(const QString &text)
{
    QList<SourceLine> lines;
    QStringList physical = text.split('\n');
    QString pending;
    int pendingNumber = 0;
    int blockDepth = 0;
    for (int index = 0; index < physical.size(); ++index) {
        QString line = physical.at(index);
        if (line.endsWith('\r'))
            line.chop(1);
        const bool startsLogicalLine = pendingNumber == 0;
        if (blockDepth == 0 && startsLogicalLine && line.trimmed().startsWith('*')) {
            lines.append({index + 1, QString()});
            continue;
        }
        QString cleaned;
        bool continues = false;
        bool inString = false;
        int compoundDepth = 0;
        int i = 0;
        while (i < line.size()) {
            const QStringView two = QStringView(line).mid(i, 2);
            if (blockDepth > 0) {
                if (two == QLatin1String("*/")) {
                    --blockDepth;
                    i += 2;
                } else if (two == QLatin1String("/*")) {
                    ++blockDepth;
                    i += 2;
                } else {
                    ++i;
                }
                continue;
            }
            if (!inString && compoundDepth == 0) {
                const bool afterBlank = i == 0 || line.at(i - 1).isSpace();
                if (two == QLatin1String("/*")) {
                    ++blockDepth;
                    i += 2;
                    continue;
                }
                if (afterBlank && QStringView(line).mid(i, 3) == QLatin1String("///")) {
                    continues = true;
                    break;
                }
                if (afterBlank && two == QLatin1String("//"))
                    break;
            }
            if (two == QLatin1String("`\"")) {
                ++compoundDepth;
                cleaned += two;
                i += 2;
                continue;
            }
            if (compoundDepth > 0 && two == QLatin1String("\"'")) {
                --compoundDepth;
                cleaned += two;
                i += 2;
                continue;
            }
            if (compoundDepth == 0 && line.at(i) == '"')
                inString = !inString;
            cleaned += line.at(i);
            ++i;
        }
        if (pendingNumber == 0)
            pendingNumber = index + 1;
        if (continues) {
            pending += cleaned + ' ';
            continue;
        }
        lines.append({pendingNumber, pending + cleaned});
        pending.clear();
        pendingNumber = 0;
    }
    if (pendingNumber != 0)
        lines.append({pendingNumber, pending});
    return lines;
}
