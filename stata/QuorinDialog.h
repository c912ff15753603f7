#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QVBoxLayout;

// Asks at once for everything a run needs: the Stata executable, the dataset
// to compute on, the output file and the two run options. It is accepted only
// when the three paths are set.
class QuorinDialog : public QDialog
{
    Q_OBJECT

public:
    QuorinDialog(const QString &stataExecutableFileName, const QString &stataDatasetFileName,
                 const QString &outputFileName, bool viewOutputCsvFileAfterComputation,
                 bool showStataMessage, QWidget *parent = nullptr);

    QString stataExecutableFileName() const;
    QString stataDatasetFileName() const;
    QString outputFileName() const;
    bool viewOutputCsvFileAfterComputation() const;
    bool showStataMessage() const;

public slots:
    void accept() override;

private slots:
    void onStataExecutableToolButtonClicked();
    void onStataDatasetToolBottonClicked();
    void onOutputFileNameToolButtonClicked();

private:
    QLineEdit *addPathRow(const QString &labelName, const QString &labelText,
                          const QString &lineEditName, const QString &buttonName,
                          void (QuorinDialog::*chooser)());
    QString missingFields() const;

    QVBoxLayout *m_layout = nullptr;
    QLineEdit *m_stataExecutableLineEdit = nullptr;
    QLineEdit *m_stataDatasetLineEdit = nullptr;
    QLineEdit *m_outputFileNameLineEdit = nullptr;
    QCheckBox *m_viewOutputCsvFileAfterComputationCheckBox = nullptr;
    QCheckBox *m_showStataMessageCheckBox = nullptr;
};
