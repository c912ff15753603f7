#include "app/MainWindowSettings.h"

#include <QSettings>
#include <QVariant>

namespace {

// QSettings in INI format writes a group named "general", in any case, as the
// section [%General] and reads that section back as the group "General"; a
// section written by hand as [general] or [General] reads as keys outside any
// group. Writing the group as "General" gives the very same file, and keeps
// what a process has cached of the file equal to what a fresh start reads.
const QString generalGroup = QStringLiteral("General");
const QStringList generalGroupSpellings = {generalGroup, QStringLiteral("general"), QString()};
const QString recentFilesKey = QStringLiteral("recentFiles");
const QString stataExecutableFileNameKey = QStringLiteral("stataExecutableFileName");

const QString mainWindowGroup = QStringLiteral("mainWindow");
const QString maximizedKey = QStringLiteral("maximized");
const QString posKey = QStringLiteral("pos");
const QString sizeKey = QStringLiteral("size");

const QString variablesDockWidgetGroup = QStringLiteral("variablesDockWidget");
const QString dockWidgetAreaKey = QStringLiteral("dockWidgetArea");
const QString visibleKey = QStringLiteral("visible");

const QString cellTextToolBarGroup = QStringLiteral("cellTextToolBar");
const QString genericToolBarGroup = QStringLiteral("genericToolBar");

const QString outputCsvFileAfterComputationGroup =
    QStringLiteral("OutputCsvFileAfterComputationCheckBox");
const QString showStataMessageGroup = QStringLiteral("ShowStataMessageCheckBox");
const QString checkedKey = QStringLiteral("checked");

const QString leftText = QStringLiteral("left");
const QString rightText = QStringLiteral("right");
const QString floatingText = QStringLiteral("none");

QVariant generalValue(const QSettings &settings, const QString &key)
{
    for (const QString &group : generalGroupSpellings) {
        const QString path = group.isEmpty() ? key : group + QLatin1Char('/') + key;
        if (settings.contains(path))
            return settings.value(path);
    }
    return QVariant();
}

QVariant groupValue(const QSettings &settings, const QString &group, const QString &key,
                    const QVariant &defaultValue)
{
    return settings.value(group + QLatin1Char('/') + key, defaultValue);
}

MainWindowSettings::PanelPlace panelPlaceFromText(const QString &text)
{
    if (text == leftText)
        return MainWindowSettings::PanelPlace::Left;
    if (text == rightText)
        return MainWindowSettings::PanelPlace::Right;
    if (text == floatingText)
        return MainWindowSettings::PanelPlace::Floating;
    return MainWindowSettings::PanelPlace::Unchanged;
}

} // namespace

QString MainWindowSettings::fileName()
{
    return QStringLiteral("settings.ini");
}

MainWindowSettings MainWindowSettings::read(QSettings &settings)
{
    MainWindowSettings stored;
    stored.recentFiles = generalValue(settings, recentFilesKey).toStringList();
    stored.stataExecutableFileName = generalValue(settings, stataExecutableFileNameKey).toString();

    stored.maximized = groupValue(settings, mainWindowGroup, maximizedKey, false).toBool();
    stored.position = groupValue(settings, mainWindowGroup, posKey, QPoint(10, 10)).toPoint();
    stored.size = groupValue(settings, mainWindowGroup, sizeKey, QSize()).toSize();

    stored.panelPlace = panelPlaceFromText(
        groupValue(settings, variablesDockWidgetGroup, dockWidgetAreaKey, leftText).toString());
    stored.panelPosition =
        groupValue(settings, variablesDockWidgetGroup, posKey, QPoint()).toPoint();
    stored.panelSize = groupValue(settings, variablesDockWidgetGroup, sizeKey, QSize()).toSize();
    stored.panelVisible = groupValue(settings, variablesDockWidgetGroup, visibleKey, true).toBool();

    stored.cellTextToolBarVisible =
        groupValue(settings, cellTextToolBarGroup, visibleKey, true).toBool();
    stored.genericToolBarVisible =
        groupValue(settings, genericToolBarGroup, visibleKey, true).toBool();

    stored.outputCsvFileAfterComputation =
        groupValue(settings, outputCsvFileAfterComputationGroup, checkedKey, true).toBool();
    stored.showStataMessage =
        groupValue(settings, showStataMessageGroup, checkedKey, true).toBool();
    return stored;
}

void MainWindowSettings::write(QSettings &settings) const
{
    settings.beginGroup(generalGroup);
    settings.setValue(recentFilesKey, recentFiles);
    settings.setValue(stataExecutableFileNameKey, stataExecutableFileName);
    settings.endGroup();
    // Copies read from a hand-written [general] section would otherwise be
    // written back beside the group, as the section [General].
    settings.remove(recentFilesKey);
    settings.remove(stataExecutableFileNameKey);

    settings.beginGroup(mainWindowGroup);
    settings.setValue(maximizedKey, maximized);
    settings.setValue(posKey, position);
    settings.setValue(sizeKey, size);
    settings.endGroup();

    settings.beginGroup(variablesDockWidgetGroup);
    switch (panelPlace) {
    case PanelPlace::Left:
        settings.setValue(dockWidgetAreaKey, leftText);
        break;
    case PanelPlace::Right:
        settings.setValue(dockWidgetAreaKey, rightText);
        break;
    case PanelPlace::Floating:
        settings.setValue(dockWidgetAreaKey, floatingText);
        settings.setValue(posKey, panelPosition);
        settings.setValue(sizeKey, panelSize);
        break;
    case PanelPlace::Unchanged:
        break;
    }
    settings.setValue(visibleKey, panelVisible);
    settings.endGroup();

    settings.setValue(cellTextToolBarGroup + QLatin1String("/") + visibleKey,
                      cellTextToolBarVisible);
    settings.setValue(outputCsvFileAfterComputationGroup + QLatin1String("/") + checkedKey,
                      outputCsvFileAfterComputation);
    settings.setValue(showStataMessageGroup + QLatin1String("/") + checkedKey, showStataMessage);
}
