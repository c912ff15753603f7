#include "DataRows.h"
#include "DocumentTestSupport.h"
#include "ModalAnswerer.h"
#include "ReadStatDtaWriter.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>
#include <optional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace DocumentTestSupport;

namespace {

QToolButton *button(MainWindow &window, const char *objectName)
{
    return window.findChild<QToolButton *>(QString::fromLatin1(objectName));
}

// Makes a variable of the panel current.
void chooseVariable(MainWindow &window, int variable)
{
    auto *list = panel(window)->findChild<QTreeWidget *>(QStringLiteral("variableListWidget"));
    list->setCurrentItem(list->topLevelItem(variable));
}

// Everything a user can see of the window's document, its content first.
QStringList windowState(MainWindow &window)
{
    return describeDocument(window) +
           QStringList{window.windowTitle(), window.currentFileName(),
                       window.recentFiles().join(QLatin1Char('|')),
                       window.isWindowModified() ? "modified" : "unmodified"};
}

using Type = ReadStatDtaWriter::Type;

ReadStatDtaWriter surveyWriter()
{
    ReadStatDtaWriter writer(118);
    writer.addVariable("sesso", "Sesso", Type::Byte, 0, "sex");
    writer.addVariable("citta", "Città", Type::String, 20);
    writer.addVariable("q1", "Soddisfatto?", Type::Int, 0, "yesno");
    writer.addVariable("q2", "Consiglierebbe?", Type::Int, 0, "yesno");
    writer.addObservation({1, "Roma", 1, -9});
    writer.addValueLabelSet({"sex", {{1, "Maschio"}, {2, "Femmina"}}});
    writer.addValueLabelSet({"yesno", {{-9, "Non risponde"}, {1, "Sì"}, {2, "No"}}});
    return writer;
}

// clang-format off
const QStringList surveyDescription = {
    "variable sesso|Sesso|251", "  modality 1|Maschio|sesso|Sesso", "  modality 2|Femmina|sesso|Sesso",
    "variable citta|Città|20",
    "variable q1|Soddisfatto?|252", "  modality -9|Non risponde|q1|Soddisfatto?", "  modality 1|Sì|q1|Soddisfatto?", "  modality 2|No|q1|Soddisfatto?",
    "variable q2|Consiglierebbe?|252", "  modality -9|Non risponde|q2|Consiglierebbe?", "  modality 1|Sì|q2|Consiglierebbe?", "  modality 2|No|q2|Consiglierebbe?"};
const QStringList handMadeDescription = {"variable eta|Età|0", "  modality 1|Giovane|eta|Età", "variable peso||0"};
// clang-format on
const QString notReadable = QStringLiteral("The file is not a Stata dataset Quorin can read.");

// The survey dataset, written into the working directory's "data" folder.
QString writeSurvey()
{
    QDir().mkdir(QStringLiteral("data"));
    surveyWriter().writeFile(QStringLiteral("data/survey.dta"));
    return QDir::current().filePath(QStringLiteral("data/survey.dta"));
}

using Change = std::function<void(MainWindow &, ModalAnswerer &)>;

// A disk that fills up during a save, made with the limit on the size of the
// files a process may write.
bool saveWithFileSizeLimit(MainWindow &window, int limit)
{
#ifdef Q_OS_UNIX
    struct rlimit previous;
    getrlimit(RLIMIT_FSIZE, &previous);
    struct rlimit small = previous;
    small.rlim_cur = limit;
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    bool written = true;
    QMetaObject::invokeMethod(&window, "save", Q_RETURN_ARG(bool, written));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    return written;
#else
    Q_UNUSED(window, limit);
    return true;
#endif
}

} // namespace

Q_DECLARE_METATYPE(Change)

class DocumentCommandsTest : public QObject
{
    Q_OBJECT

    std::optional<TemporaryWorkingDirectory> m_directory;
    std::optional<ModalAnswerer> m_answerer;
    QList<MainWindow *> m_windows;
    MainWindow *m_window = nullptr; // an empty window, for the tests that need one

