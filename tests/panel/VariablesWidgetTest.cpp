#include "panel/VariablesWidget.h"

#include "ModalAnswerer.h"
#include "model/DocumentModel.h"
#include "panel/AddModalityDialog.h"
#include "panel/AddStatisticDialog.h"
#include "panel/AddVariableDialog.h"
#include "panel/EditStatisticDialog.h"
#include "table/ModalityListWidget.h"
#include "table/VariableListWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QToolButton>

namespace {

template <typename Widget>
Widget *child(const QWidget *parent, const QString &name)
{
    return parent->findChild<Widget *>(name);
}

void clickOk(QWidget *dialog)
{
    child<QDialogButtonBox>(dialog, QStringLiteral("buttonBox"))
        ->button(QDialogButtonBox::Ok)
        ->click();
}

void type(QWidget *dialog, const char *lineEdit, const QString &text)
{
    QTest::keyClicks(child<QLineEdit>(dialog, QString::fromLatin1(lineEdit)), text);
}

Variable variableWith(const QString &name, const QStringList &values)
{
    Variable variable(name, name.toUpper(), 0);
    for (const QString &value : values)
        variable.appendModality(
            Modality(value, QStringLiteral("label ") + value, name, name.toUpper()));
    return variable;
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
    void duplicateVariableNameReopensTheDialogWithTheTypedText();
    void cancelledAddVariableAddsNothing();
    void variablesAndClearing();
    void deleteVariableAsksFirst();
    void deletingTheLastVariableEmptiesTheModalities();
    void nothingSelectedMovesAndDeletesNothing();
    void variableMoves_data();
    void variableMoves();

    void addModalityNeedsACurrentVariable();
    void addModality();
    void addAnotherModalityLoop();
    void duplicateValueReopensTheDialogUnchanged();
    void modalityRowsCarryTheirVariable();
    void modalityMoves_data();
    void modalityMoves();
    void movedModalitySurvivesReselection();
    void deletedModalitySurvivesReselection();
    void selectAllModalities();

    void addStatisticIsListedLast();
    void addMatrixStatistic();
    void duplicateStatisticNameReopensTheDialogUnchanged();
    void editStatistic();
    void editAndRemoveNeedAStatistic();
    void removeStatistic();
    void removeTheLastStatisticShowsThePreviousOne();
    void declinedRemovalKeepsTheStatistic();
    void loadStatisticsKeepsDocumentOrder();
    void removingARepeatedNameRemovesEveryEntry();
    void clearStatistics();
    void statisticBoxFeedsTheVariableList();

private:
    QToolButton *button(const char *name) const
    {
        return child<QToolButton>(m_panel, QString::fromLatin1(name));
    }
    void selectVariable(int row);
    void selectModality(int row);

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
    m_variables = child<VariableListWidget>(m_panel, QStringLiteral("variableListWidget"));
    m_modalities = child<ModalityListWidget>(m_panel, QStringLiteral("modalityListWidget"));
    m_statistics = child<QComboBox>(m_panel, QStringLiteral("statisticComboBox"));
    QVERIFY(m_variables && m_modalities && m_statistics);
    m_panel->show();
}

void VariablesWidgetTest::cleanup()
{
    delete m_panel;
    delete m_document;
}

void VariablesWidgetTest::selectVariable(int row)
{
    m_variables->setCurrentItem(m_variables->topLevelItem(row));
}

void VariablesWidgetTest::selectModality(int row)
{
    m_modalities->setCurrentItem(m_modalities->topLevelItem(row));
}

void VariablesWidgetTest::form()
{
    QCOMPARE(m_panel->objectName(), QStringLiteral("variablesDockWidget"));
    QCOMPARE(m_panel->windowTitle(), QStringLiteral("Variables"));
    QCOMPARE(m_panel->allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    QCOMPARE(m_panel->features(), QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                                      QDockWidget::DockWidgetFloatable);
    QCOMPARE(m_variables->headerItem()->text(0), QStringLiteral("Name"));
    QCOMPARE(m_modalities->selectionMode(), QAbstractItemView::ExtendedSelection);
    QVERIFY(!m_statistics->isEditable());

    // The variable and modality panes share a splitter that cannot hide either.
    const QSplitter *splitter = child<QSplitter>(m_panel, QStringLiteral("splitter"));
    QVERIFY(splitter);
    QCOMPARE(splitter->orientation(), Qt::Vertical);
    QCOMPARE(splitter->count(), 2);
    QVERIFY(splitter->widget(0)->isAncestorOf(m_variables));
    QVERIFY(splitter->widget(1)->isAncestorOf(m_modalities));
    QVERIFY(!splitter->childrenCollapsible());
    QVERIFY(!splitter->isAncestorOf(m_statistics));
}

void VariablesWidgetTest::constructionListsTheCatalogueInOrder()
{
    DocumentModel document;
    document.setStatistics({Command(QStringLiteral("sd"), {}, {}, T::Scalar, 1, 1),
                            Command(QStringLiteral("mean"), {}, {}, T::Scalar, 1, 1)});
    VariablesWidget panel(&document);
    const auto *box = child<QComboBox>(&panel, QStringLiteral("statisticComboBox"));
    QCOMPARE(comboTexts(box), (QStringList{"sd", "mean"}));
    QCOMPARE(
        child<VariableListWidget>(&panel, QStringLiteral("variableListWidget"))->currentStatistic(),
        QStringLiteral("sd"));
    QCOMPARE(panel.statisticNames(), (QStringList{"sd", "mean"}));
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
    button("addVariableButton")->click();
    QCOMPARE(answerer.seen(), QStringList{"AddVariableDialog"});
    const QList<Variable> variables = m_panel->variables();
    QCOMPARE(variables.size(), 1);
    QCOMPARE(variables.first().name(), QStringLiteral("income"));
    QCOMPARE(variables.first().label(), QStringLiteral("Monthly income"));
    QCOMPARE(int(variables.first().varType()), 0);
    QVERIFY(variables.first().modalities().isEmpty());
    const QTreeWidgetItem *row = m_variables->topLevelItem(0);
    QCOMPARE(row->text(0), QStringLiteral("income"));
    QCOMPARE(row->text(1), QStringLiteral("Monthly income"));
    QCOMPARE(m_variables->currentItem(), row);
    QVERIFY(button("addModalityButton")->isEnabled());
}

void VariablesWidgetTest::variableNamesDifferingInCaseAreBoth()
{
    m_document->addVariable(Variable(QStringLiteral("age"), QString(), 0));
    ModalAnswerer answerer;
    answerer.enqueue([](QWidget *dialog) {
        type(dialog, "variableNameLineEdit", QStringLiteral("Age"));
        clickOk(dialog);
    });
    button("addVariableButton")->click();
    QCOMPARE(answerer.seen(), QStringList{"AddVariableDialog"});
    QCOMPARE(column0(m_variables), (QStringList{"age", "Age"}));
}

void VariablesWidgetTest::duplicateVariableNameReopensTheDialogWithTheTypedText()
{
    m_document->addVariable(Variable(QStringLiteral("age"), QStringLiteral("Age"), 0));
    ModalAnswerer answerer;
    QString message, nameAgain, labelAgain;
    answerer.enqueue([](QWidget *dialog) {
        type(dialog, "variableNameLineEdit", QStringLiteral("age"));
        type(dialog, "variableLabelLineEdit", QStringLiteral("Age again"));
        clickOk(dialog);
    });
    answerer.answerMessageBox(QMessageBox::Ok, &message);
    answerer.enqueue([&](QWidget *dialog) {
        nameAgain = child<QLineEdit>(dialog, QStringLiteral("variableNameLineEdit"))->text();
        labelAgain = child<QLineEdit>(dialog, QStringLiteral("variableLabelLineEdit"))->text();
        static_cast<QDialog *>(dialog)->reject();
    });
    button("addVariableButton")->click();
    QCOMPARE(answerer.seen(),
             (QStringList{"AddVariableDialog", "QMessageBox", "AddVariableDialog"}));
    QCOMPARE(message, QStringLiteral("Variable name already exists."));
    QCOMPARE(nameAgain, QStringLiteral("age"));
    QCOMPARE(labelAgain, QStringLiteral("Age again"));
    QCOMPARE(m_panel->variables().size(), 1);
    QCOMPARE(m_panel->variables().first().label(), QStringLiteral("Age"));
}

void VariablesWidgetTest::cancelledAddVariableAddsNothing()
{
    ModalAnswerer answerer;
    answerer.answerDialog<AddVariableDialog>(
        [](AddVariableDialog *dialog) {
            type(dialog, "variableNameLineEdit", QStringLiteral("age"));
        },
        false);
    button("addVariableButton")->click();
    QCOMPARE(answerer.pending(), 0);
    QVERIFY(m_panel->variables().isEmpty());
}

void VariablesWidgetTest::variablesAndClearing()
{
    Variable weighted(QStringLiteral("w"), QStringLiteral("Weight"), 254);
    m_document->addVariable(variableWith(QStringLiteral("sex"), {"1", "2"}));
    m_document->addVariable(weighted);
    const QList<Variable> variables = m_panel->variables();
    QCOMPARE(variables.size(), 2);
    QCOMPARE(variables.at(0).name(), QStringLiteral("sex"));
    QCOMPARE(variables.at(0).label(), QStringLiteral("SEX"));
    QCOMPARE(valuesOf(variables.at(0)), (QStringList{"1", "2"}));
    QCOMPARE(variables.at(1).name(), QStringLiteral("w"));
    QCOMPARE(int(variables.at(1).varType()), 254);
    QCOMPARE(m_variables->topLevelItem(1)->text(1), QStringLiteral("Weight"));

    selectVariable(0);
    QCOMPARE(column0(m_modalities), (QStringList{"1", "2"}));
    m_document->setVariables({});
    QVERIFY(m_panel->variables().isEmpty());
    QCOMPARE(m_modalities->topLevelItemCount(), 0);
    QVERIFY(!button("addModalityButton")->isEnabled());
}

void VariablesWidgetTest::deleteVariableAsksFirst()
{
    m_document->addVariable(variableWith(QStringLiteral("sex"), {"1", "2"}));
    m_document->addVariable(variableWith(QStringLiteral("area"), {"n", "s"}));
    selectVariable(0);
    ModalAnswerer answerer;
    QString text, informative;
    answerer.answerMessageBox(QMessageBox::No, &text, &informative);
    button("deleteVariableButton")->click();
    QCOMPARE(text, QStringLiteral("Delete variable"));
    QCOMPARE(informative, QStringLiteral("Are you sure you want to delete variable \"sex\" ?"));
    QCOMPARE(m_panel->variables().size(), 2);

    answerer.answerMessageBox(QMessageBox::Yes);
    button("deleteVariableButton")->click();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(column0(m_variables), QStringList{"area"});
    // The remaining variable is current and its modalities are shown.
    QCOMPARE(m_variables->currentItem(), m_variables->topLevelItem(0));
    QVERIFY(m_variables->currentItem()->isSelected());
    QCOMPARE(column0(m_modalities), (QStringList{"n", "s"}));
}

void VariablesWidgetTest::deletingTheLastVariableEmptiesTheModalities()
{
    m_document->addVariable(variableWith(QStringLiteral("sex"), {"1", "2"}));
    selectVariable(0);
    QCOMPARE(m_modalities->topLevelItemCount(), 2);
    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Yes);
    button("deleteVariableButton")->click();
    QVERIFY(m_panel->variables().isEmpty());
    QCOMPARE(m_modalities->topLevelItemCount(), 0);
    QVERIFY(!button("addModalityButton")->isEnabled());
}

void VariablesWidgetTest::nothingSelectedMovesAndDeletesNothing()
{
    m_document->addVariable(variableWith(QStringLiteral("a"), {"1", "2"}));
    m_document->addVariable(variableWith(QStringLiteral("b"), {}));
    selectVariable(0);
    m_variables->clearSelection();
    m_modalities->clearSelection();
    ModalAnswerer answerer;
    for (const char *name : {"upVariableButton", "downVariableButton", "deleteVariableButton",
                             "upModalityButton", "downModalityButton", "deleteModalityButton"})
        button(name)->click();
    QVERIFY(answerer.seen().isEmpty());
    QCOMPARE(column0(m_variables), (QStringList{"a", "b"}));
    QCOMPARE(valuesOf(m_panel->variables().first()), (QStringList{"1", "2"}));
}

void VariablesWidgetTest::variableMoves_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<int>("currentRow");
    QTest::newRow("first up") << 0 << "upVariableButton" << QStringList{"a", "b", "c"} << 0;
    QTest::newRow("last down") << 2 << "downVariableButton" << QStringList{"a", "b", "c"} << 2;
    QTest::newRow("first down") << 0 << "downVariableButton" << QStringList{"b", "a", "c"} << 1;
    QTest::newRow("last up") << 2 << "upVariableButton" << QStringList{"a", "c", "b"} << 1;
}

