#include "stata/StataPlatform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class StataPlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void batchFlags();
    void choosersStartWhereTheUserWorks();
    void executableChoice();
};

void StataPlatformTest::batchFlags()
{
#ifdef Q_OS_WIN
    QCOMPARE(StataPlatform::batchFlag(true), QStringLiteral("/b"));
    QCOMPARE(StataPlatform::batchFlag(false), QStringLiteral("/e"));
#else
    QCOMPARE(StataPlatform::batchFlag(true), QStringLiteral("-b"));
    QCOMPARE(StataPlatform::batchFlag(false), QStringLiteral("-e"));
#endif
}

void StataPlatformTest::choosersStartWhereTheUserWorks()
{
#ifdef Q_OS_WIN
    QCOMPARE(StataPlatform::fileChooserStartDirectory(), QStringLiteral("C:/"));
    QCOMPARE(StataPlatform::executablePattern(), QStringLiteral("*.exe"));
#else
    QCOMPARE(StataPlatform::fileChooserStartDirectory(), QDir::homePath());
    QCOMPARE(StataPlatform::executablePattern(), QStringLiteral("*"));
#endif
}

void StataPlatformTest::executableChoice()
{
    QVERIFY(!StataPlatform::isExecutableChoice(QString()));
#ifdef Q_OS_WIN
    QVERIFY(StataPlatform::isExecutableChoice(QStringLiteral("C:/Stata12/StataSE.exe")));
    QVERIFY(!StataPlatform::isExecutableChoice(QStringLiteral("C:/Stata12/STATASE.EXE")));
    QVERIFY(!StataPlatform::isExecutableChoice(QStringLiteral("C:/data/survey.dta")));
#else
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("stata-se"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(!StataPlatform::isExecutableChoice(path));
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(StataPlatform::isExecutableChoice(path));
    // A directory is executable (searchable) but is no program.
    QVERIFY(!StataPlatform::isExecutableChoice(directory.path()));
    QVERIFY(!StataPlatform::isExecutableChoice(directory.filePath(QStringLiteral("missing"))));
#endif
}

QTEST_GUILESS_MAIN(StataPlatformTest)
#include "StataPlatformTest.moc"
