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
                     QString *shown = nullptr)
{
    answerer.enqueue([=](QWidget *dialog) {
        QLineEdit *nameEdit = lineEdit(dialog, "nameLineEdit");
        if (shown)
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

std::optional<Area> askWhileNorthIsTaken(QStringList *asked = nullptr)
{
    return AddAreaDialog::askForNewArea(nullptr, [asked](const QString &name) {
        if (asked)
            asked->append(name);
        return name == QLatin1String("north");
    });
}

QStringList listed(const QListWidget *list)
{
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names.append(list->item(row)->text());
    return names;
}

} // namespace

class AreaDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void addDialog();
    void newAreaWhenTheNameIsFree();
    void duplicateNameIsReportedAndShownAgain_data();
    void duplicateNameIsReportedAndShownAgain();
    void assignDialogListsAreasInNameOrder();
};

// Opens on the suggested name, selected; trims both texts; OK needs a name
// that is not blank.
void AreaDialogsTest::addDialog()
{
    AddAreaDialog suggested(QStringLiteral("north"));
    QCOMPARE(suggested.windowTitle(), QStringLiteral("Add area"));
    QCOMPARE(lineEdit(&suggested, "nameLineEdit")->selectedText(), QStringLiteral("north"));
    QVERIFY(lineEdit(&suggested, "conditionLineEdit")->text().isEmpty());
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

void AreaDialogsTest::newAreaWhenTheNameIsFree()
{
    ModalAnswerer answerer;
    QString shown;
    answerAddDialog(answerer, QStringLiteral(" south "), QStringLiteral(" region==2 "), &shown);
    QStringList asked;
    const std::optional<Area> area = askWhileNorthIsTaken(&asked);
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(shown, QStringLiteral(" [] "));
    QCOMPARE(asked, QStringList{QStringLiteral("south")});
    QVERIFY(area.has_value());
    QCOMPARE(area->name(), QStringLiteral("south"));
    QCOMPARE(area->condition(), QStringLiteral("region==2"));
}

void AreaDialogsTest::duplicateNameIsReportedAndShownAgain_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("another name") << true;
    QTest::newRow("cancelled") << false;
}

// The taken name comes back selected; a cancel there gives no area at all.
void AreaDialogsTest::duplicateNameIsReportedAndShownAgain()
{
    QFETCH(bool, accept);
    ModalAnswerer answerer;
    QString message, shown;
    answerAddDialog(answerer, QStringLiteral(" north "), QStringLiteral("region==1"));
    answerer.answerMessageBox(QMessageBox::Ok, &message);
    answerAddDialog(answerer, accept ? QStringLiteral("north-east") : QString(),
                    QStringLiteral("region==9"), &shown);
    const std::optional<Area> area = askWhileNorthIsTaken();
    QCOMPARE(answerer.seen(), (QStringList{"AddAreaDialog", "QMessageBox", "AddAreaDialog"}));
    QCOMPARE(message,
             QStringLiteral("The area name north already exists.\nPlease choose another name"));
    QCOMPARE(shown, QStringLiteral("north [north] "));
    QCOMPARE(area.has_value(), accept);
    if (accept) {
        QCOMPARE(area->name(), QStringLiteral("north-east"));
        QCOMPARE(area->condition(), QStringLiteral("region==9"));
    }
}

void AreaDialogsTest::assignDialogListsAreasInNameOrder()
{
    AreaCollection areas;
    AssignAreaDialog empty(&areas);
    QVERIFY(listed(namedChild<QListWidget>(&empty, QStringLiteral("areaListWidget"))).isEmpty());
    QCOMPARE(empty.areaName(), QString());
    QCOMPARE(lineEdit(&empty, "conditionLineEdit")->text(), QString());

    areas.insert(Area(QStringLiteral("b"), QStringLiteral("x==2")));
    areas.insert(Area(QStringLiteral("a"), QStringLiteral("x==1")));
    areas.insert(Area(QStringLiteral("Z"), QStringLiteral("x==26")));
    AssignAreaDialog dialog(&areas);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Assign area"));
    auto *list = namedChild<QListWidget>(&dialog, QStringLiteral("areaListWidget"));
    QCOMPARE(listed(list), (QStringList{"Z", "a", "b"}));
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(dialog.areaName(), QStringLiteral("Z"));
    QVERIFY(lineEdit(&dialog, "conditionLineEdit")->isReadOnly());
    QCOMPARE(lineEdit(&dialog, "conditionLineEdit")->text(), QStringLiteral("x==26"));
}

QTEST_MAIN(AreaDialogsTest)
#include "AreaDialogsTest.moc"