void VariablesWidgetTest::variableMoves()
{
    QFETCH(int, row);
    QFETCH(QString, button);
    QFETCH(QStringList, order);
    QFETCH(int, currentRow);
    for (const char *name : {"a", "b", "c"})
        m_document->addVariable(variableWith(QString::fromLatin1(name), {}));
    selectVariable(row);
    child<QToolButton>(m_panel, button)->click();
    QCOMPARE(column0(m_variables), order);
    QStringList stored;
    for (const Variable &variable : m_panel->variables())
        stored.append(variable.name());
    QCOMPARE(stored, order);
    QCOMPARE(m_variables->indexOfTopLevelItem(m_variables->currentItem()), currentRow);
}

// Modalities

void VariablesWidgetTest::addModalityNeedsACurrentVariable()
{
    QVERIFY(!button("addModalityButton")->isEnabled());
    m_document->addVariable(variableWith(QStringLiteral("sex"), {}));
    m_variables->setCurrentItem(nullptr);
    QVERIFY(!button("addModalityButton")->isEnabled());
    ModalAnswerer answerer;
    button("addModalityButton")->click();
    QVERIFY(answerer.seen().isEmpty());
    selectVariable(0);
    QVERIFY(button("addModalityButton")->isEnabled());
}

void VariablesWidgetTest::addModality()
{
    m_document->addVariable(variableWith(QStringLiteral("sex"), {}));
    selectVariable(0);
    ModalAnswerer answerer;
    answerer.enqueue([](QWidget *dialog) {
        type(dialog, "valueLineEdit", QStringLiteral("1"));
        type(dialog, "valueLabelLineEdit", QStringLiteral("Male"));
        child<QPushButton>(dialog, QStringLiteral("okButton"))->click();
    });
    button("addModalityButton")->click();
    QCOMPARE(answerer.seen(), QStringList{"AddModalityDialog"});
    QCOMPARE(m_modalities->topLevelItemCount(), 1);
    QCOMPARE(m_modalities->topLevelItem(0)->text(0), QStringLiteral("1"));
    QCOMPARE(m_modalities->topLevelItem(0)->text(1), QStringLiteral("Male"));
    const Modality stored = m_panel->variables().first().modalities().first();
    QCOMPARE(stored.value(), QStringLiteral("1"));
    QCOMPARE(stored.valueLabel(), QStringLiteral("Male"));
    QCOMPARE(stored.varName(), QStringLiteral("sex"));
    QCOMPARE(stored.varLabel(), QStringLiteral("SEX"));
}