    MainWindow *newWindow() { return m_windows.emplace_back(new MainWindow); }
    QString path(const QString &name) const { return m_directory->filePath(name); }
    // The window holds the full document, saved as "saved.xml", unmodified.
    void saveFullDocument()
    {
        fillWithFullDocument(*m_window);
        saveAs(*m_window, *m_answerer, path(QStringLiteral("saved.xml")));
    }
    // The window's panel already holds variables and a statistic, as after
    // some work; importing a dataset replaces the variables and nothing else.
    void prepareWindowWithHandMadeContent()
    {
        Variable kept(QStringLiteral("eta"), QStringLiteral("Età"), 0);
        kept.appendModality(Modality(QStringLiteral("1"), QStringLiteral("Giovane"), "eta", "Età"));
        m_window->document()->setVariables({kept, Variable(QStringLiteral("peso"), QString(), 0)});
        m_window->document()->setStatistics(
            {Command("mean", "summarize #var #if", "r(mean)", Command::ResultType::Scalar, 1, 1)});
    }
    // The window still names "saved.xml", whatever was tried on it.
    void verifyStillSaved(MainWindow &window, bool modified)
    {
        QCOMPARE(window.currentFileName(), path(QStringLiteral("saved.xml")));
        QCOMPARE(window.windowTitle(), QStringLiteral("saved.xml[*] - Quorin"));
        QCOMPARE(window.isWindowModified(), modified);
    }

private slots:
    void init()
    {
        m_directory.emplace();
        m_answerer.emplace();
        m_window = newWindow();
    }
    void cleanup()
    {
        const QStringList unexpected = m_answerer->unexpected();
        qDeleteAll(m_windows);
        m_windows.clear();
        m_answerer.reset();
        m_directory.reset();
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join('\n')));
    }

    void titleAfterNewSaveAndOpen()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Quorin"));
        newTable(*m_window, *m_answerer, 3, 2);
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Untitled[*] - Quorin"));
        GridFixture::at(m_window->tableWidget(), 0, 0).setSimpleText(QStringLiteral("x"));
        saveAs(*m_window, *m_answerer, path(QStringLiteral("R&D.xml")));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("R&D.xml[*] - Quorin"));
        QCOMPARE(action(*m_window, "recentFileAction0")->text(), QStringLiteral("&1 R&&D.xml"));
        newTable(*m_window, *m_answerer, 1, 1);
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Untitled[*] - Quorin"));
        open(*m_window, *m_answerer, path(QStringLiteral("R&D.xml")));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("R&D.xml[*] - Quorin"));
        QCOMPARE(GridFixture::at(m_window->tableWidget(), 0, 0).text(), QStringLiteral("x"));
    }

    // Seven recent files are kept and five shown, the last opened or saved
    // first; files that vanished leave at the next change of the current file.
    void recentFiles()
    {
        QStringList saved;
        for (int i = 1; i <= 7; ++i) {
            saved.prepend(path(QStringLiteral("file%1.xml").arg(i)));
            saveAs(*m_window, *m_answerer, saved.first());
        }
        QCOMPARE(m_window->recentFiles(), saved);
        for (int i = 0; i < MainWindow::maximumRecentFiles; ++i) {
            QAction *entry =
                action(*m_window, qPrintable(QStringLiteral("recentFileAction%1").arg(i)));
            QVERIFY(entry->isVisible());
            QCOMPARE(entry->text(), QStringLiteral("&%1 file%2.xml").arg(i + 1).arg(7 - i));
        }
        QVERIFY(action(*m_window, "recentFilesSeparator")->isVisible());
        action(*m_window, "recentFileAction2")->trigger();
        QCOMPARE(m_window->currentFileName(), path(QStringLiteral("file5.xml")));
        saved.move(2, 0);
        QCOMPARE(m_window->recentFiles(), saved);

        for (int i : {1, 2, 4, 6, 7})
            QVERIFY(QFile::remove(path(QStringLiteral("file%1.xml").arg(i))));
        saveAs(*m_window, *m_answerer, path(QStringLiteral("e.xml")));
        QCOMPARE(m_window->recentFiles(),
                 QStringList({path("e.xml"), path("file5.xml"), path("file3.xml")}));
        QVERIFY(!action(*m_window, "recentFileAction3")->isVisible());

        // Once every file vanished, the next start shows no entry nor separator.
        for (const char *name : {"e.xml", "file5.xml", "file3.xml"})
            QVERIFY(QFile::remove(path(QString::fromLatin1(name))));
        QVERIFY(m_window->close());
        MainWindow *next = newWindow();
        QVERIFY(next->recentFiles().isEmpty());
        QVERIFY(!action(*next, "recentFileAction0")->isVisible());
        QVERIFY(!action(*next, "recentFilesSeparator")->isVisible());
    }

    void maybeSaveAnswers_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answer");
        const QList<QPair<const char *, int>> answers = {
            {"Yes", QMessageBox::Yes}, {"No", QMessageBox::No}, {"Cancel", QMessageBox::Cancel}};
        for (const char *command : {"close", "new", "open", "open recent"}) {
            for (const auto &[name, answer] : answers)
                QTest::addRow("%s, %s", command, name) << QString(command) << answer;
        }
    }

    void maybeSaveAnswers()
    {
        QFETCH(QString, command);
        QFETCH(int, answer);
        const bool goesOn = answer != QMessageBox::Cancel, saved = answer == QMessageBox::Yes;
        const QString other = path(QStringLiteral("other.xml"));
        QVERIFY(QFile::copy(dataPath(QStringLiteral("small.xml")), other));
        open(*m_window, *m_answerer, other);
        fillWithFullDocument(*m_window);
        saveAs(*m_window, *m_answerer, path(QStringLiteral("saved.xml")));
        GridFixture::at(m_window->tableWidget(), 2, 2).setSimpleText(QStringLiteral("unsaved"));

        ShownBox shown;
        answerBox(*m_answerer, QMessageBox::StandardButton(answer), &shown);
        const bool closing = command == QLatin1String("close");
        bool closed = false;
        if (closing) {
            closed = m_window->close();
        } else if (command == QLatin1String("new")) {
            if (goesOn)
                answerNewFileDialog(*m_answerer, 2, 2);
            action(*m_window, "newFileAction")->trigger();
        } else if (command == QLatin1String("open")) {
            if (goesOn)
                chooseFile(*m_answerer, other);
            action(*m_window, "openAction")->trigger();
        } else {
            QCOMPARE(action(*m_window, "recentFileAction1")->data().toString(), other);
            action(*m_window, "recentFileAction1")->trigger();
        }

        QCOMPARE(m_answerer->pending(), 0);
        QCOMPARE(shown.title, QStringLiteral("Quorin"));
        QCOMPARE(shown.text, QStringLiteral("The document has been modified.\n"
                                            "Do you want to save your changes?"));
        QCOMPARE(shown.icon, QMessageBox::Warning);
        QCOMPARE(shown.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(shown.defaultButton, QMessageBox::Yes);
        QCOMPARE(shown.escapeButton, QMessageBox::Cancel);

        QCOMPARE(fileBytes(path(QStringLiteral("saved.xml"))).contains("unsaved"), saved);
        QCOMPARE(QFile::exists(path(QStringLiteral("settings.ini"))), closing && goesOn);
        QCOMPARE(closed, closing && goesOn);
        const bool documentKept =
            m_window->tableWidget()->rowCount() == 3 &&
            GridFixture::at(m_window->tableWidget(), 2, 2).content().simpleText() == "unsaved";
        QCOMPARE(documentKept, closing || !goesOn);
        QCOMPARE(m_window->isWindowModified(), !goesOn || (closing && !saved));
    }

    // Yes on a document without a file asks for a name; cancelling that
    // stops the close.
    void maybeSaveYesOnAnUntitledDocumentAsksForAName()
    {
        for (bool named : {true, false}) {
            MainWindow *window = newWindow();
            fillWithFullDocument(*window);
            answerBox(*m_answerer, QMessageBox::Yes);
            if (named)
                chooseFile(*m_answerer, path(QStringLiteral("named.xml")));
            else
                cancelFileChooser(*m_answerer);
            QCOMPARE(window->close(), named);
            QCOMPARE(window->isWindowModified(), !named);
        }
        QVERIFY(fileBytes(path(QStringLiteral("named.xml"))).contains("Maschio"));
    }

    // Cancelling New or answering No to Clear all changes nothing. Clear all
    // empties the cells; their number, the catalogue, the variables and the
    // areas stay (the sizes go back to the defaults).
    void newAndClearAll()
    {
        saveFullDocument();
        const QStringList before = describeDocument(*m_window);
        answerNewFileDialog(*m_answerer, 5, 5, false);
        action(*m_window, "newFileAction")->trigger();
        QCOMPARE(m_answerer->seen().last(), QStringLiteral("NewFileDialog"));
        ShownBox shown;
        answerBox(*m_answerer, QMessageBox::No, &shown);
        action(*m_window, "clearAllAction")->trigger();
        QCOMPARE(shown.title, QStringLiteral("Quorin"));
        QCOMPARE(shown.text, QStringLiteral("Are you sure you want to clear the quorin?"));
        QCOMPARE(shown.icon, QMessageBox::Warning);
        QCOMPARE(shown.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(describeDocument(*m_window), before);
        verifyStillSaved(*m_window, false);

        answerBox(*m_answerer, QMessageBox::Yes);
        action(*m_window, "clearAllAction")->trigger();
        verifyStillSaved(*m_window, true);
        // The lines of the catalogue, the variables and the areas, in the file
        // and in the panel.
        const QRegularExpression kept(
            QStringLiteral("<(command|variable|modality|area|dataset|outputFile) |^statistics "));
        const QStringList after = describeDocument(*m_window);
        QCOMPARE(after.filter(kept), before.filter(kept));
        QCOMPARE(after.filter("<cell ")
                     .filter(QRegularExpression("area=\"\" dataType=\"void\"/>$"))
                     .size(),
                 12);
        QCOMPARE(m_window->tableWidget()->rowCount(), 3);
        QCOMPARE(m_window->tableWidget()->columnCount(), 4);

        // The whole range: New 999 x 999 empties the grid and the panel and
        // leaves the areas; a cell at the far corner, then Clear all.
        answerBox(*m_answerer, QMessageBox::No);
        newTable(*m_window, *m_answerer, 999, 999);
        TableWidget *table = m_window->tableWidget();
        QCOMPARE(table->rowCount(), 999);
        QCOMPARE(table->columnCount(), 999);
        QCOMPARE(GridFixture::at(table, 0, 0).content().dataType(), CellContent::Kind::Void);
        QCOMPARE(table->rowHeight(0), table->verticalHeader()->defaultSectionSize());
        QVERIFY(panel(*m_window)->variables().isEmpty());
        QVERIFY(panel(*m_window)->statisticNames().isEmpty());
        QCOMPARE(m_window->areas()->count(), 3);
        GridFixture::at(table, 998, 998).setSimpleText(QStringLiteral("corner"));
        answerBox(*m_answerer, QMessageBox::Yes);
        action(*m_window, "clearAllAction")->trigger();
        QCOMPARE(table->rowCount(), 999);
        QCOMPARE(table->columnCount(), 999);
        QCOMPARE(GridFixture::at(table, 998, 998).content().dataType(), CellContent::Kind::Void);
    }

    // Saving to a place that cannot take the file: the user hears why, and
    // the document keeps its name, its marker and its old file, with no
    // half-written copy beside it.
    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("how");
        for (const char *how : {"chooser cancelled", "folder missing", "disk full"})
            QTest::newRow(how) << QString(how);
    }

    void failedSaveKeepsTheOldFile()
    {
        QFETCH(QString, how);
        const bool diskFull = how == QLatin1String("disk full");
#ifndef Q_OS_UNIX
        if (diskFull)
            QSKIP("The file size limit of a process is a Unix facility.");
#endif
        saveFullDocument();
        const QString saved = path(QStringLiteral("saved.xml"));
        const QByteArray old = fileBytes(saved);
        GridFixture::at(m_window->tableWidget(), 2, 0).setSimpleText(QString(200000, 'x'));
        const QString target = diskFull ? saved : path(QStringLiteral("missing/folder/t.xml"));
        ShownBox shown;
        if (diskFull) {
            answerBox(*m_answerer, QMessageBox::Ok, &shown);
            QVERIFY(!saveWithFileSizeLimit(*m_window, 64 * 1024));
        } else if (how == QLatin1String("chooser cancelled")) {
            cancelFileChooser(*m_answerer);
            action(*m_window, "saveAsAction")->trigger();
        } else {
            chooseFile(*m_answerer, target);
            answerBox(*m_answerer, QMessageBox::Ok, &shown);
            action(*m_window, "saveAsAction")->trigger();
        }
        QCOMPARE(m_answerer->pending(), 0);
        const QString prefix =
            QStringLiteral("Cannot write file %1:\n").arg(QDir::toNativeSeparators(target));
        if (how != QLatin1String("chooser cancelled")) {
            QVERIFY2(shown.text.startsWith(prefix), qPrintable(shown.text));
            QVERIFY(shown.text.endsWith('.') && shown.text.size() > prefix.size() + 1);
        }
        QCOMPARE(fileBytes(saved), old);
        verifyStillSaved(*m_window, true);
        QCOMPARE(m_window->recentFiles(), QStringList(saved));
        QCOMPARE(QFile::exists(target), diskFull);
        QCOMPARE(QDir(m_directory->path()).entryList(QDir::Files), QStringList("saved.xml"));
    }

    // The model reports every kind of change (its own test); the window's
    // marker follows it from the grid, the panel and the toolbar, and not
    // changes of look (format views, browsing the areas, the window's size).
    void editsMarkTheDocumentModified_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("modifies");
        using W = MainWindow;
        using A = ModalAnswerer;
        const auto areaDialog = [](A &answerer, const char *typed) {
            answerer.enqueue([typed](QWidget *dialog) {
                dialog->findChild<QListWidget *>("areaListWidget")->setCurrentRow(1);
                QTest::keyClicks(dialog->findChild<QLineEdit *>("conditionLineEdit"), typed);
                dialog->findChild<QAbstractButton *>("closeButton")->click();
            });
        };
        QTest::newRow("Delete key") << Change([](W &w, A &) {
            w.tableWidget()->setCurrentCell(0, 0);
            QTest::keyClick(w.tableWidget(), Qt::Key_Delete);
        }) << true;
        QTest::newRow("variable deleted") << Change([](W &w, A &a) {
            chooseVariable(w, 1);
            answerBox(a, QMessageBox::Yes);
            button(w, "deleteVariableButton")->click();
        }) << true;
        QTest::newRow("area condition edited") << Change([=](W &w, A &a) {
            areaDialog(a, " & x>1");
            button(w, "areaManagementToolButton")->click();
        }) << true;
        QTest::newRow("look only") << Change([=](W &w, A &a) {
            w.show();
            w.tableWidget()->selectAll();
            w.tableWidget()->setStatisticFormatViewOnlyStatisticVariableLabel();
            w.tableWidget()->setConditionFormatViewVariableLabelEqualModalityValueLabel();
            QCOMPARE(GridFixture::at(w.tableWidget(), 1, 1).text(), QStringLiteral("Età in anni"));
            chooseVariable(w, 2);
            areaDialog(a, "");
            button(w, "areaManagementToolButton")->click();
            w.resize(700, 500);
            QCoreApplication::processEvents();
        }) << false;
    }

    void editsMarkTheDocumentModified()
    {
        QFETCH(Change, change);
        QFETCH(bool, modifies);
        saveFullDocument();
        const QStringList before = describeDocument(*m_window);
        change(*m_window, *m_answerer);
        QCOMPARE(m_answerer->pending(), 0);
        QVERIFY2(describeDocument(*m_window) != before, "the change changed nothing");
        QCOMPARE(m_window->isWindowModified(), modifies);
        action(*m_window, "saveAction")->trigger();
        QVERIFY(!m_window->isWindowModified());
    }

    // "Import statistics..." with the shipped library into a document whose
    // "mean" is its own adds the others after the document's and says so, in
    // one undo step.
    void importStatistics()
    {
        m_window->document()->setStatistics(
            {Command("ratio", "ratio #var #if", "r(r)", Command::ResultType::Scalar, 1, 1),
             Command("mean", "mean #var #if", "e(b)", Command::ResultType::Matrix, 1, 1)});
        ShownBox shown;
        chooseFile(*m_answerer, QStringLiteral(QUORIN_SOURCE_DIR "/examples/statistics.xml"));
        answerBox(*m_answerer, QMessageBox::Ok, &shown);
        action(*m_window, "importStatisticsAction")->trigger();
        QCOMPARE(panel(*m_window)->statisticNames(),
                 QStringList({"ratio", "mean", "count", "observations", "sd", "min", "max", "sum",
                              "median", "p25", "p75"}));
        QCOMPARE(shown.text, QStringLiteral("Statistics added: 9.\nSkipped, because this document "
                                            "has a statistic of the same name, which was kept as "
                                            "it is:\nmean"));
        QVERIFY(m_window->isWindowModified());

        QCOMPARE(action(*m_window, "undoAction")->text(), QStringLiteral("Undo Import statistics"));
        action(*m_window, "undoAction")->trigger();
        QCOMPARE(panel(*m_window)->statisticNames(), QStringList({"ratio", "mean"}));
        QCOMPARE(m_window->statisticCatalogue()->size(), 2);
    }

    // Open then Save as gives the same bytes; what the widgets show after
    // opening the copy is what was saved, but the cells' format views, which
    // files do not keep.
    void openSaveAsAndOpenAgain()
    {
        const QString full = dataPath(QStringLiteral("FullDocument.xml"));
        chooseFile(*m_answerer, full);
        action(*m_window, "openAction")->trigger();
        TableWidget *table = m_window->tableWidget();
        table->selectAll();
        table->setStatisticFormatViewOnlyStatisticVariableLabel();
        table->setConditionFormatViewVariableLabelEqualModalityValueLabel();
        const QStringList written = describeDocument(*m_window);
        const QString copy = path(QStringLiteral("copy.xml"));
        chooseFile(*m_answerer, copy);
        action(*m_window, "saveAsAction")->trigger();
        QCOMPARE(m_answerer->pending(), 0);
        QCOMPARE(fileBytes(copy), fileBytes(full));

        MainWindow second;
        open(second, *m_answerer, copy);
        QCOMPARE(describeDocument(second).mid(0, written.size() - 1),
                 written.mid(0, written.size() - 1));
        QCOMPARE(GridFixture::at(second.tableWidget(), 1, 1).text(), QStringLiteral("mean(eta)"));
        QCOMPARE(GridFixture::at(second.tableWidget(), 0, 1).text(), QStringLiteral("Maschio"));
        auto *areaBox = second.findChild<QComboBox *>(QStringLiteral("areaComboBox"));
        QStringList listed;
        for (int i = 0; i < areaBox->count(); ++i)
            listed.append(areaBox->itemText(i));
        QCOMPARE(listed, QStringList({"Nord", "sud", "vuota"}));
    }

    // A refused file, or a recent file deleted since the menu was made: the
    // user hears why and the window keeps its document.
    void refusedFilesChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: a recent file that vanished
        QTest::addColumn<QString>("message");
        const QString failed = QStringLiteral("Failed to load file.");
        const QString tooLarge = QStringLiteral("The table in %1 is larger than 999 × 999 cells.");
        const auto file = [](const char *name) { return fileBytes(dataPath(name)); };
        QTest::newRow("empty file") << QByteArray("") << failed;
        QTest::newRow("not well-formed") << file("NotWellFormedUnclosedElement.xml") << failed;
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << failed;
        QTest::newRow("another root")
            << file("NotQuorinRoot.xml") << QStringLiteral("This is not a quorin file.");
        QTest::newRow("too many rows") << file("GridTooManyRows.xml") << tooLarge;
        QTest::newRow("too many columns") << file("GridTooLargeNoCells.xml") << tooLarge;
        QTest::newRow("vanished recent file") << QByteArray() << failed;
    }

    void refusedFilesChangeNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString good = path(QStringLiteral("good.xml"));
        const QString bad = path(QStringLiteral("bad.xml"));
        QVERIFY(QFile::copy(dataPath(QStringLiteral("small.xml")), bad));
        open(*m_window, *m_answerer, bad);
        GridFixture::at(m_window->tableWidget(), 0, 0).setSimpleText(QStringLiteral("changed"));
        saveAs(*m_window, *m_answerer, good);
        QVERIFY(QFile::remove(bad));
        if (!content.isNull())
            QVERIFY(writeBytes(bad, content));
        const QStringList before = windowState(*m_window);

        ShownBox shown;
        if (!content.isNull())
            chooseFile(*m_answerer, bad);
        answerBox(*m_answerer, QMessageBox::Ok, &shown);
        if (content.isNull())
            action(*m_window, "recentFileAction1")->trigger();
        else
            action(*m_window, "openAction")->trigger();

        QCOMPARE(m_answerer->pending(), 0);
        QCOMPARE(shown.title, QStringLiteral("Quorin"));
        QCOMPARE(shown.text, message.replace(QStringLiteral("%1"), QDir::toNativeSeparators(bad)));
        QCOMPARE(shown.icon, QMessageBox::Warning);
        QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(windowState(*m_window), before);
        QCOMPARE(m_window->currentFileName(), good);
    }

    // Nothing of the previous document is merged into the one opened.
    void openingReplacesEverything()
    {
        const QString file = dataPath(QStringLiteral("ModalitiesTakeTheirVariable.xml"));
        MainWindow fresh;
        open(fresh, *m_answerer, file);
        fillWithFullDocument(*m_window);
        answerBox(*m_answerer, QMessageBox::No);
        open(*m_window, *m_answerer, file);
        QCOMPARE(describeDocument(*m_window), describeDocument(fresh));
        QVERIFY(!m_window->isWindowModified());
    }

    // A document named at the start, here with Windows separators, is opened.
    void startWithADocumentOpensIt()
    {
        const QString small = dataPath(QStringLiteral("small.xml"));
        MainWindow window({QStringLiteral("quorin"), QString(small).replace('/', '\\')});
        QCOMPARE(window.currentFileName(), small);
        QCOMPARE(window.windowTitle(), QStringLiteral("small.xml[*] - Quorin"));
        QCOMPARE(panel(window)->variables().value(0).name(), QStringLiteral("sesso"));
    }

    // "Load variables from Stata dataset..." replaces the panel's variables
    // and nothing else; a dataset refused, or the chooser cancelled, leaves
    // them as they were.
    void loadVariables_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message"); // null: the chooser cancelled
        const QByteArray whole = surveyWriter().toByteArray();
        QTest::newRow("survey") << whole << QString("");
        QTest::newRow("cancelled") << QByteArray("") << QString();
        QTest::newRow("not a dataset") << QByteArray("sesso;citta\n1;Roma\n") << notReadable;
        QTest::newRow("cut in the value labels")
            << whole.left(whole.indexOf("Non risponde"))
            << QStringLiteral("The file is not a complete Stata dataset.");
    }

    void loadVariables()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString fileName = m_directory->filePath(QStringLiteral("chosen.dta"));
        QVERIFY(writeBytes(fileName, bytes));
        prepareWindowWithHandMadeContent();
        m_window->setWindowModified(false);
        ShownBox shown;
        if (message.isNull())
            cancelFileChooser(*m_answerer);
        else
            chooseFile(*m_answerer, fileName);
        if (!message.isEmpty())
            answerBox(*m_answerer, QMessageBox::Ok, &shown);
        action(*m_window, "loadVariablesAction")->trigger();

        QCOMPARE(m_answerer->pending(), 0);
        QCOMPARE(shown.text, message);
        // A refusal's box has no parent: at a start with a dataset, it comes
        // before the window exists.
        QCOMPARE(shown.hasParent, message.isEmpty());
        const bool imported = message.isEmpty() && !message.isNull();
        QCOMPARE(describeVariables(panel(*m_window)->variables()),
                 imported ? surveyDescription : handMadeDescription);
        QCOMPARE(panel(*m_window)->statisticNames(), QStringList(QStringLiteral("mean")));
        QCOMPARE(m_window->isWindowModified(), imported);
    }

    // One argument after the program's name is a dataset to import, in
    // either kind of separator; any other number of arguments imports
    // nothing, and an unreadable dataset is reported before the window opens
    // empty. "DIR" stands for the working directory, made after the rows.
    void startWithArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        // clang-format off
        dataRow("relative path", QStringList{"quorin", "data/survey.dta"}, "");
        dataRow("absolute path", QStringList{"quorin", "DIR/data/survey.dta"}, "");
        dataRow("relative path with backslashes", QStringList{"quorin", "data\\survey.dta"}, "");
        dataRow("absolute path with backslashes", QStringList{"quorin", "DIR\\data\\survey.dta"}, "");
        dataRow("none", QStringList(), "");
        dataRow("program only", QStringList{"quorin"}, "");
        dataRow("two datasets", QStringList{"quorin", "data/survey.dta", "data/survey.dta"}, "");
        dataRow("unreadable dataset", QStringList{"quorin", "notes.dta"}, notReadable);
        // clang-format on
    }

    void startWithArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        for (QString &argument : arguments) {
            const QString directory = m_directory->path();
            argument.replace("DIR", argument.contains('\\') ? QString(directory).replace('/', '\\')
                                                            : directory);
        }
        writeSurvey();
        QVERIFY(writeBytes(QStringLiteral("notes.dta"), "Not a dataset at all.\n"));
        ShownBox shown;
        answerBox(*m_answerer, QMessageBox::Ok, &shown);
        m_window = m_windows.emplace_back(new MainWindow(arguments));
        QCOMPARE(shown.text, message);
        const bool imported = arguments.size() == 2 && message.isEmpty();
        QCOMPARE(describeVariables(panel(*m_window)->variables()),
                 imported ? surveyDescription : QStringList());
    }
};

QTEST_MAIN(DocumentCommandsTest)
#include "DocumentCommandsTest.moc"
