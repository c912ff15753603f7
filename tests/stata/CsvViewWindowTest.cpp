#include "stata/CsvViewWindow.h"

#include "../tools/StandinRunner.h"
#include "FileChooserAnswers.h"
#include "FileContents.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "model/Document.h"
#include "stata/CsvTable.h"
#include "stata/DoFileComposer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSettings>
#include <QTest>

namespace {

QString writeText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(text);
    return path;
}

QStringList rowTexts(const QTableWidget *table, int row)
{
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem *item = table->item(row, column);
        texts.append(item ? item->text() : QStringLiteral("<none>"));
    }
    return texts;
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

} // namespace

class CsvViewWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void form();
    void loadsFields_data();
    void loadsFields();
    void emptyFileGivesEmptyGrid();
    void rowsArePlainDataAndReadOnly();
    void copiesBlockAsTabSeparatedText();
    void copyWithoutSelectionEmptiesClipboard();
    void copyFromContextMenu();
    void allowEditing();
    void openReplacesGrid();
    void exportsShownGrid();
    void labelsOfARunKeepTheirColumns();
    void unreadableFileIsReportedAndKeepsGrid();
    void unreadableFileOnOpeningShowsEmptyGrid();
    void oversizedFileIsRefused();
    void firstOpeningUsesDefaultGeometry();
    void geometryIsRestored();
    void maximizedStateIsRestored();
    void mainWindowOpensEmptyViewer();

private:
    TemporaryWorkingDirectory *m_directory = nullptr;
};

void CsvViewWindowTest::init()
{
    m_directory = new TemporaryWorkingDirectory;
}

void CsvViewWindowTest::cleanup()
{
    delete m_directory;
}

