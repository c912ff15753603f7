#pragma once

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QList>
#include <QObject>
#include <QPushButton>
#include <QString>
#include <QStringList>
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

// The texts of the named labels and buttons, and the titles of the named
// group boxes, in the order of the names.
inline QStringList controlTexts(const QWidget *parent, const QList<const char *> &names)
{
    QStringList texts;
    for (const char *name : names) {
        const QWidget *widget = namedChild(parent, QLatin1String(name));
        texts.append(widget->property(qobject_cast<const QGroupBox *>(widget) ? "title" : "text")
                         .toString());
    }
    return texts;
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
