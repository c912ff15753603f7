#pragma once

// Shared by the tests of documents, their commands and the settings: driving
// the main window's file commands as a user would, building a document in
// the widgets, and describing what the widgets hold.

#include "FileChooserAnswers.h"
#include "FileContents.h"
#include "GridFixture.h"
#include "ModalAnswerer.h"
#include "app/MainWindow.h"
#include "model/CellContent.h"
#include "model/DocumentModel.h"
#include "model/DocumentReader.h"
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

// ---- Describing what the widgets hold ----

inline QString describe(const CellContent &content)
{
    QStringList parts = {QString::number(int(content.dataType())), "area=" + content.area(),
                         QStringLiteral("views=%1/%2")
                             .arg(int(content.statisticFormatView()))
                             .arg(int(content.conditionFormatView()))};
    const Statistic &statistic = content.statistic();
    if (content.dataType() == CellContent::Kind::SimpleText)
        parts.append("text=" + content.simpleText());
    if (content.dataType() == CellContent::Kind::Statistic)
        parts.append("statistic=" + QStringList{statistic.statisticName, statistic.varName,
                                                statistic.varLabel, statistic.format}
                                        .join('|'));
    for (const MicroCondition &term : content.condition().terms())
        parts.append(
            "term=" +
            QStringList{term.value(), term.valueLabel(), term.varName(), term.varLabel()}.join(
                '|'));
    return parts.join(' ');
}

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

// Everything a document holds, as the widgets show it, one fact a line.
inline QStringList describeDocument(MainWindow &window)
{
    TableWidget *table = window.tableWidget();
    QStringList lines = {"dataset " + window.document()->stataDatasetFileName(),
                         "output " + window.document()->outputFileName()};
    for (const QString &name : panel(window)->statisticNames()) {
        const Command command = window.statisticCatalogue()->value(name);
        lines.append(QStringLiteral("statistic %1 => %2|%3|%4|%5|%6|%7")
                         .arg(name, command.name(), command.format(), command.result())
                         .arg(int(command.resultType()))
                         .arg(command.resultMatrixRow())
                         .arg(command.resultMatrixColumn()));
    }
    lines.append(QStringLiteral("catalogue size %1").arg(window.statisticCatalogue()->size()));
    lines += describeVariables(panel(window)->variables());
    QStringList heights, widths;
    for (int row = 0; row < table->rowCount(); ++row)
        heights.append(QString::number(table->rowHeight(row)));
    for (int column = 0; column < table->columnCount(); ++column)
        widths.append(QString::number(table->columnWidth(column)));
    lines.append(QStringLiteral("rows %1: %2").arg(table->rowCount()).arg(heights.join(' ')));
    lines.append(QStringLiteral("columns %1: %2").arg(table->columnCount()).arg(widths.join(' ')));
    for (const Area &area : window.areas()->areas())
        lines.append(QStringLiteral("area %1|%2").arg(area.name(), area.condition()));
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column)
            lines.append(QStringLiteral("cell %1,%2 ").arg(row).arg(column) +
                         describe(GridFixture::at(table, row, column).content()));
    }
    return lines;
}

} // namespace DocumentTestSupport
