#include "panel/VariablesWidget.h"

#include "DataRows.h"
#include "DialogControls.h"
#include "ModalAnswerer.h"
#include "model/CellTableModel.h"
#include "model/DocumentModel.h"
#include "panel/AddModalityDialog.h"
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

void type(QWidget *dialog, const char *lineEdit, const QString &text)
{
    QTest::keyClicks(namedChild<QLineEdit>(dialog, QString::fromLatin1(lineEdit)), text);
}

QString lineText(QWidget *dialog, const char *lineEdit)
{
    return namedChild<QLineEdit>(dialog, QString::fromLatin1(lineEdit))->text();
}

// The modality dialog has its own Ok button; the others a button box.
void confirm(QWidget *dialog)
{
    if (auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("okButton")))
        ok->click();
    else
        clickOk(dialog);
}

void chooseMatrix(QWidget *dialog, bool matrix)
{
    QTest::mouseClick(namedChild<QRadioButton>(dialog, matrix
                                                           ? QStringLiteral("matrixRadioButton")
                                                           : QStringLiteral("scalarRadioButton")),
                      Qt::LeftButton);
}

Variable variableWith(const QString &name, const QStringList &values)
{
    Variable variable(name, name.toUpper(), 0);
    for (const QString &value : values)
        variable.appendModality(
            Modality(value, QStringLiteral("label ") + value, name, name.toUpper()));
    return variable;
}

Command statistic(const char *name, const char *format = "")
{
    return Command(QString::fromLatin1(name), QString::fromLatin1(format), {},
                   Command::ResultType::Scalar, 1, 1);
}

QStringList valuesOf(const Variable &variable)
{
    QStringList values;
    for (const Modality &modality : variable.modalities())
        values.append(modality.value());
    return values;
}

QStringList column0(const QTreeWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        texts.append(list->topLevelItem(row)->text(0));
    return texts;
}

QStringList comboTexts(const QComboBox *box)
{
    QStringList texts;
    for (int index = 0; index < box->count(); ++index)
        texts.append(box->itemText(index));
    return texts;
}

} // namespace

class VariablesWidgetTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void form();
    void constructionListsTheCatalogueInOrder();

    void addVariable();
    void variableNamesDifferingInCaseAreBoth();
    void duplicateNameReopensTheDialogWithTheTypedText_data();
    void duplicateNameReopensTheDialogWithTheTypedText();
    void removalAsksFirst_data();
    void removalAsksFirst();
    void variablesAndClearing();
    void nothingSelectedDoesNothing();
    void moves_data();
    void moves();

    void addModality();
    void addAnotherModalityLoop();
    void selectAllModalities();

    void addStatisticIsListedLast();
    void editStatistic();
    void loadStatisticsKeepsDocumentOrder();
    void removingARepeatedNameRemovesEveryEntry();

private:
    QToolButton *button(const QString &name) const
    {
        return namedChild<QToolButton>(m_panel, name);
    }
    void selectVariable(int row) { m_variables->setCurrentItem(m_variables->topLevelItem(row)); }
    void selectModality(int row) { m_modalities->setCurrentItem(m_modalities->topLevelItem(row)); }
    // What the panel shows and what the document holds, in one line.
    QString state() const;

    DocumentModel *m_document = nullptr;
    VariablesWidget *m_panel = nullptr;
    VariableListWidget *m_variables = nullptr;
    ModalityListWidget *m_modalities = nullptr;
    QComboBox *m_statistics = nullptr;
};

void VariablesWidgetTest::init()
{
    m_document = new DocumentModel;
    m_panel = new VariablesWidget(m_document);
    m_variables = namedChild<VariableListWidget>(m_panel, QStringLiteral("variableListWidget"));
    m_modalities = namedChild<ModalityListWidget>(m_panel, QStringLiteral("modalityListWidget"));
    m_statistics = namedChild<QComboBox>(m_panel, QStringLiteral("statisticComboBox"));
    m_panel->show();
}

void VariablesWidgetTest::cleanup()
{
    delete m_panel;
    delete m_document;
}

