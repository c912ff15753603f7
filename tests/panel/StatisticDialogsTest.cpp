#include "panel/AddStatisticDialog.h"
#include "panel/EditStatisticDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

template <typename Widget>
Widget *child(const QWidget *dialog, const char *name)
{
    return dialog->findChild<Widget *>(QString::fromLatin1(name));
}

void retype(QLineEdit *lineEdit, const QString &text)
{
    lineEdit->selectAll();
    QTest::keyClick(lineEdit, Qt::Key_Delete);
    QTest::keyClicks(lineEdit, text);
}

void clickOk(QWidget *dialog)
{
    child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok)->click();
}

} // namespace

class StatisticDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void addForm();
    void editForm();
    void matrixEnablesTheCoordinates();
    void addTrimsItsTexts();
    void addReadsCoordinates_data();
    void addReadsCoordinates();
    void addResultType_data();
    void addResultType();
    void editOpensOnAMatrixStatistic();
    void editOpensOnAMacroStatistic();
    void editNameCannotChange();
    void editReturnsTheEditedDefinition();
    void editOfANonMatrixKeepsDefaultCoordinates();
};

void StatisticDialogsTest::addForm()
{
    AddStatisticDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Add statistic"));
    QCOMPARE(dialog.minimumHeight(), 347);
    QCOMPARE(dialog.maximumHeight(), 347);
    QCOMPARE(child<QLabel>(&dialog, "nameLabel")->text(), QStringLiteral("Name:"));
    QVERIFY(!child<QLineEdit>(&dialog, "nameLineEdit")->isReadOnly());
    QCOMPARE(child<QLabel>(&dialog, "commandFormatLabel")->text(),
             QStringLiteral("Command format:"));
    QVERIFY(child<QLineEdit>(&dialog, "commandFormatLineEdit"));
    QCOMPARE(child<QLabel>(&dialog, "resultLabel")->text(), QStringLiteral("Result"));
    QVERIFY(child<QLineEdit>(&dialog, "resultLineEdit"));
    QCOMPARE(child<QGroupBox>(&dialog, "groupBox")->title(), QStringLiteral("Result type"));
    QCOMPARE(child<QRadioButton>(&dialog, "scalarRadioButton")->text(), QStringLiteral("Scalar"));
    QVERIFY(child<QRadioButton>(&dialog, "scalarRadioButton")->isChecked());
    QCOMPARE(child<QRadioButton>(&dialog, "macroRadioButton")->text(), QStringLiteral("Macro"));
    QCOMPARE(child<QRadioButton>(&dialog, "matrixRadioButton")->text(), QStringLiteral("Matrix"));
    QCOMPARE(child<QGroupBox>(&dialog, "resultMatrixCoordsGroup")->title(),
             QStringLiteral("Result matrix coords"));
    QCOMPARE(child<QLabel>(&dialog, "rowLabel")->text(), QStringLiteral("Row"));
    QCOMPARE(child<QLabel>(&dialog, "colLabel")->text(), QStringLiteral("Col"));
    QVERIFY(!child<QLineEdit>(&dialog, "rowLineEdit")->isEnabled());
    QVERIFY(!child<QLineEdit>(&dialog, "colLineEdit")->isEnabled());
    QCOMPARE(child<QDialogButtonBox>(&dialog, "buttonBox")->standardButtons(),
             QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
}

void StatisticDialogsTest::editForm()
{
    EditStatisticDialog dialog(Command(QStringLiteral("mean"), QStringLiteral("summarize #var #if"),
                                       QStringLiteral("r(mean)"), T::Scalar, 1, 1));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit statistic"));
    QCOMPARE(dialog.minimumHeight(), 347);
    QCOMPARE(dialog.maximumHeight(), 347);
    QCOMPARE(child<QLabel>(&dialog, "statisticNameLabel")->text(), QStringLiteral("Name:"));
    QCOMPARE(child<QLabel>(&dialog, "resultLabel")->text(), QStringLiteral("Result:"));
    QCOMPARE(child<QGroupBox>(&dialog, "resultTypeGroupBox")->title(),
             QStringLiteral("Result type"));
    QCOMPARE(child<QGroupBox>(&dialog, "resultMatrixCoordsGroupBox")->title(),
             QStringLiteral("Result matrix coords"));
    QCOMPARE(child<QLineEdit>(&dialog, "statisticNameLineEdit")->text(), QStringLiteral("mean"));
    QCOMPARE(child<QLineEdit>(&dialog, "commandFormatLineEdit")->text(),
             QStringLiteral("summarize #var #if"));
    QCOMPARE(child<QLineEdit>(&dialog, "resultLineEdit")->text(), QStringLiteral("r(mean)"));
    QVERIFY(child<QRadioButton>(&dialog, "scalarRadioButton")->isChecked());
    QVERIFY(!child<QLineEdit>(&dialog, "rowLineEdit")->isEnabled());
    QVERIFY(!child<QLineEdit>(&dialog, "colLineEdit")->isEnabled());
}

void StatisticDialogsTest::matrixEnablesTheCoordinates()
{
    AddStatisticDialog dialog;
    dialog.show();
    QLineEdit *row = child<QLineEdit>(&dialog, "rowLineEdit");
    QLineEdit *col = child<QLineEdit>(&dialog, "colLineEdit");
    QTest::mouseClick(child<QRadioButton>(&dialog, "matrixRadioButton"), Qt::LeftButton);
    QVERIFY(row->isEnabled());
    QVERIFY(col->isEnabled());
    QTest::keyClicks(row, QStringLiteral("2"));
    QTest::keyClicks(col, QStringLiteral("3"));
    QTest::mouseClick(child<QRadioButton>(&dialog, "macroRadioButton"), Qt::LeftButton);
    QVERIFY(!row->isEnabled());
    QVERIFY(!col->isEnabled());
    QCOMPARE(row->text(), QStringLiteral("2"));
    QCOMPARE(col->text(), QStringLiteral("3"));
    QTest::mouseClick(child<QRadioButton>(&dialog, "matrixRadioButton"), Qt::LeftButton);
    QTest::mouseClick(child<QRadioButton>(&dialog, "scalarRadioButton"), Qt::LeftButton);
    QVERIFY(!row->isEnabled());
    QCOMPARE(col->text(), QStringLiteral("3"));
}

void StatisticDialogsTest::addTrimsItsTexts()
{
    AddStatisticDialog dialog;
    dialog.show();
    QTest::keyClicks(child<QLineEdit>(&dialog, "nameLineEdit"), QStringLiteral("  mean "));
    QTest::keyClicks(child<QLineEdit>(&dialog, "commandFormatLineEdit"),
                     QStringLiteral(" summarize #var #if  "));
    QTest::keyClicks(child<QLineEdit>(&dialog, "resultLineEdit"), QStringLiteral("\tr(mean) "));
    clickOk(&dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.name(), QStringLiteral("mean"));
    QCOMPARE(dialog.commandFormat(), QStringLiteral("summarize #var #if"));
    QCOMPARE(dialog.resultName(), QStringLiteral("r(mean)"));
    QCOMPARE(dialog.resultType(), T::Scalar);
}

void StatisticDialogsTest::addReadsCoordinates_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("read");
    QTest::newRow("number") << "2" << 2;
    QTest::newRow("blanks around") << " 12 " << 12;
    QTest::newRow("letter") << "x" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("number then letter") << "3a" << 0;
}

