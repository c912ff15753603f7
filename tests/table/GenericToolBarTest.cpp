#include "table/GenericToolBar.h"

#include "DataRows.h"
#include "DialogControls.h"
#include "ModalAnswerer.h"
#include "model/AreaCollection.h"
#include "model/DocumentModel.h"
#include "table/CellTextToolBar.h"
#include "table/FormatDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

// The two toolbars alone; what the selection shows in them, their shortcuts
// and settings are the main window's tests.
class GenericToolBarTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_areas.clear();
        m_toolBar = std::make_unique<GenericToolBar>(nullptr, &m_document);
    }

    // The names are listed in order, capitals first, and matched
    // exactly; a refresh keeps the shown area while it exists.
    void areaBoxListsAndMatchesNamesExactly()
    {
        insertAreas({"b", "a", "B", "A"});
        QStringList items;
        for (int i = 0; i < areaBox()->count(); ++i)
            items.append(areaBox()->itemText(i));
        QCOMPARE(items, (QStringList{"A", "B", "a", "b"}));
        QCOMPARE(areaBox()->currentIndex(), -1);
        m_toolBar->setCurrentArea(QStringLiteral("a"));
        QCOMPARE(areaBox()->currentText(), QStringLiteral("a"));
        m_toolBar->setCurrentArea(QStringLiteral("A"));
        QCOMPARE(areaBox()->currentText(), QStringLiteral("A"));
        m_toolBar->setCurrentArea(QStringLiteral("c"));
        QCOMPARE(areaBox()->currentIndex(), -1);
        m_toolBar->setCurrentArea(QStringLiteral("b"));
        insertAreas({"c"});
        QCOMPARE(areaBox()->currentText(), QStringLiteral("b"));
        m_areas.remove(QStringLiteral("b"));
        m_toolBar->refreshAreaBox(m_areas);
        QCOMPARE(areaBox()->currentIndex(), -1);
        m_toolBar->setCurrentArea(QStringLiteral("a"));
        m_toolBar->setCurrentAreaVoid();
        QCOMPARE(areaBox()->currentIndex(), -1);
        QVERIFY(areaBox()->currentText().isEmpty());
    }

    void formatButton_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("openedOn");
        QTest::addColumn<QStringList>("pushed");
        QTest::addColumn<QString>("shownAfter");
        // An empty format opens the dialog on the default; commas are ticked
        // in the other rows, and a cancelled dialog pushes nothing.
        dataRow("empty", "", true, "%3.1f", QStringList{"%3.1f"}, "%3.1f");
        dataRow("shown format", "%9.2f", true, "%9.2f", QStringList{"%9.2fc"}, "%9.2fc");
        dataRow("cancelled", "%9.2f", false, "%9.2f", QStringList(), "%9.2f");
    }

    void formatButton()
    {
        QFETCH(QString, shown);
        QFETCH(bool, accept);
        QFETCH(QStringList, pushed);
        if (shown.isEmpty())
            m_toolBar->setCurrentFormatVoid();
        else
            m_toolBar->setCurrentFormat(shown);
        QSignalSpy changed(m_toolBar.get(), &GenericToolBar::formatStringChanged);
        ModalAnswerer answerer;
        QString openedOn;
        answerer.answerDialog<FormatDialog>(
            [&](FormatDialog *dialog) {
                openedOn = dialog->format();
                if (!shown.isEmpty())
                    QTest::mouseClick(
                        namedChild<QCheckBox>(dialog, "numericUseCommasInNumericOutputCheckBox"),
                        Qt::LeftButton);
            },
            accept);
        QTest::mouseClick(namedChild<QToolButton>(m_toolBar.get(), "formatToolButton"),
                          Qt::LeftButton);
        QTEST(openedOn, "openedOn");
        QStringList signalled;
        for (const QList<QVariant> &arguments : changed)
            signalled.append(arguments.first().toString());
        QCOMPARE(signalled, pushed);
        QTEST(field("formatLineEdit")->text(), "shownAfter");
    }

    void cellTextToolBarTextAndColour_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("styleSheet");
        dataRow("statistic", 0, "summarize income if (sex==1)", "color: purple");
        dataRow("condition", 1, "Male | Employed", "color: green");
        dataRow("simple text", 2, "Average income", "color: blue");
    }

    // Each kind of content shows in its colour, which stays when the text is
    // cleared, for the next one.
    void cellTextToolBarTextAndColour()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        CellTextToolBar toolBar;
        auto *line = toolBar.findChild<QLineEdit *>();
        if (kind == 0)
            toolBar.setCellBarStatisticText(text);
        else if (kind == 1)
            toolBar.setCellBarConditionText(text);
        else
            toolBar.setCellBarSimpleText(text);
        QCOMPARE(toolBar.text(), text);
        QTEST(line->styleSheet(), "styleSheet");
        toolBar.setCellBarTextVoid();
        QVERIFY(toolBar.text().isEmpty());
        QTEST(line->styleSheet(), "styleSheet");
    }

private:
    QLineEdit *field(const char *name)
    {
        return namedChild<QLineEdit>(m_toolBar.get(), QLatin1String(name));
    }
    QComboBox *areaBox() { return m_toolBar->areaComboBox(); }
    void insertAreas(const QStringList &names)
    {
        for (const QString &name : names)
            m_areas.insert(Area(name, QString()));
        m_toolBar->refreshAreaBox(m_areas);
    }

    DocumentModel m_document;
    AreaCollection &m_areas = *m_document.mutableAreas();
    std::unique_ptr<GenericToolBar> m_toolBar;
};

QTEST_MAIN(GenericToolBarTest)
#include "GenericToolBarTest.moc"