QString VariablesWidgetTest::state() const
{
    QStringList variables;
    for (const Variable &variable : m_panel->variables()) {
        QStringList modalities;
        for (const Modality &modality : variable.modalities())
            modalities.append(modality.value() + QLatin1Char('=') + modality.valueLabel());
        variables.append(variable.name() + QLatin1Char(':') + variable.label() + QLatin1Char('(') +
                         modalities.join(QLatin1Char(',')) + QLatin1Char(')'));
    }
    QStringList catalogue;
    for (const Command &command : m_document->catalogue())
        catalogue.append(command.name() + QLatin1Char('=') + command.format());
    return QStringList{variables.join(QLatin1Char(' ')),
                       QStringLiteral("listed ") + column0(m_variables).join(QLatin1Char(',')),
                       QStringLiteral("shown ") + column0(m_modalities).join(QLatin1Char(',')),
                       QStringLiteral("box ") + comboTexts(m_statistics).join(QLatin1Char(',')),
                       catalogue.join(QLatin1Char(',')),
                       QStringLiteral("current ") + m_variables->currentStatistic()}
        .join(QStringLiteral(" | "));
}

void VariablesWidgetTest::form()
{
    QCOMPARE(m_panel->objectName(), QStringLiteral("variablesDockWidget"));
    QCOMPARE(m_panel->windowTitle(), QStringLiteral("Variables"));
    // The variable and modality panes share a splitter that cannot hide either.
    const auto *splitter = namedChild<QSplitter>(m_panel, QStringLiteral("splitter"));
    QCOMPARE(splitter->orientation(), Qt::Vertical);
    QVERIFY(splitter->widget(0)->isAncestorOf(m_variables));
    QVERIFY(splitter->widget(1)->isAncestorOf(m_modalities));
    QVERIFY(!splitter->childrenCollapsible());
}

void VariablesWidgetTest::constructionListsTheCatalogueInOrder()
{
    DocumentModel document;
    document.setStatistics({statistic("sd"), statistic("mean")});
    VariablesWidget panel(&document);
    auto *box = namedChild<QComboBox>(&panel, QStringLiteral("statisticComboBox"));
    auto *list = namedChild<VariableListWidget>(&panel, QStringLiteral("variableListWidget"));
    QCOMPARE(comboTexts(box), (QStringList{"sd", "mean"}));
    QCOMPARE(panel.statisticNames(), (QStringList{"sd", "mean"}));
    QCOMPARE(list->currentStatistic(), QStringLiteral("sd"));
    box->setCurrentIndex(1);
    QCOMPARE(list->currentStatistic(), QStringLiteral("mean"));
}

// Variables

void VariablesWidgetTest::addVariable()
{
    ModalAnswerer answerer;
    answerer.enqueue([](QWidget *dialog) {
        type(dialog, "variableNameLineEdit", QStringLiteral("income"));
        type(dialog, "variableLabelLineEdit", QStringLiteral(" Monthly income "));
        clickOk(dialog);
    });
    button(QStringLiteral("addVariableButton"))->click();
    QCOMPARE(answerer.seen(), QStringList{"AddVariableDialog"});
    QCOMPARE(state(), QStringLiteral("income:Monthly income() | listed income | shown  | box  |  | "
                                     "current "));
    QCOMPARE(int(m_panel->variables().first().varType()), 0);
    QCOMPARE(m_variables->topLevelItem(0)->text(1), QStringLiteral("Monthly income"));
    QCOMPARE(m_variables->currentItem(), m_variables->topLevelItem(0));
    QVERIFY(button(QStringLiteral("addModalityButton"))->isEnabled());
}

void VariablesWidgetTest::variableNamesDifferingInCaseAreBoth()
{
    m_document->addVariable(Variable(QStringLiteral("age"), QString(), 0));
    ModalAnswerer answerer;
    answerer.enqueue([](QWidget *dialog) {
        type(dialog, "variableNameLineEdit", QStringLiteral("Age"));
        clickOk(dialog);
    });
    button(QStringLiteral("addVariableButton"))->click();
    QCOMPARE(answerer.seen(), QStringList{"AddVariableDialog"});
    QCOMPARE(column0(m_variables), (QStringList{"age", "Age"}));
}

