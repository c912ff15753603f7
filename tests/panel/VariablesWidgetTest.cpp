#include "panel/VariablesWidget.h"

#include "DataRows.h"
#include "DialogControls.h"
#include "ModalAnswerer.h"
#include "model/DocumentModel.h"
#include "table/ModalityListWidget.h"
#include "table/VariableListWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTest>
#include <QToolButton>

namespace {

// Types the texts into the line edits named before each and clicks Ok (the
// modality dialog has its own Ok button, the others a button box).
void typeAndConfirm(QWidget *dialog, const QStringList &namesAndTexts)
{
    for (int i = 0; i + 1 < namesAndTexts.size(); i += 2)
        QTest::keyClicks(namedChild<QLineEdit>(dialog, namesAndTexts.at(i)),
                         namesAndTexts.at(i + 1));
    if (auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("okButton")))
        ok->click();
    else
        clickOk(dialog);
}

Variable variableWith(const QString &name, const QStringList &values)
{
    Variable variable(name, name.toUpper(), 0);
    for (const QString &value : values)
        variable.appendModality(Modality(value, "label " + value, name, name.toUpper()));
    return variable;
}

Command statistic(const char *name, const char *format = "")
{
    return Command(name, format, {}, Command::ResultType::Scalar, 1, 1);
}

QStringList column0(const QTreeWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        texts.append(list->topLevelItem(row)->text(0));
    return texts;
}

// The state of populate() below, as state() gives it.
const QString populated = QStringLiteral("sex:SEX(1=label 1,2=label 2,3=label 3) area:AREA(n=label "
                                         "n,s=label s) | listed sex,area | shown 1,2,3");

} // namespace

class VariablesWidgetTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_document = std::make_unique<DocumentModel>();
        m_panel = std::make_unique<VariablesWidget>(m_document.get());
        m_variables = namedChild<VariableListWidget>(m_panel.get(), "variableListWidget");
        m_modalities = namedChild<ModalityListWidget>(m_panel.get(), "modalityListWidget");
        m_statistics = namedChild<QComboBox>(m_panel.get(), "statisticComboBox");
        m_panel->show();
    }

    void cleanup()
    {
        m_panel.reset();
        m_document.reset();
    }

    // The panes share a splitter that cannot hide either; the lists show names
    // and labels. The box lists the catalogue in the document's order, a
    // repeated name each time, also when the panel is made on a loaded document.
    void formAndCatalogue()
    {
        QCOMPARE(m_panel->windowTitle(), QStringLiteral("Variables"));
        QVERIFY(!namedChild<QSplitter>(m_panel.get(), "splitter")->childrenCollapsible());
        populate();
        QCOMPARE(m_variables->topLevelItem(1)->text(1), QStringLiteral("AREA"));
        QCOMPARE(m_modalities->topLevelItem(2)->text(1), QStringLiteral("label 3"));
        DocumentModel document;
        document.setStatistics(
            {statistic("sd", "first"), statistic("mean"), statistic("sd", "second")});
        VariablesWidget panel(&document);
        auto *list = namedChild<VariableListWidget>(&panel, QStringLiteral("variableListWidget"));
        QCOMPARE(panel.statisticNames(), QStringList({"sd", "mean", "sd"}));
        QCOMPARE(list->currentStatistic(), QStringLiteral("sd"));
        namedChild<QComboBox>(&panel, QStringLiteral("statisticComboBox"))->setCurrentIndex(1);
        QCOMPARE(list->currentStatistic(), QStringLiteral("mean"));
    }

    void addNewNamesOnly_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("taken");
        QTest::addColumn<QString>("fresh");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("after");
        const QString area = QStringLiteral("area:AREA(n=label n,s=label s)");
        const QString stats = QStringLiteral(" | box a,b,c | a=,b=,c= | current a");
        // Names are case-sensitive; a new variable becomes the current one.
        dataRow("variable", "addVariableButton", "AddVariableDialog", "variableNameLineEdit",
                "variableLabelLineEdit", "sex", "Sex", "Variable name already exists.",
                "sex:SEX(1=label 1,2=label 2,3=label 3) " + area +
                    " Sex:other text() | listed sex,area,Sex | shown " + stats);
        dataRow("modality", "addModalityButton", "AddModalityDialog", "valueLineEdit",
                "valueLabelLineEdit", "1", "4", "Value already exists.",
                "sex:SEX(1=label 1,2=label 2,3=label 3,4=other text) " + area +
                    " | listed sex,area | shown 1,2,3,4" + stats);
        dataRow("statistic", "addStatisticToolButton", "AddStatisticDialog", "nameLineEdit",
                "commandFormatLineEdit", "a", "d", "Statistic's name already exists.",
                populated + " | box a,b,c,d | a=,b=,c=,d=other text | current a");
    }

    // The name typed again is taken: the dialog comes back with both texts as
    // typed, and a new name is added last.
    void addNewNamesOnly()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, taken);
        QFETCH(QString, fresh);
        populate();
        ModalAnswerer answerer;
        QString shown, nameAgain, otherAgain;
        answerer.enqueue([&](QWidget *opened) {
            typeAndConfirm(opened, {first, taken, second, "other text"});
        });
        answerer.answerMessageBox(QMessageBox::Ok, &shown);
        answerer.enqueue([&](QWidget *opened) {
            nameAgain = namedChild<QLineEdit>(opened, first)->text();
            otherAgain = namedChild<QLineEdit>(opened, second)->text();
            namedChild<QLineEdit>(opened, first)->clear();
            typeAndConfirm(opened, {first, fresh});
        });
        QFETCH(QString, button);
        this->button(button)->click();
        QCOMPARE(answerer.seen(), (QStringList{dialog, "QMessageBox", dialog}));
        QTEST(shown, "message");
        QCOMPARE(nameAgain, taken);
        QCOMPARE(otherAgain, QStringLiteral("other text"));
        QTEST(state(), "after");
    }

    void removalAsksFirst_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("statisticIndex");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("informative");
        QTest::addColumn<QString>("after");
        const QString stats = QStringLiteral(" | box a,b,c | a=,b=,c= | current b");
        const QString area = QStringLiteral("area:AREA(n=label n,s=label s)");
        dataRow("variable", "deleteVariableButton", 1, "Delete variable",
                "Are you sure you want to delete variable \"sex\" ?",
                area + " | listed area | shown n,s" + stats);
        dataRow("modality", "deleteModalityButton", 1, "Delete modality",
                "Are you sure you want to delete modality \"2\" ?",
                "sex:SEX(1=label 1,3=label 3) " + area + " | listed sex,area | shown 1,3" + stats);
        const QString question = "Are you sure you want to remove statistic \"%1\"?\nNote: All "
                                 "cells containing this statistic will be deleted";
        // The next statistic becomes current, or the previous one after the last.
        dataRow("statistic", "removeStatisticToolButton", 1, question.arg("b"), "",
                populated + " | box a,c | a=,c= | current c");
        dataRow("last statistic", "removeStatisticToolButton", 2, question.arg("c"), "",
                populated + " | box a,b | a=,b= | current b");
    }

    void removalAsksFirst()
    {
        QFETCH(QString, button);
        QFETCH(QString, after);
        populate();
        QFETCH(int, statisticIndex);
        m_statistics->setCurrentIndex(statisticIndex);
        m_modalities->setCurrentItem(m_modalities->topLevelItem(1));
        const QString before = state();
        ModalAnswerer answerer;
        QString shownText, shownInformative;
        answerer.answerMessageBox(QMessageBox::No, &shownText, &shownInformative);
        this->button(button)->click();
        QTEST(shownText, "text");
        QTEST(shownInformative, "informative");
        QCOMPARE(state(), before);

        answerer.answerMessageBox(QMessageBox::Yes);
        this->button(button)->click();
        QCOMPARE(state(), after);
        QCOMPARE(m_variables->currentItem(), m_variables->topLevelItem(0));
        QVERIFY(m_variables->currentItem()->isSelected());
        // The lists are rebuilt from the document when a variable is chosen again.
        selectVariable(1);
        selectVariable(0);
        QCOMPARE(state(), after);
    }

    // Without a selection (or a statistic) the buttons open nothing and
    // change nothing.
    void nothingSelectedDoesNothing()
    {
        m_document->addVariable(variableWith(QStringLiteral("a"), {"1", "2"}));
        m_document->addVariable(variableWith(QStringLiteral("b"), {}));
        m_variables->setCurrentItem(nullptr);
        QVERIFY(!button("addModalityButton")->isEnabled());
        m_variables->clearSelection();
        m_modalities->clearSelection();
        const QString before = state();
        ModalAnswerer answerer;
        for (const char *name :
             {"upVariableButton", "downVariableButton", "deleteVariableButton", "upModalityButton",
              "downModalityButton", "deleteModalityButton", "addModalityButton",
              "editStatisticToolButton", "removeStatisticToolButton"})
            button(name)->click();
        QVERIFY(answerer.seen().isEmpty());
        QCOMPARE(state(), before);
        selectVariable(0);
        QVERIFY(button("addModalityButton")->isEnabled());
    }

    void moves_data()
    {
        QTest::addColumn<bool>("modalities");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("currentRow");
        dataRow("variable first up", false, 0, "upVariableButton", "sex,area", 0);
        dataRow("variable first down", false, 0, "downVariableButton", "area,sex", 1);
        dataRow("variable last up", false, 1, "upVariableButton", "area,sex", 0);
        dataRow("modality last down", true, 2, "downModalityButton", "1,2,3", 2);
        dataRow("modality first down", true, 0, "downModalityButton", "2,1,3", 1);
        dataRow("modality last up", true, 2, "upModalityButton", "1,3,2", 1);
    }

    // The list and the document change alike; the moved row stays current.
    void moves()
    {
        QFETCH(bool, modalities);
        QFETCH(int, row);
        QFETCH(QString, button);
        QFETCH(QString, order);
        populate();
        QTreeWidget *list = modalities ? static_cast<QTreeWidget *>(m_modalities) : m_variables;
        list->setCurrentItem(list->topLevelItem(row));
        this->button(button)->click();
        QStringList stored;
        for (const Variable &variable : m_panel->variables())
            stored.append(variable.name());
        for (const Modality &modality : m_panel->variables().at(stored.indexOf("sex")).modalities())
            stored.append(modality.value());
        QCOMPARE(column0(list).join(','), order);
        QCOMPARE(stored.mid(modalities ? 2 : 0, modalities ? 3 : 2).join(','), order);
        QTEST(list->indexOfTopLevelItem(list->currentItem()), "currentRow");
    }

    // With "add another" checked the dialog comes back empty, still checked,
    // until cancelled. Each modality is stored, and its row carries it for a
    // drag.
    void addModalities()
    {
        m_document->addVariable(variableWith(QStringLiteral("sex"), {}));
        selectVariable(0);
        ModalAnswerer answerer;
        QStringList reopenedWith;
        bool okEnabledAgain = true, stillChecked = false;
        answerer.enqueue([](QWidget *dialog) {
            namedChild<QCheckBox>(dialog, "addAnotherModalityCheckBox")->setChecked(true);
            typeAndConfirm(dialog, {"valueLineEdit", "1", "valueLabelLineEdit", "Male"});
        });
        answerer.enqueue([&](QWidget *dialog) {
            for (const char *edit : {"valueLineEdit", "valueLabelLineEdit"})
                reopenedWith << namedChild<QLineEdit>(dialog, edit)->text();
            okEnabledAgain = namedChild<QPushButton>(dialog, "okButton")->isEnabled();
            typeAndConfirm(dialog, {"valueLineEdit", "2"});
        });
        answerer.enqueue([&](QWidget *dialog) {
            stillChecked = namedChild<QCheckBox>(dialog, "addAnotherModalityCheckBox")->isChecked();
            namedChild<QPushButton>(dialog, "cancelButton")->click();
        });
        button("addModalityButton")->click();
        QCOMPARE(reopenedWith, QStringList({"", ""}));
        QVERIFY(!okEnabledAgain);
        QVERIFY(stillChecked);
        QCOMPARE(state(), QStringLiteral("sex:SEX(1=Male,2=) | listed sex | shown 1,2 | box  |  | "
                                         "current "));
        const Modality carried =
            m_modalities->topLevelItem(0)->data(0, Qt::UserRole).value<Modality>();
        QCOMPARE(QStringList({carried.value(), carried.valueLabel(), carried.varName(),
                              carried.varLabel()}),
                 QStringList({"1", "Male", "sex", "SEX"}));
        QCOMPARE(m_modalities->topLevelItem(0)->text(1), QStringLiteral("Male"));
        button("selectAllModalitiesButton")->click();
        QCOMPARE(m_modalities->selectedItems().size(), 2);
        // A document without variables empties both lists.
        m_document->setVariables({});
        QCOMPARE(state(), QStringLiteral(" | listed  | shown  | box  |  | current "));
        QVERIFY(!button("addModalityButton")->isEnabled());
    }

    // What the dialogs read from their fields is their own tests'; here where
    // the panel puts the result. The first statistic of an empty box becomes
    // current; an edited one keeps its place.
    void addAndEditStatistics()
    {
        ModalAnswerer answerer;
        answerer.enqueue([](QWidget *dialog) {
            typeAndConfirm(dialog, {"nameLineEdit", "count", "commandFormatLineEdit", "count #if",
                                    "resultLineEdit", "r(N)"});
        });
        QString shown;
        answerer.enqueue([&](QWidget *dialog) {
            shown = namedChild<QLineEdit>(dialog, "statisticNameLineEdit")->text();
            namedChild<QLineEdit>(dialog, "commandFormatLineEdit")->clear();
            QTest::mouseClick(namedChild<QRadioButton>(dialog, "matrixRadioButton"),
                              Qt::LeftButton);
            typeAndConfirm(dialog, {"commandFormatLineEdit", "tab #var"});
        });
        button("addStatisticToolButton")->click();
        QCOMPARE(state(), QStringLiteral(" | listed  | shown  | box count | count=count #if | "
                                         "current count"));
        QCOMPARE(m_document->catalogue().value(QStringLiteral("count")).result(),
                 QStringLiteral("r(N)"));
        button("editStatisticToolButton")->click();
        QCOMPARE(shown, QStringLiteral("count"));
        QCOMPARE(m_document->catalogue().value(QStringLiteral("count")).resultType(),
                 Command::ResultType::Matrix);
        QCOMPARE(state(), QStringLiteral(
                              " | listed  | shown  | box count | count=tab #var | current count"));
        m_document->setStatistics({});
        QCOMPARE(state(), QStringLiteral(" | listed  | shown  | box  |  | current "));
    }

