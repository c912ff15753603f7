#include "DocumentTestSupport.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"

#include <QComboBox>
#include <QDir>
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

// Everything a user can see of the window's document, its content first.
QStringList windowState(MainWindow &window)
{
    return describeDocument(window) +
           QStringList{window.windowTitle(), window.currentFileName(),
                       window.recentFiles().join(QLatin1Char('|')),
                       window.isWindowModified() ? "modified" : "unmodified"};
}

} // namespace

class DocumentFileTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void openThenSaveAsGivesTheSameBytes();
    void saveThenOpenGivesTheSameDocument();
    void refusedFilesChangeNothing_data();
    void refusedFilesChangeNothing();
    void vanishedRecentFileIsRefusedAndChangesNothing();
    void openingReplacesEverything();
    void startWithADocumentOpensIt_data();
    void startWithADocumentOpensIt();

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

void DocumentFileTest::saveThenOpenGivesTheSameDocument()
{
    MainWindow *first = newWindow();
    fillWithFullDocument(*first);
    const QStringList written = describeDocument(*first);
    ModalAnswerer answerer;
    const QString path = m_directory->filePath(QStringLiteral("full.xml"));
    saveAs(*first, answerer, path);

    MainWindow *second = newWindow();
    open(*second, answerer, path);
    QVERIFY(answerer.unexpected().isEmpty());
    QCOMPARE(withoutViews(describeDocument(*second)), withoutViews(written));

    // The toolbar's area box lists the areas read.
    auto *areaBox = second->findChild<QComboBox *>(QStringLiteral("areaComboBox"));
    QStringList listed;
    for (int i = 0; i < areaBox->count(); ++i)
        listed.append(areaBox->itemText(i));
    QCOMPARE(listed, QStringList({"Nord", "sud", "vuota"}));

    // Format views are the cells' look, not their content: back at defaults.
    TableWidget *table = second->tableWidget();
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            const CellContent &content = GridFixture::at(table, row, column).content();
            QCOMPARE(content.statisticFormatView(),
                     CellContent::StatisticFormatView::StatisticNameVariableName);
            QCOMPARE(content.conditionFormatView(),
                     CellContent::ConditionFormatView::OnlyModalityLabel);
        }
    }
    QCOMPARE(GridFixture::at(table, 1, 1).text(), QStringLiteral("mean(eta)"));

    // Saved again, the file is the same to the byte.
    const QString again = m_directory->filePath(QStringLiteral("again.xml"));
    saveAs(*second, answerer, again);
    QCOMPARE(fileBytes(again), fileBytes(path));
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
    QCOMPARE(window->currentFileName(), good);
    const QStringList before = windowState(*window);

    ShownBox shown;
    chooseFile(answerer, bad);
    answerBox(answerer, QMessageBox::Ok, &shown);
    action(*window, "openAction")->trigger();

    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(shown.title, QStringLiteral("Quorin"));
    QCOMPARE(shown.text, message.replace(QStringLiteral("%1"), QDir::toNativeSeparators(bad)));
    QCOMPARE(shown.icon, QMessageBox::Warning);
    QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(windowState(*window), before);
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
    const QStringList before = windowState(*window);

    ShownBox shown;
    answerBox(answerer, QMessageBox::Ok, &shown);
    QAction *entry = action(*window, "recentFileAction1");
    QCOMPARE(entry->data().toString(), gone);
    entry->trigger();

    QCOMPARE(shown.text, QStringLiteral("Failed to load file."));
    QCOMPARE(windowState(*window), before);
    QCOMPARE(window->currentFileName(), kept);
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

void DocumentFileTest::startWithADocumentOpensIt_data()
{
    QTest::addColumn<QString>("argument");
    const QString small = dataPath(QStringLiteral("small.xml"));
    QTest::newRow("path") << small;
    QTest::newRow("Windows path") << QString(small).replace(QLatin1Char('/'), QLatin1Char('\\'));
}

void DocumentFileTest::startWithADocumentOpensIt()
{
    QFETCH(QString, argument);
    MainWindow *window = new MainWindow({QStringLiteral("quorin"), argument});
    m_windows.append(window);
    QCOMPARE(window->currentFileName(), dataPath(QStringLiteral("small.xml")));
    QCOMPARE(window->windowTitle(), QStringLiteral("small.xml[*] - Quorin"));
    QCOMPARE(window->tableWidget()->rowCount(), 2);
    QVERIFY(panel(*window)->variables().value(0).name() == QStringLiteral("sesso"));
}

QTEST_MAIN(DocumentFileTest)
#include "DocumentFileTest.moc"
