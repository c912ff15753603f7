#include "stata/CsvViewWindow.h"

#include "DataRows.h"
#include "FileChooserAnswers.h"
#include "FileContents.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "model/Document.h"
#include "stata/CsvTable.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSettings>
#include <QTest>

namespace {

// Every field of every row, "<none>" where the grid holds no item.
QList<QStringList> texts(const QTableWidget *table)
{
    QList<QStringList> rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList fields;
        for (int column = 0; column < table->columnCount(); ++column) {
            const QTableWidgetItem *item = table->item(row, column);
            fields.append(item ? item->text() : QStringLiteral("<none>"));
        }
        rows.append(fields);
    }
    return rows;
}

QAction *action(const QWidget *window, const char *name)
{
    return window->findChild<QAction *>(QString::fromLatin1(name));
}

// Clicks a cell, then shift-clicks another, as a user selects a block.
void selectBlock(QTableWidget *table, int top, int left, int bottom, int right)
{
    const auto centre = [table](int row, int column) {
        return table->visualItemRect(table->item(row, column)).center();
    };
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, centre(top, left));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ShiftModifier, centre(bottom, right));
}

// Focuses the table's cell and presses F2, as a user starts editing.
void pressF2On(CsvViewWindow *window, int row, int column)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    window->table()->setFocus();
    window->table()->setCurrentCell(row, column);
    QTest::keyClick(window->table(), Qt::Key_F2);
}

} // namespace

class CsvViewWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_directory = new TemporaryWorkingDirectory; }
    void cleanup() { delete m_directory; }

    void form();
    void loadsFields_data();
    void loadsFields();
    void readOnlyUntilEditingAllowed();
    void copiesBlockAsTabSeparatedText();
    void openReplacesGrid();
    void exportsShownGrid();
    void unreadableFileIsReported();
    void oversizedFileIsRefused();
    void geometryIsRestored();
    void mainWindowOpensEmptyViewer();

private:
    QString csv(const QByteArray &text, const QString &name = QStringLiteral("out.csv"))
    {
        const QString path = m_directory->filePath(name);
        return writeFileBytes(path, text) ? path : QString();
    }

    TemporaryWorkingDirectory *m_directory = nullptr;
};

void CsvViewWindowTest::form()
{
    CsvViewWindow window(nullptr, QString());
    QCOMPARE(window.windowTitle(), QStringLiteral("Csv viewer"));
    QVERIFY(window.testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!window.table());
    const auto entries = [&](const char *menuName) {
        QStringList names;
        for (const QAction *entry :
             window.findChild<QMenu *>(QString::fromLatin1(menuName))->actions())
            names.append(entry->isSeparator() ? QStringLiteral("-") : entry->objectName());
        return names;
    };
    QCOMPARE(entries("menuFile"), (QStringList{"openAction", "exportAction", "-", "exitAction"}));
    QCOMPARE(entries("menuEdit"), (QStringList{"copyAction", "-", "allowEditingAction"}));
    QVERIFY(action(&window, "allowEditingAction")->isCheckable());
    // Nothing to export, copy or edit without a grid.
    for (const char *name : {"exportAction", "copyAction", "allowEditingAction"})
        QVERIFY2(!action(&window, name)->isEnabled(), name);
}

