#include "core/AppDir.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestAppDir final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void commandLine_winsAndIsCreated();
    void createdFolders_arePrivate_data();
    void createdFolders_arePrivate();
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

void TestAppDir::createdFolders_arePrivate_data()
{
    QTest::addColumn<mode_t>("mask");
    QTest::newRow("umask 000") << mode_t(0);
    QTest::newRow("umask 022") << mode_t(022);
    QTest::newRow("umask 277") << mode_t(0277);
}

void TestAppDir::createdFolders_arePrivate()
{
    QFETCH(mode_t, mask);
    QTemporaryDir dir;
    // A folder the user made keeps its own mode.
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7755)));
    const mode_t previous = ::umask(mask);
    QString error;
    const QString resolved = AppDir::resolve(dir.filePath(QStringLiteral("a/b")), QString(), &error);
    ::umask(previous);
    QVERIFY(!resolved.isEmpty());
    // Owner, group and others as stored (Qt's "user" bits tell what this process may do, all for root).
    const auto mode = [](const QString &path) { return int(QFile::permissions(path) & 0x7077); };
    QCOMPARE(mode(dir.filePath(QStringLiteral("a"))), 0x7000);
    QCOMPARE(mode(dir.filePath(QStringLiteral("a/b"))), 0x7000);
    QCOMPARE(mode(dir.path()), 0x7055);
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
