#include "DataRows.h"
#include "DialogControls.h"
#include "panel/AddStatisticDialog.h"
#include "panel/EditStatisticDialog.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

QLineEdit *lineEdit(const QWidget *dialog, const char *name)
{
    return namedChild<QLineEdit>(dialog, QLatin1String(name));
}

void click(const QWidget *dialog, const char *radioButton)
{
    QTest::mouseClick(namedChild<QRadioButton>(dialog, QLatin1String(radioButton)), Qt::LeftButton);
}

void retype(QLineEdit *lineEdit, const QString &text)
{
    lineEdit->selectAll();
    QTest::keyClick(lineEdit, Qt::Key_Delete);
    QTest::keyClicks(lineEdit, text);
}

const Command mean(QStringLiteral("mean"), QStringLiteral("summarize #var #if"),
                   QStringLiteral("r(mean)"), Command::ResultType::Scalar, 1, 1);

} // namespace

Q_DECLARE_METATYPE(Command)

class StatisticDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void addForm();
    void resultTypeEnablesTheCoordinates();
    void addTrimsItsTexts();
    void addReadsCoordinates_data();
    void addReadsCoordinates();
    void editOpensOn_data();
    void editOpensOn();
    void editReturnsTheEditedDefinition();
    void editOfANonMatrixKeepsDefaultCoordinates();
};

void StatisticDialogsTest::addForm()
{
    AddStatisticDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Add statistic"));
    QVERIFY(!lineEdit(&dialog, "nameLineEdit")->isReadOnly());
    QVERIFY(namedChild<QRadioButton>(&dialog, "scalarRadioButton")->isChecked());
    QVERIFY(!lineEdit(&dialog, "rowLineEdit")->isEnabled());
    QVERIFY(!lineEdit(&dialog, "colLineEdit")->isEnabled());
    QCOMPARE(namedChild<QDialogButtonBox>(&dialog, "buttonBox")->standardButtons(),
             QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
}

// Only a matrix result has coordinates; they keep what was typed while off.
void StatisticDialogsTest::resultTypeEnablesTheCoordinates()
{
    AddStatisticDialog dialog;
    dialog.show();
    QLineEdit *row = lineEdit(&dialog, "rowLineEdit");
    QLineEdit *col = lineEdit(&dialog, "colLineEdit");
    click(&dialog, "matrixRadioButton");
    QCOMPARE(dialog.resultType(), Command::ResultType::Matrix);
    QVERIFY(row->isEnabled());
    QVERIFY(col->isEnabled());
    QTest::keyClicks(row, QStringLiteral("2"));
    QTest::keyClicks(col, QStringLiteral("3"));
    click(&dialog, "macroRadioButton");
    QCOMPARE(dialog.resultType(), Command::ResultType::Macro);
    QVERIFY(!row->isEnabled());
    QVERIFY(!col->isEnabled());
    QCOMPARE(row->text(), QStringLiteral("2"));
    QCOMPARE(col->text(), QStringLiteral("3"));
    click(&dialog, "matrixRadioButton");
    click(&dialog, "scalarRadioButton");
    QCOMPARE(dialog.resultType(), Command::ResultType::Scalar);
    QVERIFY(!row->isEnabled());
    QCOMPARE(col->text(), QStringLiteral("3"));
}

void StatisticDialogsTest::addTrimsItsTexts()
{
    AddStatisticDialog dialog;
    dialog.show();
    QTest::keyClicks(lineEdit(&dialog, "nameLineEdit"), QStringLiteral("  mean "));
    QTest::keyClicks(lineEdit(&dialog, "commandFormatLineEdit"),
                     QStringLiteral(" summarize #var #if  "));
    QTest::keyClicks(lineEdit(&dialog, "resultLineEdit"), QStringLiteral("\tr(mean) "));
    clickOk(&dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.name(), QStringLiteral("mean"));
    QCOMPARE(dialog.commandFormat(), QStringLiteral("summarize #var #if"));
    QCOMPARE(dialog.resultName(), QStringLiteral("r(mean)"));
    QCOMPARE(dialog.resultType(), Command::ResultType::Scalar);
}

void StatisticDialogsTest::addReadsCoordinates_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("read");
    dataRow("number", "2", 2);
    dataRow("blanks around", " 12 ", 12);
    dataRow("letter", "x", 0);
    dataRow("empty", "", 0);
    dataRow("number then letter", "3a", 0);
}

void StatisticDialogsTest::addReadsCoordinates()
{
    QFETCH(QString, typed);
    QFETCH(int, read);
    AddStatisticDialog dialog;
    dialog.show();
    click(&dialog, "matrixRadioButton");
    QTest::keyClicks(lineEdit(&dialog, "rowLineEdit"), typed);
    QTest::keyClicks(lineEdit(&dialog, "colLineEdit"), typed);
    QCOMPARE(dialog.matrixRow(), read);
    QCOMPARE(dialog.matrixColumn(), read);
    QCOMPARE(dialog.resultType(), Command::ResultType::Matrix);
}

