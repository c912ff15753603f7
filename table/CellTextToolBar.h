#pragma once

#include <QString>
#include <QToolBar>

class QLineEdit;

// Shows the full text of the one selected cell: the final Stata command of a
// statistic, the labels of a condition or a simple text, in the cell's colour.
class CellTextToolBar final : public QToolBar
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CellTextToolBar)

public:
    CellTextToolBar();

    QString text() const;

public slots:
    void setCellBarStatisticText(const QString &finalCommand);
    void setCellBarConditionText(const QString &conditionString);
    void setCellBarSimpleText(const QString &simpleText);
    // Clears the text; the colour stays for the next one.
    void setCellBarTextVoid();

private:
    void showText(const QString &styleSheet, const QString &text);

    QLineEdit *m_lineEdit = nullptr;
};