void CsvViewWindowTest::loadsFields_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QList<QStringList>>("rows");
    using Rows = QList<QStringList>;
    dataRow("two lines", QByteArray("a;b;c\n1;2;3\n"), 3, Rows{{"a", "b", "c"}, {"1", "2", "3"}});
    dataRow("empty middle field", QByteArray("a;b;c\n1;;3\n"), 3,
            Rows{{"a", "b", "c"}, {"1", "", "3"}});
    dataRow("leading blanks kept", QByteArray("Mean;   12.50\n"), 2, Rows{{"Mean", "   12.50"}});
    dataRow("short line", QByteArray("a;b;c\n1\n"), 3, Rows{{"a", "b", "c"}, {"1", "", ""}});
    dataRow("fields beyond the first line ignored", QByteArray("a;b\n1;2;3;4\n"), 2,
            Rows{{"a", "b"}, {"1", "2"}});
    dataRow("quoted fields", QByteArray("\"x;y\";\"a \"\"b\"\"\";\"two\r\nlines\"\n1;2;3\n"), 3,
            Rows{{"x;y", "a \"b\"", "two\nlines"}, {"1", "2", "3"}});
    dataRow("quotes inside a field are text", QByteArray("a\"b;c\"\n"), 2, Rows{{"a\"b", "c\""}});
    dataRow("windows line ends", QByteArray("a;b\r\n1;2\r\n"), 2, Rows{{"a", "b"}, {"1", "2"}});
    dataRow("no last line break", QByteArray("a;b\n1;2"), 2, Rows{{"a", "b"}, {"1", "2"}});
    dataRow("empty", QByteArray(), 0, Rows());
    dataRow("utf-8", QByteArray("R\xc3\xa9gion;\xc3\x89tat\n"), 2, Rows{{"Région", "État"}});
}

void CsvViewWindowTest::loadsFields()
{
    QFETCH(QByteArray, text);
    QFETCH(int, columns);
    QFETCH(QList<QStringList>, rows);
    CsvViewWindow window(nullptr, csv(text));
    QVERIFY(window.table());
    QCOMPARE(window.centralWidget(), window.table());
    QCOMPARE(window.table()->columnCount(), columns);
    QCOMPARE(texts(window.table()), rows);
    QVERIFY(action(&window, "copyAction")->isEnabled());
    QVERIFY(action(&window, "allowEditingAction")->isEnabled());
}

