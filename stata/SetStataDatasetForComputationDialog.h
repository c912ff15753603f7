#pragma once

#include "stata/SinglePathDialog.h"

// Sets the dataset that a run computes on.
class SetStataDatasetForComputationDialog : public SinglePathDialog
{
    Q_OBJECT

public:
    explicit SetStataDatasetForComputationDialog(const QString &stataDatasetFileName,
                                                 QWidget *parent = nullptr);

    QString stataDatasetFileName() const { return path(); }

private slots:
    void onSetFileNameButtonClicked();
};