void VariablesWidgetTest::addAnotherModalityLoop()
{
    m_document->addVariable(variableWith(QStringLiteral("sex"), {}));
    selectVariable(0);
    ModalAnswerer answerer;
    QStringList reopenedWith;
    answerer.enqueue([](QWidget *dialog) {
        type(dialog, "valueLineEdit", QStringLiteral("1"));
        type(dialog, "valueLabelLineEdit", QStringLiteral("Male"));
        child<QCheckBox>(dialog, QStringLiteral("addAnotherModalityCheckBox"))->setChecked(true);
        child<QPushButton>(dialog, QStringLiteral("okButton"))->click();
    });
    answerer.enqueue([&](QWidget *dialog) {
        reopenedWith << static_cast<AddModalityDialog *>(dialog)->value()
                     << static_cast<AddModalityDialog *>(dialog)->valueLabel();
        QVERIFY(!child<QPushButton>(dialog, QStringLiteral("okButton"))->isEnabled());
        type(dialog, "valueLineEdit", QStringLiteral("2"));
        type(dialog, "valueLabelLineEdit", QStringLiteral("Female"));
        child<QPushButton>(dialog, QStringLiteral("okButton"))->click();
    });
    answerer.enqueue([&](QWidget *dialog) {
        QVERIFY(
            child<QCheckBox>(dialog, QStringLiteral("addAnotherModalityCheckBox"))->isChecked());
        child<QPushButton>(dialog, QStringLiteral("cancelButton"))->click();
    });
    button("addModalityButton")->click();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(answerer.seen().size(), 3);
    QCOMPARE(reopenedWith, (QStringList{QString(), QString()}));
    QCOMPARE(column0(m_modalities), (QStringList{"1", "2"}));
    QCOMPARE(valuesOf(m_panel->variables().first()), (QStringList{"1", "2"}));
}

