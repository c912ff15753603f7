#pragma once

#include <QDialogButtonBox>
#include <QObject>
#include <QPushButton>
#include <QString>
#include <QWidget>

// The child of the given type and object name. A control that was renamed or
// is missing stops the test with its name rather than crashing it.
template <typename Widget = QWidget>
Widget *namedChild(const QObject *parent, const QString &name)
{
    auto *widget = parent->findChild<Widget *>(name);
    if (!widget)
        qFatal("no %s named %s", Widget::staticMetaObject.className(), qPrintable(name));
    return widget;
}

// Clicks one of the standard buttons of the dialog's button box.
inline void clickButton(const QWidget *dialog, QDialogButtonBox::StandardButton which)
{
    auto *box = dialog->findChild<QDialogButtonBox *>();
    if (!box || !box->button(which))
        qFatal("%s has no such standard button", dialog->metaObject()->className());
    box->button(which)->click();
}

inline void clickOk(const QWidget *dialog)
{
    clickButton(dialog, QDialogButtonBox::Ok);
}
