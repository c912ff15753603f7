#include "table/GenericToolBar.h"

#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "model/AreaCollection.h"
#include "model/DocumentModel.h"
#include "table/FormatDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QToolButton>

#include <numeric>

namespace {

QStringList boxItems(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

} // namespace

class GenericToolBarTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fixedInTheTopArea();
    void groupsInTheSplitter();
    void buttons_data();
    void buttons();
    void startsEmptyWithTheFormatButtonEnabled();
    void resultSlots();
    void formatSlots();
    void areaSlotsMatchExactly();
    void refreshListsAreasInNameOrder_data();
    void refreshListsAreasInNameOrder();
    void refreshKeepsTheShownArea();
    void settingsDefaults();
    void settingsRoundTrip();
    void settingsHideTheToolBar();
    void formatButtonOpensOnDefaultForAnEmptyFormat();
    void formatButtonOpensOnTheShownFormat();
    void cancelledFormatDialogChangesNothing();
    void stataButtonsOnlyEmit();

private:
    QToolButton *button(const char *name)
    {
        return m_toolBar->findChild<QToolButton *>(QLatin1String(name));
    }
    QLineEdit *resultField()
    {
        return m_toolBar->findChild<QLineEdit *>(QStringLiteral("resultLineEdit"));
    }
    QLineEdit *formatField()
    {
        return m_toolBar->findChild<QLineEdit *>(QStringLiteral("formatLineEdit"));
    }
    QComboBox *areaBox() { return m_toolBar->areaComboBox(); }

    DocumentModel m_document;
    AreaCollection &m_areas = *m_document.mutableAreas();
    GenericToolBar *m_toolBar = nullptr;
    TemporaryWorkingDirectory *m_directory = nullptr;
};

void GenericToolBarTest::init()
{
    m_directory = new TemporaryWorkingDirectory;
    m_areas.clear();
    m_toolBar = new GenericToolBar(nullptr, &m_document);
}

void GenericToolBarTest::cleanup()
{
    delete m_toolBar;
    delete m_directory;
}

void GenericToolBarTest::fixedInTheTopArea()
{
    QCOMPARE(m_toolBar->objectName(), QStringLiteral("genericToolBar"));
    QVERIFY(!m_toolBar->parent());
    QVERIFY(!m_toolBar->isMovable());
    QCOMPARE(m_toolBar->allowedAreas(), Qt::TopToolBarArea);
    QCOMPARE(m_toolBar->actions().size(), 1);
    QVERIFY(qobject_cast<QSplitter *>(m_toolBar->widgetForAction(m_toolBar->actions().first())));
}

