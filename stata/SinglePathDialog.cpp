#include "stata/SinglePathDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

SinglePathDialog::SinglePathDialog(const QString &title, const QSize &size,
                                   const ObjectNames &names, const QString &path, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(title);

    auto *label = new QLabel(title, this);
    label->setObjectName(names.label);

    // The path is only ever chosen through the file chooser behind "...".
    m_lineEdit = new QLineEdit(path, this);
    m_lineEdit->setObjectName(names.lineEdit);
    m_lineEdit->setReadOnly(true);
    m_chooserButton = new QToolButton(this);
    m_chooserButton->setObjectName(names.button);
    m_chooserButton->setText(tr("..."));

    auto *buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    connect(buttonBox, &QDialogButtonBox::accepted, this, &SinglePathDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &SinglePathDialog::reject);

    auto *row = new QHBoxLayout;
    row->addWidget(m_lineEdit);
    row->addWidget(m_chooserButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(row);
    layout->addWidget(buttonBox);
    resize(size);
}

QString SinglePathDialog::path() const
{
    return m_lineEdit->text();
}
