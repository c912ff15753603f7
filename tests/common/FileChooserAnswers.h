#pragma once

#include "ModalAnswerer.h"

#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QString>
#include <QStringList>

// What a test saw of a file chooser before answering it.
struct FileChooserSeen
{
    QString caption;
    QStringList filters;
    QString directory;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
};

// Queues an answer that picks path in the next file chooser, as a user who
// browses to it and clicks Open or Save would.
inline void chooseFile(ModalAnswerer &answerer, const QString &path,
                       FileChooserSeen *seen = nullptr)
{
    answerer.enqueue([path, seen](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        if (!dialog) {
            widget->close();
            return;
        }
        if (seen) {
            seen->caption = dialog->windowTitle();
            seen->filters = dialog->nameFilters();
            seen->directory = dialog->directory().absolutePath();
            seen->acceptMode = dialog->acceptMode();
        }
        // Browse to the directory and type the name, as a user does; a
        // directory that does not exist can only be typed as part of the path.
        const QFileInfo info(path);
        if (info.dir().exists()) {
            dialog->setDirectory(info.absolutePath());
            ModalAnswerer::typeFileName(dialog, info.fileName());
        } else {
            ModalAnswerer::typeFileName(dialog, info.absoluteFilePath());
        }
        // QFileDialog::accept() is protected; through QDialog it runs the
        // file dialog's own checks, as clicking its button does.
        static_cast<QDialog *>(dialog)->accept();
        if (dialog->isVisible()) {
            qWarning() << "file chooser refused" << path << dialog->selectedFiles();
            dialog->reject();
        }
    });
}

// Queues an answer that cancels the next file chooser.
inline void cancelFileChooser(ModalAnswerer &answerer)
{
    answerer.enqueue([](QWidget *widget) { widget->close(); });
}
