#pragma once

// Shared by the main window's tests: driving its file commands as a user
// would, filling it with a document, describing what it holds.

#include "FileChooserAnswers.h"
#include "FileContents.h"
#include "GridFixture.h"
#include "ModalAnswerer.h"
#include "app/MainWindow.h"
#include "model/CellContent.h"
#include "model/DocumentModel.h"
#include "model/DocumentReader.h"
#include "model/DocumentWriter.h"
#include "panel/VariablesWidget.h"
#include "table/GenericToolBar.h"
#include "table/TableWidget.h"

#include <QAbstractButton>
#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStringList>

namespace DocumentTestSupport {

inline QString dataPath(const QString &name)
{
    return QStringLiteral(QUORIN_SOURCE_DIR "/tests/data/document/") + name;
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QAction *action(MainWindow &window, const char *objectName)
{
    return window.findChild<QAction *>(QString::fromLatin1(objectName));
}

inline VariablesWidget *panel(MainWindow &window)
{
    return window.findChild<VariablesWidget *>(QStringLiteral("variablesDockWidget"));
}

// What a message box showed before it was answered.
struct ShownBox
{
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QMessageBox::StandardButton escapeButton = QMessageBox::NoButton;
    bool hasParent = true;
};

inline void answerBox(ModalAnswerer &answerer, QMessageBox::StandardButton button,
                      ShownBox *shown = nullptr)
{
    answerer.enqueue([button, shown](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (box && shown) {
            auto *escape = qobject_cast<QAbstractButton *>(box->escapeButton());
            *shown = {box->windowTitle(),
                      box->text(),
                      box->icon(),
                      box->standardButtons(),
                      box->standardButton(box->defaultButton()),
                      box->standardButton(escape),
                      box->parentWidget() != nullptr};
        }
        if (QAbstractButton *target = box ? box->button(button) : nullptr)
            target->click();
        else
            widget->close();
    });
}

// Answers the new-file dialog with a size, or cancels it.
inline void answerNewFileDialog(ModalAnswerer &answerer, int rows, int columns, bool accept = true)
{
    answerer.enqueue([=](QWidget *dialog) {
        if (dialog->objectName() != QLatin1String("NewFileDialog")) {
            dialog->close(); // not the dialog expected: the test fails, not hangs
            return;
        }
        dialog->findChild<QSpinBox *>(QStringLiteral("nRowSpinBox"))->setValue(rows);
        dialog->findChild<QSpinBox *>(QStringLiteral("nColSpinBox"))->setValue(columns);
        const char *button = accept ? "okButton" : "cancelButton";
        dialog->findChild<QAbstractButton *>(QString::fromLatin1(button))->click();
    });
}

inline void saveAs(MainWindow &window, ModalAnswerer &answerer, const QString &path)
{
    chooseFile(answerer, path);
    action(window, "saveAsAction")->trigger();
}

inline void open(MainWindow &window, ModalAnswerer &answerer, const QString &path)
{
    chooseFile(answerer, path);
    action(window, "openAction")->trigger();
}

inline void newTable(MainWindow &window, ModalAnswerer &answerer, int rows, int columns)
{
    answerNewFileDialog(answerer, rows, columns);
    action(window, "newFileAction")->trigger();
}

// A document with a bit of everything, given to the window's model: a
// catalogue listing a name twice and a matrix result, variables with and
// without modalities, sizes other than the defaults, areas, every kind of
// cell, texts that need escaping. The window is then modified.
inline void fillWithFullDocument(MainWindow &window)
{
    DocumentReader reader;
    if (!reader.readFile(dataPath(QStringLiteral("FullDocument.xml"))))
        qFatal("FullDocument.xml cannot be read");
    window.document()->setDocument(reader.document());
}

// ---- Describing what the window holds ----

inline QStringList describeVariables(const QList<Variable> &variables)
{
    QStringList lines;
    for (const Variable &variable : variables) {
        lines.append(QStringLiteral("variable %1|%2|%3")
                         .arg(variable.name(), variable.label())
                         .arg(int(variable.varType())));
        for (const Modality &modality : variable.modalities())
            lines.append(QStringLiteral("  modality %1|%2|%3|%4")
                             .arg(modality.value(), modality.valueLabel(), modality.varName(),
                                  modality.varLabel()));
    }
    return lines;
}

// Everything a document holds, one fact a line: the text of its file, then
// what the widgets show of it (the panel's lists, the grid's sizes) and the
// cells' format views, which files do not keep.
inline QStringList describeDocument(MainWindow &window)
{
    TableWidget *table = window.tableWidget();
    QStringList lines =
        QString::fromUtf8(DocumentWriter::toXml(window.document()->toDocument())).split('\n');
    lines.append("statistics " + panel(window)->statisticNames().join(' '));
    lines += describeVariables(panel(window)->variables());
    QString sizes = QStringLiteral("sizes"), views = QStringLiteral("views");
    for (int row = 0; row < table->rowCount(); ++row)
        sizes += ' ' + QString::number(table->rowHeight(row));
    for (int column = 0; column < table->columnCount(); ++column) {
        sizes += ' ' + QString::number(table->columnWidth(column));
        for (int row = 0; row < table->rowCount(); ++row) {
            const CellContent &content = GridFixture::at(table, row, column).content();
            views += QStringLiteral(" %1/%2")
                         .arg(int(content.statisticFormatView()))
                         .arg(int(content.conditionFormatView()));
        }
    }
    return lines << sizes << views;
}

} // namespace DocumentTestSupport
