#pragma once

#include "stata/DoFileModel.h"
#include "stata/StataRun.h"

#include <QString>

class DocumentModel;
class QWidget;

// Runs a document's table through Stata from the window: composes the
// do-file of the grid as it is now, writes it as temp.do and runs the Stata
// executable on it in batch mode, with StataRun's progress dialog over the
// given parent.
class StataRunController
{
public:
    // The do-file of the document's grid on its dataset.
    static DoFileModel doFileModel(const DocumentModel &document);

    // Returns once Stata has ended, could not start or was stopped by the
    // user. A do-file that cannot be written is not run.
    static StataRun::Result run(const DocumentModel &document, const QString &executable,
                                bool showStataMessage, QWidget *dialogParent);
};
