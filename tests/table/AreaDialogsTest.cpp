#include "DataRows.h"
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

QPushButton *button(QWidget *dialog, QDialogButtonBox::StandardButton which)
{
    return namedChild<QDialogButtonBox>(dialog, QStringLiteral("buttonBox"))->button(which);
}

// Queues the answer to one add dialog: notes what it shows on opening as
// "name [selected] condition", then types the name over it and the condition
// and clicks OK, or clicks Cancel when no name is given.
void answerAddDialog(ModalAnswerer &answerer, const QString &name, const QString &condition,
                     QString *shown)
{
    answerer.enqueue([=](QWidget *dialog) {
        QLineEdit *nameEdit = lineEdit(dialog, "nameLineEdit");
        *shown = QStringLiteral("%1 [%2] %3")
                     .arg(nameEdit->text(), nameEdit->selectedText(),
                          lineEdit(dialog, "conditionLineEdit")->text());
        if (name.isNull()) {
            QTest::mouseClick(button(dialog, QDialogButtonBox::Cancel), Qt::LeftButton);
            return;
        }
        nameEdit->selectAll();
        QTest::keyClicks(nameEdit, name);
        QTest::keyClicks(lineEdit(dialog, "conditionLineEdit"), condition);
        QTest::mouseClick(button(dialog, QDialogButtonBox::Ok), Qt::LeftButton);
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
        QCOMPARE(suggested.windowTitle(), QStringLiteral("Add area"));
        QCOMPARE(lineEdit(&suggested, "nameLineEdit")->selectedText(), QStringLiteral("north"));
        QVERIFY(button(&suggested, QDialogButtonBox::Ok)->isEnabled());

        AddAreaDialog dialog{QString()};
        QLineEdit *name = lineEdit(&dialog, "nameLineEdit");
        QPushButton *ok = button(&dialog, QDialogButtonBox::Ok);
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

    void askForNewArea_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("retry"); // typed after the refusal; null: Cancel
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QString>("condition"); // of the area made; null: none
        dataRow("free name", " south ", "", QStringList{"south"}, "region==2");
        dataRow("taken, then another", " north ", "north-east", QStringList{"north", "north-east"},
                "region==9");
        QTest::newRow("taken, then cancelled")
            << " north " << QString() << QStringList{"north"} << QString();
    }

    // A taken name is refused with a message and comes back selected; a
    // cancel there gives no area at all.
    void askForNewArea()
    {
        QFETCH(QString, first);
        QFETCH(QString, retry);
        QFETCH(QStringList, asked);
        QFETCH(QString, condition);
        const bool taken = first.trimmed() == QLatin1String("north");
        ModalAnswerer answerer;
        QString message, shownFirst, shownAgain;
        answerAddDialog(answerer, first, QStringLiteral("region==2"), &shownFirst);
        if (taken) {
            answerer.answerMessageBox(QMessageBox::Ok, &message);
            answerAddDialog(answerer, retry, QStringLiteral("region==9"), &shownAgain);
        }
        QStringList names;
        const std::optional<Area> area =
            AddAreaDialog::askForNewArea(nullptr, [&names](const QString &name) {
                names.append(name);
                return name == QLatin1String("north");
            });
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(shownFirst, QStringLiteral(" [] "));
        QCOMPARE(names, asked);
        if (taken) {
            QCOMPARE(
                message,
                QStringLiteral("The area name north already exists.\nPlease choose another name"));
            QCOMPARE(shownAgain, QStringLiteral("north [north] "));
        }
        QCOMPARE(area.has_value(), !condition.isNull());
        if (area) {
            QCOMPARE(area->name(), asked.last());
            QCOMPARE(area->condition(), condition);
        }
    }

    void assignDialogListsAreasInNameOrder()
    {
        AreaCollection areas;
        AssignAreaDialog empty(&areas);
        QCOMPARE(namedChild<QListWidget>(&empty, QStringLiteral("areaListWidget"))->count(), 0);
        QCOMPARE(empty.areaName(), QString());

        areas.insert(Area(QStringLiteral("b"), QStringLiteral("x==2")));
        areas.insert(Area(QStringLiteral("a"), QStringLiteral("x==1")));
        areas.insert(Area(QStringLiteral("Z"), QStringLiteral("x==26")));
        AssignAreaDialog dialog(&areas);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Assign area"));
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
