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

// A command as "name|format|result|type|row,column".
QString describe(const Command &command)
{
    return QStringLiteral("%1|%2|%3|%4|%5,%6")
        .arg(command.name(), command.format(), command.result())
        .arg(int(command.resultType()))
        .arg(command.resultMatrixRow())
        .arg(command.resultMatrixColumn());
}

} // namespace

Q_DECLARE_METATYPE(Command)

class StatisticDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    // Only a matrix result has coordinates; they keep what was typed while off.
    // The texts lose their blanks.
    void add()
    {
        AddStatisticDialog dialog;
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Add statistic"));
        QLineEdit *row = lineEdit(&dialog, "rowLineEdit");
        QLineEdit *col = lineEdit(&dialog, "colLineEdit");
        QCOMPARE(dialog.resultType(), Command::ResultType::Scalar);
        QVERIFY(!row->isEnabled() && !col->isEnabled());
        click(&dialog, "matrixRadioButton");
        QVERIFY(row->isEnabled() && col->isEnabled());
        QTest::keyClicks(row, QStringLiteral("2"));
        QTest::keyClicks(col, QStringLiteral("3"));
        click(&dialog, "macroRadioButton");
        QCOMPARE(dialog.resultType(), Command::ResultType::Macro);
        QVERIFY(!row->isEnabled() && !col->isEnabled());
        QCOMPARE(row->text() + col->text(), QStringLiteral("23"));
        // Coordinates are whole numbers, blanks around allowed; anything else is 0.
        click(&dialog, "matrixRadioButton");
        for (const auto &[typed, read] :
             {std::pair{"2", 2}, {" 12 ", 12}, {"x", 0}, {"", 0}, {"3a", 0}}) {
            for (QLineEdit *edit : {row, col}) {
                edit->clear();
                QTest::keyClicks(edit, typed);
            }
            QCOMPARE(dialog.matrixRow(), read);
            QCOMPARE(dialog.matrixColumn(), read);
        }
        click(&dialog, "scalarRadioButton");
        QVERIFY(!row->isEnabled());

        QTest::keyClicks(lineEdit(&dialog, "nameLineEdit"), QStringLiteral("  mean "));
        QTest::keyClicks(lineEdit(&dialog, "commandFormatLineEdit"),
                         QStringLiteral(" summarize #var #if  "));
        QTest::keyClicks(lineEdit(&dialog, "resultLineEdit"), QStringLiteral("\tr(mean) "));
        clickOk(&dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(QStringList({dialog.name(), dialog.commandFormat(), dialog.resultName()}),
                 QStringList({"mean", "summarize #var #if", "r(mean)"}));
        QCOMPARE(dialog.resultType(), Command::ResultType::Scalar);
    }

    // The edit dialog opens on the definition and, untouched, gives it back.
    void editOpensOn_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("radioButton");
        QTest::addColumn<QString>("coordinates");
        using T = Command::ResultType;
        dataRow("scalar", Command("mean", "summarize #var #if", "r(mean)", T::Scalar, 1, 1),
                "scalarRadioButton", "");
        dataRow("macro", Command("lbl", "describe #var", "r(varlabel)", T::Macro, 1, 1),
                "macroRadioButton", "");
        dataRow("matrix", Command("share", "tabulate #var #if, matcell(M)", "M", T::Matrix, 2, 3),
                "matrixRadioButton", "23");
    }

    void editOpensOn()
    {
        QFETCH(Command, command);
        QFETCH(QString, radioButton);
        EditStatisticDialog dialog(command);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit statistic"));
        QCOMPARE(QStringList({lineEdit(&dialog, "statisticNameLineEdit")->text(),
                              lineEdit(&dialog, "commandFormatLineEdit")->text(),
                              lineEdit(&dialog, "resultLineEdit")->text()}),
                 QStringList({command.name(), command.format(), command.result()}));
        QVERIFY(namedChild<QRadioButton>(&dialog, radioButton)->isChecked());
        QLineEdit *row = lineEdit(&dialog, "rowLineEdit");
        QLineEdit *col = lineEdit(&dialog, "colLineEdit");
        QTEST(row->text() + col->text(), "coordinates");
        QCOMPARE(row->isEnabled(), command.resultType() == Command::ResultType::Matrix);
        QCOMPARE(col->isEnabled(), row->isEnabled());
        QCOMPARE(describe(dialog.command()), describe(command));
    }

    // The name stays; the rest is read as the add dialog reads it.
    void editReturnsTheEditedDefinition()
    {
        EditStatisticDialog dialog(
            Command("mean", "summarize #var #if", "r(mean)", Command::ResultType::Scalar, 1, 1));
        dialog.show();
        QLineEdit *name = lineEdit(&dialog, "statisticNameLineEdit");
        QTest::keyClicks(name, QStringLiteral("x"));
        QCOMPARE(name->text(), QStringLiteral("mean"));
        lineEdit(&dialog, "commandFormatLineEdit")->clear();
        lineEdit(&dialog, "resultLineEdit")->clear();
        QTest::keyClicks(lineEdit(&dialog, "commandFormatLineEdit"), "  tabstat #var #if, save ");
        QTest::keyClicks(lineEdit(&dialog, "resultLineEdit"), " r(StatTotal) ");
        click(&dialog, "matrixRadioButton");
        QTest::keyClicks(lineEdit(&dialog, "rowLineEdit"), QStringLiteral(" 1 "));
        QTest::keyClicks(lineEdit(&dialog, "colLineEdit"), QStringLiteral("x"));
        clickOk(&dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(describe(dialog.command()),
                 QStringLiteral("mean|tabstat #var #if, save|r(StatTotal)|2|1,0"));

        // Coordinates belong to a matrix only.
        click(&dialog, "scalarRadioButton");
        QCOMPARE(describe(dialog.command()),
                 QStringLiteral("mean|tabstat #var #if, save|r(StatTotal)|0|%1,%2")
                     .arg(Command().resultMatrixRow())
                     .arg(Command().resultMatrixColumn()));
    }
};

QTEST_MAIN(StatisticDialogsTest)
#include "StatisticDialogsTest.moc"
