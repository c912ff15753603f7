#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers modal dialogs and message boxes that a test's action opens, so that
// nothing blocks a headless run. Handlers run in the order they were queued,
// each on the next modal widget that appears; a handler is expected to close
// its widget (accept, reject or click a button).
class ModalAnswerer : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void(QWidget *)>;

    explicit ModalAnswerer(QObject *parent = nullptr);
    ~ModalAnswerer() override;

    void enqueue(const Handler &handler);

    // Queues a handler that remembers the box's texts and clicks the button.
    void answerMessageBox(QMessageBox::StandardButton button, QString *text = nullptr,
                          QString *informativeText = nullptr);

    // Queues a handler that runs fill (if given) on a dialog of type Dialog
    // and then accepts or rejects it.
    template <typename Dialog>
    void answerDialog(const std::function<void(Dialog *)> &fill, bool accept = true)
    {
        enqueue([fill, accept](QWidget *widget) {
            auto *dialog = qobject_cast<Dialog *>(widget);
            if (!dialog) {
                widget->close();
                return;
            }
            if (fill)
                fill(dialog);
            if (accept)
                dialog->accept();
            else
                dialog->reject();
        });
    }

    int pending() const { return int(m_handlers.size()); }
    // Class names of every modal widget that was answered, in order.
    const QStringList &seen() const { return m_seen; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void poll();

    QTimer m_timer;
    QList<Handler> m_handlers;
    QList<QPointer<QWidget>> m_answered;
    QStringList m_seen;
};
