#pragma once

#include <QDialog>
#include <QString>

class AreaCollection;
class QLineEdit;
class QListWidget;

// Lets the user choose one of the document's areas, showing its condition.
class AssignAreaDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AssignAreaDialog)

public:
    AssignAreaDialog(const AreaCollection *areas, QWidget *parent = nullptr);

    // The name of the current area of the list; empty when the list has none.
    QString areaName() const;

private slots:
    void onAreaSelected(const QString &areaName);

private:
    QListWidget *m_areaListWidget = nullptr;
    QLineEdit *m_conditionLineEdit = nullptr;
    const AreaCollection *m_areas = nullptr;
};
