#pragma once

#include <QDialog>

class QSpinBox;

// Asks how many rows or columns to insert, from 1 to 999.
class InsertRowsColumnsDialog : public QDialog
{
    Q_OBJECT

public:
    enum Kind { Rows = 0, Columns = 1 };
    enum Direction { Up = 0, Down = 1, Left = 2, Right = 3 };

    InsertRowsColumnsDialog(Kind kind, Direction direction, QWidget *parent = nullptr);

    int count() const;

private:
    static QString titleFor(Direction direction);

    QSpinBox *m_spinBox = nullptr;
};
