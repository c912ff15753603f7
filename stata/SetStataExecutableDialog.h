#pragma once

#include "stata/SinglePathDialog.h"

// Sets the path of the Stata executable ("Stata executable..." and "Start
// Stata" when none is set).
class SetStataExecutableDialog : public SinglePathDialog
{
    Q_OBJECT

public:
    explicit SetStataExecutableDialog(const QString &stataExecutableFileName,
                                      QWidget *parent = nullptr);

    QString stataExecutableFileName() const { return path(); }

    // Tells the user why a chosen file is not taken as the Stata executable.
    static void warnNotExecutable(QWidget *parent, const QString &path);

private slots:
    void onFileDialogButtonClicked();
};
