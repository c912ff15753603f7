#pragma once

#include "model/Command.h"
#include "model/StatisticCatalogue.h"
#include "model/Variable.h"
#include "undo/DocumentEditor.h"

#include <QDockWidget>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

class DocumentModel;
class ModalityListWidget;
class QComboBox;
class QLabel;
class QSplitter;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class VariableListWidget;

// The "Variables" dock: it shows the document's variables with the
// modalities of the current one, and the statistic catalogue in its order,
// and sends the user's edits to the document. Variable and modality rows are
// dragged from here onto the grid.
class VariablesWidget : public QDockWidget
{
    Q_OBJECT

public:
    // The document is not owned and must outlive the panel.
    explicit VariablesWidget(DocumentModel *document, QWidget *parent = nullptr);
    ~VariablesWidget() override;

    // Every variable, and the statistic names, in the order shown.
    QList<Variable> variables() const;
    QStringList statisticNames() const;
    // Removing a statistic empties cells, which the panel's own edits do
    // not; with an editor, the two go back as one undo step. Not owned.
    void setEditor(DocumentEditor *editor) { m_editor = editor; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void createForm();
    QWidget *createVariablePane();
    QWidget *createModalityPane();
    QLayout *createStatisticRow();
    QToolButton *createToolButton(const QString &objectName, const QString &iconResource);
    QToolButton *createArrowButton(const QString &objectName, Qt::ArrowType arrow);
    void retranslateUi();
    void connectForm();

    void showVariables();
    void showModalitiesOfCurrentVariable();
    void showStatistics();
    void updateAddModalityButton();

    void addVariable();
    void deleteVariable();
    void moveVariable(int step);
    void addModality();
    void deleteModality();
    void moveModality(int step);
    void changeModalities(int variableRow, const QList<Modality> &modalities, int currentModality);
    void addStatistic();
    void editStatistic();
    void removeStatistic();

    static int selectedRow(const QTreeWidget *list);
    int currentVariableRow() const;
    bool hasVariableNamed(const QString &name) const;
    bool confirm(const QString &text, const QString &informativeText);
    void selectModalityRow(int row);

    DocumentModel *m_document;
    QPointer<DocumentEditor> m_editor;
    // What this panel's own edit makes current once the lists show it again.
    int m_nextCurrentVariable = -1;
    int m_nextCurrentModality = -1;

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
