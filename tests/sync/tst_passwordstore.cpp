#include "sync/PasswordStore.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using Status = PasswordStore::Status;

// A real secret service (gnome-keyring) on the test's private bus, with its keyring in a
// temporary home, unlocked by an empty password. With MAREVO_NO_SECRET_SERVICE set the
// bus has none, and the store must keep passwords in memory only.
class TestPasswordStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void operations_data();
    void operations();
    void noService_keepsPasswordInMemoryOnly();

private:
    PasswordStore::Result run(PasswordStore &store, const QString &op, const QString &user, const QString &password);

    bool m_withService = !qEnvironmentVariableIsSet("MAREVO_NO_SECRET_SERVICE");
    QTemporaryDir m_home;
    QProcess m_daemon;
};

void TestPasswordStore::initTestCase()
{
    if (!m_withService)
        return;
    if (QStandardPaths::findExecutable(u"gnome-keyring-daemon"_s).isEmpty())
        QSKIP("gnome-keyring-daemon is not installed");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"HOME"_s, m_home.path());
    env.insert(u"XDG_DATA_HOME"_s, m_home.filePath(u"data"_s));
    env.insert(u"XDG_RUNTIME_DIR"_s, m_home.path());
    m_daemon.setProcessEnvironment(env);
    m_daemon.start(u"gnome-keyring-daemon"_s, {u"--foreground"_s, u"--unlock"_s, u"--components=secrets"_s});
    QVERIFY(m_daemon.waitForStarted());
    m_daemon.write("test"); // the password of a new login keyring
    m_daemon.closeWriteChannel();
    QTRY_VERIFY_WITH_TIMEOUT(
        QDBusConnection::sessionBus().interface()->isServiceRegistered(u"org.freedesktop.secrets"_s).value(), 10000);
}

void TestPasswordStore::cleanupTestCase()
{
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }
}

PasswordStore::Result TestPasswordStore::run(PasswordStore &store, const QString &op, const QString &user,
                                             const QString &password)
{
    QSignalSpy spy(&store, &PasswordStore::finished);
    const QString server = u"https://dav.example.test/"_s;
    if (op == u"write")
        store.write(server, user, password);
    else if (op == u"remove")
        store.remove(server, user);
    else
        store.read(server, user);
    if (!spy.wait(15000))
        return {PasswordStore::Operation::Read, {}, {}, {}, Status::Failed, u"no answer"_s};
    return spy.at(0).at(0).value<PasswordStore::Result>();
}

void TestPasswordStore::operations_data()
{
    // Steps "op user [password]" in order; the last step's status and password are checked.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("password");
    QTest::newRow("nothing kept") << QStringList{u"read nobody"_s} << int(Status::NotFound) << QString();
    QTest::newRow("written, read back") << QStringList{u"write ann s3cret"_s, u"read ann"_s} << int(Status::Done)
                                        << u"s3cret"_s;
    QTest::newRow("rewritten") << QStringList{u"write bob one"_s, u"write bob two"_s, u"read bob"_s}
                               << int(Status::Done) << u"two"_s;
    QTest::newRow("users apart") << QStringList{u"write cy c-pass"_s, u"write di d-pass"_s, u"read cy"_s}
                                 << int(Status::Done) << u"c-pass"_s;
    QTest::newRow("removed") << QStringList{u"write eve x"_s, u"remove eve"_s, u"read eve"_s} << int(Status::NotFound)
                             << QString();
    QTest::newRow("removing nothing") << QStringList{u"remove fay"_s} << int(Status::Done) << QString();
    QTest::newRow("not ASCII") << QStringList{u"write g\u00fcl p\u00e4ss\u20ac"_s, u"read g\u00fcl"_s}
                               << int(Status::Done) << u"p\u00e4ss\u20ac"_s;
}

void TestPasswordStore::operations()
{
    if (!m_withService)
        QSKIP("needs a secret service");
    QFETCH(QStringList, steps);
    QFETCH(int, status);
    QFETCH(QString, password);
    PasswordStore store(u"marevo-notes-test"_s);
    PasswordStore::Result last;
    for (const QString &step : steps) {
        const QStringList parts = step.split(u' ');
        last = run(store, parts.at(0), parts.at(1), parts.value(2));
        QVERIFY2(last.status != Status::Failed, qPrintable(last.error));
    }
    QCOMPARE(int(last.status), status);
    QCOMPARE(last.password, password);
    QVERIFY(!store.secretServiceMissing());
    // A second store (the next start) sees what the service kept.
    PasswordStore later(u"marevo-notes-test"_s);
    QCOMPARE(run(later, u"read"_s, steps.constLast().split(u' ').at(1), {}).password, password);
}

void TestPasswordStore::noService_keepsPasswordInMemoryOnly()
{
    if (m_withService)
        QSKIP("the bus has a secret service");
    PasswordStore store(u"marevo-notes-test"_s);
    QCOMPARE(int(run(store, u"write"_s, u"ann"_s, u"typed"_s).status), int(Status::NoSecretService));
    QVERIFY(store.secretServiceMissing());
    const PasswordStore::Result read = run(store, u"read"_s, u"ann"_s, {});
    QCOMPARE(int(read.status), int(Status::NoSecretService));
    QCOMPARE(read.password, u"typed"_s);
    PasswordStore nextStart(u"marevo-notes-test"_s);
    QVERIFY(run(nextStart, u"read"_s, u"ann"_s, {}).password.isEmpty());
}

QTEST_GUILESS_MAIN(TestPasswordStore)
#include "tst_passwordstore.moc"
