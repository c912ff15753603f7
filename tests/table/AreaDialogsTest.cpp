#include "ModalAnswerer.h"
#include "model/AreaCollection.h"
#include "table/AddAreaDialog.h"
#include "table/AssignAreaDialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

QLineEdit *lineEdit(QWidget *dialog, const char *name)
{
    return dialog->findChild<QLineEdit *>(QLatin1String(name));
}

QPushButton *okButton(QWidget *dialog)
{
    return dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
}

// Queues the answer to one add dialog: types the name and condition, then
// clicks OK; remembers what the dialog showed when it opened.
void answerAddDialog(ModalAnswerer &answerer, const QString &name, const QString &condition,
                     QString *shownName = nullptr, QString *shownSelection = nullptr,
                     QString *shownCondition = nullptr)
{
    answerer.enqueue([=](QWidget *dialog) {
        QLineEdit *nameEdit = lineEdit(dialog, "nameLineEdit");
        QLineEdit *conditionEdit = lineEdit(dialog, "conditionLineEdit");
        if (shownName)
            *shownName = nameEdit->text();
        if (shownSelection)
            *shownSelection = nameEdit->selectedText();
        if (shownCondition)
            *shownCondition = conditionEdit->text();
        nameEdit->selectAll();
        QTest::keyClicks(nameEdit, name);
        QTest::keyClicks(conditionEdit, condition);
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);
    });
}

void answerCancel(ModalAnswerer &answerer, QString *shownName = nullptr,
                  QString *shownSelection = nullptr, QString *shownCondition = nullptr)
{
    answerer.enqueue([=](QWidget *dialog) {
        if (shownName)
            *shownName = lineEdit(dialog, "nameLineEdit")->text();
        if (shownSelection)
            *shownSelection = lineEdit(dialog, "nameLineEdit")->selectedText();
        if (shownCondition)
            *shownCondition = lineEdit(dialog, "conditionLineEdit")->text();
        QTest::mouseClick(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel),
                          Qt::LeftButton);
    });
}

} // namespace

class AreaDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void addDialogForm();
    void addDialogTrimsNameAndCondition();
    void addDialogRefusesABlankName();
    void newAreaWhenTheNameIsFree();
    void duplicateNameIsReportedAndShownAgain();
    void cancelAfterTheFirstDialogGivesNothing();
    void assignDialogListsAreasInNameOrder();
    void assignDialogFollowsTheCurrentArea();
    void assignDialogWithoutAreas();
};

