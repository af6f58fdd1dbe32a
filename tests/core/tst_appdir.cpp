#include "core/AppDir.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestAppDir final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void commandLine_winsAndIsCreated();
    void writableExecutableFolder_isUsed();
    void systemFolders_neverHoldData_data();
    void systemFolders_neverHoldData();
};

void TestAppDir::commandLine_winsAndIsCreated()
{
    QTemporaryDir dir;
    const QString wanted = dir.filePath(QStringLiteral("a/b"));
    QString error;
    QCOMPARE(AppDir::resolve(wanted, dir.path(), &error), wanted + QLatin1Char('/'));
    QVERIFY(QFileInfo(wanted).isDir());
    QVERIFY(error.isEmpty());
}

void TestAppDir::writableExecutableFolder_isUsed()
{
    QTemporaryDir dir;
    QString error;
    QCOMPARE(AppDir::resolve(QString(), dir.path(), &error), QDir(dir.path()).absolutePath() + QLatin1Char('/'));
}

void TestAppDir::systemFolders_neverHoldData_data()
{
    QTest::addColumn<QString>("executableDir");
    QTest::newRow("/usr/bin") << QStringLiteral("/usr/bin");
    QTest::newRow("/usr/local/bin") << QStringLiteral("/usr/local/bin");
    QTest::newRow("/opt") << QStringLiteral("/opt");
    QTest::newRow("/bin") << QStringLiteral("/bin");
}

void TestAppDir::systemFolders_neverHoldData()
{
    QFETCH(QString, executableDir);
    QString error;
    const QString expected =
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).absolutePath() + QLatin1Char('/');
    // Tests run as root in CI, where these folders are writable: the rule must not depend on that.
    QCOMPARE(AppDir::resolve(QString(), executableDir, &error), expected);
}

QTEST_GUILESS_MAIN(TestAppDir)
#include "tst_appdir.moc"