void VariablesWidgetTest::duplicateValueReopensTheDialogUnchanged()
{
    m_document->addVariable(variableWith(QStringLiteral("sex"), {"1"}));
    selectVariable(0);
    ModalAnswerer answerer;
    QString message, valueAgain, labelAgain;
    answerer.enqueue([](QWidget *dialog) {
        type(dialog, "valueLineEdit", QStringLiteral("1"));
        type(dialog, "valueLabelLineEdit", QStringLiteral("Man"));
        child<QPushButton>(dialog, QStringLiteral("okButton"))->click();
    });
    answerer.answerMessageBox(QMessageBox::Ok, &message);
    answerer.enqueue([&](QWidget *dialog) {
        valueAgain = static_cast<AddModalityDialog *>(dialog)->value();
        labelAgain = static_cast<AddModalityDialog *>(dialog)->valueLabel();
        child<QPushButton>(dialog, QStringLiteral("cancelButton"))->click();
    });
    button("addModalityButton")->click();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(message, QStringLiteral("Value already exists."));
    QCOMPARE(valueAgain, QStringLiteral("1"));
    QCOMPARE(labelAgain, QStringLiteral("Man"));
    QCOMPARE(m_panel->variables().first().modalities().size(), 1);
    QCOMPARE(m_panel->variables().first().modalities().first().valueLabel(),
             QStringLiteral("label 1"));
}

