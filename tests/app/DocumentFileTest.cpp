#include "DocumentTestSupport.h"
#include "ModalAnswerer.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"

#include <QComboBox>
#include <QDir>
#include <QTest>

#include <optional>

using namespace DocumentTestSupport;

namespace {

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

    std::optional<TemporaryWorkingDirectory> m_directory;
    std::optional<MainWindow> m_window;
    std::optional<ModalAnswerer> m_answerer;

    QString path(const QString &name) const { return m_directory->filePath(name); }

private slots:
    void init()
    {
        m_directory.emplace();
        m_answerer.emplace();
        m_window.emplace();
    }
    void cleanup()
    {
        const QStringList unexpected = m_answerer->unexpected();
        m_window.reset();
        m_answerer.reset();
        m_directory.reset();
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join('\n')));
    }

    // Open then Save as gives the same bytes; what the widgets show after
    // opening the copy is what was saved, but the cells' format views, which
    // files do not keep.
    void openSaveAsAndOpenAgain()
    {
        const QString full = dataPath(QStringLiteral("FullDocument.xml"));
        FileChooserSeen openDialog, saveDialog;
        chooseFile(*m_answerer, full, &openDialog);
        action(*m_window, "openAction")->trigger();
        TableWidget *table = m_window->tableWidget();
        table->selectAll();
        table->setStatisticFormatViewOnlyStatisticVariableLabel();
        table->setConditionFormatViewVariableLabelEqualModalityValueLabel();
        const QStringList written = describeDocument(*m_window);
        const QString copy = path(QStringLiteral("copy.xml"));
        chooseFile(*m_answerer, copy, &saveDialog);
        action(*m_window, "saveAsAction")->trigger();
        QCOMPARE(m_answerer->pending(), 0);
        QCOMPARE(openDialog.caption, QStringLiteral("Open Quorin file"));
        QCOMPARE(saveDialog.caption, QStringLiteral("Save Quorin file"));
        QCOMPARE(saveDialog.filters, QStringList(QStringLiteral("Quorin files (*.xml)")));
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
};

QTEST_MAIN(DocumentFileTest)
#include "DocumentFileTest.moc"
