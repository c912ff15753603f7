#include "stata/StataRunController.h"

#include "model/DocumentModel.h"
#include "stata/DoFileComposer.h"

DoFileModel StataRunController::doFileModel(const DocumentModel &document)
{
    return DoFileComposer(document.table()->cells(), document.catalogue(), document.areas())
        .buildModel(document.stataDatasetFileName());
}

StataRun::Result StataRunController::run(const DocumentModel &document, const QString &executable,
                                         bool showStataMessage, QWidget *dialogParent)
{
    StataRun stata(dialogParent);
    const QString text = doFileModel(document).toString(true, true, document.outputFileName());
    if (!stata.writeDoFile(text))
        return {StataRun::Outcome::DoFileNotWritten, stata.errorString()};
    return stata.run(executable, StataRun::batchArguments(showStataMessage));
}
