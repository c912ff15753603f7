#include "model/StatisticImport.h"

#include "DataRows.h"

#include <QTest>

namespace {

// "name=format" entries stand for commands; the other fields ride along.
QList<Command> commands(const QStringList &entries)
{
    QList<Command> list;
    for (const QString &entry : entries) {
        const QStringList parts = entry.split(QLatin1Char('='));
        list.append(Command(parts.at(0), parts.value(1), QStringLiteral("r(x)"),
                            Command::ResultType::Scalar, 1, 1));
    }
    return list;
}

QStringList entries(const QList<Command> &commands)
{
    QStringList list;
    for (const Command &command : commands)
        list.append(command.name() + QLatin1Char('=') + command.format());
    return list;
}

} // namespace

class StatisticImportTest : public QObject
{
    Q_OBJECT

private slots:
    void merge_data()
    {
        QTest::addColumn<QStringList>("current");
        QTest::addColumn<QStringList>("imported");
        QTest::addColumn<QStringList>("merged");
        QTest::addColumn<QStringList>("skipped");
        using L = QStringList;
        dataRow("into an empty catalogue", L(), L{"count=c", "mean=m"}, L{"count=c", "mean=m"},
                L());
        dataRow("clash keeps the current definition", L{"mean=mine", "sd=s"},
                L{"count=c", "mean=theirs", "p50=p"}, L{"mean=mine", "sd=s", "count=c", "p50=p"},
                L{"mean"});
        dataRow("everything clashes", L{"a=1", "b=2"}, L{"b=3", "a=4", "b=5"}, L{"a=1", "b=2"},
                L{"b", "a"});
        dataRow("imported twice: the later definition, once", L{"a=1"},
                L{"x=first", "y=y", "x=later"}, L{"a=1", "x=later", "y=y"}, L());
        dataRow("current twice stays as it is", L{"a=1", "a=1"}, L{"a=2", "b=3"},
                L{"a=1", "a=1", "b=3"}, L{"a"});
        dataRow("nothing to import", L{"a=1"}, L(), L{"a=1"}, L());
    }

    void merge()
    {
        QFETCH(QStringList, current);
        QFETCH(QStringList, imported);
        QFETCH(QStringList, merged);
        const StatisticImport result =
            StatisticImport::merge(commands(current), commands(imported));
        QCOMPARE(entries(result.commands()), merged);
        QTEST(result.skippedNames(), "skipped");
        QCOMPARE(result.addedNames().size(), merged.size() - current.size());
    }

    void reportListsTheSkippedNames()
    {
        const StatisticImport clash = StatisticImport::merge(
            commands({"mean=m", "sd=s"}), commands({"sd=x", "count=c", "mean=y"}));
        QCOMPARE(clash.report(),
                 QStringLiteral("Statistics added: 1.\nSkipped, because this document has a "
                                "statistic of the same name, which was kept as it is:\nsd\nmean"));
        QCOMPARE(StatisticImport::merge({}, commands({"count=c"})).report(),
                 QStringLiteral("Statistics added: 1."));
    }
};

QTEST_APPLESS_MAIN(StatisticImportTest)
#include "StatisticImportTest.moc"