void VariablesWidgetTest::modalityRowsCarryTheirVariable()
{
    m_document->addVariable(variableWith(QStringLiteral("sex"), {"1", "2"}));
    m_document->addVariable(variableWith(QStringLiteral("area"), {"n"}));
    selectVariable(1);
    QCOMPARE(column0(m_modalities), QStringList{"n"});
    selectVariable(0);
    QCOMPARE(column0(m_modalities), (QStringList{"1", "2"}));
    const Modality modality =
        m_modalities->topLevelItem(1)->data(0, Qt::UserRole).value<Modality>();
    QCOMPARE(modality.value(), QStringLiteral("2"));
    QCOMPARE(modality.valueLabel(), QStringLiteral("label 2"));
    QCOMPARE(modality.varName(), QStringLiteral("sex"));
    QCOMPARE(modality.varLabel(), QStringLiteral("SEX"));
    QCOMPARE(m_modalities->topLevelItem(1)->text(1), QStringLiteral("label 2"));
}

void VariablesWidgetTest::modalityMoves_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<int>("currentRow");
    QTest::newRow("first up") << 0 << "upModalityButton" << QStringList{"1", "2", "3"} << 0;
    QTest::newRow("last down") << 2 << "downModalityButton" << QStringList{"1", "2", "3"} << 2;
    QTest::newRow("first down") << 0 << "downModalityButton" << QStringList{"2", "1", "3"} << 1;
    QTest::newRow("last up") << 2 << "upModalityButton" << QStringList{"1", "3", "2"} << 1;
}

void VariablesWidgetTest::modalityMoves()
{
    QFETCH(int, row);
    QFETCH(QString, button);
    QFETCH(QStringList, order);
    QFETCH(int, currentRow);
    m_document->addVariable(variableWith(QStringLiteral("sex"), {"1", "2", "3"}));
    selectVariable(0);
    selectModality(row);
    child<QToolButton>(m_panel, button)->click();
    QCOMPARE(column0(m_modalities), order);
    QCOMPARE(valuesOf(m_panel->variables().first()), order);
    QCOMPARE(m_modalities->indexOfTopLevelItem(m_modalities->currentItem()), currentRow);
}

void VariablesWidgetTest::movedModalitySurvivesReselection()
{
    m_document->addVariable(variableWith(QStringLiteral("sex"), {"1", "2", "3"}));
    m_document->addVariable(variableWith(QStringLiteral("area"), {"n", "s"}));
    selectVariable(0);
    selectModality(0);
    button("downModalityButton")->click();
    button("downModalityButton")->click();
    QCOMPARE(column0(m_modalities), (QStringList{"2", "3", "1"}));
    selectVariable(1);
    QCOMPARE(column0(m_modalities), (QStringList{"n", "s"}));
    selectVariable(0);
    QCOMPARE(column0(m_modalities), (QStringList{"2", "3", "1"}));
    QCOMPARE(valuesOf(m_panel->variables().first()), (QStringList{"2", "3", "1"}));
    QCOMPARE(valuesOf(m_panel->variables().last()), (QStringList{"n", "s"}));
}

