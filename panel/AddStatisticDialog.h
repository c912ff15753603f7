#pragma once

#include "panel/StatisticDialog.h"

// Collects a new statistic definition. Every text comes back without
// surrounding blanks; the panel refuses a name that is already taken.
class AddStatisticDialog : public StatisticDialog
{
    Q_OBJECT

public:
    explicit AddStatisticDialog(QWidget *parent = nullptr);

    QString name() const;
    QString commandFormat() const;
    // The stored result to pick up, such as r(mean); named apart from
    // QDialog::result().
    QString resultName() const;
    // The element's coordinates; meaningful for a matrix result only.
    int matrixRow() const;
    int matrixColumn() const;

protected:
    void retranslateUi() override;
};
