#include "table/InsertRowsColumnsDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

InsertRowsColumnsDialog::InsertRowsColumnsDialog(Kind kind, Direction direction, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("InsertRowsColumnsDialog"));
    setWindowTitle(titleFor(direction));

    auto *label = new QLabel(kind == Rows ? tr("Number of rows:") : tr("Number of columns:"), this);
    label->setObjectName(QStringLiteral("label"));
    m_spinBox = new QSpinBox(this);
    m_spinBox->setObjectName(QStringLiteral("spinBox"));
    m_spinBox->setRange(1, 999);
    m_spinBox->setValue(1);
    label->setBuddy(m_spinBox);

    auto *buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_spinBox);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttonBox);
    resize(236, 71);
}

int InsertRowsColumnsDialog::count() const
{
    return m_spinBox->value();
}

QString InsertRowsColumnsDialog::titleFor(Direction direction)
{
    switch (direction) {
    case Down:
        return tr("Insert rows down");
    case Left:
        return tr("Insert columns left");
    case Right:
        return tr("Insert columns right");
    case Up:
        break;
    }
    return tr("Insert rows up");
}
