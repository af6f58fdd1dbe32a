#include "RadicaleServer.h"

#include "sync/DavClient.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QSslCertificate>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

void write(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

RadicaleServer::RadicaleServer(Auth auth, bool tls) : m_auth(auth), m_tls(tls)
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    m_port = probe.serverPort();
    const QString dir = m_dir.path() + QLatin1Char('/');
    QByteArray config = "[server]\nhosts = 127.0.0.1:" + QByteArray::number(m_port) + "\n";
    if (m_tls) {
        QProcess::execute(QStringLiteral("openssl"),
                          {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                           QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-days"),
                           QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                           QStringLiteral("-keyout"), dir + QLatin1String("key.pem"), QStringLiteral("-out"),
                           dir + QLatin1String("cert.pem")});
        config += "ssl = True\ncertificate = " + dir.toUtf8() + "cert.pem\nkey = " + dir.toUtf8() + "key.pem\n";
    }
    if (m_auth == Password) {
        write(dir + QLatin1String("users"), (user() + QLatin1Char(':') + password() + QLatin1Char('\n')).toUtf8());
        config +=
            "[auth]\ntype = htpasswd\nhtpasswd_filename = " + dir.toUtf8() + "users\nhtpasswd_encryption = plain\n";
    } else {
        config += "[auth]\ntype = none\n";
    }
    write(dir + QLatin1String("rights"), "[all]\nuser: .*\ncollection: .*\npermissions: RrWw\n");
    config += "[rights]\ntype = from_file\nfile = " + dir.toUtf8() +
              "rights\n[storage]\nfilesystem_folder = " + dir.toUtf8() + "store\n[logging]\nlevel = warning\n";
    write(dir + QLatin1String("config"), config);
}

RadicaleServer::~RadicaleServer()
{
    stop();
}

bool RadicaleServer::start()
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral("-m"), QStringLiteral("radicale"), QStringLiteral("--config"),
                     m_dir.path() + QLatin1String("/config")});
    for (int attempt = 0; attempt < 100; ++attempt) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_port);
        if (socket.waitForConnected(100))
            return true;
        QTest::qWait(100);
    }
    return false;
}

void RadicaleServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished();
}

QUrl RadicaleServer::calendar() const
{
    return QUrl(QStringLiteral("%1://127.0.0.1:%2/%3/tasks/")
                    .arg(m_tls ? QLatin1String("https") : QLatin1String("http"))
                    .arg(m_port)
                    .arg(user()));
}

bool RadicaleServer::createCalendar(const QByteArray &trustedSha256) const
{
    DavClient client;
    client.setAccount({calendar(), user(), password(), calendar(), trustedSha256});
    QEventLoop loop;
    int status = 0;
    client.send("MKCOL", calendar().resolved(QUrl(QStringLiteral(".."))), {}, {}, [&](const DavReply &) {
        client.mkcalendar(calendar(), QStringLiteral("Marevo Notes"), [&](const DavReply &reply) {
            status = reply.status;
            loop.quit();
        });
    });
    loop.exec();
    return status == 201;
}

QByteArray RadicaleServer::certificateSha256() const
{
    const auto certificates = QSslCertificate::fromPath(m_dir.path() + QLatin1String("/cert.pem"));
    return certificates.isEmpty() ? QByteArray() : certificates.first().digest(QCryptographicHash::Sha256);
}

int RadicaleServer::storedItems() const
{
    return int(QDir(m_dir.path() + QLatin1String("/store/collection-root/") + user() + QLatin1String("/tasks"))
                   .entryList({QStringLiteral("*.ics")}, QDir::Files)
                   .size());
}

QString RadicaleServer::client(const QStringList &arguments) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const bool password = m_auth == Password;
    if (m_tls) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("REQUESTS_CA_BUNDLE"), m_dir.path() + QLatin1String("/cert.pem"));
        process.setProcessEnvironment(environment);
    }
    process.start(QStringLiteral("/usr/bin/python3"),
                  QStringList{QStringLiteral(MAREVO_SYNC_TESTS "/caldav_tool.py"), calendar().toString(),
                              password ? user() : QString(), password ? RadicaleServer::password() : QString()} +
                      arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}