void AreaDialogsTest::addDialogForm()
{
    AddAreaDialog dialog(QStringLiteral("north"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Add area"));
    QLineEdit *name = lineEdit(&dialog, "nameLineEdit");
    QCOMPARE(name->text(), QStringLiteral("north"));
    QCOMPARE(name->selectedText(), QStringLiteral("north"));
    QVERIFY(lineEdit(&dialog, "conditionLineEdit")->text().isEmpty());
    QVERIFY(okButton(&dialog)->isEnabled());
}

void AreaDialogsTest::addDialogTrimsNameAndCondition()
{
    AddAreaDialog dialog{QString()};
    QTest::keyClicks(lineEdit(&dialog, "nameLineEdit"), QStringLiteral("  north "));
    QTest::keyClicks(lineEdit(&dialog, "conditionLineEdit"), QStringLiteral(" region == 1  "));
    QCOMPARE(dialog.name(), QStringLiteral("north"));
    QCOMPARE(dialog.condition(), QStringLiteral("region == 1"));
}

void AreaDialogsTest::addDialogRefusesABlankName()
{
    AddAreaDialog dialog{QString()};
    QLineEdit *name = lineEdit(&dialog, "nameLineEdit");
    QVERIFY(!okButton(&dialog)->isEnabled());
    QTest::keyClicks(name, QStringLiteral("   "));
    QVERIFY(!okButton(&dialog)->isEnabled());
    QTest::keyClicks(name, QStringLiteral("s"));
    QVERIFY(okButton(&dialog)->isEnabled());
    QTest::keyClick(name, Qt::Key_Backspace);
    QVERIFY(!okButton(&dialog)->isEnabled());
}

void AreaDialogsTest::newAreaWhenTheNameIsFree()
{
    ModalAnswerer answerer;
    QString shownName = QStringLiteral("unset");
    answerAddDialog(answerer, QStringLiteral(" south "), QStringLiteral(" region==2 "), &shownName);
    QStringList asked;
    const std::optional<Area> area =
        AddAreaDialog::askForNewArea(nullptr, [&asked](const QString &name) {
            asked.append(name);
            return false;
        });
    QVERIFY(area.has_value());
    QCOMPARE(area->name(), QStringLiteral("south"));
    QCOMPARE(area->condition(), QStringLiteral("region==2"));
    QCOMPARE(shownName, QString());
    QCOMPARE(asked, QStringList{QStringLiteral("south")});
    QCOMPARE(answerer.pending(), 0);
}

void AreaDialogsTest::duplicateNameIsReportedAndShownAgain()
{
    ModalAnswerer answerer;
    QString message, shownName, shownSelection, shownCondition = QStringLiteral("unset");
    answerAddDialog(answerer, QStringLiteral(" north "), QStringLiteral("region==1"));
    answerer.answerMessageBox(QMessageBox::Ok, &message);
    answerAddDialog(answerer, QStringLiteral("north-east"), QStringLiteral("region==9"), &shownName,
                    &shownSelection, &shownCondition);

    const std::optional<Area> area = AddAreaDialog::askForNewArea(
        nullptr, [](const QString &name) { return name == QLatin1String("north"); });
    QCOMPARE(answerer.seen(), (QStringList{"AddAreaDialog", "QMessageBox", "AddAreaDialog"}));
    QCOMPARE(message,
             QStringLiteral("The area name north already exists.\nPlease choose another name"));
    QCOMPARE(shownName, QStringLiteral("north"));
    QCOMPARE(shownSelection, QStringLiteral("north"));
    QCOMPARE(shownCondition, QString());
    QVERIFY(area.has_value());
    QCOMPARE(area->name(), QStringLiteral("north-east"));
    QCOMPARE(area->condition(), QStringLiteral("region==9"));
}

void AreaDialogsTest::cancelAfterTheFirstDialogGivesNothing()
{
    ModalAnswerer answerer;
    QString shownName;
    answerAddDialog(answerer, QStringLiteral("north"), QStringLiteral("region==1"));
    answerer.answerMessageBox(QMessageBox::Ok);
    answerCancel(answerer, &shownName);
    const std::optional<Area> area = AddAreaDialog::askForNewArea(
        nullptr, [](const QString &name) { return name == QLatin1String("north"); });
    QVERIFY(!area.has_value());
    QCOMPARE(shownName, QStringLiteral("north"));
    QCOMPARE(answerer.pending(), 0);
}

void AreaDialogsTest::assignDialogListsAreasInNameOrder()
{
    AreaCollection areas;
    areas.insert(Area(QStringLiteral("b"), QStringLiteral("x==2")));
    areas.insert(Area(QStringLiteral("a"), QStringLiteral("x==1")));
    areas.insert(Area(QStringLiteral("Z"), QStringLiteral("x==26")));
    AssignAreaDialog dialog(&areas);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Assign area"));
    auto *list = dialog.findChild<QListWidget *>(QStringLiteral("areaListWidget"));
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names.append(list->item(row)->text());
    QCOMPARE(names, (QStringList{"Z", "a", "b"}));
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(dialog.areaName(), QStringLiteral("Z"));
    QLineEdit *condition = lineEdit(&dialog, "conditionLineEdit");
    QVERIFY(condition->isReadOnly());
    QCOMPARE(condition->text(), QStringLiteral("x==26"));
}

void AreaDialogsTest::assignDialogFollowsTheCurrentArea()
{
    AreaCollection areas;
    areas.insert(Area(QStringLiteral("north"), QStringLiteral("region==1")));
    areas.insert(Area(QStringLiteral("south"), QStringLiteral("region==2")));
    AssignAreaDialog dialog(&areas);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *list = dialog.findChild<QListWidget *>(QStringLiteral("areaListWidget"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    QCOMPARE(dialog.areaName(), QStringLiteral("south"));
    QCOMPARE(lineEdit(&dialog, "conditionLineEdit")->text(), QStringLiteral("region==2"));
}

void AreaDialogsTest::assignDialogWithoutAreas()
{
    AreaCollection areas;
    AssignAreaDialog dialog(&areas);
    QCOMPARE(dialog.findChild<QListWidget *>(QStringLiteral("areaListWidget"))->count(), 0);
    QCOMPARE(dialog.areaName(), QString());
    QCOMPARE(lineEdit(&dialog, "conditionLineEdit")->text(), QString());
}

QTEST_MAIN(AreaDialogsTest)
#include "AreaDialogsTest.moc"
