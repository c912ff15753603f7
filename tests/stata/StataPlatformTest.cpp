#include "stata/StataPlatform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class StataPlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void choosersStartWhereTheUserWorks()
    {
#ifdef Q_OS_WIN
        QCOMPARE(StataPlatform::fileChooserStartDirectory(), QStringLiteral("C:/"));
        QCOMPARE(StataPlatform::executablePattern(), QStringLiteral("*.exe"));
#else
        QCOMPARE(StataPlatform::fileChooserStartDirectory(), QDir::homePath());
        QCOMPARE(StataPlatform::executablePattern(), QStringLiteral("*"));
#endif
    }
    void windowsProgramSuffixInAnyCase()
    {
        const QStringList programs = {"C:/Stata12/StataSE.exe",
                                      "C:/Program Files/Stata18/StataSE-64.EXE",
                                      "C:/Stata/stata.Exe"};
        const QStringList others = {"C:/data/survey.dta", "C:/stata.exe/survey.dta",
                                    "C:/Stata/stataexe"};
        for (const QString &path : programs + others) {
            QVERIFY2(StataPlatform::hasWindowsProgramSuffix(path) == programs.contains(path),
                     qPrintable(path));
#ifdef Q_OS_WIN
            QVERIFY2(StataPlatform::isExecutableChoice(path) == programs.contains(path),
                     qPrintable(path));
#endif
        }
    }
    void executableChoice()
    {
        QVERIFY(!StataPlatform::isExecutableChoice(QString()));
#ifndef Q_OS_WIN
        QTemporaryDir directory;
        const QString path = directory.filePath("stata-se");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(!StataPlatform::isExecutableChoice(path));
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(StataPlatform::isExecutableChoice(path));
        // A directory is executable (searchable) but is no program.
        QVERIFY(!StataPlatform::isExecutableChoice(directory.path()));
        QVERIFY(!StataPlatform::isExecutableChoice(directory.filePath("missing")));
#endif
    }
};

QTEST_GUILESS_MAIN(StataPlatformTest)
#include "StataPlatformTest.moc"
