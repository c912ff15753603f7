#pragma once

#include "model/Command.h"

#include <QDialog>
#include <QString>

class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The form shared by the dialogs that add and edit a statistic definition:
// name, command template, stored result, result type and, for a matrix result,
// the row and column of the wanted element. The subclasses name the widgets
// that differ between them and set the texts in their own translation context.
class StatisticDialog : public QDialog
{
    Q_OBJECT

public:
    Command::ResultType resultType() const;

protected:
    struct ObjectNames
    {
        QString nameLabel;
        QString nameLineEdit;
        QString resultTypeGroupBox;
        QString resultMatrixCoordsGroupBox;
    };

    StatisticDialog(const ObjectNames &names, QWidget *parent);

    virtual void retranslateUi() = 0;
    void changeEvent(QEvent *event) override;

    void setResultType(Command::ResultType type);
    // A coordinate field read as a decimal integer; 0 when it is no number.
    static int coordinate(const QLineEdit *lineEdit);

    QLabel *m_nameLabel = nullptr;
    QLineEdit *m_nameLineEdit = nullptr;
    QLabel *m_commandFormatLabel = nullptr;
    QLineEdit *m_commandFormatLineEdit = nullptr;
    QLabel *m_resultLabel = nullptr;
    QLineEdit *m_resultLineEdit = nullptr;
    QGroupBox *m_resultTypeGroupBox = nullptr;
    QRadioButton *m_scalarRadioButton = nullptr;
    QRadioButton *m_macroRadioButton = nullptr;
    QRadioButton *m_matrixRadioButton = nullptr;
    QGroupBox *m_resultMatrixCoordsGroupBox = nullptr;
    QLabel *m_rowLabel = nullptr;
    QLineEdit *m_rowLineEdit = nullptr;
    QLabel *m_colLabel = nullptr;
    QLineEdit *m_colLineEdit = nullptr;
    QDialogButtonBox *m_buttonBox = nullptr;

protected slots:
    void onMatrixRadioButtonToggled(bool checked);

private:
    void createForm(const ObjectNames &names);
    QLineEdit *createCoordinateLineEdit(const QString &objectName);
};