void CsvViewWindowTest::form()
{
    CsvViewWindow window(nullptr, QString());
    QCOMPARE(window.windowTitle(), QStringLiteral("Csv viewer"));
    QVERIFY(window.testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!window.table());
    QCOMPARE(window.menuBar()->objectName(), QStringLiteral("menubar"));

    const auto entries = [&](const char *menuName) {
        QStringList names;
        for (const QAction *entry :
             window.findChild<QMenu *>(QString::fromLatin1(menuName))->actions())
            names.append(entry->isSeparator() ? QStringLiteral("-") : entry->objectName());
        return names;
    };
    QCOMPARE(entries("menuFile"), (QStringList{"openAction", "exportAction", "-", "exitAction"}));
    QCOMPARE(action(&window, "exportAction")->text(), QStringLiteral("Export..."));
    QCOMPARE(action(&window, "exportAction")->shortcut(), QKeySequence(QKeySequence::SaveAs));
    QVERIFY(!action(&window, "exportAction")->isEnabled());
    QCOMPARE(entries("menuEdit"), (QStringList{"copyAction", "-", "allowEditingAction"}));
    QCOMPARE(action(&window, "openAction")->text(), QStringLiteral("Open..."));
    QCOMPARE(action(&window, "openAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(action(&window, "exitAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    QCOMPARE(action(&window, "copyAction")->text(), QStringLiteral("Copy"));
    QCOMPARE(action(&window, "copyAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
    QCOMPARE(action(&window, "allowEditingAction")->text(), QStringLiteral("Allow editing"));
    QCOMPARE(action(&window, "allowEditingAction")->shortcut(),
             QKeySequence(QStringLiteral("Ctrl+A")));
    QVERIFY(action(&window, "allowEditingAction")->isCheckable());
    QVERIFY(!action(&window, "allowEditingAction")->isChecked());
    QVERIFY(!action(&window, "copyAction")->isEnabled());
    QVERIFY(!action(&window, "allowEditingAction")->isEnabled());
}

void CsvViewWindowTest::loadsFields_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::newRow("two lines") << QByteArray("a;b;c\n1;2;3\n") << 3
                               << QList<QStringList>{{"a", "b", "c"}, {"1", "2", "3"}};
    QTest::newRow("empty middle field")
        << QByteArray("a;b;c\n1;;3\n") << 3 << QList<QStringList>{{"a", "b", "c"}, {"1", "", "3"}};
    QTest::newRow("leading blanks kept")
        << QByteArray("Mean;   12.50\n") << 2 << QList<QStringList>{{"Mean", "   12.50"}};
    QTest::newRow("short line leaves cells empty")
        << QByteArray("a;b;c\n1\n") << 3 << QList<QStringList>{{"a", "b", "c"}, {"1", "", ""}};
    QTest::newRow("fields beyond the first line ignored")
        << QByteArray("a;b\n1;2;3;4\n") << 2 << QList<QStringList>{{"a", "b"}, {"1", "2"}};
    QTest::newRow("quoted fields")
        << QByteArray("\"x;y\";\"a \"\"b\"\"\";\"two\r\nlines\"\n1;2;3\n") << 3
        << QList<QStringList>{{"x;y", "a \"b\"", "two\nlines"}, {"1", "2", "3"}};
    QTest::newRow("quotes inside a field are text")
        << QByteArray("a\"b;c\"\n") << 2 << QList<QStringList>{{"a\"b", "c\""}};
    QTest::newRow("windows line ends")
        << QByteArray("a;b\r\n1;2\r\n") << 2 << QList<QStringList>{{"a", "b"}, {"1", "2"}};
    QTest::newRow("last line without line break")
        << QByteArray("a;b\n1;2") << 2 << QList<QStringList>{{"a", "b"}, {"1", "2"}};
    QTest::newRow("utf-8") << QByteArray("R\xc3\xa9gion;\xc3\x89tat\n") << 2
                           << QList<QStringList>{{"Région", "État"}};
}

void CsvViewWindowTest::loadsFields()
{
    QFETCH(QByteArray, text);
    QFETCH(int, columns);
    QFETCH(QList<QStringList>, rows);
    const QString path = writeText(m_directory->filePath(QStringLiteral("out.csv")), text);
    CsvViewWindow window(nullptr, path);
    CsvTable *table = window.table();
    QVERIFY(table);
    QCOMPARE(window.centralWidget(), table);
    QCOMPARE(table->columnCount(), columns);
    QCOMPARE(table->rowCount(), int(rows.size()));
    for (int row = 0; row < rows.size(); ++row)
        QCOMPARE(rowTexts(table, row), rows.at(row));
    QVERIFY(action(&window, "copyAction")->isEnabled());
    QVERIFY(action(&window, "allowEditingAction")->isEnabled());
}

void CsvViewWindowTest::emptyFileGivesEmptyGrid()
{
    const QString path = writeText(m_directory->filePath(QStringLiteral("empty.csv")), "");
    CsvViewWindow window(nullptr, path);
    QVERIFY(window.table());
    QCOMPARE(window.table()->rowCount(), 0);
    QCOMPARE(window.table()->columnCount(), 0);
    QVERIFY(action(&window, "copyAction")->isEnabled());
}

void CsvViewWindowTest::rowsArePlainDataAndReadOnly()
{
    const QString path =
        writeText(m_directory->filePath(QStringLiteral("out.csv")), "Region;Mean\nNorth;4.5\n");
    CsvViewWindow window(nullptr, path);
    window.show();
    CsvTable *table = window.table();
    QCOMPARE(table->item(0, 0)->flags(), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    QCOMPARE(table->item(1, 1)->flags(), Qt::ItemIsSelectable | Qt::ItemIsEnabled);

    // Neither F2 nor typing opens an editor on a read-only cell.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    table->setFocus();
    table->setCurrentCell(1, 1);
    QTest::keyClick(table, Qt::Key_F2);
    QCOMPARE(QApplication::focusWidget(), table);
    QTest::keyClicks(table, QStringLiteral("99"));
    QCOMPARE(QApplication::focusWidget(), table);
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("4.5"));
}

void CsvViewWindowTest::copiesBlockAsTabSeparatedText()
{
    const QString path =
        writeText(m_directory->filePath(QStringLiteral("out.csv")), "a;b;c\n1;2;3\nx;y;z\n");
    CsvViewWindow window(nullptr, path);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QApplication::clipboard()->setText(QStringLiteral("old"));
    selectBlock(window.table(), 1, 1, 2, 2);
    action(&window, "copyAction")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("2\t3\t\ny\tz\t\n"));

    // The keyboard shortcut copies the same block.
    QApplication::clipboard()->clear();
    selectBlock(window.table(), 0, 0, 1, 1);
    QTest::keyClick(window.table(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("a\tb\t\n1\t2\t\n"));
}

void CsvViewWindowTest::copyWithoutSelectionEmptiesClipboard()
{
    const QString path = writeText(m_directory->filePath(QStringLiteral("out.csv")), "a;b\n");
    CsvViewWindow window(nullptr, path);
    QApplication::clipboard()->setText(QStringLiteral("old"));
    window.table()->clearSelection();
    action(&window, "copyAction")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString());
}

void CsvViewWindowTest::copyFromContextMenu()
{
    const QString path = writeText(m_directory->filePath(QStringLiteral("out.csv")), "a;b\n");
    CsvViewWindow window(nullptr, path);
    CsvTable *table = window.table();
    QCOMPARE(table->contextMenuPolicy(), Qt::ActionsContextMenu);
    QCOMPARE(table->actions(), QList<QAction *>{action(&window, "copyAction")});
}

void CsvViewWindowTest::allowEditing()
{
    const QString path =
        writeText(m_directory->filePath(QStringLiteral("out.csv")), "Region;Mean\nNorth;4.5\n");
    CsvViewWindow window(nullptr, path);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QAction *allowEditing = action(&window, "allowEditingAction");
    allowEditing->trigger();
    QVERIFY(allowEditing->isChecked());
    CsvTable *table = window.table();
    QVERIFY(table->item(1, 1)->flags() & Qt::ItemIsEditable);

    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    table->setFocus();
    table->setCurrentCell(1, 1);
    QTest::keyClick(table, Qt::Key_F2);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier); // the editor's own select-all
    QTest::keyClicks(editor, QStringLiteral("5.25"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(table->item(1, 1)->text(), QStringLiteral("5.25")); // committed after the key

    allowEditing->trigger();
    QVERIFY(!(table->item(1, 1)->flags() & Qt::ItemIsEditable));
    QCOMPARE(table->item(1, 1)->flags(), Qt::ItemIsSelectable | Qt::ItemIsEnabled);

    // A grid loaded later starts read-only, and the check mark says so.
    allowEditing->trigger();
    window.loadFile(path);
    QVERIFY(!allowEditing->isChecked());
    QVERIFY(!(window.table()->item(1, 1)->flags() & Qt::ItemIsEditable));
}

void CsvViewWindowTest::openReplacesGrid()
{
    const QString first =
        writeText(m_directory->filePath(QStringLiteral("first.csv")), "a;b;c\n1;2;3\n");
    const QString second = writeText(m_directory->filePath(QStringLiteral("second.csv")), "x;y\n");
    CsvViewWindow window(nullptr, first);
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
    QCOMPARE(window.table()->rowCount(), 1);
    QCOMPARE(window.table()->columnCount(), 2);
    QCOMPARE(rowTexts(window.table(), 0), (QStringList{"x", "y"}));

    // A cancelled chooser keeps the grid.
    cancelFileChooser(answerer);
    CsvTable *secondTable = window.table();
    action(&window, "openAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(window.table(), secondTable);
}

void CsvViewWindowTest::exportsShownGrid()
{
    const QString path =
        writeText(m_directory->filePath(QStringLiteral("out.csv")), "Nord;  12.50\nSud;3\n");
    CsvViewWindow window(nullptr, path);
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

// Texts and labels holding ; " or line breaks go through Stata (the
// stand-in) into the output file and come back in their own columns.
void CsvViewWindowTest::labelsOfARunKeepTheirColumns()
{
    CellContentGrid grid(2, 3);
    grid(0, 0).setSimpleText(QStringLiteral("Yes; often"));
    grid(0, 1).addMicroCondition(MicroCondition("1", "Say \"no\"", "sex", ""));
    grid(0, 2).addMicroCondition(MicroCondition("2", "two\nlines", "sex", ""));
    grid(1, 2).setSimpleText(QStringLiteral("end"));
    const StatisticCatalogue catalogue;
    const AreaCollection areas;
    const DoFileModel model =
        DoFileComposer(grid, catalogue, areas)
            .buildModel(QStringLiteral(QUORIN_SOURCE_DIR "/examples/survey.dta"));
    StandinRunner stata;
    QCOMPARE(stata.runDoFile(model.toString(true, true, stata.filePath("out.csv"))), 0);
    CsvViewWindow window(nullptr, stata.filePath("out.csv"));
    QCOMPARE(window.table()->rowCount(), 2);
    QCOMPARE(rowTexts(window.table(), 0), (QStringList{"Yes; often", "Say \"no\"", "two\nlines"}));
    QCOMPARE(rowTexts(window.table(), 1), (QStringList{"", "", "end"}));
}

void CsvViewWindowTest::unreadableFileIsReportedAndKeepsGrid()
{
    const QString path = writeText(m_directory->filePath(QStringLiteral("out.csv")), "a;b\n");
    CsvViewWindow window(nullptr, path);
    window.show();
    window.table()->item(0, 0)->setText(QStringLiteral("edited"));
    CsvTable *table = window.table();

    ModalAnswerer answerer;
    QString text;
    answerer.answerMessageBox(QMessageBox::Ok, &text);
    const QString missing = m_directory->filePath(QStringLiteral("missing.csv"));
    QVERIFY(!window.loadFile(missing));
    QCOMPARE(answerer.pending(), 0);
    QFile probe(missing);
    QVERIFY(!probe.open(QIODevice::ReadOnly));
    QCOMPARE(text, QStringLiteral("Cannot read file %1:\n%2.")
                       .arg(QDir::toNativeSeparators(missing), probe.errorString()));
    QVERIFY(window.isVisible());
    QCOMPARE(window.table(), table);
    QCOMPARE(window.table()->item(0, 0)->text(), QStringLiteral("edited"));
}

void CsvViewWindowTest::unreadableFileOnOpeningShowsEmptyGrid()
{
    ModalAnswerer answerer;
    QString text;
    answerer.answerMessageBox(QMessageBox::Ok, &text);
    CsvViewWindow window(nullptr, m_directory->filePath(QStringLiteral("missing.csv")));
    QCOMPARE(answerer.pending(), 0);
    QVERIFY(text.startsWith(QStringLiteral("Cannot read file ")));
    QVERIFY(window.table());
    QCOMPARE(window.table()->rowCount(), 0);
    QVERIFY(!action(&window, "copyAction")->isEnabled());
    QVERIFY(!action(&window, "allowEditingAction")->isEnabled());
}

// A few very wide lines would ask the grid for an entry per cell; the file
// is refused with a message instead.
void CsvViewWindowTest::oversizedFileIsRefused()
{
    const int columns = 5000;
    const qint64 rows = CsvTable::maximumCellCount / columns + 1;
    QByteArray text = QByteArray(columns - 1, ';') + '\n';
    text += QByteArray(rows - 1, '\n');
    const QString path = writeText(m_directory->filePath(QStringLiteral("wide.csv")), text);
    ModalAnswerer answerer;
    QString message;
    answerer.answerMessageBox(QMessageBox::Ok, &message);
    CsvViewWindow window(nullptr, path);
    QCOMPARE(answerer.pending(), 0);
    QVERIFY2(message.contains(QStringLiteral("too many to show")), qPrintable(message));
    QCOMPARE(window.table()->rowCount(), 0);
}

void CsvViewWindowTest::firstOpeningUsesDefaultGeometry()
{
    QVERIFY(!QFile::exists(QStringLiteral("settings.ini")));
    CsvViewWindow window(nullptr, QString());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), QSize(400, 400));
    QCOMPARE(window.pos(), QPoint(40, 40));
    QVERIFY(!window.isMaximized());
}

void CsvViewWindowTest::geometryIsRestored()
{
    QPointer<CsvViewWindow> window = new CsvViewWindow(nullptr, QString());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->resize(520, 310);
    window->move(70, 90);
    action(window, "exitAction")->trigger();
    QTRY_VERIFY(!window); // deleted on close

    QSettings settings(QStringLiteral("settings.ini"), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("csvView"));
    QCOMPARE(settings.value(QStringLiteral("size")).toSize(), QSize(520, 310));
    QCOMPARE(settings.value(QStringLiteral("position")).toPoint(), QPoint(70, 90));
    QCOMPARE(settings.value(QStringLiteral("isMaximized")).toBool(), false);

    CsvViewWindow reopened(nullptr, QString());
    reopened.show();
    QVERIFY(QTest::qWaitForWindowExposed(&reopened));
    QCOMPARE(reopened.size(), QSize(520, 310));
    QCOMPARE(reopened.pos(), QPoint(70, 90));
}

void CsvViewWindowTest::maximizedStateIsRestored()
{
    QPointer<CsvViewWindow> window = new CsvViewWindow(nullptr, QString());
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
