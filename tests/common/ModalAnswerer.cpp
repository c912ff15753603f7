#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLineEdit>

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

void ModalAnswerer::typeFileName(QFileDialog *dialog, const QString &fileName)
{
    auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    if (edit)
        edit->setText(fileName);
    else
        dialog->selectFile(fileName);
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
        closeIfLeftUnanswered(modal);
        return;
    }
    const Handler handler = m_handlers.takeFirst();
    m_answered.append(modal);
    // Once closed, the same dialog may be opened again (after a refusal, or
    // for another entry) and must then be answered anew.
    modal->installEventFilter(this);
    m_seen.append(QString::fromLatin1(modal->metaObject()->className()));
    handler(modal);
}

void ModalAnswerer::closeIfLeftUnanswered(QWidget *modal)
{
    if (m_unanswered != modal) {
        m_unanswered = modal;
        m_unansweredFor.start();
        return;
    }
    if (m_unansweredFor.elapsed() < 5000)
        return;
    auto *box = qobject_cast<QMessageBox *>(modal);
    m_unexpected.append(
        modal->windowTitle() + QLatin1String(": ") +
        (box ? box->text() : QString::fromLatin1(modal->metaObject()->className())));
    qWarning("ModalAnswerer: closing a modal widget nobody answered: %s",
             qPrintable(m_unexpected.last()));
    if (auto *dialog = qobject_cast<QDialog *>(modal))
        dialog->reject();
    else
        modal->close();
    m_unanswered = nullptr;
}
