#include "app/LicenseDialog.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

LicenseDialog::LicenseDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("LicenseDialog"));
    resize(354, 274);

    m_textEdit = new QTextEdit(this);
    m_textEdit->setObjectName(QStringLiteral("textEdit"));
    m_textEdit->setReadOnly(true);

    m_okButton = new QPushButton(this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_okButton);
    buttonRow->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_textEdit);
    layout->addLayout(buttonRow);

    retranslateUi();
}

void LicenseDialog::retranslateUi()
{
    setWindowTitle(tr("License"));
    m_textEdit->setHtml(tr(
        "<h3>MIT License</h3>"
        "<p>Copyright (c) 2026 the Quorin developers</p>"
        "<p>Permission is hereby granted, free of charge, to any person obtaining a copy of this "
        "software and associated documentation files (the \"Software\"), to deal in the Software "
        "without restriction, including without limitation the rights to use, copy, modify, "
        "merge, publish, distribute, sublicense, and/or sell copies of the Software, and to "
        "permit persons to whom the Software is furnished to do so, subject to the following "
        "conditions:</p>"
        "<p>The above copyright notice and this permission notice shall be included in all "
        "copies or substantial portions of the Software.</p>"
        "<p>THE SOFTWARE IS PROVIDED \"AS IS\", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR "
        "IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY, FITNESS FOR A "
        "PARTICULAR PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE AUTHORS OR COPYRIGHT "
        "HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER LIABILITY, WHETHER IN AN ACTION OF "
        "CONTRACT, TORT OR OTHERWISE, ARISING FROM, OUT OF OR IN CONNECTION WITH THE SOFTWARE OR "
        "THE USE OR OTHER DEALINGS IN THE SOFTWARE.</p>"
        "<h3>Qt</h3>"
        "<p>Quorin uses the Qt 6 toolkit (Qt Core, Qt Gui, Qt Widgets and Qt Xml), which is "
        "licensed under the GNU Lesser General Public License version 3. Quorin links Qt as "
        "shared libraries, which you may replace with your own build of Qt. The source code of Qt "
        "is available from https://download.qt.io/ and from your operating system's "
        "distribution.</p>"));
    m_okButton->setText(tr("Ok"));
}

void LicenseDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
}