void VariablesWidgetTest::deletedModalitySurvivesReselection()
{
    m_document->addVariable(variableWith(QStringLiteral("sex"), {"1", "2", "3"}));
    m_document->addVariable(variableWith(QStringLiteral("area"), {"n", "s"}));
    selectVariable(0);
    selectModality(1);
    ModalAnswerer answerer;
    QString text, informative;
    answerer.answerMessageBox(QMessageBox::No, &text, &informative);
    button("deleteModalityButton")->click();
    QCOMPARE(text, QStringLiteral("Delete modality"));
    QCOMPARE(informative, QStringLiteral("Are you sure you want to delete modality \"2\" ?"));
    QCOMPARE(column0(m_modalities), (QStringList{"1", "2", "3"}));

    answerer.answerMessageBox(QMessageBox::Yes);
    button("deleteModalityButton")->click();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(column0(m_modalities), (QStringList{"1", "3"}));
    selectVariable(1);
    selectVariable(0);
    QCOMPARE(column0(m_modalities), (QStringList{"1", "3"}));
    QCOMPARE(valuesOf(m_panel->variables().first()), (QStringList{"1", "3"}));
}

void VariablesWidgetTest::selectAllModalities()
{
    m_document->addVariable(variableWith(QStringLiteral("sex"), {"1", "2", "3"}));
    selectVariable(0);
    button("selectAllModalitiesButton")->click();
    QCOMPARE(m_modalities->selectedItems().size(), 3);
}

// Statistics

void VariablesWidgetTest::addStatisticIsListedLast()
{
    m_document->setStatistics({Command(QStringLiteral("mean"), QStringLiteral("summarize #var #if"),
                                       QStringLiteral("r(mean)"), T::Scalar, 1, 1)});
    ModalAnswerer answerer;
    answerer.enqueue([](QWidget *dialog) {
        type(dialog, "nameLineEdit", QStringLiteral(" count "));
        type(dialog, "commandFormatLineEdit", QStringLiteral("count #if"));
        type(dialog, "resultLineEdit", QStringLiteral("r(N)"));
        // Coordinates typed for a scalar result are not kept.
        QTest::mouseClick(child<QRadioButton>(dialog, QStringLiteral("matrixRadioButton")),
                          Qt::LeftButton);
        type(dialog, "rowLineEdit", QStringLiteral("4"));
        QTest::mouseClick(child<QRadioButton>(dialog, QStringLiteral("scalarRadioButton")),
                          Qt::LeftButton);
        clickOk(dialog);
    });
    button("addStatisticToolButton")->click();
    QCOMPARE(answerer.seen(), QStringList{"AddStatisticDialog"});
    QCOMPARE(comboTexts(m_statistics), (QStringList{"mean", "count"}));
    QCOMPARE(m_panel->statisticNames(), (QStringList{"mean", "count"}));
    QCOMPARE(m_statistics->currentText(), QStringLiteral("mean"));
    const Command count = m_document->catalogue().value(QStringLiteral("count"));
    QCOMPARE(count.name(), QStringLiteral("count"));
    QCOMPARE(count.format(), QStringLiteral("count #if"));
    QCOMPARE(count.result(), QStringLiteral("r(N)"));
    QCOMPARE(count.resultType(), T::Scalar);
    QCOMPARE(count.resultMatrixRow(), 1);
    QCOMPARE(count.resultMatrixColumn(), 1);
}

void VariablesWidgetTest::addMatrixStatistic()
{
    ModalAnswerer answerer;
    answerer.enqueue([](QWidget *dialog) {
        type(dialog, "nameLineEdit", QStringLiteral("share"));
        type(dialog, "commandFormatLineEdit", QStringLiteral("tabulate #var #if, matcell(M)"));
        type(dialog, "resultLineEdit", QStringLiteral("M"));
        QTest::mouseClick(child<QRadioButton>(dialog, QStringLiteral("matrixRadioButton")),
                          Qt::LeftButton);
        type(dialog, "rowLineEdit", QStringLiteral("2"));
        type(dialog, "colLineEdit", QStringLiteral("x"));
        clickOk(dialog);
    });
    button("addStatisticToolButton")->click();
    QCOMPARE(answerer.pending(), 0);
    // The first statistic of an empty box becomes the chosen one.
    QCOMPARE(m_statistics->currentText(), QStringLiteral("share"));
    QCOMPARE(m_variables->currentStatistic(), QStringLiteral("share"));
    const Command share = m_document->catalogue().value(QStringLiteral("share"));
    QCOMPARE(share.resultType(), T::Matrix);
    QCOMPARE(share.resultMatrixRow(), 2);
    QCOMPARE(share.resultMatrixColumn(), 0);
}