void StatisticDialogsTest::addReadsCoordinates()
{
    QFETCH(QString, typed);
    QFETCH(int, read);
    AddStatisticDialog dialog;
    dialog.show();
    QTest::mouseClick(child<QRadioButton>(&dialog, "matrixRadioButton"), Qt::LeftButton);
    QTest::keyClicks(child<QLineEdit>(&dialog, "rowLineEdit"), typed);
    QTest::keyClicks(child<QLineEdit>(&dialog, "colLineEdit"), typed);
    QCOMPARE(dialog.matrixRow(), read);
    QCOMPARE(dialog.matrixColumn(), read);
    QCOMPARE(dialog.resultType(), T::Matrix);
}

void StatisticDialogsTest::addResultType_data()
{
    QTest::addColumn<QString>("radioButton");
    QTest::addColumn<int>("type");
    QTest::newRow("scalar") << "scalarRadioButton" << int(T::Scalar);
    QTest::newRow("macro") << "macroRadioButton" << int(T::Macro);
    QTest::newRow("matrix") << "matrixRadioButton" << int(T::Matrix);
}

void StatisticDialogsTest::addResultType()
{
    QFETCH(QString, radioButton);
    QFETCH(int, type);
    AddStatisticDialog dialog;
    dialog.show();
    QTest::mouseClick(dialog.findChild<QRadioButton *>(radioButton), Qt::LeftButton);
    QCOMPARE(int(dialog.resultType()), type);
}

