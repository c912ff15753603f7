#include "table/AddAreaDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

AddAreaDialog::AddAreaDialog(const QString &name, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AddAreaDialog"));
    setWindowTitle(tr("Add area"));

    m_nameLineEdit = new QLineEdit(name, this);
    m_nameLineEdit->setObjectName(QStringLiteral("nameLineEdit"));
    m_nameLineEdit->selectAll();
    m_conditionLineEdit = new QLineEdit(this);
    m_conditionLineEdit->setObjectName(QStringLiteral("conditionLineEdit"));
    m_buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttonBox->setObjectName(QStringLiteral("buttonBox"));
    connect(m_buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_nameLineEdit, &QLineEdit::textChanged, this, &AddAreaDialog::updateOkButton);

    auto *fields = new QFormLayout;
    fields->addRow(tr("Name:"), m_nameLineEdit);
    fields->addRow(tr("Condition:"), m_conditionLineEdit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_buttonBox);
    updateOkButton();
}

QString AddAreaDialog::name() const
{
    return m_nameLineEdit->text().trimmed();
}

QString AddAreaDialog::condition() const
{
    return m_conditionLineEdit->text().trimmed();
}

void AddAreaDialog::updateOkButton()
{
    // Cells without an area carry the empty name, and the do-file ignores
    // it: an area without a name would look assigned and restrict nothing.
    m_buttonBox->button(QDialogButtonBox::Ok)->setEnabled(!name().isEmpty());
}

std::optional<Area>
AddAreaDialog::askForNewArea(QWidget *parent, const std::function<bool(const QString &)> &isTaken)
{
    QString nameToShow;
    for (;;) {
        AddAreaDialog dialog(nameToShow, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        const QString name = dialog.name();
        if (name.isEmpty())
            continue;
        if (!isTaken(name))
            return Area(name, dialog.condition());
        QMessageBox::warning(
            nullptr, tr("Quorin"),
            tr("The area name %1 already exists.\nPlease choose another name").arg(name));
        nameToShow = name;
    }
}