void VariablesWidgetTest::duplicateNameReopensTheDialogWithTheTypedText_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("message");
    dataRow("variable", "addVariableButton", "AddVariableDialog", "variableNameLineEdit",
            "variableLabelLineEdit", "Variable name already exists.");
    dataRow("modality", "addModalityButton", "AddModalityDialog", "valueLineEdit",
            "valueLabelLineEdit", "Value already exists.");
    dataRow("statistic", "addStatisticToolButton", "AddStatisticDialog", "nameLineEdit",
            "commandFormatLineEdit", "Statistic's name already exists.");
}

// The name typed again ("sex", "1" or "mean") is taken; the dialog comes back
// with both texts as typed, and cancelling it leaves everything as it was.
void VariablesWidgetTest::duplicateNameReopensTheDialogWithTheTypedText()
{
    QFETCH(QString, button);
    QFETCH(QString, dialog);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, message);
    m_document->addVariable(variableWith(QStringLiteral("sex"), {"1"}));
    m_document->setStatistics({statistic("mean", "summarize #var #if")});
    selectVariable(0);
    const QString before = state();
    const QString taken = first.startsWith(QLatin1String("value"))  ? QStringLiteral("1")
                          : first.startsWith(QLatin1String("name")) ? QStringLiteral("mean")
                                                                    : QStringLiteral("sex");
    ModalAnswerer answerer;
    QString shown, nameAgain, otherAgain;
    answerer.enqueue([&](QWidget *opened) {
        type(opened, first.toLatin1().constData(), taken);
        type(opened, second.toLatin1().constData(), QStringLiteral("other text"));
        confirm(opened);
    });
    answerer.answerMessageBox(QMessageBox::Ok, &shown);
    answerer.enqueue([&](QWidget *opened) {
        nameAgain = lineText(opened, first.toLatin1().constData());
        otherAgain = lineText(opened, second.toLatin1().constData());
        static_cast<QDialog *>(opened)->reject();
    });
    this->button(button)->click();
    QCOMPARE(answerer.seen(), (QStringList{dialog, "QMessageBox", dialog}));
    QCOMPARE(shown, message);
    QCOMPARE(nameAgain, taken);
    QCOMPARE(otherAgain, QStringLiteral("other text"));
    QCOMPARE(state(), before);
}

void VariablesWidgetTest::removalAsksFirst_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("statisticIndex");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("informative");
    QTest::addColumn<QString>("after");
    const QString stats = QStringLiteral(" | box a,b,c | a=,b=,c= | current b");
    dataRow("variable", "deleteVariableButton", 1, "Delete variable",
            "Are you sure you want to delete variable \"sex\" ?",
            "area:AREA(n=label n,s=label s) | listed area | shown n,s" + stats);
    dataRow("modality", "deleteModalityButton", 1, "Delete modality",
            "Are you sure you want to delete modality \"2\" ?",
            "sex:SEX(1=label 1,3=label 3) area:AREA(n=label n,s=label s) | listed sex,area | shown "
            "1,3" +
                stats);
    const QString variables = QStringLiteral("sex:SEX(1=label 1,2=label 2,3=label 3) "
                                             "area:AREA(n=label n,s=label s) | listed sex,area | "
                                             "shown 1,2,3 | box ");
    const char *question = "Are you sure you want to remove statistic \"%1\"?\nNote: All cells "
                           "containing this statistic will be deleted";
    // The next statistic becomes current, or the previous one after the last.
    dataRow("statistic", "removeStatisticToolButton", 1, QString::fromLatin1(question).arg("b"),
            QString(), variables + "a,c | a=,c= | current c");
    dataRow("last statistic", "removeStatisticToolButton", 2,
            QString::fromLatin1(question).arg("c"), QString(),
            variables + "a,b | a=,b= | current b");
}

