// The windows that show a run's files: the do-file, the last log and the
// CSV output.

#include "DataRows.h"
#include "FileChooserAnswers.h"
#include "FileContents.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"
#include "model/Document.h"
#include "stata/CsvTable.h"
#include "stata/CsvViewWindow.h"
#include "stata/DoFileModel.h"
#include "stata/DoView.h"
#include "stata/LogViewWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTest>

namespace {

const QByteArray logText = ". summarize age\n         age |         12    41.58333\nRégion: État\n";

QPlainTextEdit *editor(const QWidget *window)
{
    return window->findChild<QPlainTextEdit *>("textEdit");
}

QAction *action(const QWidget *window, const char *name)
{
    return window->findChild<QAction *>(name);
}

// Save as: a cancelled chooser writes nothing; the name typed is kept as it
// is and gets what the viewer holds; a file that cannot be written is
// reported and the viewer stays. The chooser starts in the working directory.
void checkSaveAs(QWidget *viewer, const QByteArray &expected, const QStringList &filters)
{
    const QStringList before = QDir::current().entryList(QDir::Files);
    const QString target = QDir::current().absoluteFilePath("saved run");
    const QString unwritable = QDir::current().absoluteFilePath("missing/saved");
    ModalAnswerer answerer;
    FileChooserSeen seen;
    QString text;
    cancelFileChooser(answerer);
    chooseFile(answerer, target, &seen);
    chooseFile(answerer, unwritable);
    answerer.answerMessageBox(QMessageBox::Ok, &text);
    action(viewer, "saveAsAction")->trigger();
    QCOMPARE(QDir::current().entryList(QDir::Files), before);
    action(viewer, "saveAsAction")->trigger();
    action(viewer, "saveAsAction")->trigger();
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(seen.filters, filters);
    QCOMPARE(QDir(seen.directory).canonicalPath(), QDir::current().canonicalPath());
    QCOMPARE(seen.acceptMode, QFileDialog::AcceptSave);
    QStringList after = before + QStringList("saved run");
    after.sort();
    QCOMPARE(QDir::current().entryList(QDir::Files), after);
    QCOMPARE(fileBytes(target), expected);
    QVERIFY2(text.startsWith("Cannot write file " + QDir::toNativeSeparators(unwritable) + ":\n"),
             qPrintable(text));
    QVERIFY(viewer->isVisible());
}

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

// Focuses the table's cell and presses F2, as a user starts editing.
void pressF2On(CsvViewWindow *window, int row, int column)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    window->table()->setFocus();
    window->table()->setCurrentCell(row, column);
    QTest::keyClick(window->table(), Qt::Key_F2);
}

const Qt::ItemFlags readOnly = Qt::ItemIsSelectable | Qt::ItemIsEnabled;

} // namespace

class StataViewersTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_directory = new TemporaryWorkingDirectory;
        QVERIFY(writeFileBytes("temp.log", logText));
    }

    void cleanup() { delete m_directory; }

    // What each switch leaves of the do-file is the model's own matter; the
    // view shows it, and "No Export" changes nothing. Closing only hides it.
    void doViewShowsWhatTheModelWrites()
    {
        // A text cell and a statistic cell: one macro line each, one command.
        DoFileModel model("survey.dta", 2, 2);
        model.append({QString(), "local t_1_1 \"Ripartizione\""});
        model.append(
            {"summarize eta if ripartizione==1 & sesso==1", "local t_2_2: display %9.2f r(mean)"});
        QWidget parent;
        QPointer<DoView> view = new DoView(model, QString(), &parent);
        view->show();
        QCOMPARE(view->windowTitle(), QStringLiteral("View output do file"));
        QVERIFY(view->isWindow() && editor(view)->isReadOnly());
        QCOMPARE(editor(view)->toPlainText(), model.toString(true, true, QString()));
        action(view, "mainViewCommandsAction")->trigger();
        QCOMPARE(editor(view)->toPlainText(), model.toString(false, true, QString()));
        action(view, "noExportViewCommandsAction")->trigger();
        QVERIFY(action(view, "noExportViewCommandsAction")->isChecked());
        QCOMPARE(editor(view)->toPlainText(), model.toString(false, true, QString()));
        checkSaveAs(view, model.toString(false, true, QString()).toUtf8(),
                    {"Do files (*.do)", "Text Documents (*.txt)"});
        action(view, "mainViewCommandsAction")->trigger();
        action(view, "macroViewCommandsAction")->trigger();
        QVERIFY(view->mainCommandsVisible() && !view->macroCommandsVisible());
        QVERIFY(!action(view, "macroViewCommandsAction")->isChecked());
        QCOMPARE(editor(view)->toPlainText(), model.toString(true, false, QString()));
        QVERIFY(view->close());
        QCoreApplication::processEvents();
        QVERIFY(view && !view->isVisible());
    }

    void logViewShowsLogReadOnly()
    {
        LogViewWindow window("temp.log");
        QCOMPARE(window.windowTitle(), QStringLiteral("View last log file"));
        window.show();
        QTest::keyClicks(editor(&window), "typed");
        QCOMPARE(editor(&window)->toPlainText(), QString::fromUtf8(logText));
        checkSaveAs(&window, logText, {"Log files (*.log)"});
    }

    void logReadErrorBeforeAnyRun()
    {
        QVERIFY(QFile::remove("temp.log"));
        MainWindow mainWindow;
        ModalAnswerer answerer;
        QString text;
        answerer.answerMessageBox(QMessageBox::Ok, &text);
        action(&mainWindow, "viewLastLogFileAction")->trigger();
        QCOMPARE(answerer.pending(), 0);
        QFile probe("temp.log");
        QVERIFY(!probe.open(QIODevice::ReadOnly));
        QCOMPARE(text, QStringLiteral("Cannot read file temp.log:\n%1.").arg(probe.errorString()));
        LogViewWindow *viewer = mainWindow.findChild<LogViewWindow *>();
        QVERIFY(viewer && viewer->isWindow() && viewer->isVisible());
        QVERIFY(editor(viewer)->toPlainText().isEmpty());
    }

    void longLogShowsItsLastLines_data()
    {
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<int>("shownLines");
        // 200 lines of 9 bytes: 1800 in all.
        dataRow("at the limit", qint64(1800), 200);
        dataRow("one byte over", qint64(1799), 199);
        dataRow("far over", qint64(100), 11);
    }

    void longLogShowsItsLastLines()
    {
        QFETCH(qint64, limit);
        QFETCH(int, shownLines);
        QStringList lines;
        for (int i = 0; i < 200; ++i)
            lines.append(QStringLiteral("line %1").arg(i, 3, 10, QLatin1Char('0')));
        QVERIFY(writeFileBytes("long.log", lines.join('\n').toUtf8() + '\n'));
        QCOMPARE(LogViewWindow::maximumShownSize, qint64(64) * 1024 * 1024);
        LogViewWindow window("temp.log");
        window.setMaximumShownSize(limit);
        QVERIFY(window.loadFile("long.log"));
        QStringList shown = editor(&window)->toPlainText().split('\n');
        QCOMPARE(shown.takeLast(), QString());
        if (shownLines < lines.size()) {
            const QString size =
                QLocale().formattedDataSize(limit, 0, QLocale::DataSizeTraditionalFormat);
            QCOMPARE(shown.takeFirst(), QStringLiteral("[The start of this log is left out: it "
                                                       "is larger than %1, and only its last "
                                                       "lines are shown.]")
                                            .arg(size));
        }
        QCOMPARE(shown, lines.mid(lines.size() - shownLines));
    }
    // The main window's command opens an empty viewer, a window of its own
    // each time; nothing can be exported, copied or edited without a grid.
    void mainWindowOpensEmptyViewer()
    {
        MainWindow mainWindow;
        for (int i = 0; i < 2; ++i)
            action(&mainWindow, "csvViewerAction")->trigger();
        QCOMPARE(mainWindow.findChildren<CsvViewWindow *>().size(), 2);
        CsvViewWindow *viewer = mainWindow.findChild<CsvViewWindow *>();
        QVERIFY(viewer->isWindow() && viewer->isVisible());
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Csv viewer"));
        QVERIFY(!viewer->table());
        for (const char *name : {"exportAction", "copyAction", "allowEditingAction"})
            QVERIFY2(!action(viewer, name)->isEnabled(), name);
    }

    void loadsFields_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<QStringList>>("rows");
        using R = QList<QStringList>;
        dataRow("two lines", QByteArray("a;b;c\n1;2;3\n"), R{{"a", "b", "c"}, {"1", "2", "3"}});
        dataRow("empty middle field", QByteArray("a;b\n;3\n"), R{{"a", "b"}, {"", "3"}});
        dataRow("leading blanks kept", QByteArray("Mean;   12.50\n"), R{{"Mean", "   12.50"}});
        dataRow("short line", QByteArray("a;b;c\n1\n"), R{{"a", "b", "c"}, {"1", "", ""}});
        dataRow("fields beyond the first line ignored", QByteArray("a;b\n1;2;3;4\n"),
                R{{"a", "b"}, {"1", "2"}});
        dataRow("quoted fields", QByteArray("\"x;y\";\"a \"\"b\"\"\";\"two\r\nlines\"\n1;2;3\n"),
                R{{"x;y", "a \"b\"", "two\nlines"}, {"1", "2", "3"}});
        dataRow("quotes inside a field are text", QByteArray("a\"b;c\"\n"), R{{"a\"b", "c\""}});
        dataRow("windows line ends", QByteArray("a;b\r\n1;2\r\n"), R{{"a", "b"}, {"1", "2"}});
        dataRow("no last line break", QByteArray("a;b\n1;2"), R{{"a", "b"}, {"1", "2"}});
        dataRow("empty", QByteArray(), R());
        dataRow("utf-8", QByteArray("R\xc3\xa9gion;\xc3\x89tat\n"), R{{"Région", "État"}});
    }

    void loadsFields()
    {
        QFETCH(QByteArray, text);
        QFETCH(QList<QStringList>, rows);
        CsvViewWindow window(nullptr, csv(text));
        QCOMPARE(window.centralWidget(), window.table());
        QCOMPARE(window.table()->columnCount(), rows.value(0).size());
        QCOMPARE(texts(window.table()), rows);
        QVERIFY(action(&window, "copyAction")->isEnabled());
        QVERIFY(action(&window, "allowEditingAction")->isEnabled());
    }
    // The fields are plain, read-only data until "Allow editing" is checked;
    // a grid loaded later starts read-only again.
    void readOnlyUntilEditingAllowed()
    {
        const QString path = csv("Region;Mean\nNorth;4.5\n");
        CsvViewWindow window(nullptr, path);
        window.show();
        CsvTable *table = window.table();
        QCOMPARE(table->item(0, 0)->flags(), readOnly);
        QCOMPARE(table->item(1, 1)->flags(), readOnly);
        QAction *allowEditing = action(&window, "allowEditingAction");
        allowEditing->trigger();
        pressF2On(&window, 1, 1);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier); // the editor's own select-all
        QTest::keyClicks(editor, "5.25");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(table->item(1, 1)->text(), QStringLiteral("5.25")); // committed after the key
        allowEditing->trigger();
        QCOMPARE(table->item(1, 1)->flags(), readOnly);
        allowEditing->trigger();
        window.loadFile(path);
        QVERIFY(!allowEditing->isChecked());
        QCOMPARE(window.table()->item(1, 1)->flags(), readOnly);
    }
    // The shortcut copies the selected block; without a selection the
    // clipboard is emptied.
    void copiesBlockAsTabSeparatedText()
    {
        CsvViewWindow window(nullptr, csv("a;b;c\n1;2;3\nx;y;z\n"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.table()->actions(), QList<QAction *>{action(&window, "copyAction")});
        // Click a cell, then shift-click another, as a user selects a block.
        const auto centre = [&window](int row, int column) {
            return window.table()->visualItemRect(window.table()->item(row, column)).center();
        };
        QTest::mouseClick(window.table()->viewport(), Qt::LeftButton, {}, centre(1, 1));
        QTest::mouseClick(window.table()->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          centre(2, 2));
        QTest::keyClick(window.table(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("2\t3\t\ny\tz\t\n"));
        window.table()->clearSelection();
        action(&window, "copyAction")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QString());
    }
    // Open replaces the grid; a cancelled chooser keeps it.
    void openReplacesGrid()
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
        QCOMPARE(seen.filters, QStringList("Comma Separated Values (*.csv)"));
        QCOMPARE(seen.directory, QDir::currentPath());
        QTRY_VERIFY(!firstTable);
        QCOMPARE(texts(window.table()), (QList<QStringList>{{"x", "y"}}));
        cancelFileChooser(answerer);
        CsvTable *secondTable = window.table();
        action(&window, "openAction")->trigger();
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(window.table(), secondTable);
    }
    // What is shown is exported, each field as its cell in the run's
    // document decides: the label 2020 stays a text, and what no longer reads
    // as a number too. A name without a known suffix takes the chosen
    // filter's; a file that cannot be written is reported.
    void exportsShownGrid()
    {
        CsvViewWindow window(nullptr, csv("2020;  12.50\nSud;3\n"));
        window.show();
        Document document;
        document.cells = CellContentGrid(2, 2);
        document.cells(0, 0).addMicroCondition(MicroCondition("1", "2020", "year", ""));
        document.cells(0, 1).setStatistic(Statistic{"age", "", "mean", "%9.2f"});
        document.cells(1, 1).setStatistic(Statistic{"age", "", "mean", "%9.2f"});
        window.setRunDocument(document);
        window.table()->item(1, 0)->setText("Sud | Isole");
        window.table()->item(1, 1)->setText("n/a");
        ModalAnswerer answerer;
        FileChooserSeen seen;
        chooseFile(answerer, m_directory->filePath("t.md"), &seen);
        chooseFile(answerer, m_directory->filePath("plain"));
        chooseFile(answerer, m_directory->filePath("missing/t.md"));
        QString message;
        answerer.answerMessageBox(QMessageBox::Ok, &message);
        for (int i = 0; i < 3; ++i)
            action(&window, "exportAction")->trigger();
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(seen.acceptMode, QFileDialog::AcceptSave);
        QCOMPARE(seen.filters, (QStringList{"Excel workbook (*.xlsx)", "Web page (*.html *.htm)",
                                            "LaTeX table (*.tex)", "Markdown table (*.md)"}));
        QCOMPARE(fileBytes(m_directory->filePath("t.md")),
                 QByteArray("| 2020 | 12.50 |\n| --- | ---: |\n| Sud \\| Isole | n/a |\n"));
        QVERIFY(QFile::exists(m_directory->filePath("plain.xlsx")));
        QVERIFY2(message.startsWith("Cannot write file "), qPrintable(message));
    }
    // A file that cannot be read is reported; a window opened on it shows an
    // empty grid, and a grid already shown stays as it was.
    void unreadableFileIsReported()
    {
        const QString missing = m_directory->filePath("missing.csv");
        QFile probe(missing);
        QVERIFY(!probe.open(QIODevice::ReadOnly));
        const QString expected = QStringLiteral("Cannot read file %1:\n%2.")
                                     .arg(QDir::toNativeSeparators(missing), probe.errorString());
        ModalAnswerer answerer;
        QStringList texts(2);
        answerer.answerMessageBox(QMessageBox::Ok, &texts[0]);
        answerer.answerMessageBox(QMessageBox::Ok, &texts[1]);
        CsvViewWindow window(nullptr, missing);
        QCOMPARE(window.table()->rowCount(), 0);
        QVERIFY(window.loadFile(csv("a;b\n")));
        window.show();
        window.table()->item(0, 0)->setText("edited");
        CsvTable *table = window.table();
        QVERIFY(!window.loadFile(missing));
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(texts, QStringList({expected, expected}));
        QCOMPARE(window.table(), table);
        QCOMPARE(window.table()->item(0, 0)->text(), QStringLiteral("edited"));
    }
    // A few very wide lines would ask the grid for an entry per cell; the
    // file is refused with a message instead.
    void oversizedFileIsRefused()
    {
        const qint64 rows = CsvTable::maximumCellCount / 5000 + 1;
        ModalAnswerer answerer;
        QString message;
        answerer.answerMessageBox(QMessageBox::Ok, &message);
        CsvViewWindow window(nullptr,
                             csv(QByteArray(4999, ';') + '\n' + QByteArray(rows - 1, '\n')));
        QCOMPARE(answerer.pending(), 0);
        QVERIFY2(message.contains("too many to show"), qPrintable(message));
        QCOMPARE(window.table()->rowCount(), 0);
    }
    // The viewers share how their geometry is kept; this is its one full
    // check.
    void geometryIsRestored()
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
        QSettings settings("settings.ini", QSettings::IniFormat);
        QCOMPARE(settings.value("csvView/size").toSize(), QSize(520, 310));
        QCOMPARE(settings.value("csvView/position").toPoint(), QPoint(70, 90));
        QCOMPARE(settings.value("csvView/isMaximized").toBool(), false);
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
        reopened.show();
        QTRY_VERIFY(reopened.isMaximized());
    }

private:
    QString csv(const QByteArray &text, const QString &name = "out.csv")
    {
        const QString path = m_directory->filePath(name);
        return writeFileBytes(path, text) ? path : QString();
    }
    TemporaryWorkingDirectory *m_directory = nullptr;
};

QTEST_MAIN(StataViewersTest)
#include "StataViewersTest.moc"
