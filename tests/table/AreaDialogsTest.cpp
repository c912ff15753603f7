#include "DialogControls.h"
#include "ModalAnswerer.h"
#include "model/AreaCollection.h"
#include "table/AddAreaDialog.h"
#include "table/AssignAreaDialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {

QLineEdit *lineEdit(QWidget *dialog, const char *name)
{
    return namedChild<QLineEdit>(dialog, QLatin1String(name));
}

// Queues the answer to one add dialog: notes what it shows on opening as
// "name [selected] condition", then types the name over it and the condition
// and clicks OK, or clicks Cancel when no name is given.
void answerAddDialog(ModalAnswerer &answerer, const QString &name, QString *shown)
{
    answerer.enqueue([=](QWidget *dialog) {
        QLineEdit *nameEdit = lineEdit(dialog, "nameLineEdit");
        *shown = QStringLiteral("%1 [%2] %3")
                     .arg(nameEdit->text(), nameEdit->selectedText(),
                          lineEdit(dialog, "conditionLineEdit")->text());
        if (!name.isNull()) {
            nameEdit->selectAll();
            QTest::keyClicks(nameEdit, name);
            QTest::keyClicks(lineEdit(dialog, "conditionLineEdit"), QStringLiteral("region==9"));
        }
        clickButton(dialog, name.isNull() ? QDialogButtonBox::Cancel : QDialogButtonBox::Ok);
    });
}

} // namespace

class AreaDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    // Opens on the suggested name, selected; trims both texts; OK needs a
    // name that is not blank.
    void addDialog()
    {
        AddAreaDialog suggested(QStringLiteral("north"));
        QCOMPARE(lineEdit(&suggested, "nameLineEdit")->selectedText(), QStringLiteral("north"));
        AddAreaDialog dialog{QString()};
        QLineEdit *name = lineEdit(&dialog, "nameLineEdit");
        QPushButton *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        QVERIFY(!ok->isEnabled());
        QTest::keyClicks(name, QStringLiteral("   "));
        QVERIFY(!ok->isEnabled());
        QTest::keyClicks(name, QStringLiteral("s"));
        QVERIFY(ok->isEnabled());
        QTest::keyClick(name, Qt::Key_Backspace);
        QVERIFY(!ok->isEnabled());
        QTest::keyClicks(name, QStringLiteral("north "));
        QTest::keyClicks(lineEdit(&dialog, "conditionLineEdit"), QStringLiteral(" region == 1  "));
        QCOMPARE(dialog.name(), QStringLiteral("north"));
        QCOMPARE(dialog.condition(), QStringLiteral("region == 1"));
    }

    // A taken name is refused with a message and comes back selected; then
    // another name makes the area, and a cancel no area at all.
    void takenNameIsAskedAgain()
    {
        for (const QString &retry : {QStringLiteral("north-east"), QString()}) {
            ModalAnswerer answerer;
            QString message, shownFirst, shownAgain;
            answerAddDialog(answerer, QStringLiteral(" north "), &shownFirst);
            answerer.answerMessageBox(QMessageBox::Ok, &message);
            answerAddDialog(answerer, retry, &shownAgain);
            QStringList asked;
            const std::optional<Area> area =
                AddAreaDialog::askForNewArea(nullptr, [&asked](const QString &name) {
                    asked.append(name);
                    return name == QLatin1String("north");
                });
            QCOMPARE(answerer.pending(), 0);
            QCOMPARE(shownFirst, QStringLiteral(" [] "));
            QCOMPARE(message, QStringLiteral("The area name north already exists.\n"
                                             "Please choose another name"));
            QCOMPARE(shownAgain, QStringLiteral("north [north] "));
            QCOMPARE(asked,
                     QStringList{"north"} + (retry.isNull() ? QStringList() : QStringList{retry}));
            QCOMPARE(area.has_value(), !retry.isNull());
            if (area) {
                QCOMPARE(area->name(), retry);
                QCOMPARE(area->condition(), QStringLiteral("region==9"));
            }
        }
    }

    void assignDialogListsAreasInNameOrder()
    {
        AreaCollection areas;
        areas.insert(Area(QStringLiteral("b"), QStringLiteral("x==2")));
        areas.insert(Area(QStringLiteral("a"), QStringLiteral("x==1")));
        areas.insert(Area(QStringLiteral("Z"), QStringLiteral("x==26")));
        AssignAreaDialog dialog(&areas);
        auto *list = namedChild<QListWidget>(&dialog, QStringLiteral("areaListWidget"));
        QStringList names;
        for (int row = 0; row < list->count(); ++row)
            names.append(list->item(row)->text());
        QCOMPARE(names, (QStringList{"Z", "a", "b"}));
        QCOMPARE(dialog.areaName(), QStringLiteral("Z"));
        QVERIFY(lineEdit(&dialog, "conditionLineEdit")->isReadOnly());
        QCOMPARE(lineEdit(&dialog, "conditionLineEdit")->text(), QStringLiteral("x==26"));
    }
};

QTEST_MAIN(AreaDialogsTest)
#include "AreaDialogsTest.moc"
