#include "DocumentTestSupport.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTest>

using namespace DocumentTestSupport;

namespace {

// The lines of a description without the cells' format views, which files do
// not keep.
QStringList withoutViews(QStringList lines)
{
    static const QRegularExpression views(QStringLiteral(" views=\\d+/\\d+"));
    for (QString &line : lines)
        line.remove(views);
    return lines;
}

// Everything a user can see of the window's document besides its content.
struct WindowState
{
    QStringList document;
    QString title;
    QString currentFile;
    QStringList recentFiles;
    bool modified = false;

    static WindowState of(MainWindow &window)
    {
        return {describeDocument(window), window.windowTitle(), window.currentFileName(),
                window.recentFiles(), window.isWindowModified()};
    }
};

} // namespace

class DocumentFileTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void openThenSaveAsGivesTheSameBytes();
    void documentMadeInTheWidgetsIsWrittenAsTheGoldenFile();
    void saveThenOpenGivesTheSameDocument();
    void emptyGridRoundTrip();
    void refusedFilesChangeNothing_data();
    void refusedFilesChangeNothing();
    void vanishedRecentFileIsRefusedAndChangesNothing();
    void cellWithoutPositionLandsAtTopLeft();
    void openingReplacesEverything();
    void unusableSizesKeepTheDefaults();

private:
    MainWindow *newWindow();

    TemporaryWorkingDirectory *m_directory = nullptr;
    QList<MainWindow *> m_windows;
};

void DocumentFileTest::init()
{
    m_directory = new TemporaryWorkingDirectory;
}

void DocumentFileTest::cleanup()
{
    qDeleteAll(m_windows);
    m_windows.clear();
    delete m_directory;
}

MainWindow *DocumentFileTest::newWindow()
{
    m_windows.append(new MainWindow);
    return m_windows.last();
}

void DocumentFileTest::openThenSaveAsGivesTheSameBytes()
{
    MainWindow *window = newWindow();
    ModalAnswerer answerer;
    FileChooserSeen openDialog;
    chooseFile(answerer, dataPath(QStringLiteral("small.xml")), &openDialog);
    action(*window, "openAction")->trigger();
    QCOMPARE(openDialog.caption, QStringLiteral("Open Quorin file"));
    QCOMPARE(openDialog.directory, QDir::currentPath());
    QCOMPARE(openDialog.filters, QStringList(QStringLiteral("Quorin files (*.xml)")));
    QCOMPARE(openDialog.acceptMode, QFileDialog::AcceptOpen);

    const QString copy = m_directory->filePath(QStringLiteral("copy.xml"));
    FileChooserSeen saveDialog;
    chooseFile(answerer, copy, &saveDialog);
    action(*window, "saveAsAction")->trigger();
    QCOMPARE(saveDialog.caption, QStringLiteral("Save Quorin file"));
    QCOMPARE(saveDialog.directory, QDir::currentPath());
    QCOMPARE(saveDialog.filters, QStringList(QStringLiteral("Quorin files (*.xml)")));
    QCOMPARE(saveDialog.acceptMode, QFileDialog::AcceptSave);

    QCOMPARE(answerer.pending(), 0);
    QVERIFY(answerer.unexpected().isEmpty());
    QCOMPARE(fileBytes(copy), fileBytes(dataPath(QStringLiteral("small.xml"))));
}

