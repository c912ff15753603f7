#include "table/SimpleTextDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

SimpleTextDialog::SimpleTextDialog(const QString &objectName, const QString &title,
                                   const QString &text, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(title);

    auto *label = new QLabel(tr("Text:"), this);
    label->setObjectName(QStringLiteral("label"));
    m_lineEdit = new QLineEdit(text, this);
    m_lineEdit->setObjectName(QStringLiteral("lineEdit"));
    label->setBuddy(m_lineEdit);

    auto *buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_lineEdit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttonBox);
}

QString SimpleTextDialog::text() const
{
    return m_lineEdit->text();
}