private:
    QToolButton *button(const QString &name) const
    {
        return namedChild<QToolButton>(m_panel.get(), name);
    }
    void selectVariable(int row) { m_variables->setCurrentItem(m_variables->topLevelItem(row)); }

    // Variables sex (1, 2, 3) and area (n, s), statistics a, b and c; sex
    // chosen.
    void populate()
    {
        m_document->addVariable(variableWith(QStringLiteral("sex"), {"1", "2", "3"}));
        m_document->addVariable(variableWith(QStringLiteral("area"), {"n", "s"}));
        m_document->setStatistics({statistic("a"), statistic("b"), statistic("c")});
        selectVariable(0);
    }

    // What the panel shows and what the document holds, in one line.
    QString state() const
    {
        QStringList variables;
        for (const Variable &variable : m_panel->variables()) {
            QStringList modalities;
            for (const Modality &modality : variable.modalities())
                modalities.append(modality.value() + '=' + modality.valueLabel());
            variables.append(variable.name() + ':' + variable.label() + '(' + modalities.join(',') +
                             ')');
        }
        QStringList catalogue;
        for (const Command &command : m_document->catalogue())
            catalogue.append(command.name() + '=' + command.format());
        QStringList box;
        for (int index = 0; index < m_statistics->count(); ++index)
            box.append(m_statistics->itemText(index));
        return QStringList{variables.join(' '),
                           "listed " + column0(m_variables).join(','),
                           "shown " + column0(m_modalities).join(','),
                           "box " + box.join(','),
                           catalogue.join(','),
                           "current " + m_variables->currentStatistic()}
            .join(QStringLiteral(" | "));
    }

    std::unique_ptr<DocumentModel> m_document;
    std::unique_ptr<VariablesWidget> m_panel;
    VariableListWidget *m_variables = nullptr;
    ModalityListWidget *m_modalities = nullptr;
    QComboBox *m_statistics = nullptr;
};

QTEST_MAIN(VariablesWidgetTest)
#include "VariablesWidgetTest.moc"
