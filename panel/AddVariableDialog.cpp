#include "panel/AddVariableDialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

AddVariableDialog::AddVariableDialog(QWidget *parent)
    : QDialog(parent)
    , m_reservedWords{QStringLiteral("_all"),   QStringLiteral("in"),   QStringLiteral("_pred"),
                      QStringLiteral("_b"),     QStringLiteral("int"),  QStringLiteral("_rc"),
                      QStringLiteral("_coef"),  QStringLiteral("long"), QStringLiteral("_skip"),
                      QStringLiteral("_cons"),  QStringLiteral("_n"),   QStringLiteral("using"),
                      QStringLiteral("double"), QStringLiteral("_N"),   QStringLiteral("_weight"),
                      QStringLiteral("float"),  QStringLiteral("pi"),   QStringLiteral("with"),
                      QStringLiteral("if")}
{
    createForm();
    retranslateUi();
    connect(m_buttonBox, &QDialogButtonBox::accepted, this, &AddVariableDialog::onAccepted);
    connect(m_buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void AddVariableDialog::createForm()
{
    setObjectName(QStringLiteral("AddVariableDialog"));
    setFixedHeight(135);

    m_variableNameLabel = new QLabel(this);
    m_variableNameLabel->setObjectName(QStringLiteral("variableNameLabel"));
    m_variableNameLineEdit = new QLineEdit(this);
    m_variableNameLineEdit->setObjectName(QStringLiteral("variableNameLineEdit"));
    // As a line-edit validator the pattern lets through every text that can
    // still grow into a match, so names shorter than 32 characters pass too.
    m_variableNameLineEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[a-zA-Z_][a-zA-Z0-9_]{31}")), m_variableNameLineEdit));
    m_variableNameLabel->setBuddy(m_variableNameLineEdit);

    m_variableLabelLabel = new QLabel(this);
    m_variableLabelLabel->setObjectName(QStringLiteral("variableLabelLabel"));
    m_variableLabelLineEdit = new QLineEdit(this);
    m_variableLabelLineEdit->setObjectName(QStringLiteral("variableLabelLineEdit"));
    m_variableLabelLabel->setBuddy(m_variableLabelLineEdit);

    m_buttonBox =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    m_buttonBox->setObjectName(QStringLiteral("buttonBox"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_variableNameLabel);
    layout->addWidget(m_variableNameLineEdit);
    layout->addWidget(m_variableLabelLabel);
    layout->addWidget(m_variableLabelLineEdit);
    layout->addWidget(m_buttonBox);
}

void AddVariableDialog::retranslateUi()
{
    setWindowTitle(tr("Add variable"));
    m_variableNameLabel->setText(tr("Variable name"));
    m_variableLabelLabel->setText(tr("Variable label"));
}

void AddVariableDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
}

QString AddVariableDialog::name() const
{
    return m_variableNameLineEdit->text();
}

QString AddVariableDialog::label() const
{
    return m_variableLabelLineEdit->text().trimmed();
}

void AddVariableDialog::onAccepted()
{
    const QString typedName = name();
    if (m_reservedWords.contains(typedName, Qt::CaseSensitive))
        refuseReservedWord(typedName);
    else if (typedName.isEmpty())
        refuseEmptyName();
    else
        accept();
}

void AddVariableDialog::refuseReservedWord(const QString &name)
{
    QMessageBox box(QMessageBox::Warning, tr("Quorin"), tr("Quorin"), QMessageBox::Ok, this);
    box.setInformativeText(
        tr("\"%1\" is a Stata reserved word. You can't use it as a variable name").arg(name));
    box.exec();
    m_variableNameLineEdit->setFocus();
    m_variableNameLineEdit->selectAll();
}

void AddVariableDialog::refuseEmptyName()
{
    QMessageBox box(QMessageBox::Warning, tr("Quorin"), tr("Quorin"), QMessageBox::Ok, this);
    box.setInformativeText(tr("The variable name's field is void."));
    box.exec();
    m_variableNameLineEdit->setFocus();
}