void GenericToolBarTest::groupsInTheSplitter()
{
    auto *splitter = m_toolBar->findChild<QSplitter *>();
    QCOMPARE(splitter->count(), 5);
    QVERIFY(!splitter->childrenCollapsible());
    const QStringList labels{"Result", "Format", "Area", "Stata"};
    const QList<QStringList> controls{{"resultLineEdit"},
                                      {"formatLineEdit", "formatToolButton"},
                                      {"areaComboBox", "addAreaToolButton", "removeAreaToolButton",
                                       "areaManagementToolButton", "assignAreaToolButton"},
                                      {"startStataToolButton", "quorinFlashToolButton"}};
    for (int i = 0; i < labels.size(); ++i) {
        auto *group = qobject_cast<QGroupBox *>(splitter->widget(i));
        QVERIFY(group);
        QVERIFY(group->title().isEmpty());
        QVERIFY(!splitter->isCollapsible(i));
        auto *layout = qobject_cast<QHBoxLayout *>(group->layout());
        QVERIFY(layout);
        QCOMPARE(layout->contentsMargins(), QMargins(2, 2, 2, 2));
        auto *label = qobject_cast<QLabel *>(layout->itemAt(0)->widget());
        QVERIFY(label);
        QCOMPARE(label->text(), labels.at(i));

        // The controls, left to right, after the label.
        QStringList names;
        QLayout *controlLayout = layout->itemAt(1)->layout();
        if (!controlLayout) {
            names.append(layout->itemAt(1)->widget()->objectName());
        } else {
            QCOMPARE(controlLayout->contentsMargins(), QMargins(0, 0, 0, 0));
            QCOMPARE(controlLayout->spacing(), 0);
            for (int j = 0; j < controlLayout->count(); ++j)
                names.append(controlLayout->itemAt(j)->widget()->objectName());
        }
        QCOMPARE(names, controls.at(i));
    }
    QVERIFY(!qobject_cast<QGroupBox *>(splitter->widget(4)));
    QVERIFY(formatField()->isReadOnly());
    QVERIFY(resultField()->isReadOnly());
    QVERIFY(!areaBox()->isEditable());
    QCOMPARE(formatField()->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(formatField()->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(areaBox()->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(areaBox()->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
}

void GenericToolBarTest::buttons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("shortcut");
    QTest::newRow("format") << "formatToolButton"
                            << "Set output format" << QString();
    QTest::newRow("add") << "addAreaToolButton"
                         << "Add area" << QString();
    QTest::newRow("remove") << "removeAreaToolButton"
                            << "Remove area" << QString();
    QTest::newRow("manage") << "areaManagementToolButton"
                            << "Manage areas" << QString();
    QTest::newRow("assign") << "assignAreaToolButton"
                            << "Assign area" << QString();
    QTest::newRow("start") << "startStataToolButton"
                           << "Start Stata\n(Alt+S)"
                           << "Alt+S";
    QTest::newRow("run") << "quorinFlashToolButton"
                         << "Quorin!\n(Alt+T)"
                         << "Alt+T";
}

void GenericToolBarTest::buttons()
{
    QFETCH(QString, name);
    QToolButton *toolButton = button(qPrintable(name));
    QVERIFY(toolButton);
    QVERIFY(!toolButton->icon().isNull());
    QTEST(toolButton->toolTip(), "toolTip");
    QTEST(toolButton->shortcut().toString(), "shortcut");
}

void GenericToolBarTest::startsEmptyWithTheFormatButtonEnabled()
{
    QVERIFY(resultField()->text().isEmpty());
    QVERIFY(formatField()->text().isEmpty());
    QCOMPARE(areaBox()->count(), 0);
    QCOMPARE(areaBox()->currentIndex(), -1);
    QVERIFY(button("formatToolButton")->isEnabled());
}

void GenericToolBarTest::resultSlots()
{
    m_toolBar->setCurrentResult(QStringLiteral("r(mean)"));
    QCOMPARE(resultField()->text(), QStringLiteral("r(mean)"));
    m_toolBar->setCurrentResultVoid();
    QVERIFY(resultField()->text().isEmpty());
}

void GenericToolBarTest::formatSlots()
{
    QToolButton *formatButton = button("formatToolButton");
    m_toolBar->setCurrentFormatVoidAndDisabled();
    QVERIFY(!formatButton->isEnabled());
    m_toolBar->setCurrentFormat(QStringLiteral("%9.2f"));
    QVERIFY(formatButton->isEnabled());
    QCOMPARE(formatField()->text(), QStringLiteral("%9.2f"));

    m_toolBar->setCurrentFormatVoidAndDisabled();
    QVERIFY(formatField()->text().isEmpty());
    QVERIFY(!formatButton->isEnabled());
    m_toolBar->setCurrentFormatVoid();
    QVERIFY(formatField()->text().isEmpty());
    QVERIFY(formatButton->isEnabled());
}

void GenericToolBarTest::areaSlotsMatchExactly()
{
    m_areas.insert(Area(QStringLiteral("North"), QString()));
    m_areas.insert(Area(QStringLiteral("north"), QString()));
    m_toolBar->refreshAreaBox(m_areas);
    m_toolBar->setCurrentArea(QStringLiteral("north"));
    QCOMPARE(areaBox()->currentText(), QStringLiteral("north"));
    m_toolBar->setCurrentArea(QStringLiteral("North"));
    QCOMPARE(areaBox()->currentText(), QStringLiteral("North"));
    m_toolBar->setCurrentArea(QStringLiteral("NORTH"));
    QCOMPARE(areaBox()->currentIndex(), -1);
    m_toolBar->setCurrentArea(QStringLiteral("north"));
    m_toolBar->setCurrentAreaVoid();
    QCOMPARE(areaBox()->currentIndex(), -1);
    QVERIFY(areaBox()->currentText().isEmpty());
}

void GenericToolBarTest::refreshListsAreasInNameOrder_data()
{
    QTest::addColumn<QStringList>("inserted");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("b, a") << QStringList{"b", "a"} << QStringList{"a", "b"};
    QTest::newRow("capitals first")
        << QStringList{"b", "a", "B", "A"} << QStringList{"A", "B", "a", "b"};
    QTest::newRow("none") << QStringList() << QStringList();
}

void GenericToolBarTest::refreshListsAreasInNameOrder()
{
    QFETCH(QStringList, inserted);
    // Something stale from before is dropped.
    areaBox()->addItem(QStringLiteral("old"));
    for (const QString &name : inserted)
        m_areas.insert(Area(name, QStringLiteral("x==1")));
    m_toolBar->refreshAreaBox(m_areas);
    QTEST(boxItems(areaBox()), "listed");
    for (int i = 0; i < areaBox()->count(); ++i) {
        QVERIFY(areaBox()->itemIcon(i).isNull());
        QVERIFY(!areaBox()->itemData(i).isValid());
    }
    // Refreshing shows no area: only the selection decides that.
    QCOMPARE(areaBox()->currentIndex(), -1);
}

void GenericToolBarTest::refreshKeepsTheShownArea()
{
    m_areas.insert(Area(QStringLiteral("south"), QString()));
    m_areas.insert(Area(QStringLiteral("north"), QString()));
    m_toolBar->refreshAreaBox(m_areas);
    m_toolBar->setCurrentArea(QStringLiteral("south"));
    m_areas.insert(Area(QStringLiteral("east"), QString()));
    m_toolBar->refreshAreaBox(m_areas);
    QCOMPARE(areaBox()->currentText(), QStringLiteral("south"));
    m_areas.remove(QStringLiteral("south"));
    m_toolBar->refreshAreaBox(m_areas);
    QCOMPARE(areaBox()->currentIndex(), -1);
}

void GenericToolBarTest::settingsDefaults()
{
    // As in the main window before it is shown: visible, but not on screen.
    QWidget window;
    m_toolBar->setParent(&window);
    m_toolBar->hide();
    {
        QSettings settings(QStringLiteral("settings.ini"), QSettings::IniFormat);
        m_toolBar->readSettings(settings);
    }
    QVERIFY(!m_toolBar->isHidden());

    QSettings written(QStringLiteral("written.ini"), QSettings::IniFormat);
    m_toolBar->writeSettings(written);
    written.beginGroup(QStringLiteral("genericToolBar"));
    QCOMPARE(written.value(QStringLiteral("resultWidgetSize")).toInt(), 100);
    QCOMPARE(written.value(QStringLiteral("precisionWidgetSize")).toInt(), 100);
    QCOMPARE(written.value(QStringLiteral("areaWidgetSize")).toInt(), 400);
    QCOMPARE(written.value(QStringLiteral("stataWidgetSize")).toInt(), 100);
    QCOMPARE(written.value(QStringLiteral("voidWidgetSize")).toInt(), 300);
    QCOMPARE(written.value(QStringLiteral("visible")).toBool(), true);
    m_toolBar->setParent(nullptr);
}

void GenericToolBarTest::settingsRoundTrip()
{
    const QStringList keys{"resultWidgetSize", "precisionWidgetSize", "areaWidgetSize",
                           "stataWidgetSize", "voidWidgetSize"};
    const QList<int> widths{120, 150, 350, 130, 200};
    {
        QSettings settings(QStringLiteral("settings.ini"), QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("genericToolBar"));
        for (int i = 0; i < keys.size(); ++i)
            settings.setValue(keys.at(i), widths.at(i));
    }

    // Shown in a window that leaves the splitter exactly the room of the
    // panes, the splitter takes the widths as they are.
    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_toolBar);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *splitter = m_toolBar->findChild<QSplitter *>();
    const int room = std::accumulate(widths.begin(), widths.end(), 0) + 4 * splitter->handleWidth();
    window.resize(window.width() - splitter->width() + room, window.height());
    QTRY_COMPARE(splitter->width(), room);
    {
        QSettings settings(QStringLiteral("settings.ini"), QSettings::IniFormat);
        m_toolBar->readSettings(settings);
    }
    QCOMPARE(splitter->sizes(), widths);

    QSettings written(QStringLiteral("written.ini"), QSettings::IniFormat);
    m_toolBar->writeSettings(written);
    written.beginGroup(QStringLiteral("genericToolBar"));
    for (int i = 0; i < keys.size(); ++i)
        QCOMPARE(written.value(keys.at(i)).toInt(), widths.at(i));
    layout->removeWidget(m_toolBar);
    m_toolBar->setParent(nullptr);
}

void GenericToolBarTest::settingsHideTheToolBar()
{
    {
        QSettings settings(QStringLiteral("settings.ini"), QSettings::IniFormat);
        settings.setValue(QStringLiteral("genericToolBar/visible"), false);
        settings.setValue(QStringLiteral("genericToolBar/areaWidgetSize"), 480);
    }
    QSettings settings(QStringLiteral("settings.ini"), QSettings::IniFormat);
    m_toolBar->readSettings(settings);
    QVERIFY(m_toolBar->isHidden());

    // A hidden toolbar keeps the widths it was given for the next start.
    QSettings written(QStringLiteral("written.ini"), QSettings::IniFormat);
    m_toolBar->writeSettings(written);
    QCOMPARE(written.value(QStringLiteral("genericToolBar/visible")).toBool(), false);
    QCOMPARE(written.value(QStringLiteral("genericToolBar/areaWidgetSize")).toInt(), 480);
    QCOMPARE(written.value(QStringLiteral("genericToolBar/resultWidgetSize")).toInt(), 100);
}

void GenericToolBarTest::formatButtonOpensOnDefaultForAnEmptyFormat()
{
    m_toolBar->setCurrentFormatVoid();
    QSignalSpy changed(m_toolBar, &GenericToolBar::formatStringChanged);
    ModalAnswerer answerer;
    QString openedOn;
    answerer.answerDialog<FormatDialog>([&openedOn](FormatDialog *dialog) {
        openedOn = dialog->format();
        QVERIFY(!dialog->parent());
    });
    QTest::mouseClick(button("formatToolButton"), Qt::LeftButton);
    QCOMPARE(openedOn, QStringLiteral("%3.1f"));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.first().first().toString(), QStringLiteral("%3.1f"));
    QCOMPARE(formatField()->text(), QStringLiteral("%3.1f"));
}

void GenericToolBarTest::formatButtonOpensOnTheShownFormat()
{
    m_toolBar->setCurrentFormat(QStringLiteral("%9.2f"));
    QSignalSpy changed(m_toolBar, &GenericToolBar::formatStringChanged);
    ModalAnswerer answerer;
    QString openedOn;
    answerer.answerDialog<FormatDialog>([&openedOn](FormatDialog *dialog) {
        openedOn = dialog->format();
        auto *commas = dialog->findChild<QCheckBox *>(
            QStringLiteral("numericUseCommasInNumericOutputCheckBox"));
        QTest::mouseClick(commas, Qt::LeftButton);
    });
    QTest::mouseClick(button("formatToolButton"), Qt::LeftButton);
    QCOMPARE(openedOn, QStringLiteral("%9.2f"));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.first().first().toString(), QStringLiteral("%9.2fc"));
    QCOMPARE(formatField()->text(), QStringLiteral("%9.2fc"));
}