void VariablesWidgetTest::duplicateStatisticNameReopensTheDialogUnchanged()
{
    const Command mean(QStringLiteral("mean"), QStringLiteral("summarize #var #if"),
                       QStringLiteral("r(mean)"), T::Scalar, 1, 1);
    m_document->setStatistics({mean});
    ModalAnswerer answerer;
    QString message, nameAgain, formatAgain;
    answerer.enqueue([](QWidget *dialog) {
        type(dialog, "nameLineEdit", QStringLiteral("mean"));
        type(dialog, "commandFormatLineEdit", QStringLiteral("ci means #var #if"));
        clickOk(dialog);
    });
    answerer.answerMessageBox(QMessageBox::Ok, &message);
    answerer.enqueue([&](QWidget *dialog) {
        nameAgain = child<QLineEdit>(dialog, QStringLiteral("nameLineEdit"))->text();
        formatAgain = child<QLineEdit>(dialog, QStringLiteral("commandFormatLineEdit"))->text();
        static_cast<QDialog *>(dialog)->reject();
    });
    button("addStatisticToolButton")->click();
    QCOMPARE(answerer.seen(),
             (QStringList{"AddStatisticDialog", "QMessageBox", "AddStatisticDialog"}));
    QCOMPARE(message, QStringLiteral("Statistic's name already exists."));
    QCOMPARE(nameAgain, QStringLiteral("mean"));
    QCOMPARE(formatAgain, QStringLiteral("ci means #var #if"));
    QCOMPARE(comboTexts(m_statistics), QStringList{"mean"});
    QCOMPARE(m_document->catalogue().value(QStringLiteral("mean")).format(), mean.format());
}

void VariablesWidgetTest::editStatistic()
{
    m_document->setStatistics(
        {Command(QStringLiteral("mean"), QStringLiteral("summarize #var #if"),
                 QStringLiteral("r(mean)"), T::Scalar, 1, 1),
         Command(QStringLiteral("share"), QStringLiteral("tabulate #var #if, matcell(M)"),
                 QStringLiteral("M"), T::Matrix, 2, 3)});
    m_statistics->setCurrentIndex(1);
    ModalAnswerer answerer;
    QString shownName, shownRow, shownCol;
    answerer.enqueue([&](QWidget *dialog) {
        shownName = child<QLineEdit>(dialog, QStringLiteral("statisticNameLineEdit"))->text();
        QLineEdit *format = child<QLineEdit>(dialog, QStringLiteral("commandFormatLineEdit"));
        QLineEdit *row = child<QLineEdit>(dialog, QStringLiteral("rowLineEdit"));
        QLineEdit *col = child<QLineEdit>(dialog, QStringLiteral("colLineEdit"));
        shownRow = row->text();
        shownCol = col->text();
        format->clear();
        QTest::keyClicks(format, QStringLiteral("  tabulate #var #if, matcell(F) "));
        row->clear();
        QTest::keyClicks(row, QStringLiteral(" 1 "));
        col->clear();
        QTest::keyClicks(col, QStringLiteral("x"));
        clickOk(dialog);
    });
    button("editStatisticToolButton")->click();
    QCOMPARE(answerer.seen(), QStringList{"EditStatisticDialog"});
    QCOMPARE(shownName, QStringLiteral("share"));
    QCOMPARE(shownRow, QStringLiteral("2"));
    QCOMPARE(shownCol, QStringLiteral("3"));
    const Command share = m_document->catalogue().value(QStringLiteral("share"));
    QCOMPARE(share.name(), QStringLiteral("share"));
    QCOMPARE(share.format(), QStringLiteral("tabulate #var #if, matcell(F)"));
    QCOMPARE(share.result(), QStringLiteral("M"));
    QCOMPARE(share.resultType(), T::Matrix);
    QCOMPARE(share.resultMatrixRow(), 1);
    QCOMPARE(share.resultMatrixColumn(), 0);
    QCOMPARE(comboTexts(m_statistics), (QStringList{"mean", "share"}));
    QCOMPARE(m_document->catalogue().size(), 2);
}

void VariablesWidgetTest::editAndRemoveNeedAStatistic()
{
    QSignalSpy removed(m_document, &DocumentModel::catalogueChanged);
    ModalAnswerer answerer;
    button("editStatisticToolButton")->click();
    button("removeStatisticToolButton")->click();
    QVERIFY(answerer.seen().isEmpty());
    QCOMPARE(removed.count(), 0);
}

