#include "DataRows.h"
#include "DocumentTestSupport.h"
#include "TemporaryWorkingDirectory.h"
#include "model/CellClipboard.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QUndoStack>

using namespace DocumentTestSupport;

// The Edit menu's history and clipboard entries as the user reaches them.
class EditMenuTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_directory = std::make_unique<TemporaryWorkingDirectory>();
        m_window = std::make_unique<MainWindow>();
    }

    void cleanup()
    {
        m_window.reset();
        m_directory.reset();
    }

    // Undo and Redo name the step and follow the history; the modified mark
    // follows the saved state, and a save that fails keeps both.
    void undoAndRedoFollowTheHistoryAndTheSavedState()
    {
        QAction *undo = action(*m_window, "undoAction");
        QAction *redo = action(*m_window, "redoAction");
        QVERIFY(!undo->isEnabled());
        pasteText(QStringLiteral("x"), 1, 1);
        QCOMPARE(text(1, 1), QStringLiteral("x"));
        QCOMPARE(undo->text(), QStringLiteral("Undo Paste"));
        QVERIFY(!redo->isEnabled());
        QVERIFY(m_window->isWindowModified());
        undo->trigger();
        QCOMPARE(text(1, 1), QString());
        QVERIFY(!undo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("Undo"));
        QCOMPARE(redo->text(), QStringLiteral("Redo Paste"));
        QVERIFY(!m_window->isWindowModified());
        redo->trigger();
        QCOMPARE(text(1, 1), QStringLiteral("x"));

        ModalAnswerer answerer;
        saveAs(*m_window, answerer, QDir::current().filePath(QStringLiteral("t.xml")));
        QVERIFY(!m_window->isWindowModified());
        // Cut empties the cells as one step, which drops what could be redone.
        m_window->tableWidget()->selectAll();
        action(*m_window, "cutAction")->trigger();
        QCOMPARE(text(1, 1), QString());
        QVERIFY(m_window->isWindowModified());
        undo->trigger();
        QCOMPARE(text(1, 1), QStringLiteral("x"));
        QCOMPARE(redo->text(), QStringLiteral("Redo Cut"));
        QVERIFY(!m_window->isWindowModified());
        QCOMPARE(m_window->windowTitle(), QStringLiteral("t.xml[*] - Quorin"));
        undo->trigger(); // back past the saved state is a change too
        QVERIFY(m_window->isWindowModified());
        redo->trigger();
        QVERIFY(!m_window->isWindowModified());

        pasteText(QStringLiteral("unsaved"), 0, 2);
        chooseFile(answerer, QDir::current().filePath(QStringLiteral("missing/t.xml")));
        answerBox(answerer, QMessageBox::Ok);
        action(*m_window, "saveAsAction")->trigger();
        QCOMPARE(answerer.pending(), 0);
        QVERIFY(m_window->isWindowModified());
        QCOMPARE(m_window->undoStack()->count(), 2);
        QCOMPARE(undo->text(), QStringLiteral("Undo Paste"));
    }

    // Copy gives the cells themselves; Paste selects what it wrote.
    void shortcutsReachTheGridThroughTheWindow()
    {
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        TableWidget *table = m_window->tableWidget();
        pasteText(QStringLiteral("a\tb"), 0, 0);
        table->setFocus();
        table->selectionModel()->select(
            QItemSelection(table->cells()->index(0, 0), table->cells()->index(0, 1)),
            QItemSelectionModel::ClearAndSelect);
        QTest::keySequence(table, QKeySequence::Copy);
        QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat(CellClipboard::mimeType()));
        table->setCurrentCell(3, 0);
        QTest::keySequence(table, QKeySequence::Paste);
        QCOMPARE(text(3, 1), QStringLiteral("b"));
        QCOMPARE(table->gridSelection().ranges, QList<QRect>{QRect(0, 3, 2, 1)});
        QTest::keySequence(table, QKeySequence::Undo);
        QCOMPARE(text(3, 1), QString());
        QTest::keySequence(table, QKeySequence::Redo);
        QCOMPARE(text(3, 1), QStringLiteral("b"));
    }

    void newAndOpenForgetTheHistory()
    {
        ModalAnswerer answerer;
        pasteText(QStringLiteral("x"), 0, 0);
        const QString file = QDir::current().filePath(QStringLiteral("t.xml"));
        saveAs(*m_window, answerer, file);
        newTable(*m_window, answerer, 3, 3);
        QCOMPARE(m_window->undoStack()->count(), 0);
        QVERIFY(!action(*m_window, "undoAction")->isEnabled());

        pasteText(QStringLiteral("y"), 0, 0);
        answerBox(answerer, QMessageBox::No); // do not save the changes
        open(*m_window, answerer, file);
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(text(0, 0), QStringLiteral("x"));
        QCOMPARE(m_window->undoStack()->count(), 0);
        QVERIFY(!m_window->isWindowModified());
    }

    // Undone, the removal gives back the contents, the sizes and the
    // selection it started from.
    void rowRemovalFromTheEditMenuUndone()
    {
        TableWidget *table = m_window->tableWidget();
        pasteText(QStringLiteral("a\nb\nc"), 0, 0);
        table->cells()->setLineSize(Qt::Vertical, 1, 55);
        table->setCurrentCell(1, 0);
        table->selectionModel()->select(table->cells()->index(1, 0),
                                        QItemSelectionModel::ClearAndSelect);
        const QStringList before = describeDocument(*m_window);
        const GridSelection started = table->gridSelection();
        for (QAction *entry : m_window->menuBar()->findChild<QMenu *>("menuEdit")->actions()) {
            if (entry->objectName() == QLatin1String("removeRowsAction"))
                entry->trigger();
        }
        QCOMPARE(table->rowCount(), 49);
        QCOMPARE(text(1, 0), QStringLiteral("c"));
        QCOMPARE(action(*m_window, "undoAction")->text(), QStringLiteral("Undo Remove rows"));
        action(*m_window, "undoAction")->trigger();
        QCOMPARE(describeDocument(*m_window), before);
        QCOMPARE(table->rowHeight(1), 55);
        QCOMPARE(table->gridSelection(), started);
    }

    // The panel asks first, the toolbar does not; the toolbar's area box
    // shows the area again once the removal is undone.
    void removalsThatEmptyCellsAreOneStep_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("dataType");
        QTest::addColumn<QString>("area");
        dataRow("statistic from the panel", "removeStatisticToolButton", "Remove statistic",
                int(CellContent::Kind::Void), "nord");
        dataRow("area from the toolbar", "removeAreaToolButton", "Remove area",
                int(CellContent::Kind::Statistic), "");
    }

    void removalsThatEmptyCellsAreOneStep()
    {
        QFETCH(QString, button);
        DocumentModel *document = m_window->document();
        document->addStatistic(
            Command("mean", "summarize #var #if", "r(mean)", Command::ResultType::Scalar, 1, 1));
        document->addArea(Area("nord", "rip<=2"));
        auto *areaBox = m_window->findChild<QComboBox *>(QStringLiteral("areaComboBox"));
        m_window->findChild<GenericToolBar *>()->refreshAreaBox(document->areas());
        areaBox->setCurrentIndex(0);
        document->table()->setContents(
            {{2, 2, CellBuilders::statisticCell(CellBuilders::statistic("mean", "eta"), "nord")}});
        const QStringList before = describeDocument(*m_window);
        const int steps = m_window->undoStack()->count();
        ModalAnswerer answerer;
        if (button == QLatin1String("removeStatisticToolButton"))
            answerBox(answerer, QMessageBox::Yes);
        m_window->findChild<QAbstractButton *>(button)->click();
        QCOMPARE(answerer.pending(), 0);
        const CellContent &cell = m_window->tableWidget()->content(2, 2);
        QTEST(int(cell.dataType()), "dataType");
        QTEST(cell.area(), "area");
        QCOMPARE(m_window->undoStack()->count(), steps + 1);
        QTEST(m_window->undoStack()->undoText(), "step");
        action(*m_window, "undoAction")->trigger();
        QCOMPARE(describeDocument(*m_window), before);
        QCOMPARE(areaBox->count(), 1);
    }

private:
    QString text(int row, int column) const
    {
        return m_window->tableWidget()->content(row, column).simpleText();
    }
    void pasteText(const QString &text, int row, int column)
    {
        QGuiApplication::clipboard()->setText(text);
        m_window->tableWidget()->setCurrentCell(row, column);
        action(*m_window, "pasteAction")->trigger();
    }

    std::unique_ptr<TemporaryWorkingDirectory> m_directory;
    std::unique_ptr<MainWindow> m_window;
};

QTEST_MAIN(EditMenuTest)
#include "EditMenuTest.moc"
