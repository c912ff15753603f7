#pragma once

#include <QDialog>

class DocumentModel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

// Adds, removes and edits the document's areas. Every change goes straight
// into the area collection, a condition keystroke by keystroke; closing the
// dialog undoes nothing.
class AreaManagementDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AreaManagementDialog)

public:
    AreaManagementDialog(DocumentModel *document, QWidget *parent = nullptr);

private slots:
    void onAddAreaButtonClicked();
    void onAreaListWidgetCurrentRowChanged(int row);
    void onRemoveAreaButtonClicked();
    void onConditionLineEditEdited();

private:
    void createForm();

    QListWidget *m_areaListWidget = nullptr;
    QToolButton *m_addAreaButton = nullptr;
    QToolButton *m_removeAreaButton = nullptr;
    QLineEdit *m_conditionLineEdit = nullptr;
    QPushButton *m_closeButton = nullptr;
    DocumentModel *m_document = nullptr;
};
