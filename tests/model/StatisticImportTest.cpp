#include "model/StatisticImport.h"

#include <QTest>

namespace {

// "name=format" entries stand for commands; the other fields ride along.
QList<Command> commands(const QStringList &entries)
{
    QList<Command> list;
    for (const QString &entry : entries) {
        const QStringList parts = entry.split(QLatin1Char('='));
        list.append(Command(parts.at(0), parts.value(1), QStringLiteral("r(x)"), T::Scalar, 1, 1));
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
    void merge_data();
    void merge();
    void reportListsTheSkippedNames();
};

void StatisticImportTest::merge_data()
{
    QTest::addColumn<QStringList>("current");
    QTest::addColumn<QStringList>("imported");
    QTest::addColumn<QStringList>("merged");
    QTest::addColumn<QStringList>("skipped");
    QTest::newRow("into an empty catalogue") << QStringList() << QStringList{"count=c", "mean=m"}
                                             << QStringList{"count=c", "mean=m"} << QStringList();
    QTest::newRow("clash keeps the current definition")
        << QStringList{"mean=mine", "sd=s"} << QStringList{"count=c", "mean=theirs", "p50=p"}
        << QStringList{"mean=mine", "sd=s", "count=c", "p50=p"} << QStringList{"mean"};
    QTest::newRow("everything clashes")
        << QStringList{"a=1", "b=2"} << QStringList{"b=3", "a=4", "b=5"}
        << QStringList{"a=1", "b=2"} << QStringList{"b", "a"};
    QTest::newRow("imported twice: the later definition, once")
        << QStringList{"a=1"} << QStringList{"x=first", "y=y", "x=later"}
        << QStringList{"a=1", "x=later", "y=y"} << QStringList();
    QTest::newRow("current twice stays as it is")
        << QStringList{"a=1", "a=1"} << QStringList{"a=2", "b=3"}
        << QStringList{"a=1", "a=1", "b=3"} << QStringList{"a"};
    QTest::newRow("nothing to import")
        << QStringList{"a=1"} << QStringList() << QStringList{"a=1"} << QStringList();
}

void StatisticImportTest::merge()
{
    QFETCH(QStringList, current);
    QFETCH(QStringList, imported);
    QFETCH(QStringList, merged);
    QFETCH(QStringList, skipped);
    const StatisticImport result = StatisticImport::merge(commands(current), commands(imported));
    QCOMPARE(entries(result.commands()), merged);
    QCOMPARE(result.skippedNames(), skipped);
    QCOMPARE(result.addedNames().size(), merged.size() - current.size());
}

void StatisticImportTest::reportListsTheSkippedNames()
{
    const StatisticImport clash = StatisticImport::merge(commands({"mean=m", "sd=s"}),
                                                         commands({"sd=x", "count=c", "mean=y"}));
    QCOMPARE(clash.report(),
             QStringLiteral("Statistics added: 1.\nSkipped, because this document has a "
                            "statistic of the same name, which was kept as it is:\nsd\nmean"));
    QCOMPARE(StatisticImport::merge({}, commands({"count=c"})).report(),
             QStringLiteral("Statistics added: 1."));
}

QTEST_APPLESS_MAIN(StatisticImportTest)
#include "StatisticImportTest.moc"
