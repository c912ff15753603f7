#include "table/GenericToolBar.h"

#include "DataRows.h"
#include "DialogControls.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "model/AreaCollection.h"
#include "model/DocumentModel.h"
#include "table/FormatDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QToolButton>

#include <numeric>

class GenericToolBarTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void form();
    void resultAndFormatSlots();
    void areaSlotsMatchExactly();
    void refreshListsAreasInNameOrder_data();
    void refreshListsAreasInNameOrder();
    void refreshKeepsTheShownArea();
    void settingsDefaults();
    void settingsRoundTrip();
    void formatButton_data();
    void formatButton();
    void stataButtonsOnlyEmit();

private:
    QToolButton *button(const char *name)
    {
        return namedChild<QToolButton>(m_toolBar, QLatin1String(name));
    }
    QLineEdit *field(const char *name)
    {
        return namedChild<QLineEdit>(m_toolBar, QLatin1String(name));
    }
    QComboBox *areaBox() { return m_toolBar->areaComboBox(); }
    QStringList areaItems()
    {
        QStringList items;
        for (int i = 0; i < areaBox()->count(); ++i)
            items.append(areaBox()->itemText(i));
        return items;
    }
    void insertAreas(const QStringList &names)
    {
        for (const QString &name : names)
            m_areas.insert(Area(name, QString()));
        m_toolBar->refreshAreaBox(m_areas);
    }

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

// The run buttons carry their shortcuts.
void GenericToolBarTest::form()
{
    QCOMPARE(m_toolBar->objectName(), QStringLiteral("genericToolBar"));
    QVERIFY(!m_toolBar->isMovable());
    QCOMPARE(m_toolBar->allowedAreas(), Qt::TopToolBarArea);
    QVERIFY(!m_toolBar->findChild<QSplitter *>()->childrenCollapsible());
    QVERIFY(field("formatLineEdit")->isReadOnly());
    QVERIFY(field("resultLineEdit")->isReadOnly());
    QVERIFY(!areaBox()->isEditable());
    QCOMPARE(button("startStataToolButton")->shortcut().toString(), QStringLiteral("Alt+S"));
    QCOMPARE(button("quorinFlashToolButton")->shortcut().toString(), QStringLiteral("Alt+T"));
}

void GenericToolBarTest::resultAndFormatSlots()
{
    QCOMPARE(areaBox()->currentIndex(), -1);
    QToolButton *formatButton = button("formatToolButton");
    QVERIFY(formatButton->isEnabled());
    m_toolBar->setCurrentResult(QStringLiteral("r(mean)"));
    QCOMPARE(field("resultLineEdit")->text(), QStringLiteral("r(mean)"));
    m_toolBar->setCurrentResultVoid();
    QVERIFY(field("resultLineEdit")->text().isEmpty());

    m_toolBar->setCurrentFormatVoidAndDisabled();
    QVERIFY(!formatButton->isEnabled());
    m_toolBar->setCurrentFormat(QStringLiteral("%9.2f"));
    QVERIFY(formatButton->isEnabled());
    QCOMPARE(field("formatLineEdit")->text(), QStringLiteral("%9.2f"));
    m_toolBar->setCurrentFormatVoidAndDisabled();
    QVERIFY(field("formatLineEdit")->text().isEmpty());
    QVERIFY(!formatButton->isEnabled());
    m_toolBar->setCurrentFormatVoid();
    QVERIFY(formatButton->isEnabled());
}

void GenericToolBarTest::areaSlotsMatchExactly()
{
    insertAreas({"North", "north"});
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
    dataRow("b, a", QStringList{"b", "a"}, QStringList{"a", "b"});
    dataRow("capitals first", QStringList{"b", "a", "B", "A"}, QStringList{"A", "B", "a", "b"});
    dataRow("none", QStringList(), QStringList());
}

void GenericToolBarTest::refreshListsAreasInNameOrder()
{
    QFETCH(QStringList, inserted);
    // Something stale from before is dropped.
    areaBox()->addItem(QStringLiteral("old"));
    insertAreas(inserted);
    QTEST(areaItems(), "listed");
    // Refreshing shows no area: only the selection decides that.
    QCOMPARE(areaBox()->currentIndex(), -1);
}