void VariablesWidgetTest::removalAsksFirst()
{
    QFETCH(QString, button);
    QFETCH(int, statisticIndex);
    QFETCH(QString, text);
    QFETCH(QString, informative);
    QFETCH(QString, after);
    m_document->addVariable(variableWith(QStringLiteral("sex"), {"1", "2", "3"}));
    m_document->addVariable(variableWith(QStringLiteral("area"), {"n", "s"}));
    m_document->setStatistics({statistic("a"), statistic("b"), statistic("c")});
    m_statistics->setCurrentIndex(statisticIndex);
    selectVariable(0);
    selectModality(1);
    const QString before = state();
    ModalAnswerer answerer;
    QString shownText, shownInformative;
    answerer.answerMessageBox(QMessageBox::No, &shownText, &shownInformative);
    this->button(button)->click();
    QCOMPARE(shownText, text);
    QCOMPARE(shownInformative, informative);
    QCOMPARE(state(), before);

    answerer.answerMessageBox(QMessageBox::Yes);
    this->button(button)->click();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(state(), after);
    QCOMPARE(m_variables->currentItem(), m_variables->topLevelItem(0));
    QVERIFY(m_variables->currentItem()->isSelected());
    // The lists are rebuilt from the document when a variable is chosen again.
    selectVariable(1);
    selectVariable(0);
    QCOMPARE(state(), after);
}

void VariablesWidgetTest::variablesAndClearing()
{
    m_document->addVariable(variableWith(QStringLiteral("sex"), {"1", "2"}));
    m_document->addVariable(Variable(QStringLiteral("w"), QStringLiteral("Weight"), 254));
    m_document->setStatistics({statistic("mean")});
    QCOMPARE(int(m_panel->variables().at(1).varType()), 254);
    QCOMPARE(m_variables->topLevelItem(1)->text(1), QStringLiteral("Weight"));
    selectVariable(0);
    QCOMPARE(column0(m_modalities), (QStringList{"1", "2"}));
    m_document->setVariables({});
    m_document->setStatistics({});
    QVERIFY(m_panel->statisticNames().isEmpty());
    QCOMPARE(state(), QStringLiteral(" | listed  | shown  | box  |  | current "));
    QVERIFY(!button(QStringLiteral("addModalityButton"))->isEnabled());
}

// Without a selection (or a statistic) the buttons open nothing and change nothing.
void VariablesWidgetTest::nothingSelectedDoesNothing()
{
    QVERIFY(!button(QStringLiteral("addModalityButton"))->isEnabled());
    m_document->addVariable(variableWith(QStringLiteral("a"), {"1", "2"}));
    m_document->addVariable(variableWith(QStringLiteral("b"), {}));
    m_variables->setCurrentItem(nullptr);
    QVERIFY(!button(QStringLiteral("addModalityButton"))->isEnabled());
    m_variables->clearSelection();
    m_modalities->clearSelection();
    const QString before = state();
    ModalAnswerer answerer;
    for (const char *name :
         {"upVariableButton", "downVariableButton", "deleteVariableButton", "upModalityButton",
          "downModalityButton", "deleteModalityButton", "addModalityButton",
          "editStatisticToolButton", "removeStatisticToolButton"})
        button(QString::fromLatin1(name))->click();
    QVERIFY(answerer.seen().isEmpty());
    QCOMPARE(state(), before);
    selectVariable(0);
    QVERIFY(button(QStringLiteral("addModalityButton"))->isEnabled());
}

void VariablesWidgetTest::moves_data()
{
    QTest::addColumn<bool>("modalities");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<int>("currentRow");
    dataRow("variable first up", false, 0, "upVariableButton", QStringList{"1", "2", "3"}, 0);
    dataRow("variable last down", false, 2, "downVariableButton", QStringList{"1", "2", "3"}, 2);
    dataRow("variable first down", false, 0, "downVariableButton", QStringList{"2", "1", "3"}, 1);
    dataRow("variable last up", false, 2, "upVariableButton", QStringList{"1", "3", "2"}, 1);
    dataRow("modality first up", true, 0, "upModalityButton", QStringList{"1", "2", "3"}, 0);
    dataRow("modality last down", true, 2, "downModalityButton", QStringList{"1", "2", "3"}, 2);
    dataRow("modality first down", true, 0, "downModalityButton", QStringList{"2", "1", "3"}, 1);
    dataRow("modality last up", true, 2, "upModalityButton", QStringList{"1", "3", "2"}, 1);
}