void DocumentFileTest::documentMadeInTheWidgetsIsWrittenAsTheGoldenFile()
{
    MainWindow *window = newWindow();
    TableWidget *table = window->tableWidget();
    table->newTable(2, 2);
    window->document()->setStataDatasetFileName(QStringLiteral("C:/Data/indagine.dta"));
    window->document()->setOutputFileName(QStringLiteral("C:/Data/tabella.csv"));
    window->document()->setStatistics(
        {Command("mean", "summarize #var #if", "r(mean)", T::Scalar, 1, 1),
         Command("ci", "ci means #var #if", "r(table)", T::Matrix, 2, 3)});
    Variable sex("sesso", "Sesso", 251);
    sex.appendModality(Modality("1", "Maschio", "sesso", "Sesso"));
    sex.appendModality(Modality("2", "Femmina", "sesso", "Sesso"));
    window->document()->addVariable(sex);
    table->setRowHeight(0, 30);
    table->setRowHeight(1, 24);
    table->setColumnWidth(0, 120);
    table->setColumnWidth(1, 80);
    window->areas()->insert(Area("nord", "ripartizione<=2 & eta>17"));
    GridFixture::at(table, 0, 0).setSimpleText(QStringLiteral("Età \"media\""));
    GridFixture::at(table, 0, 1).addMicroCondition(term("1", "Maschio", "sesso", "Sesso"));
    GridFixture::at(table, 0, 1).setArea(QStringLiteral("nord"));
    GridFixture::at(table, 1, 1).setStatistic(Statistic{"eta", "Età", "mean", "%9.2f"});
    GridFixture::at(table, 1, 1).setArea(QStringLiteral("nord"));

    ModalAnswerer answerer;
    const QString path = m_directory->filePath(QStringLiteral("small.xml"));
    saveAs(*window, answerer, path);
    QVERIFY(answerer.unexpected().isEmpty());
    QCOMPARE(QString::fromUtf8(fileBytes(path)),
             QString::fromUtf8(fileBytes(dataPath(QStringLiteral("small.xml")))));
}

void DocumentFileTest::saveThenOpenGivesTheSameDocument()
{
    MainWindow *first = newWindow();
    fillWithFullDocument(*first);
    const QStringList written = describeDocument(*first);
    ModalAnswerer answerer;
    const QString path = m_directory->filePath(QStringLiteral("full.xml"));
    saveAs(*first, answerer, path);
    QVERIFY(QFile::exists(path));

    MainWindow *second = newWindow();
    open(*second, answerer, path);
    QVERIFY(answerer.unexpected().isEmpty());
    QCOMPARE(withoutViews(describeDocument(*second)), withoutViews(written));

    // The catalogue keeps the user's order and the name listed twice, with the
    // one definition the catalogue holds for it.
    QCOMPARE(panel(*second)->statisticNames(),
             QStringList({"median", "mean", "label", "ci", "mean"}));
    QCOMPARE(second->statisticCatalogue()->value("mean").format(), QStringLiteral("mean #var #if"));
    QCOMPARE(second->statisticCatalogue()->value("ci").resultMatrixRow(), 5);
    QCOMPARE(second->statisticCatalogue()->value("ci").resultMatrixColumn(), 7);
    QCOMPARE(second->tableWidget()->rowHeight(2), 55);
    // The toolbar's area box lists the areas read.
    auto *areaBox = second->findChild<QComboBox *>(QStringLiteral("areaComboBox"));
    QStringList listed;
    for (int i = 0; i < areaBox->count(); ++i)
        listed.append(areaBox->itemText(i));
    QCOMPARE(listed, QStringList({"Nord", "sud", "vuota"}));
    QCOMPARE(second->tableWidget()->columnWidth(3), 95);

    // Format views are the cells' look, not their content: back at defaults.
    TableWidget *table = second->tableWidget();
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            const CellContent &content = GridFixture::at(table, row, column).content();
            QCOMPARE(content.statisticFormatView(), T::StatisticNameVariableName);
            QCOMPARE(content.conditionFormatView(), T::OnlyModalityLabel);
        }
    }
    QCOMPARE(GridFixture::at(table, 1, 1).text(), QStringLiteral("mean(eta)"));

    // Saved again, the file is the same to the byte.
    const QString again = m_directory->filePath(QStringLiteral("again.xml"));
    saveAs(*second, answerer, again);
    QCOMPARE(fileBytes(again), fileBytes(path));
}