// The edit dialog opens on the definition and, untouched, gives it back.
void StatisticDialogsTest::editOpensOn_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("radioButton");
    QTest::addColumn<QString>("coordinates");
    QTest::newRow("scalar") << mean << "scalarRadioButton"
                            << ",";
    QTest::newRow("macro") << Command(QStringLiteral("lbl"), QStringLiteral("describe #var"),
                                      QStringLiteral("r(varlabel)"), Command::ResultType::Macro, 1,
                                      1)
                           << "macroRadioButton"
                           << ",";
    QTest::newRow("matrix") << Command(QStringLiteral("share"),
                                       QStringLiteral("tabulate #var #if, matcell(M)"),
                                       QStringLiteral("M"), Command::ResultType::Matrix, 2, 3)
                            << "matrixRadioButton"
                            << "2,3";
}

void StatisticDialogsTest::editOpensOn()
{
    QFETCH(Command, command);
    QFETCH(QString, radioButton);
    QFETCH(QString, coordinates);
    EditStatisticDialog dialog(command);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit statistic"));
    QCOMPARE(lineEdit(&dialog, "statisticNameLineEdit")->text(), command.name());
    QCOMPARE(lineEdit(&dialog, "commandFormatLineEdit")->text(), command.format());
    QCOMPARE(lineEdit(&dialog, "resultLineEdit")->text(), command.result());
    QVERIFY(namedChild<QRadioButton>(&dialog, radioButton)->isChecked());
    QLineEdit *row = lineEdit(&dialog, "rowLineEdit");
    QLineEdit *col = lineEdit(&dialog, "colLineEdit");
    QCOMPARE(row->text() + QLatin1Char(',') + col->text(), coordinates);
    QCOMPARE(row->isEnabled(), command.resultType() == Command::ResultType::Matrix);
    QCOMPARE(col->isEnabled(), command.resultType() == Command::ResultType::Matrix);
    const Command unchanged = dialog.command();
    QCOMPARE(unchanged.name(), command.name());
    QCOMPARE(unchanged.format(), command.format());
    QCOMPARE(unchanged.result(), command.result());
    QCOMPARE(unchanged.resultType(), command.resultType());
    if (command.resultType() == Command::ResultType::Matrix) {
        QCOMPARE(unchanged.resultMatrixRow(), command.resultMatrixRow());
        QCOMPARE(unchanged.resultMatrixColumn(), command.resultMatrixColumn());
    }
}

void StatisticDialogsTest::editReturnsTheEditedDefinition()
{
    EditStatisticDialog dialog(mean);
    dialog.show();
    QLineEdit *name = lineEdit(&dialog, "statisticNameLineEdit");
    QVERIFY(name->isReadOnly());
    QTest::keyClicks(name, QStringLiteral("x"));
    QCOMPARE(name->text(), QStringLiteral("mean"));
    retype(lineEdit(&dialog, "commandFormatLineEdit"), QStringLiteral("  tabstat #var #if, save "));
    retype(lineEdit(&dialog, "resultLineEdit"), QStringLiteral(" r(StatTotal) "));
    click(&dialog, "matrixRadioButton");
    QTest::keyClicks(lineEdit(&dialog, "rowLineEdit"), QStringLiteral(" 1 "));
    QTest::keyClicks(lineEdit(&dialog, "colLineEdit"), QStringLiteral("x"));
    clickOk(&dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const Command edited = dialog.command();
    QCOMPARE(edited.name(), QStringLiteral("mean"));
    QCOMPARE(edited.format(), QStringLiteral("tabstat #var #if, save"));
    QCOMPARE(edited.result(), QStringLiteral("r(StatTotal)"));
    QCOMPARE(edited.resultType(), Command::ResultType::Matrix);
    QCOMPARE(edited.resultMatrixRow(), 1);
    QCOMPARE(edited.resultMatrixColumn(), 0);
}

void StatisticDialogsTest::editOfANonMatrixKeepsDefaultCoordinates()
{
    EditStatisticDialog dialog(Command(QStringLiteral("share"), QStringLiteral("tab #var"),
                                       QStringLiteral("M"), Command::ResultType::Matrix, 4, 5));
    dialog.show();
    click(&dialog, "scalarRadioButton");
    const Command edited = dialog.command();
    QCOMPARE(edited.resultType(), Command::ResultType::Scalar);
    QCOMPARE(edited.resultMatrixRow(), Command().resultMatrixRow());
    QCOMPARE(edited.resultMatrixColumn(), Command().resultMatrixColumn());
}

QTEST_MAIN(StatisticDialogsTest)
#include "StatisticDialogsTest.moc"
