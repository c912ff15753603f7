#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>

ModalAnswerer::ModalAnswerer(QObject *parent)
    : QObject(parent)
{
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
}

ModalAnswerer::~ModalAnswerer() = default;

void ModalAnswerer::enqueue(const Handler &handler)
{
    m_handlers.append(handler);
    m_timer.start();
}

void ModalAnswerer::answerMessageBox(QMessageBox::StandardButton button, QString *text,
                                     QString *informativeText)
{
    enqueue([=](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box) {
            widget->close();
            return;
        }
        if (text)
            *text = box->text();
        if (informativeText)
            *informativeText = box->informativeText();
        QAbstractButton *target = box->button(button);
        if (target)
            target->click();
        else
            box->close();
    });
}

bool ModalAnswerer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide) {
        watched->removeEventFilter(this);
        m_answered.removeAll(QPointer<QWidget>(static_cast<QWidget *>(watched)));
    }
    return QObject::eventFilter(watched, event);
}

void ModalAnswerer::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    for (const QPointer<QWidget> &answered : std::as_const(m_answered)) {
        if (answered == modal)
            return;
    }
    if (m_handlers.isEmpty()) {
        m_timer.stop();
        return;
    }
    const Handler handler = m_handlers.takeFirst();
    m_answered.append(modal);
    // Once closed, the same dialog may be opened again (after a refusal, or
    // for another entry) and must then be answered anew.
    modal->installEventFilter(this);
    m_seen.append(QString::fromLatin1(modal->metaObject()->className()));
    handler(modal);
    if (m_handlers.isEmpty())
        m_timer.stop();
}
