#include "stata/StataPlatform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class StataPlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void choosersStartWhereTheUserWorks();
    void windowsProgramSuffixInAnyCase_data();
    void windowsProgramSuffixInAnyCase();
    void executableChoice();
};

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

void StataPlatformTest::windowsProgramSuffixInAnyCase_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("program");
    QTest::newRow("lower") << "C:/Stata12/StataSE.exe" << true;
    QTest::newRow("upper") << "C:/Program Files/Stata18/StataSE-64.EXE" << true;
    QTest::newRow("mixed") << "C:/Stata/stata.Exe" << true;
    QTest::newRow("dataset") << "C:/data/survey.dta" << false;
    QTest::newRow("exe in the middle") << "C:/stata.exe/survey.dta" << false;
    QTest::newRow("no dot") << "C:/Stata/stataexe" << false;
}

void StataPlatformTest::windowsProgramSuffixInAnyCase()
{
    QFETCH(QString, path);
    QFETCH(bool, program);
    QCOMPARE(StataPlatform::hasWindowsProgramSuffix(path), program);
#ifdef Q_OS_WIN
    QCOMPARE(StataPlatform::isExecutableChoice(path), program);
#endif
}

void StataPlatformTest::executableChoice()
{
    QVERIFY(!StataPlatform::isExecutableChoice(QString()));
#ifndef Q_OS_WIN
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
