#include "DataRows.h"
#include "DocumentTestSupport.h"
#include "ModalAnswerer.h"
#include "ReadStatDtaWriter.h"
#include "TemporaryWorkingDirectory.h"
#include "app/MainWindow.h"

#include <QDir>
#include <QTest>

#include <optional>

using namespace DocumentTestSupport;

namespace {

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

} // namespace

// Importing a dataset replaces the panel's variables and nothing else; a
// dataset refused, or the file chooser cancelled, leaves them as they were.
class DatasetImportTest : public QObject
{
    Q_OBJECT

    std::optional<TemporaryWorkingDirectory> m_directory;
    std::optional<MainWindow> m_window;
    std::optional<ModalAnswerer> m_answerer;

    // A window whose panel already holds variables and a statistic, as after
    // some work.
    void prepareWindowWithHandMadeContent()
    {
        m_window.emplace();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(&*m_window));
        Variable kept(QStringLiteral("eta"), QStringLiteral("Età"), 0);
        kept.appendModality(Modality(QStringLiteral("1"), QStringLiteral("Giovane"), "eta", "Età"));
        m_window->document()->setVariables({kept, Variable(QStringLiteral("peso"), QString(), 0)});
        m_window->document()->setStatistics(
            {Command("mean", "summarize #var #if", "r(mean)", Command::ResultType::Scalar, 1, 1)});
    }

private slots:
    void init()
    {
        m_directory.emplace();
        m_answerer.emplace();
        QVERIFY(QDir().mkdir(QStringLiteral("data")));
        QVERIFY(surveyWriter().writeFile(QStringLiteral("data/survey.dta")));
    }
    void cleanup()
    {
        m_window.reset();
        m_directory.reset();
        m_answerer.reset();
    }

    void loadActionImportsTheChosenDataset()
    {
        prepareWindowWithHandMadeContent();
        FileChooserSeen chooser;
        chooseFile(*m_answerer, m_directory->filePath(QStringLiteral("data/survey.dta")), &chooser);
        action(*m_window, "loadVariablesAction")->trigger();
        QCOMPARE(m_answerer->seen(), QStringList(QStringLiteral("QFileDialog")));
        QCOMPARE(chooser.caption, QStringLiteral("Load variables from dataset"));
        QCOMPARE(chooser.filters, QStringList(QStringLiteral("Stata Data (*.dta)")));
        QCOMPARE(describeVariables(panel(*m_window)->variables()), surveyDescription);
        QCOMPARE(panel(*m_window)->statisticNames(), QStringList(QStringLiteral("mean")));
        QVERIFY(m_window->isWindowModified());
    }

    void refusedDatasetsLeaveThePanelUnchanged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message"); // null: the chooser cancelled
        const QByteArray whole = surveyWriter().toByteArray();
        QTest::newRow("cancelled") << QByteArray("") << QString();
        QTest::newRow("not a dataset") << QByteArray("sesso;citta\n1;Roma\n") << notReadable;
        QTest::newRow("cut in the value labels")
            << whole.left(whole.indexOf("Non risponde"))
            << QStringLiteral("The file is not a complete Stata dataset.");
    }

    void refusedDatasetsLeaveThePanelUnchanged()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString fileName = m_directory->filePath(QStringLiteral("refused.dta"));
        QVERIFY(writeBytes(fileName, bytes));
        prepareWindowWithHandMadeContent();
        ShownBox shown;
        if (message.isNull()) {
            cancelFileChooser(*m_answerer);
        } else {
            chooseFile(*m_answerer, fileName);
            answerBox(*m_answerer, QMessageBox::Ok, &shown);
        }
        action(*m_window, "loadVariablesAction")->trigger();

        QCOMPARE(m_answerer->pending(), 0);
        QCOMPARE(shown.text, message);
        // The box may come before the window exists, at a start with a dataset.
        if (!message.isNull())
            QVERIFY(!shown.hasParent);
        QCOMPARE(describeVariables(panel(*m_window)->variables()), handMadeDescription);
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
        QVERIFY(writeBytes(QStringLiteral("notes.dta"), "Not a dataset at all.\n"));
        ShownBox shown;
        answerBox(*m_answerer, QMessageBox::Ok, &shown);
        m_window.emplace(arguments);
        QCOMPARE(shown.text, message);
        const bool imported = arguments.size() == 2 && message.isEmpty();
        QCOMPARE(describeVariables(panel(*m_window)->variables()),
                 imported ? surveyDescription : QStringList());
    }
};

QTEST_MAIN(DatasetImportTest)
#include "DatasetImportTest.moc"
