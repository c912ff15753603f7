#pragma once

// Shared by the tests of documents, their commands and the settings: driving
// the main window's file commands as a user would, building a document in
// the widgets, and describing what the widgets hold.

#include "CellBuilders.h"
#include "FileChooserAnswers.h"
#include "FileContents.h"
#include "GridFixture.h"
#include "ModalAnswerer.h"
#include "app/MainWindow.h"
#include "model/CellContent.h"
#include "model/DocumentModel.h"
#include "panel/VariablesWidget.h"
#include "table/GenericToolBar.h"
#include "table/TableWidget.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QFileDialog>
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

// ---- Building a document in the widgets ----

using CellBuilders::term;

// A document with a bit of everything: a catalogue listing a name twice and a
// matrix result, variables with and without modalities, sizes other than the
// defaults, areas, every kind of cell, format views other than the defaults,
// texts that need escaping.
inline void fillWithFullDocument(MainWindow &window)
{
    TableWidget *table = window.tableWidget();
    table->newTable(3, 4);
    window.document()->setStataDatasetFileName(
        QStringLiteral("/home/ana/dati & c/indagine 2024.dta"));
    window.document()->setOutputFileName(QStringLiteral("C:\\Users\\ana\\tabella <finale>.csv"));
    window.document()->setStatistics({
        Command("median", "summarize #var #if, detail", "r(p50)", Command::ResultType::Scalar, 1,
                1),
        Command("mean", "summarize #var #if", "r(mean)", Command::ResultType::Scalar, 1, 1),
        Command("label", "local l: variable label #var", "`l'", Command::ResultType::Macro, 1, 1),
        Command("ci", "ci means #var #if", "r(table)", Command::ResultType::Matrix, 5, 7),
        Command("mean", "mean #var #if", "e(b)[1,1]", Command::ResultType::Scalar, 1, 1),
    });
    Variable sex("sesso", "Sesso dell'intervistato", 251);
    sex.appendModality(Modality("1", "Maschio", "sesso", "Sesso dell'intervistato"));
    sex.appendModality(Modality("2", "Femmina", "sesso", "Sesso dell'intervistato"));
    Variable region("ripartizione", "Ripartizione \"geografica\"", 0);
    for (int i = 1; i <= 3; ++i)
        region.appendModality(Modality(QString::number(i), QStringLiteral("Zona %1").arg(i),
                                       "ripartizione", "Ripartizione \"geografica\""));
    window.document()->setVariables({sex, Variable("eta", "Età in anni", 252), region});
    table->setRowHeight(0, 41);
    table->setRowHeight(2, 55);
    table->setColumnWidth(0, 150);
    table->setColumnWidth(3, 95);
    window.areas()->insert(Area("sud", "ripartizione>=4"));
    window.areas()->insert(Area("Nord", "ripartizione<=2 & !missing(eta)"));
    window.areas()->insert(Area("vuota", ""));
    window.findChild<GenericToolBar *>()->refreshAreaBox(*window.areas());

    GridFixture::at(table, 0, 0)
        .setSimpleText(QStringLiteral("Two\nlines and <tags> & 'quotes' \"too\""));
    GridFixture::at(table, 0, 1).addMicroCondition(term("1", "Maschio", "sesso", "Sesso"));
    GridFixture::at(table, 0, 1)
        .setConditionFormatView(CellContent::ConditionFormatView::VariableNameEqualModalityValue);
    GridFixture::at(table, 0, 2).addMicroCondition(term("1", "Zona 1", "ripartizione", "Rip"));
    GridFixture::at(table, 0, 2).addMicroCondition(term("2", "Zona 2", "ripartizione", "Rip"));
    GridFixture::at(table, 0, 2).setArea(QStringLiteral("Nord"));
    GridFixture::at(table, 1, 0).setArea(QStringLiteral("sud"));
    GridFixture::at(table, 1, 1).setStatistic(Statistic{"eta", "Età in anni", "mean", "%9.2f"});
    GridFixture::at(table, 1, 1)
        .setStatisticFormatView(CellContent::StatisticFormatView::OnlyStatisticVariableLabel);
    GridFixture::at(table, 1, 2).setStatistic(Statistic{"eta", "Età in anni", "ci", ""});
    GridFixture::at(table, 1, 2).setArea(QStringLiteral("Nord"));
    GridFixture::at(table, 2, 1).setSimpleText(QStringLiteral("€ ≥ 😀"));
    GridFixture::at(table, 2, 3).setStatistic(Statistic{"eta", "", "label", "%20s"});
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