void GenericToolBarTest::refreshKeepsTheShownArea()
{
    insertAreas({"south", "north"});
    m_toolBar->setCurrentArea(QStringLiteral("south"));
    insertAreas({"east"});
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
    QSettings empty(QStringLiteral("empty.ini"), QSettings::IniFormat);
    m_toolBar->readSettings(empty);
    QVERIFY(!m_toolBar->isHidden());
    QSettings written(QStringLiteral("written.ini"), QSettings::IniFormat);
    m_toolBar->writeSettings(written);
    const QStringList keys{"resultWidgetSize", "precisionWidgetSize", "areaWidgetSize",
                           "stataWidgetSize",  "voidWidgetSize",      "visible"};
    QStringList values;
    for (const QString &key : keys)
        values.append(written.value("genericToolBar/" + key).toString());
    QCOMPARE(values, (QStringList{"100", "100", "400", "100", "300", "true"}));

    m_toolBar->setParent(nullptr);
}

void GenericToolBarTest::settingsRoundTrip()
{
    const QStringList keys{"resultWidgetSize", "precisionWidgetSize", "areaWidgetSize",
                           "stataWidgetSize", "voidWidgetSize"};
    const QList<int> widths{120, 150, 350, 130, 200};
    QSettings settings(QStringLiteral("settings.ini"), QSettings::IniFormat);
    for (int i = 0; i < keys.size(); ++i)
        settings.setValue("genericToolBar/" + keys.at(i), widths.at(i));

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
    m_toolBar->readSettings(settings);
    QCOMPARE(splitter->sizes(), widths);

    QSettings written(QStringLiteral("written.ini"), QSettings::IniFormat);
    m_toolBar->writeSettings(written);
    for (int i = 0; i < keys.size(); ++i)
        QCOMPARE(written.value("genericToolBar/" + keys.at(i)).toInt(), widths.at(i));
    layout->removeWidget(m_toolBar);
    m_toolBar->setParent(nullptr);
}

void GenericToolBarTest::formatButton_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("openedOn");
    QTest::addColumn<QStringList>("pushed");
    QTest::addColumn<QString>("shownAfter");
    // An empty format opens the dialog on the default; commas are ticked in
    // the other rows, and a cancelled dialog pushes nothing.
    dataRow("empty", "", true, "%3.1f", QStringList{"%3.1f"}, "%3.1f");
    dataRow("shown format", "%9.2f", true, "%9.2f", QStringList{"%9.2fc"}, "%9.2fc");
    dataRow("cancelled", "%9.2f", false, "%9.2f", QStringList(), "%9.2f");
}

void GenericToolBarTest::formatButton()
{
    QFETCH(QString, shown);
    QFETCH(bool, accept);
    QFETCH(QStringList, pushed);
    if (shown.isEmpty())
        m_toolBar->setCurrentFormatVoid();
    else
        m_toolBar->setCurrentFormat(shown);
    QSignalSpy changed(m_toolBar, &GenericToolBar::formatStringChanged);
    ModalAnswerer answerer;
    QString openedOn;
    bool parentless = false;
    answerer.answerDialog<FormatDialog>(
        [&](FormatDialog *dialog) {
            openedOn = dialog->format();
            parentless = !dialog->parent();
            if (!shown.isEmpty())
                QTest::mouseClick(
                    namedChild<QCheckBox>(dialog, "numericUseCommasInNumericOutputCheckBox"),
                    Qt::LeftButton);
        },
        accept);
    QTest::mouseClick(button("formatToolButton"), Qt::LeftButton);
    QCOMPARE(answerer.seen(), QStringList{"FormatDialog"});
    QVERIFY(parentless);
    QTEST(openedOn, "openedOn");
    QStringList signalled;
    for (const QList<QVariant> &arguments : changed)
        signalled.append(arguments.first().toString());
    QCOMPARE(signalled, pushed);
    QTEST(field("formatLineEdit")->text(), "shownAfter");
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
