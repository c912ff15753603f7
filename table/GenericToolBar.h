#pragma once

#include <QList>
#include <QString>
#include <QToolBar>

class AreaCollection;
class DocumentModel;
class FormatLineEdit;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QSettings;
class QSplitter;
class QToolButton;
class TableWidget;

// Shows the result name, display format and area that the selected cells
// share, offers the format and area commands, and holds the two Stata
// buttons. It is fed only by the grid's selection analysis, through the
// main window's connections.
class GenericToolBar final : public QToolBar
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GenericToolBar)

public:
    GenericToolBar(TableWidget *table, DocumentModel *document);

    // Lists the areas in name order; the box keeps showing its area if that
    // is still among them.
    void refreshAreaBox(const AreaCollection &areas);
    // The box of area names; choosing one selects the cells of that area.
    QComboBox *areaComboBox() const;

    // Group "genericToolBar": the splitter's five pane widths and visibility.
    void readSettings(QSettings &settings);
    void writeSettings(QSettings &settings) const;

signals:
    void formatStringChanged(const QString &formatString);
    void quorinFlashToolButtonClicked();
    void startStataToolButtonClicked();

public slots:
    void setCurrentResult(const QString &resultFinalString);
    void setCurrentResultVoid();
    void setCurrentFormat(const QString &formatString);
    void setCurrentFormatVoid();
    void setCurrentFormatVoidAndDisabled();
    void setCurrentArea(const QString &areaString);
    void setCurrentAreaVoid();

private slots:
    void onFormatToolButtonClicked();
    void onAddArea();
    void onRemoveArea();
    void onAreaManagementButtonClicked();
    void onAssignAreaButtonClicked();
    void onStartStataToolButtonClicked();
    void onQuorinFlashToolButtonClicked();

private:
    QGroupBox *createGroup(const QString &label, const QList<QWidget *> &controls);
    QToolButton *createToolButton(const QString &objectName, const QString &icon,
                                  const QString &toolTip);
    void connectButtons(QToolButton *addButton, QToolButton *removeButton, QToolButton *startButton,
                        QToolButton *runButton);

    FormatLineEdit *m_formatLineEdit = nullptr;
    QComboBox *m_areaComboBox = nullptr;
    TableWidget *m_table = nullptr;
    DocumentModel *m_document = nullptr;
    QSplitter *m_splitter = nullptr;
    QLineEdit *m_resultLineEdit = nullptr;
    QToolButton *m_formatToolButton = nullptr;
    QToolButton *m_areaManagementToolButton = nullptr;
    QToolButton *m_assignAreaToolButton = nullptr;
    // The pane widths last read or dragged by the user.
    QList<int> m_paneWidths;
};