void DocumentFileTest::emptyGridRoundTrip()
{
    MainWindow *window = newWindow();
    window->tableWidget()->newTable(0, 0);
    ModalAnswerer answerer;
    const QString path = m_directory->filePath(QStringLiteral("empty.xml"));
    saveAs(*window, answerer, path);
    const QByteArray text = fileBytes(path);
    QVERIFY(text.contains("<rows count=\"0\"/>"));
    QVERIFY(text.contains("<columns count=\"0\"/>"));
    QVERIFY(text.contains("<cells rowCount=\"0\" columnCount=\"0\"/>"));

    MainWindow *second = newWindow();
    open(*second, answerer, path);
    QCOMPARE(second->tableWidget()->rowCount(), 0);
    QCOMPARE(second->tableWidget()->columnCount(), 0);
    QCOMPARE(second->windowTitle(), QStringLiteral("empty.xml[*] - Quorin"));
}

void DocumentFileTest::refusedFilesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    const QString failed = QStringLiteral("Failed to load file.");
    QTest::newRow("empty file") << QByteArray() << failed;
    QTest::newRow("not well-formed")
        << fileBytes(dataPath(QStringLiteral("NotWellFormedUnclosedElement.xml"))) << failed;
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << failed;
    QTest::newRow("another root") << fileBytes(dataPath(QStringLiteral("NotQuorinRoot.xml")))
                                  << QStringLiteral("This is not a quorin file.");
    const QString tooLarge = QStringLiteral("The table in %1 is larger than 999 × 999 cells.");
    QTest::newRow("too many rows")
        << fileBytes(dataPath(QStringLiteral("GridTooManyRows.xml"))) << tooLarge;
    QTest::newRow("too many columns")
        << fileBytes(dataPath(QStringLiteral("GridTooLargeNoCells.xml"))) << tooLarge;
}

void DocumentFileTest::refusedFilesChangeNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString good = m_directory->filePath(QStringLiteral("good.xml"));
    const QString bad = m_directory->filePath(QStringLiteral("bad.xml"));
    QVERIFY(QFile::copy(dataPath(QStringLiteral("small.xml")), good));
    QVERIFY(writeBytes(bad, content));

    MainWindow *window = newWindow();
    ModalAnswerer answerer;
    open(*window, answerer, good);
    const WindowState before = WindowState::of(*window);
    QCOMPARE(before.currentFile, good);

    ShownBox shown;
    chooseFile(answerer, bad);
    answerBox(answerer, QMessageBox::Ok, &shown);
    action(*window, "openAction")->trigger();

    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(shown.title, QStringLiteral("Quorin"));
    QCOMPARE(shown.text, message.replace(QStringLiteral("%1"), QDir::toNativeSeparators(bad)));
    QCOMPARE(shown.icon, QMessageBox::Warning);
    QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    const WindowState after = WindowState::of(*window);
    QCOMPARE(after.document, before.document);
    QCOMPARE(after.title, before.title);
    QCOMPARE(after.currentFile, before.currentFile);
    QCOMPARE(after.recentFiles, before.recentFiles);
    QCOMPARE(after.modified, before.modified);
}

// A recent file deleted since the menu was refreshed cannot be read.
void DocumentFileTest::vanishedRecentFileIsRefusedAndChangesNothing()
{
    const QString kept = m_directory->filePath(QStringLiteral("kept.xml"));
    const QString gone = m_directory->filePath(QStringLiteral("gone.xml"));
    QVERIFY(QFile::copy(dataPath(QStringLiteral("small.xml")), gone));
    MainWindow *window = newWindow();
    ModalAnswerer answerer;
    open(*window, answerer, gone);
    GridFixture::at(window->tableWidget(), 0, 0).setSimpleText(QStringLiteral("changed"));
    saveAs(*window, answerer, kept);
    QCOMPARE(window->recentFiles(), QStringList({kept, gone}));
    QVERIFY(QFile::remove(gone));
    const WindowState before = WindowState::of(*window);

    ShownBox shown;
    answerBox(answerer, QMessageBox::Ok, &shown);
    QAction *entry = action(*window, "recentFileAction1");
    QCOMPARE(entry->data().toString(), gone);
    entry->trigger();

    QCOMPARE(shown.text, QStringLiteral("Failed to load file."));
    const WindowState after = WindowState::of(*window);
    QCOMPARE(after.document, before.document);
    QCOMPARE(after.title, before.title);
    QCOMPARE(after.currentFile, kept);
    QCOMPARE(after.recentFiles, before.recentFiles);
}