void StatisticDialogsTest::editOpensOnAMatrixStatistic()
{
    EditStatisticDialog dialog(Command(QStringLiteral("share"),
                                       QStringLiteral("tabulate #var #if, matcell(M)"),
                                       QStringLiteral("M"), T::Matrix, 2, 3));
    QVERIFY(child<QRadioButton>(&dialog, "matrixRadioButton")->isChecked());
    QLineEdit *row = child<QLineEdit>(&dialog, "rowLineEdit");
    QLineEdit *col = child<QLineEdit>(&dialog, "colLineEdit");
    QCOMPARE(row->text(), QStringLiteral("2"));
    QCOMPARE(col->text(), QStringLiteral("3"));
    QVERIFY(row->isEnabled());
    QVERIFY(col->isEnabled());
    const Command unchanged = dialog.command();
    QCOMPARE(unchanged.resultType(), T::Matrix);
    QCOMPARE(unchanged.resultMatrixRow(), 2);
    QCOMPARE(unchanged.resultMatrixColumn(), 3);
}

void StatisticDialogsTest::editOpensOnAMacroStatistic()
{
    EditStatisticDialog dialog(Command(QStringLiteral("lbl"), QStringLiteral("describe #var"),
                                       QStringLiteral("r(varlabel)"), T::Macro, 1, 1));
    QVERIFY(child<QRadioButton>(&dialog, "macroRadioButton")->isChecked());
    QVERIFY(!child<QLineEdit>(&dialog, "rowLineEdit")->isEnabled());
    QVERIFY(child<QLineEdit>(&dialog, "rowLineEdit")->text().isEmpty());
    QCOMPARE(dialog.command().resultType(), T::Macro);
}

void StatisticDialogsTest::editNameCannotChange()
{
    EditStatisticDialog dialog(Command(QStringLiteral("mean"), QStringLiteral("summarize #var #if"),
                                       QStringLiteral("r(mean)"), T::Scalar, 1, 1));
    dialog.show();
    QLineEdit *name = child<QLineEdit>(&dialog, "statisticNameLineEdit");
    QVERIFY(name->isReadOnly());
    QTest::keyClicks(name, QStringLiteral("x"));
    QCOMPARE(name->text(), QStringLiteral("mean"));
    QCOMPARE(dialog.command().name(), QStringLiteral("mean"));
}

void StatisticDialogsTest::editReturnsTheEditedDefinition()
{
    EditStatisticDialog dialog(Command(QStringLiteral("mean"), QStringLiteral("summarize #var #if"),
                                       QStringLiteral("r(mean)"), T::Scalar, 1, 1));
    dialog.show();
    retype(child<QLineEdit>(&dialog, "commandFormatLineEdit"),
           QStringLiteral("  tabstat #var #if, save "));
    retype(child<QLineEdit>(&dialog, "resultLineEdit"), QStringLiteral(" r(StatTotal) "));
    QTest::mouseClick(child<QRadioButton>(&dialog, "matrixRadioButton"), Qt::LeftButton);
    QTest::keyClicks(child<QLineEdit>(&dialog, "rowLineEdit"), QStringLiteral(" 1 "));
    QTest::keyClicks(child<QLineEdit>(&dialog, "colLineEdit"), QStringLiteral("x"));
    clickOk(&dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const Command edited = dialog.command();
    QCOMPARE(edited.name(), QStringLiteral("mean"));
    QCOMPARE(edited.format(), QStringLiteral("tabstat #var #if, save"));
    QCOMPARE(edited.result(), QStringLiteral("r(StatTotal)"));
    QCOMPARE(edited.resultType(), T::Matrix);
    QCOMPARE(edited.resultMatrixRow(), 1);
    QCOMPARE(edited.resultMatrixColumn(), 0);
}

void StatisticDialogsTest::editOfANonMatrixKeepsDefaultCoordinates()
{
    EditStatisticDialog dialog(Command(QStringLiteral("share"), QStringLiteral("tab #var"),
                                       QStringLiteral("M"), T::Matrix, 4, 5));
    dialog.show();
    QTest::mouseClick(child<QRadioButton>(&dialog, "scalarRadioButton"), Qt::LeftButton);
    const Command edited = dialog.command();
    QCOMPARE(edited.resultType(), T::Scalar);
    QCOMPARE(edited.resultMatrixRow(), Command().resultMatrixRow());
    QCOMPARE(edited.resultMatrixColumn(), Command().resultMatrixColumn());
}

QTEST_MAIN(StatisticDialogsTest)
#include "StatisticDialogsTest.moc"
