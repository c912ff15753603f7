#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

// Asks for the size of a new table, 1 to 999 rows and columns.
class NewFileDialog : public QDialog
{
    Q_OBJECT

public:
    explicit NewFileDialog(QWidget *parent = nullptr);

    int numberOfRows() const;
    int numberOfColumns() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void createForm();
    void retranslateUi();

    QLabel *m_rowLabel = nullptr;
    QSpinBox *m_rowSpinBox = nullptr;
    QLabel *m_columnLabel = nullptr;
    QSpinBox *m_columnSpinBox = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
