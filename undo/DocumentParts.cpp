#include "undo/DocumentParts.h"

#include "model/DocumentModel.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

bool sameCommand(const Command &a, const Command &b)
{
    return a.name() == b.name() && a.format() == b.format() && a.result() == b.result() &&
           a.resultType() == b.resultType() && a.resultMatrixRow() == b.resultMatrixRow() &&
           a.resultMatrixColumn() == b.resultMatrixColumn();
}

bool sameVariable(const Variable &a, const Variable &b)
{
    return a.name() == b.name() && a.label() == b.label() && a.varType() == b.varType() &&
           a.modalityTexts() == b.modalityTexts();
}

template <typename T, typename Same>
bool sameList(const QList<T> &a, const QList<T> &b, Same same)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(), same);
}

template <typename T>
QStringList namesOf(const QList<T> &items)
{
    QStringList names;
    for (const T &item : items)
        names.append(item.name());
    return names;
}

// Whether the longer list is the shorter one with one name put in.
bool oneInserted(const QStringList &shorter, const QStringList &longer)
{
    if (longer.size() != shorter.size() + 1)
        return false;
    const auto differ = std::mismatch(shorter.cbegin(), shorter.cend(), longer.cbegin()).first;
    const qsizetype at = differ - shorter.cbegin();
    return std::equal(differ, shorter.cend(), longer.cbegin() + at + 1);
}

// Added, removed, moved or edited, told apart by the names before and after;
// anything else replaced the list.
const char *listChange(const QStringList &before, const QStringList &after, const char *added,
                       const char *removed, const char *moved, const char *edited,
                       const char *replaced)
{
    if (oneInserted(before, after))
        return added;
    if (oneInserted(after, before))
        return removed;
    if (after == before)
        return edited;
    QStringList sortedBefore = before, sortedAfter = after;
    sortedBefore.sort();
    sortedAfter.sort();
    return sortedBefore == sortedAfter ? moved : replaced;
}

QString translated(const char *text)
{
    return QCoreApplication::translate("DocumentParts", text);
}

} // namespace

DocumentParts DocumentParts::of(const DocumentModel &document)
{
    DocumentParts parts;
    parts.variables = document.variables();
    for (const QString &name : document.statisticNames())
        parts.statistics.append(document.catalogue().value(name));
    parts.areas = document.areas();
    parts.stataDatasetFileName = document.stataDatasetFileName();
    parts.outputFileName = document.outputFileName();
    return parts;
}

void DocumentParts::apply(DocumentModel &document) const
{
    const DocumentParts current = of(document);
    if (!sameList(variables, current.variables, sameVariable))
        document.setVariables(variables);
    if (!sameList(statistics, current.statistics, sameCommand))
        document.setStatistics(statistics);
    if (areas != current.areas) {
        *document.mutableAreas() = areas;
        emit document.areasChanged();
    }
    document.setStataDatasetFileName(stataDatasetFileName);
    document.setOutputFileName(outputFileName);
}

bool DocumentParts::operator==(const DocumentParts &other) const
{
    return sameList(variables, other.variables, sameVariable) &&
           sameList(statistics, other.statistics, sameCommand) && areas == other.areas &&
           stataDatasetFileName == other.stataDatasetFileName &&
           outputFileName == other.outputFileName;
}

QString DocumentParts::changeTo(const DocumentParts &after) const
{
    if (!sameList(variables, after.variables, sameVariable)) {
        return translated(listChange(namesOf(variables), namesOf(after.variables),
                                     QT_TRANSLATE_NOOP("DocumentParts", "Add variable"),
                                     QT_TRANSLATE_NOOP("DocumentParts", "Remove variable"),
                                     QT_TRANSLATE_NOOP("DocumentParts", "Move variable"),
                                     QT_TRANSLATE_NOOP("DocumentParts", "Edit modalities"),
                                     QT_TRANSLATE_NOOP("DocumentParts", "Replace variables")));
    }
    if (!sameList(statistics, after.statistics, sameCommand)) {
        return translated(listChange(namesOf(statistics), namesOf(after.statistics),
                                     QT_TRANSLATE_NOOP("DocumentParts", "Add statistic"),
                                     QT_TRANSLATE_NOOP("DocumentParts", "Remove statistic"),
                                     QT_TRANSLATE_NOOP("DocumentParts", "Move statistic"),
                                     QT_TRANSLATE_NOOP("DocumentParts", "Edit statistic"),
                                     QT_TRANSLATE_NOOP("DocumentParts", "Replace statistics")));
    }
    if (areas != after.areas) {
        return translated(listChange(areas.names(), after.areas.names(),
                                     QT_TRANSLATE_NOOP("DocumentParts", "Add area"),
                                     QT_TRANSLATE_NOOP("DocumentParts", "Remove area"),
                                     QT_TRANSLATE_NOOP("DocumentParts", "Edit areas"),
                                     QT_TRANSLATE_NOOP("DocumentParts", "Edit areas"),
                                     QT_TRANSLATE_NOOP("DocumentParts", "Edit areas")));
    }
    if (stataDatasetFileName != after.stataDatasetFileName)
        return translated(QT_TRANSLATE_NOOP("DocumentParts", "Set dataset"));
    return translated(QT_TRANSLATE_NOOP("DocumentParts", "Set output file"));
}
