#include "table/CellTextToolBar.h"

#include <QLineEdit>

CellTextToolBar::CellTextToolBar()
    : QToolBar(nullptr)
{
    setObjectName(QStringLiteral("cellTextToolBar"));
    setWindowTitle(tr("Cell text bar"));
    setMovable(false);
    m_lineEdit = new QLineEdit(this);
    m_lineEdit->setObjectName(QStringLiteral("cellTextLineEdit"));
    m_lineEdit->setReadOnly(true);
    addWidget(m_lineEdit);
}

QString CellTextToolBar::text() const
{
    return m_lineEdit->text();
}

void CellTextToolBar::setCellBarStatisticText(const QString &finalCommand)
{
    showText(QStringLiteral("color: purple"), finalCommand);
}

void CellTextToolBar::setCellBarConditionText(const QString &conditionString)
{
    showText(QStringLiteral("color: green"), conditionString);
}

void CellTextToolBar::setCellBarSimpleText(const QString &simpleText)
{
    showText(QStringLiteral("color: blue"), simpleText);
}

void CellTextToolBar::setCellBarTextVoid()
{
    m_lineEdit->clear();
}

void CellTextToolBar::showText(const QString &styleSheet, const QString &text)
{
    m_lineEdit->setStyleSheet(styleSheet);
    m_lineEdit->setText(text);
    // Long commands are read from their beginning.
    m_lineEdit->setCursorPosition(0);
}
