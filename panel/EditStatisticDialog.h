#pragma once

#include "model/Command.h"
#include "panel/StatisticDialog.h"

// Changes an existing statistic definition; its name is shown but stays fixed.
class EditStatisticDialog : public StatisticDialog
{
    Q_OBJECT

public:
    explicit EditStatisticDialog(const Command &command, QWidget *parent = nullptr);

    // The edited definition, texts without surrounding blanks. The matrix
    // coordinates are read only for a matrix result; otherwise they are those
    // of a default Command.
    Command command() const;

protected:
    void retranslateUi() override;
};
