#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

class QSettings;

// The main window's preferences and layout as settings.ini keeps them, with
// the defaults of a first start. The names of the groups and keys are the
// file's and are spelled here only. The generic toolbar reads and writes its
// own group (the main window reads only its visibility, for the View menu);
// the viewers keep theirs.
class MainWindowSettings
{
public:
    // Where the variables panel stands. A text the file holds that names
    // none of the three leaves the panel where the window put it.
    enum class PanelPlace { Left, Right, Floating, Unchanged };

    // Resolved against the current working directory.
    static QString fileName();

    // Missing keys give the defaults below.
    static MainWindowSettings read(QSettings &settings);
    // Writes every key but the generic toolbar's. The floating panel's
    // position and size are written only while it floats, so that the ones of
    // its last float stay in the file.
    void write(QSettings &settings) const;

    QStringList recentFiles;
    QString stataExecutableFileName;
    bool maximized = false;
    QPoint position = QPoint(10, 10);
    // Invalid when the file holds none: the window has never been closed
    // here, and takes the place of a first start.
    QSize size;
    PanelPlace panelPlace = PanelPlace::Left;
    QPoint panelPosition;
    QSize panelSize;
    bool panelVisible = true;
    bool cellTextToolBarVisible = true;
    bool genericToolBarVisible = true;
    bool outputCsvFileAfterComputation = true;
    bool showStataMessage = true;
};