void GenericToolBarTest::cancelledFormatDialogChangesNothing()
{
    m_toolBar->setCurrentFormat(QStringLiteral("%9.2f"));
    QSignalSpy changed(m_toolBar, &GenericToolBar::formatStringChanged);
    ModalAnswerer answerer;
    answerer.answerDialog<FormatDialog>(
        [](FormatDialog *dialog) {
            dialog->findChild<QLineEdit *>(QStringLiteral("formatLineEdit"))
                ->setText(QStringLiteral("%5s"));
        },
        false);
    QTest::mouseClick(button("formatToolButton"), Qt::LeftButton);
    QCOMPARE(answerer.seen(), QStringList{QStringLiteral("FormatDialog")});
    QCOMPARE(changed.size(), 0);
    QCOMPARE(formatField()->text(), QStringLiteral("%9.2f"));
}

void GenericToolBarTest::stataButtonsOnlyEmit()
{
    QSignalSpy run(m_toolBar, &GenericToolBar::quorinFlashToolButtonClicked);
    QSignalSpy start(m_toolBar, &GenericToolBar::startStataToolButtonClicked);
    QTest::mouseClick(button("quorinFlashToolButton"), Qt::LeftButton);
    QCOMPARE(run.size(), 1);
    QCOMPARE(start.size(), 0);
    QTest::mouseClick(button("startStataToolButton"), Qt::LeftButton);
    QCOMPARE(run.size(), 1);
    QCOMPARE(start.size(), 1);
}

QTEST_MAIN(GenericToolBarTest)
#include "GenericToolBarTest.moc"
