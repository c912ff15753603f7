#include "app/DisclaimerDialog.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

DisclaimerDialog::DisclaimerDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("DisclaimerDialog"));
    resize(400, 400);
    // Only the height may change.
    setMinimumWidth(400);
    setMaximumWidth(400);

    m_textEdit = new QTextEdit(this);
    m_textEdit->setObjectName(QStringLiteral("textEdit"));
    m_textEdit->setReadOnly(true);

    m_okPushButton = new QPushButton(this);
    m_okPushButton->setObjectName(QStringLiteral("okPushButton"));
    connect(m_okPushButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_okPushButton);
    buttonRow->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_textEdit);
    layout->addLayout(buttonRow);

    retranslateUi();
}

void DisclaimerDialog::retranslateUi()
{
    setWindowTitle(tr("Disclaimer"));
    m_textEdit->setHtml(tr(
        "<h3>Disclaimer</h3>"
        "<p>Quorin is a <b>beta version</b>. It is provided as it is, without warranty of any "
        "kind.</p>"
        "<p>Its authors take no responsibility for any damage that its use may cause, nor for the "
        "correctness of the computations it asks Stata to make or of the tables it shows.</p>"
        "<p>Users are responsible for checking their results before they use or publish "
        "them.</p>"));
    m_okPushButton->setText(tr("Ok"));
}

void DisclaimerDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
}
