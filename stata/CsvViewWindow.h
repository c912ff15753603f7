#pragma once

#include <QMainWindow>

#include <memory>

struct Document;
class CsvTable;
class QAction;

// Shows a semicolon-separated file, normally a run's output, as a grid that
// can be made editable and copied to the clipboard. Every opening makes a new
// window, which deletes itself when closed.
class CsvViewWindow : public QMainWindow
{
    Q_OBJECT

public:
    CsvViewWindow(QWidget *parent, const QString &fileName);

    // Shows the file in a new grid. A file that cannot be read is reported
    // and leaves the grid shown before, with any edits made in it.
    bool loadFile(const QString &fileName);

    CsvTable *table() const { return m_table; }

    // The document whose run wrote the file shown: exports then take each
    // field's kind and number format from its cell, as the command line's
    // exports do. Loading another file forgets it.
    void setRunDocument(const Document &document);

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_openAction_triggered();
    void on_exportAction_triggered();
    void on_allowEditingAction_toggled(bool checked);
    void on_copyAction_triggered();

private:
    void createMenus();
    QAction *createAction(const QString &objectName, const QString &text, const QString &shortcut);
    void showTable(CsvTable *table);

    CsvTable *m_table = nullptr;
    std::shared_ptr<const Document> m_runDocument;
    QAction *m_openAction = nullptr;
    QAction *m_exportAction = nullptr;
    QAction *m_exitAction = nullptr;
    QAction *m_copyAction = nullptr;
    QAction *m_allowEditingAction = nullptr;
};