void VariablesWidgetTest::moves()
{
    QFETCH(bool, modalities);
    QFETCH(int, row);
    QFETCH(QString, button);
    QFETCH(QStringList, order);
    QFETCH(int, currentRow);
    const QStringList names{"1", "2", "3"};
    if (modalities) {
        m_document->addVariable(variableWith(QStringLiteral("v"), names));
        selectVariable(0);
    } else {
        for (const QString &name : names)
            m_document->addVariable(variableWith(name, {}));
    }
    QTreeWidget *list = modalities ? static_cast<QTreeWidget *>(m_modalities) : m_variables;
    list->setCurrentItem(list->topLevelItem(row));
    this->button(button)->click();
    QCOMPARE(column0(list), order);
    QStringList stored;
    for (const Variable &variable : m_panel->variables())
        stored.append(variable.name());
    QCOMPARE(modalities ? valuesOf(m_panel->variables().first()) : stored, order);
    QCOMPARE(list->indexOfTopLevelItem(list->currentItem()), currentRow);
}

// Modalities

// The new modality is stored, and its row carries it for a drag.
void VariablesWidgetTest::addModality()
{
    m_document->addVariable(variableWith(QStringLiteral("sex"), {}));
    selectVariable(0);
    ModalAnswerer answerer;
    answerer.enqueue([](QWidget *dialog) {
        type(dialog, "valueLineEdit", QStringLiteral("1"));
        type(dialog, "valueLabelLineEdit", QStringLiteral("Male"));
        confirm(dialog);
    });
    button(QStringLiteral("addModalityButton"))->click();
    QCOMPARE(answerer.seen(), QStringList{"AddModalityDialog"});
    QCOMPARE(m_modalities->topLevelItem(0)->text(1), QStringLiteral("Male"));
    for (const Modality &modality :
         {m_panel->variables().first().modalities().first(),
          m_modalities->topLevelItem(0)->data(0, Qt::UserRole).value<Modality>()})
        QCOMPARE(QStringList({modality.value(), modality.valueLabel(), modality.varName(),
                              modality.varLabel()}),
                 (QStringList{"1", "Male", "sex", "SEX"}));
}

void VariablesWidgetTest::addAnotherModalityLoop()
{
    m_document->addVariable(variableWith(QStringLiteral("sex"), {}));
    selectVariable(0);
    ModalAnswerer answerer;
    QStringList reopenedWith;
    bool okEnabledAgain = true, stillChecked = false;
    answerer.enqueue([](QWidget *dialog) {
        type(dialog, "valueLineEdit", QStringLiteral("1"));
        namedChild<QCheckBox>(dialog, QStringLiteral("addAnotherModalityCheckBox"))
            ->setChecked(true);
        confirm(dialog);
    });
    answerer.enqueue([&](QWidget *dialog) {
        reopenedWith << lineText(dialog, "valueLineEdit") << lineText(dialog, "valueLabelLineEdit");
        okEnabledAgain = namedChild<QPushButton>(dialog, QStringLiteral("okButton"))->isEnabled();
        type(dialog, "valueLineEdit", QStringLiteral("2"));
        confirm(dialog);
    });
    answerer.enqueue([&](QWidget *dialog) {
        stillChecked = namedChild<QCheckBox>(dialog, QStringLiteral("addAnotherModalityCheckBox"))
                           ->isChecked();
        namedChild<QPushButton>(dialog, QStringLiteral("cancelButton"))->click();
    });
    button(QStringLiteral("addModalityButton"))->click();
    QCOMPARE(answerer.seen().size(), 3);
    QCOMPARE(reopenedWith, (QStringList{QString(), QString()}));
    QVERIFY(!okEnabledAgain);
    QVERIFY(stillChecked);
    QCOMPARE(column0(m_modalities), (QStringList{"1", "2"}));
    QCOMPARE(valuesOf(m_panel->variables().first()), (QStringList{"1", "2"}));
}

void VariablesWidgetTest::selectAllModalities()
{
    m_document->addVariable(variableWith(QStringLiteral("sex"), {"1", "2", "3"}));
    selectVariable(0);
    button(QStringLiteral("selectAllModalitiesButton"))->click();
    QCOMPARE(m_modalities->selectedItems().size(), 3);
}

// Statistics