// The fields are plain, read-only data until "Allow editing" is checked; a
// grid loaded later starts read-only again.
void CsvViewWindowTest::readOnlyUntilEditingAllowed()
{
    const QString path = csv("Region;Mean\nNorth;4.5\n");
    CsvViewWindow window(nullptr, path);
    window.show();
    CsvTable *table = window.table();
    QCOMPARE(table->item(0, 0)->flags(), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    QCOMPARE(table->item(1, 1)->flags(), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    pressF2On(&window, 1, 1);
    QCOMPARE(QApplication::focusWidget(), table);
    QTest::keyClicks(table, QStringLiteral("99"));
    QCOMPARE(QApplication::focusWidget(), table);
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("4.5"));

    QAction *allowEditing = action(&window, "allowEditingAction");
    allowEditing->trigger();
    QVERIFY(allowEditing->isChecked());
    pressF2On(&window, 1, 1);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier); // the editor's own select-all
    QTest::keyClicks(editor, QStringLiteral("5.25"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(table->item(1, 1)->text(), QStringLiteral("5.25")); // committed after the key

    allowEditing->trigger();
    QCOMPARE(table->item(1, 1)->flags(), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    allowEditing->trigger();
    window.loadFile(path);
    QVERIFY(!allowEditing->isChecked());
    QVERIFY(!(window.table()->item(1, 1)->flags() & Qt::ItemIsEditable));
}

// The menu entry, its shortcut and the context menu copy the selected block;
// without a selection the clipboard is emptied.
void CsvViewWindowTest::copiesBlockAsTabSeparatedText()
{
    CsvViewWindow window(nullptr, csv("a;b;c\n1;2;3\nx;y;z\n"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.table()->contextMenuPolicy(), Qt::ActionsContextMenu);
    QCOMPARE(window.table()->actions(), QList<QAction *>{action(&window, "copyAction")});
    QApplication::clipboard()->setText(QStringLiteral("old"));
    selectBlock(window.table(), 1, 1, 2, 2);
    action(&window, "copyAction")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("2\t3\t\ny\tz\t\n"));

    QApplication::clipboard()->clear();
    selectBlock(window.table(), 0, 0, 1, 1);
    QTest::keyClick(window.table(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("a\tb\t\n1\t2\t\n"));

    window.table()->clearSelection();
    action(&window, "copyAction")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString());
}

void CsvViewWindowTest::openReplacesGrid()
{
    const QString second = csv("x;y\n", "second.csv");
    CsvViewWindow window(nullptr, csv("a;b;c\n1;2;3\n"));
    window.show();
    QPointer<CsvTable> firstTable = window.table();

    ModalAnswerer answerer;
    FileChooserSeen seen;
    chooseFile(answerer, second, &seen);
    action(&window, "openAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(seen.caption, QStringLiteral("Open csv file"));
    QCOMPARE(seen.filters, QStringList(QStringLiteral("Comma Separated Values (*.csv)")));
    QCOMPARE(seen.directory, QDir::currentPath());

    QVERIFY(window.table() != firstTable);
    QTRY_VERIFY(!firstTable);
    QCOMPARE(texts(window.table()), (QList<QStringList>{{"x", "y"}}));

    // A cancelled chooser keeps the grid.
    cancelFileChooser(answerer);
    CsvTable *secondTable = window.table();
    action(&window, "openAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(window.table(), secondTable);
}

void CsvViewWindowTest::exportsShownGrid()
{
    CsvViewWindow window(nullptr, csv("Nord;  12.50\nSud;3\n"));
    window.show();
    window.table()->item(1, 0)->setText(QStringLiteral("Sud | Isole"));
    QVERIFY(action(&window, "exportAction")->isEnabled());

    ModalAnswerer answerer;
    FileChooserSeen seen;
    chooseFile(answerer, m_directory->filePath(QStringLiteral("t.md")), &seen);
    action(&window, "exportAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(seen.acceptMode, QFileDialog::AcceptSave);
    QCOMPARE(seen.filters, (QStringList{"Excel workbook (*.xlsx)", "Web page (*.html *.htm)",
                                        "LaTeX table (*.tex)", "Markdown table (*.md)"}));
    QCOMPARE(fileBytes(m_directory->filePath(QStringLiteral("t.md"))),
             QByteArray("| Nord | 12.50 |\n| --- | ---: |\n| Sud \\| Isole | 3 |\n"));

    // With the document of the run, each field's cell decides: the label
    // 2020 stays a text, and what no longer reads as a number too.
    Document document;
    document.cells = CellContentGrid(2, 2);
    document.cells(0, 0).addMicroCondition(MicroCondition("1", "2020", "year", ""));
    document.cells(0, 1).setStatistic(Statistic{"age", "", "mean", "%9.2f"});
    document.cells(1, 1).setStatistic(Statistic{"age", "", "mean", "%9.2f"});
    window.table()->item(0, 0)->setText(QStringLiteral("2020"));
    window.table()->item(1, 1)->setText(QStringLiteral("n/a"));
    window.setRunDocument(document);
    chooseFile(answerer, m_directory->filePath(QStringLiteral("run.md")));
    action(&window, "exportAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(fileBytes(m_directory->filePath(QStringLiteral("run.md"))),
             QByteArray("| 2020 | 12.50 |\n| --- | ---: |\n| Sud \\| Isole | n/a |\n"));

    // A name without a known suffix takes the chosen filter's.
    chooseFile(answerer, m_directory->filePath(QStringLiteral("plain")));
    action(&window, "exportAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QVERIFY(QFile::exists(m_directory->filePath(QStringLiteral("plain.xlsx"))));

    // A file that cannot be written is reported.
    chooseFile(answerer, m_directory->filePath(QStringLiteral("missing/t.md")));
    QString message;
    answerer.answerMessageBox(QMessageBox::Ok, &message);
    action(&window, "exportAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QVERIFY2(message.startsWith(QStringLiteral("Cannot write file ")), qPrintable(message));
}

// A file that cannot be read is reported; a grid already shown stays as it
// was, and a window opened on it shows an empty grid.
void CsvViewWindowTest::unreadableFileIsReported()
{
    const QString missing = m_directory->filePath(QStringLiteral("missing.csv"));
    ModalAnswerer answerer;
    QString text;
    answerer.answerMessageBox(QMessageBox::Ok, &text);
    CsvViewWindow window(nullptr, missing);
    QCOMPARE(answerer.pending(), 0);
    QFile probe(missing);
    QVERIFY(!probe.open(QIODevice::ReadOnly));
    const QString expected = QStringLiteral("Cannot read file %1:\n%2.")
                                 .arg(QDir::toNativeSeparators(missing), probe.errorString());
    QCOMPARE(text, expected);
    QVERIFY(window.table());
    QCOMPARE(window.table()->rowCount(), 0);
    QVERIFY(!action(&window, "copyAction")->isEnabled());
    QVERIFY(!action(&window, "allowEditingAction")->isEnabled());

    QVERIFY(window.loadFile(csv("a;b\n")));
    window.show();
    window.table()->item(0, 0)->setText(QStringLiteral("edited"));
    CsvTable *table = window.table();
    answerer.answerMessageBox(QMessageBox::Ok, &text);
    QVERIFY(!window.loadFile(missing));
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(text, expected);
    QVERIFY(window.isVisible());
    QCOMPARE(window.table(), table);
    QCOMPARE(window.table()->item(0, 0)->text(), QStringLiteral("edited"));
}

// A few very wide lines would ask the grid for an entry per cell; the file
// is refused with a message instead.
void CsvViewWindowTest::oversizedFileIsRefused()
{
    const int columns = 5000;
    const qint64 rows = CsvTable::maximumCellCount / columns + 1;
    QByteArray text = QByteArray(columns - 1, ';') + '\n';
    text += QByteArray(rows - 1, '\n');
    ModalAnswerer answerer;
    QString message;
    answerer.answerMessageBox(QMessageBox::Ok, &message);
    CsvViewWindow window(nullptr, csv(text));
    QCOMPARE(answerer.pending(), 0);
    QVERIFY2(message.contains(QStringLiteral("too many to show")), qPrintable(message));
    QCOMPARE(window.table()->rowCount(), 0);
}

// The viewers share how their geometry is kept; this is its one full check.
void CsvViewWindowTest::geometryIsRestored()
{
    QPointer<CsvViewWindow> window = new CsvViewWindow(nullptr, QString());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->size(), QSize(400, 400));
    QCOMPARE(window->pos(), QPoint(40, 40));
    window->resize(520, 310);
    window->move(70, 90);
    action(window, "exitAction")->trigger();
    QTRY_VERIFY(!window); // deleted on close

    QSettings settings(QStringLiteral("settings.ini"), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("csvView"));
    QCOMPARE(settings.value(QStringLiteral("size")).toSize(), QSize(520, 310));
    QCOMPARE(settings.value(QStringLiteral("position")).toPoint(), QPoint(70, 90));
    QCOMPARE(settings.value(QStringLiteral("isMaximized")).toBool(), false);

    window = new CsvViewWindow(nullptr, QString());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->size(), QSize(520, 310));
    QCOMPARE(window->pos(), QPoint(70, 90));
    window->showMaximized();
    QTRY_VERIFY(window->isMaximized());
    window->close();
    QTRY_VERIFY(!window);
    CsvViewWindow reopened(nullptr, QString());
    QVERIFY(reopened.windowState() & Qt::WindowMaximized);
    reopened.show();
    QTRY_VERIFY(reopened.isMaximized());
}

void CsvViewWindowTest::mainWindowOpensEmptyViewer()
{
    MainWindow mainWindow;
    action(&mainWindow, "csvViewerAction")->trigger();
    CsvViewWindow *viewer = mainWindow.findChild<CsvViewWindow *>();
    QVERIFY(viewer);
    QVERIFY(viewer->isWindow());
    QVERIFY(viewer->isVisible());
    QVERIFY(!viewer->table());

    // Every opening is a window of its own.
    action(&mainWindow, "csvViewerAction")->trigger();
    QCOMPARE(mainWindow.findChildren<CsvViewWindow *>().size(), 2);
}

QTEST_MAIN(CsvViewWindowTest)
#include "CsvViewWindowTest.moc"