void VariablesWidgetTest::removeStatistic()
{
    m_document->setStatistics({Command(QStringLiteral("a"), {}, {}, T::Scalar, 1, 1),
                               Command(QStringLiteral("b"), {}, {}, T::Scalar, 1, 1),
                               Command(QStringLiteral("c"), {}, {}, T::Scalar, 1, 1)});
    m_statistics->setCurrentIndex(1);
    QSignalSpy removed(m_document, &DocumentModel::catalogueChanged);
    ModalAnswerer answerer;
    QString text;
    answerer.answerMessageBox(QMessageBox::Yes, &text);
    button("removeStatisticToolButton")->click();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(text, QStringLiteral("Are you sure you want to remove statistic \"b\"?\nNote: All "
                                  "cells containing this statistic will be deleted"));
    QCOMPARE(removed.count(), 1);
    QCOMPARE(comboTexts(m_statistics), (QStringList{"a", "c"}));
    QCOMPARE(m_statistics->currentText(), QStringLiteral("c"));
    QCOMPARE(m_variables->currentStatistic(), QStringLiteral("c"));
    QCOMPARE(m_document->catalogue().keys(), (QStringList{"a", "c"}));
}

void VariablesWidgetTest::removeTheLastStatisticShowsThePreviousOne()
{
    m_document->setStatistics({Command(QStringLiteral("a"), {}, {}, T::Scalar, 1, 1),
                               Command(QStringLiteral("b"), {}, {}, T::Scalar, 1, 1)});
    m_statistics->setCurrentIndex(1);
    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Yes);
    button("removeStatisticToolButton")->click();
    QCOMPARE(m_statistics->currentText(), QStringLiteral("a"));
    QCOMPARE(m_variables->currentStatistic(), QStringLiteral("a"));
}

void VariablesWidgetTest::declinedRemovalKeepsTheStatistic()
{
    m_document->setStatistics({Command(QStringLiteral("a"), {}, {}, T::Scalar, 1, 1)});
    QSignalSpy removed(m_document, &DocumentModel::catalogueChanged);
    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::No);
    button("removeStatisticToolButton")->click();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(removed.count(), 0);
    QCOMPARE(comboTexts(m_statistics), QStringList{"a"});
    QVERIFY(m_document->catalogue().contains(QStringLiteral("a")));
}

void VariablesWidgetTest::loadStatisticsKeepsDocumentOrder()
{
    m_document->setStatistics(
        {Command(QStringLiteral("sd"), QStringLiteral("first"), {}, T::Scalar, 1, 1),
         Command(QStringLiteral("mean"), {}, {}, T::Scalar, 1, 1),
         Command(QStringLiteral("sd"), QStringLiteral("second"), {}, T::Scalar, 1, 1)});
    QCOMPARE(m_panel->statisticNames(), (QStringList{"sd", "mean", "sd"}));
    QCOMPARE(m_document->catalogue().keys(), (QStringList{"mean", "sd"}));
    QCOMPARE(m_document->catalogue().value(QStringLiteral("sd")).format(),
             QStringLiteral("second"));
    QCOMPARE(m_variables->currentStatistic(), QStringLiteral("sd"));
}

void VariablesWidgetTest::removingARepeatedNameRemovesEveryEntry()
{
    m_document->setStatistics({Command(QStringLiteral("sd"), {}, {}, T::Scalar, 1, 1),
                               Command(QStringLiteral("mean"), {}, {}, T::Scalar, 1, 1),
                               Command(QStringLiteral("sd"), {}, {}, T::Scalar, 1, 1)});
    m_statistics->setCurrentIndex(2);
    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Yes);
    button("removeStatisticToolButton")->click();
    QCOMPARE(m_panel->statisticNames(), QStringList{"mean"});
    QCOMPARE(m_document->catalogue().keys(), QStringList{"mean"});
}

void VariablesWidgetTest::clearStatistics()
{
    m_document->setStatistics({Command(QStringLiteral("mean"), {}, {}, T::Scalar, 1, 1)});
    m_document->setStatistics({});
    QVERIFY(m_document->catalogue().isEmpty());
    QCOMPARE(m_statistics->count(), 0);
    QVERIFY(m_panel->statisticNames().isEmpty());
    QVERIFY(m_variables->currentStatistic().isEmpty());
}

void VariablesWidgetTest::statisticBoxFeedsTheVariableList()
{
    m_document->setStatistics({Command(QStringLiteral("mean"), {}, {}, T::Scalar, 1, 1),
                               Command(QStringLiteral("sd"), {}, {}, T::Scalar, 1, 1)});
    QCOMPARE(m_variables->currentStatistic(), QStringLiteral("mean"));
    m_statistics->setCurrentIndex(1);
    QCOMPARE(m_variables->currentStatistic(), QStringLiteral("sd"));
}

QTEST_MAIN(VariablesWidgetTest)
#include "VariablesWidgetTest.moc"
