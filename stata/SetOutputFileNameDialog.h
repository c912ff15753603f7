#pragma once

#include "stata/SinglePathDialog.h"

// Sets the file that a run writes its table to.
class SetOutputFileNameDialog : public SinglePathDialog
{
    Q_OBJECT

public:
    explicit SetOutputFileNameDialog(const QString &outputFileName, QWidget *parent = nullptr);

    QString outputFileName() const { return path(); }

    // The chosen name with ".csv" appended unless it already ends so
    // (case-sensitively, so "tab.CSV" becomes "tab.CSV.csv"); empty stays
    // empty.
    static QString withCsvSuffix(const QString &fileName);

private slots:
    void onOutputFileNameToolButtonClicked();
};
