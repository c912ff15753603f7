#pragma once

#include <QElapsedTimer>
#include <QFileDialog>
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
// its widget (accept, reject or click a button). A handler runs as soon as its
// widget shows, before the widget has settled (a file dialog's name field has
// no focus yet, so selectFile() still fills it). A modal that no handler is
// left for is closed after a few seconds and listed in unexpected(), so that
// a test fails instead of hanging.
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

    // Types a path into a file dialog's name box, as a user would. Unlike
    // selectFile(), which leaves a focused box untouched, this does not
    // depend on how far the dialog got before the test reached it.
    static void typeFileName(QFileDialog *dialog, const QString &fileName);

    int pending() const { return int(m_handlers.size()); }
    // Class names of every modal widget that was answered, in order.
    const QStringList &seen() const { return m_seen; }
    // Titles and texts of modal widgets that no handler was left for.
    const QStringList &unexpected() const { return m_unexpected; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void poll();
    void closeIfLeftUnanswered(QWidget *modal);

    QTimer m_timer;
    QList<Handler> m_handlers;
    QList<QPointer<QWidget>> m_answered;
    QStringList m_seen;
    QStringList m_unexpected;
    QPointer<QWidget> m_unanswered;
    QElapsedTimer m_unansweredFor;
};
