#include "table/GenericToolBar.h"

#include "model/AreaCollection.h"
#include "model/DocumentModel.h"
#include "table/AddAreaDialog.h"
#include "table/AreaManagementDialog.h"
#include "table/AssignAreaDialog.h"
#include "table/FormatDialog.h"
#include "table/FormatLineEdit.h"
#include "table/TableWidget.h"
#include "undo/DocumentEditor.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QSplitter>
#include <QToolButton>

#include <iterator>

namespace {

const char *const settingsGroup = "genericToolBar";

// The splitter's panes in order, with the width each has when the settings
// do not say.
struct Pane
{
    const char *key;
    int defaultWidth;
};
const Pane panes[] = {{"resultWidgetSize", 100},
                      {"precisionWidgetSize", 100},
                      {"areaWidgetSize", 400},
                      {"stataWidgetSize", 100},
                      {"voidWidgetSize", 300}};

} // namespace

GenericToolBar::GenericToolBar(TableWidget *table, DocumentModel *document)
    : QToolBar(nullptr)
    , m_table(table)
    , m_document(document)
{
    setObjectName(QStringLiteral("genericToolBar"));
    setWindowTitle(tr("Toolbar"));
    setAllowedAreas(Qt::TopToolBarArea);
    setMovable(false);

    m_resultLineEdit = new QLineEdit(this);
    m_resultLineEdit->setObjectName(QStringLiteral("resultLineEdit"));
    m_resultLineEdit->setReadOnly(true);

    m_formatLineEdit = new FormatLineEdit(this);
    m_formatLineEdit->setObjectName(QStringLiteral("formatLineEdit"));
    m_formatLineEdit->setReadOnly(true);
    m_formatLineEdit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_formatToolButton =
        createToolButton(QStringLiteral("formatToolButton"),
                         QStringLiteral(":/icons/format icon.png"), tr("Set output format"));

    m_areaComboBox = new QComboBox(this);
    m_areaComboBox->setObjectName(QStringLiteral("areaComboBox"));
    m_areaComboBox->setEditable(false);
    m_areaComboBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QToolButton *addButton = createToolButton(QStringLiteral("addAreaToolButton"),
                                              QStringLiteral(":icons/plus.png"), tr("Add area"));
    QToolButton *removeButton =
        createToolButton(QStringLiteral("removeAreaToolButton"), QStringLiteral(":icons/minus.png"),
                         tr("Remove area"));
    m_areaManagementToolButton =
        createToolButton(QStringLiteral("areaManagementToolButton"),
                         QStringLiteral(":icons/edit area.png"), tr("Manage areas"));
    m_assignAreaToolButton =
        createToolButton(QStringLiteral("assignAreaToolButton"),
                         QStringLiteral(":icons/assign area.png"), tr("Assign area"));

    QToolButton *startButton =
        createToolButton(QStringLiteral("startStataToolButton"),
                         QStringLiteral(":icons/stataicon.png"), tr("Start Stata\n(Alt+S)"));
    startButton->setShortcut(QKeySequence(QStringLiteral("Alt+S")));
    QToolButton *runButton =
        createToolButton(QStringLiteral("quorinFlashToolButton"),
                         QStringLiteral(":icons/flash.png"), tr("Quorin!\n(Alt+T)"));
    runButton->setShortcut(QKeySequence(QStringLiteral("Alt+T")));

    m_splitter = new QSplitter(this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->addWidget(createGroup(tr("Result"), {m_resultLineEdit}));
    m_splitter->addWidget(createGroup(tr("Format"), {m_formatLineEdit, m_formatToolButton}));
    m_splitter->addWidget(
        createGroup(tr("Area"), {m_areaComboBox, addButton, removeButton,
                                 m_areaManagementToolButton, m_assignAreaToolButton}));
    m_splitter->addWidget(createGroup(tr("Stata"), {startButton, runButton}));
    m_splitter->addWidget(new QWidget(m_splitter));
    m_splitter->setChildrenCollapsible(false);
    for (int pane = 0; pane < m_splitter->count(); ++pane)
        m_splitter->setCollapsible(pane, false);
    addWidget(m_splitter);

    connectButtons(addButton, removeButton, startButton, runButton);
    for (const Pane &pane : panes)
        m_paneWidths.append(pane.defaultWidth);
    connect(m_splitter, &QSplitter::splitterMoved, this,
            [this] { m_paneWidths = m_splitter->sizes(); });
}

QToolButton *GenericToolBar::createToolButton(const QString &objectName, const QString &icon,
                                              const QString &toolTip)
{
    auto *button = new QToolButton(this);
    button->setObjectName(objectName);
    button->setIcon(QIcon(icon));
    button->setToolTip(toolTip);
    return button;
}

QGroupBox *GenericToolBar::createGroup(const QString &label, const QList<QWidget *> &controls)
{
    auto *group = new QGroupBox(this);
    auto *layout = new QHBoxLayout(group);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(new QLabel(label, group));
    if (controls.size() == 1) {
        layout->addWidget(controls.first());
        return group;
    }
    auto *inner = new QHBoxLayout;
    inner->setContentsMargins(0, 0, 0, 0);
    inner->setSpacing(0);
    for (QWidget *control : controls)
        inner->addWidget(control);
    layout->addLayout(inner);
    return group;
}

void GenericToolBar::connectButtons(QToolButton *addButton, QToolButton *removeButton,
                                    QToolButton *startButton, QToolButton *runButton)
{
    connect(m_formatToolButton, &QToolButton::clicked, this,
            &GenericToolBar::onFormatToolButtonClicked);
    connect(addButton, &QToolButton::clicked, this, &GenericToolBar::onAddArea);
    connect(removeButton, &QToolButton::clicked, this, &GenericToolBar::onRemoveArea);
    connect(m_areaManagementToolButton, &QToolButton::clicked, this,
            &GenericToolBar::onAreaManagementButtonClicked);
    connect(m_assignAreaToolButton, &QToolButton::clicked, this,
            &GenericToolBar::onAssignAreaButtonClicked);
    connect(startButton, &QToolButton::clicked, this,
            &GenericToolBar::onStartStataToolButtonClicked);
    connect(runButton, &QToolButton::clicked, this,
            &GenericToolBar::onQuorinFlashToolButtonClicked);
}

QComboBox *GenericToolBar::areaComboBox() const
{
    return m_areaComboBox;
}

void GenericToolBar::refreshAreaBox(const AreaCollection &areas)
{
    const QString shown =
        m_areaComboBox->currentIndex() >= 0 ? m_areaComboBox->currentText() : QString();
    m_areaComboBox->clear();
    m_areaComboBox->addItems(areas.names());
    setCurrentArea(shown);
}

void GenericToolBar::readSettings(QSettings &settings)
{
    settings.beginGroup(QLatin1String(settingsGroup));
    m_paneWidths.clear();
    for (const Pane &pane : panes)
        m_paneWidths.append(settings.value(QLatin1String(pane.key), pane.defaultWidth).toInt());
    m_splitter->setSizes(m_paneWidths);
    setVisible(settings.value(QStringLiteral("visible"), true).toBool());
    settings.endGroup();
}

void GenericToolBar::writeSettings(QSettings &settings) const
{
    // A splitter that is not shown has not laid out the widths it was given,
    // so the widths read or last dragged are the ones to keep.
    const QList<int> widths = m_splitter->isVisible() ? m_splitter->sizes() : m_paneWidths;
    settings.beginGroup(QLatin1String(settingsGroup));
    for (int i = 0; i < int(std::size(panes)) && i < widths.size(); ++i)
        settings.setValue(QLatin1String(panes[i].key), widths.at(i));
    settings.setValue(QStringLiteral("visible"), !isHidden());
    settings.endGroup();
}

void GenericToolBar::setCurrentResult(const QString &resultFinalString)
{
    m_resultLineEdit->setText(resultFinalString);
}

void GenericToolBar::setCurrentResultVoid()
{
    m_resultLineEdit->clear();
}

void GenericToolBar::setCurrentFormat(const QString &formatString)
{
    m_formatToolButton->setEnabled(true);
    m_formatLineEdit->setFormatString(formatString);
}

void GenericToolBar::setCurrentFormatVoid()
{
    m_formatToolButton->setEnabled(true);
    m_formatLineEdit->setBlank();
}

void GenericToolBar::setCurrentFormatVoidAndDisabled()
{
    m_formatLineEdit->setBlank();
    m_formatToolButton->setEnabled(false);
}

void GenericToolBar::setCurrentArea(const QString &areaString)
{
    m_areaComboBox->setCurrentIndex(
        m_areaComboBox->findText(areaString, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void GenericToolBar::setCurrentAreaVoid()
{
    m_areaComboBox->setCurrentIndex(-1);
}

void GenericToolBar::onFormatToolButtonClicked()
{
    QString format = m_formatLineEdit->text();
    if (format.isEmpty())
        format = QStringLiteral("%3.1f");
    FormatDialog dialog(format);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_formatLineEdit->setFormatString(dialog.format());
    emit formatStringChanged(dialog.format());
}

void GenericToolBar::onAddArea()
{
    const std::optional<Area> area =
        AddAreaDialog::askForNewArea(this, [this](const QString &name) {
            return m_areaComboBox->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0;
        });
    if (!area)
        return;
    m_document->addArea(*area);
    // Adding to an empty box would show the new area as if the selection had
    // it; the box keeps showing what it showed.
    const int shown = m_areaComboBox->currentIndex();
    m_areaComboBox->addItem(area->name());
    m_areaComboBox->setCurrentIndex(shown);
}

void GenericToolBar::onRemoveArea()
{
    const QString name =
        m_areaComboBox->currentIndex() >= 0 ? m_areaComboBox->currentText() : QString();
    if (name.isEmpty())
        return;
    m_areaComboBox->removeItem(
        m_areaComboBox->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive));
    m_areaComboBox->setCurrentIndex(-1);
    m_table->editor()->record(tr("Remove area"), [this, &name] { m_document->removeArea(name); });
}

void GenericToolBar::onAreaManagementButtonClicked()
{
    AreaManagementDialog dialog(m_document, this);
    // Whatever the dialog changed is taken back at once.
    m_table->editor()->record(tr("Manage areas"), [&dialog] { dialog.exec(); });
    refreshAreaBox(m_document->areas());
}

void GenericToolBar::onAssignAreaButtonClicked()
{
    AssignAreaDialog dialog(&m_document->areas(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString name = dialog.areaName();
    m_table->setAreaForCurrentSelection(name);
    setCurrentArea(name);
}

void GenericToolBar::onStartStataToolButtonClicked()
{
    emit startStataToolButtonClicked();
}

void GenericToolBar::onQuorinFlashToolButtonClicked()
{
    emit quorinFlashToolButtonClicked();
}