void DocumentFileTest::cellWithoutPositionLandsAtTopLeft()
{
    const QString path = m_directory->filePath(QStringLiteral("nowhere.xml"));
    QVERIFY(writeBytes(path, "<quorin><cells rowCount=\"2\" columnCount=\"2\">"
                             "<cell dataType=\"simpletext\"><simpletext text=\"here\"/></cell>"
                             "</cells></quorin>"));
    MainWindow *window = newWindow();
    ModalAnswerer answerer;
    open(*window, answerer, path);
    TableWidget *table = window->tableWidget();
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->columnCount(), 2);
    QCOMPARE(GridFixture::at(table, 0, 0).content().simpleText(), QStringLiteral("here"));
    QCOMPARE(GridFixture::at(table, 0, 0).text(), QStringLiteral("here"));
    QCOMPARE(GridFixture::at(table, 1, 1).content().dataType(), T::Void);
    QCOMPARE(table->currentRow(), 0);
    QCOMPARE(table->currentColumn(), 0);
}

// Nothing of the previous document is merged into the one opened.
void DocumentFileTest::openingReplacesEverything()
{
    MainWindow *window = newWindow();
    fillWithFullDocument(*window);
    GridFixture::at(window->tableWidget(), 1, 0).setSimpleText(QStringLiteral("old"));
    ModalAnswerer answerer;
    answerBox(answerer, QMessageBox::No);
    open(*window, answerer, dataPath(QStringLiteral("ModalitiesTakeTheirVariable.xml")));
    QVERIFY(answerer.unexpected().isEmpty());
    QStringList expected = {QStringLiteral("dataset "), QStringLiteral("output "),
                            QStringLiteral("catalogue size 0")};
    expected += describeVariables(panel(*window)->variables());
    expected += {QStringLiteral("rows 0: "), QStringLiteral("columns 0: ")};
    QCOMPARE(describeDocument(*window), expected);
    QVERIFY(window->areas()->isEmpty());
    QVERIFY(!window->isWindowModified());
}

// A height or width of 0 or less would hide the row or column for good; one
// beyond any screen would make the grid's length overflow.
void DocumentFileTest::unusableSizesKeepTheDefaults()
{
    const QString path = m_directory->filePath(QStringLiteral("sizes.xml"));
    QVERIFY(writeBytes(path, "<quorin>"
                             "<rows><row height=\"0\"/><row height=\"-5\"/><row height=\"x\"/>"
                             "<row height=\"2000000000\"/></rows>"
                             "<columns><column width=\"-1\"/><column width=\"77\"/></columns>"
                             "<cells rowCount=\"4\" columnCount=\"2\"/></quorin>"));
    MainWindow *window = newWindow();
    TableWidget *table = window->tableWidget();
    const int defaultHeight = table->verticalHeader()->defaultSectionSize();
    const int defaultWidth = table->horizontalHeader()->defaultSectionSize();
    ModalAnswerer answerer;
    open(*window, answerer, path);
    QCOMPARE(table->rowHeight(0), defaultHeight);
    QCOMPARE(table->rowHeight(1), defaultHeight);
    QCOMPARE(table->rowHeight(2), defaultHeight);
    QVERIFY(table->rowHeight(3) <= CellTableModel::maximumLineSize);
    QVERIFY(table->rowHeight(3) > defaultHeight);
    QCOMPARE(table->columnWidth(0), defaultWidth);
    QCOMPARE(table->columnWidth(1), 77);
}

QTEST_MAIN(DocumentFileTest)
#include "DocumentFileTest.moc"