// What the dialog reads from its fields is its own test's; here where the
// panel puts the result. The first statistic of an empty box becomes current.
void VariablesWidgetTest::addStatisticIsListedLast()
{
    ModalAnswerer answerer;
    for (const char *name : {"count", "mean"})
        answerer.enqueue([name](QWidget *dialog) {
            type(dialog, "nameLineEdit", QString::fromLatin1(name));
            type(dialog, "commandFormatLineEdit", QStringLiteral("count #if"));
            type(dialog, "resultLineEdit", QStringLiteral("r(N)"));
            clickOk(dialog);
        });
    button(QStringLiteral("addStatisticToolButton"))->click();
    QCOMPARE(state(), QStringLiteral(" | listed  | shown  | box count | count=count #if | current "
                                     "count"));
    button(QStringLiteral("addStatisticToolButton"))->click();
    QCOMPARE(answerer.seen(), (QStringList{"AddStatisticDialog", "AddStatisticDialog"}));
    QCOMPARE(m_panel->statisticNames(), (QStringList{"count", "mean"}));
    QCOMPARE(state(),
             QStringLiteral(" | listed  | shown  | box count,mean | count=count #if,mean=count "
                            "#if | current count"));
    QCOMPARE(m_document->catalogue().value(QStringLiteral("mean")).result(),
             QStringLiteral("r(N)"));
}

void VariablesWidgetTest::editStatistic()
{
    m_document->setStatistics(
        {statistic("mean", "summarize #var #if"), statistic("share", "tabulate #var #if")});
    m_statistics->setCurrentIndex(1);
    ModalAnswerer answerer;
    QString shown;
    answerer.enqueue([&](QWidget *dialog) {
        shown = lineText(dialog, "statisticNameLineEdit");
        namedChild<QLineEdit>(dialog, QStringLiteral("commandFormatLineEdit"))->clear();
        type(dialog, "commandFormatLineEdit", QStringLiteral("tabulate #var #if, matcell(F)"));
        chooseMatrix(dialog, true);
        clickOk(dialog);
    });
    button(QStringLiteral("editStatisticToolButton"))->click();
    QCOMPARE(answerer.seen(), QStringList{"EditStatisticDialog"});
    QCOMPARE(shown, QStringLiteral("share"));
    QCOMPARE(m_document->catalogue().value(QStringLiteral("share")).resultType(),
             Command::ResultType::Matrix);
    QCOMPARE(state(), QStringLiteral(" | listed  | shown  | box mean,share | mean=summarize #var "
                                     "#if,share=tabulate #var #if, matcell(F) | current share"));
}

void VariablesWidgetTest::loadStatisticsKeepsDocumentOrder()
{
    m_document->setStatistics(
        {statistic("sd", "first"), statistic("mean"), statistic("sd", "second")});
    QCOMPARE(m_panel->statisticNames(), (QStringList{"sd", "mean", "sd"}));
    QCOMPARE(m_document->catalogue().keys(), (QStringList{"mean", "sd"}));
    QCOMPARE(m_document->catalogue().value(QStringLiteral("sd")).format(),
             QStringLiteral("second"));
    QCOMPARE(m_variables->currentStatistic(), QStringLiteral("sd"));
}

// Every entry of the name goes, and so do the cells that showed it.
void VariablesWidgetTest::removingARepeatedNameRemovesEveryEntry()
{
    m_document->setStatistics({statistic("sd"), statistic("mean"), statistic("sd")});
    CellContent cell;
    cell.setStatistic(Statistic{QStringLiteral("age"), QString(), QStringLiteral("sd"), QString()});
    QVERIFY(m_document->table()->reset(1, 1));
    m_document->table()->setContents({{0, 0, cell}});
    m_statistics->setCurrentIndex(2);
    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Yes);
    button(QStringLiteral("removeStatisticToolButton"))->click();
    QCOMPARE(m_panel->statisticNames(), QStringList{"mean"});
    QCOMPARE(m_document->catalogue().keys(), QStringList{"mean"});
    QCOMPARE(m_document->table()->content(0, 0).dataType(), CellContent::Kind::Void);
}

QTEST_MAIN(VariablesWidgetTest)
#include "VariablesWidgetTest.moc"
