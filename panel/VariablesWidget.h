#pragma once

#include "model/Command.h"
#include "model/StatisticCatalogue.h"
#include "model/Variable.h"

#include <QDockWidget>
#include <QList>
#include <QString>
#include <QStringList>

class ModalityListWidget;
class QComboBox;
class QLabel;
class QSplitter;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class VariableListWidget;

// The "Variables" dock: the document's variables with the modalities of the
// current one, and the statistic catalogue. The variable list's rows are the
// only copy of the document's variables; the statistic box keeps the order in
// which the user sees (and the document stores) the catalogue, which itself
// is owned by the main window. Variable and modality rows are dragged from
// here onto the grid.
class VariablesWidget : public QDockWidget
{
    Q_OBJECT

public:
    explicit VariablesWidget(StatisticCatalogue *statisticCatalogue, QWidget *parent = nullptr);
    ~VariablesWidget() override;

    // Appends one row holding the variable.
    void addVariableItem(const Variable &variable);
    // Every variable, in list order.
    QList<Variable> variables() const;
    void clearVariableList();
    // Replaces the variables by the given ones, in that order; no variable is
    // current and no modality is shown.
    void setVariables(const QList<Variable> &variables);
    void clearModalityList();

    // Empties the catalogue and the statistic box.
    void clearStatistics();
    // Replaces the catalogue by the given definitions, listed in the given
    // order; a repeated name keeps its later definition and is listed twice.
    void loadStatistics(const QList<Command> &commands);
    // The statistic names in the order the user sees them.
    QStringList statisticNames() const;

signals:
    void commandRemoved(const QString &commandName);
    // The variables, their modalities or the statistic catalogue changed:
    // the document needs saving again.
    void contentChanged();

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void on_removeStatisticToolButton_clicked();
    void on_addVariableButton_clicked();
    void on_addStatisticToolButton_clicked();
    void on_selectAllModalitiesButton_clicked();
    void showModalitiesOfCurrentVariable();
    void upVariable();
    void downVariable();
    void upModality();
    void downModality();
    void addModality();
    void deleteVariable();
    void deleteModality();
    void onEditStatisticToolButtonClicked();

private:
    void createForm();
    QWidget *createVariablePane();
    QWidget *createModalityPane();
    QLayout *createStatisticRow();
    QToolButton *createToolButton(const QString &objectName, const QString &iconResource);
    QToolButton *createArrowButton(const QString &objectName, Qt::ArrowType arrow);
    void retranslateUi();
    void connectForm();
    void connectContentChanges();

    static int selectedRow(const QTreeWidget *list);
    static Variable storedVariable(const QTreeWidgetItem *item);
    static void storeVariable(QTreeWidgetItem *item, const Variable &variable);
    bool hasVariableNamed(const QString &name) const;
    bool confirm(const QString &text, const QString &informativeText);
    void moveVariable(int step);
    void moveModality(int step);
    void selectModalityRow(int row);
    void updateAddModalityButton();

    StatisticCatalogue *m_statisticCatalogue;

    QSplitter *m_splitter = nullptr;
    QLabel *m_variableLabel = nullptr;
    QToolButton *m_addVariableButton = nullptr;
    QToolButton *m_deleteVariableButton = nullptr;
    QToolButton *m_downVariableButton = nullptr;
    QToolButton *m_upVariableButton = nullptr;
    VariableListWidget *m_variableListWidget = nullptr;
    QLabel *m_modalityLabel = nullptr;
    QToolButton *m_addModalityButton = nullptr;
    QToolButton *m_deleteModalityButton = nullptr;
    QToolButton *m_downModalityButton = nullptr;
    QToolButton *m_upModalityButton = nullptr;
    QToolButton *m_selectAllModalitiesButton = nullptr;
    ModalityListWidget *m_modalityListWidget = nullptr;
    QLabel *m_statisticLabel = nullptr;
    QComboBox *m_statisticComboBox = nullptr;
    QToolButton *m_addStatisticToolButton = nullptr;
    QToolButton *m_removeStatisticToolButton = nullptr;
    QToolButton *m_editStatisticToolButton = nullptr;
};
