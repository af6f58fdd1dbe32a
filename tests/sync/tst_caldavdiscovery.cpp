#include "RadicaleServer.h"

#include "sync/CalDavDiscovery.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

// Finding and creating task lists on a Radicale of the test's own, with a password.
class TestCalDavDiscovery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void serverUrl_data();
    void serverUrl();
    void findCalendars_data();
    void findCalendars();

private:
    static QUrl root(const RadicaleServer &server) { return server.calendar().resolved(QUrl(u"/"_s)); }
    static void makeCollection(DavClient &client, const QString &name, const QByteArray &components);
    static QStringList found(DavClient &client, QString *error = nullptr);
};

void TestCalDavDiscovery::serverUrl_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("url"); // empty: refused
    QTest::newRow("a host alone goes over HTTPS") << u"dav.example.org"_s << u"https://dav.example.org/"_s;
    QTest::newRow("a port kept") << u"dav.example.org:5232"_s << u"https://dav.example.org:5232/"_s;
    QTest::newRow("plain HTTP when typed") << u"http://127.0.0.1:5232"_s << u"http://127.0.0.1:5232/"_s;
    QTest::newRow("a path ends in a slash")
        << u" https://cloud.example.org/remote.php/dav "_s << u"https://cloud.example.org/remote.php/dav/"_s;
    QTest::newRow("no credentials, query or fragment")
        << u"https://ann:pw@h.example/dav/?x=1#y"_s << u"https://h.example/dav/"_s;
    QTest::newRow("nothing typed") << u"  "_s << QString();
    QTest::newRow("another scheme") << u"ftp://h.example/"_s << QString();
}

void TestCalDavDiscovery::serverUrl()
{
    QFETCH(QString, typed);
    QFETCH(QString, url);
    QCOMPARE(CalDavDiscovery::serverUrl(typed).toString(), url);
}

void TestCalDavDiscovery::makeCollection(DavClient &client, const QString &name, const QByteArray &components)
{
    QByteArray comps;
    for (const QByteArray &component : components.split(','))
        comps += "<c:comp name=\"" + component + "\"/>";
    const QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<c:mkcalendar xmlns:d=\"DAV:\" "
                            "xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:set><d:prop><d:displayname>" +
                            name.toUtf8() + "</d:displayname><c:supported-calendar-component-set>" + comps +
                            "</c:supported-calendar-component-set></d:prop></d:set></c:mkcalendar>";
    int status = 0;
    client.send("MKCALENDAR", client.account().server.resolved(QUrl(u"/alice/"_s + name.toLower() + u'/')), {}, body,
                [&](const DavReply &reply) { status = reply.status; });
    QTRY_COMPARE_WITH_TIMEOUT(status, 201, 10000);
}

QStringList TestCalDavDiscovery::found(DavClient &client, QString *error)
{
    CalDavDiscovery discovery(client);
    QSignalSpy found(&discovery, &CalDavDiscovery::calendarsFound);
    QSignalSpy failed(&discovery, &CalDavDiscovery::failed);
    discovery.findCalendars();
    if (!QTest::qWaitFor([&] { return !found.isEmpty() || !failed.isEmpty(); }, 15000))
        return {u"(no answer)"_s};
    if (!failed.isEmpty()) {
        if (error)
            *error = failed.at(0).at(0).value<DavReply>().error;
        return {};
    }
    QStringList names;
    for (const DavCalendar &calendar : found.at(0).at(0).value<QList<DavCalendar>>())
        names.append(calendar.displayName + u' ' + calendar.url.path());
    names.sort();
    return names;
}

void TestCalDavDiscovery::findCalendars_data()
{
    QTest::addColumn<QString>("path"); // typed after the server's root
    QTest::addColumn<QString>("password");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("error"); // a part of the message when it fails
    const QStringList tasks{u"Both /alice/both/"_s, u"Tasks /alice/tasks/"_s};
    QTest::newRow("from the root") << QString() << RadicaleServer::password() << tasks << QString();
    QTest::newRow("from the principal") << u"alice/"_s << RadicaleServer::password() << tasks << QString();
    QTest::newRow("wrong password") << QString() << u"wrong"_s << QStringList()
                                    << u"refused the user name or password"_s;
}

void TestCalDavDiscovery::findCalendars()
{
    QFETCH(QString, path);
    QFETCH(QString, password);
    QFETCH(QStringList, names);
    QFETCH(QString, error);
    RadicaleServer server(RadicaleServer::Password, false);
    QVERIFY(server.start());
    DavClient client;
    client.setAccount({root(server), RadicaleServer::user(), RadicaleServer::password(), {}, {}});
    makeCollection(client, u"Tasks"_s, "VTODO");
    makeCollection(client, u"Events"_s, "VEVENT");
    makeCollection(client, u"Both"_s, "VEVENT,VTODO");

    client.setAccount({root(server).resolved(QUrl(path)), RadicaleServer::user(), password, {}, {}});
    QString message;
    QCOMPARE(found(client, &message), names);
    QVERIFY2(message.contains(error), qPrintable(message));
}

QTEST_GUILESS_MAIN(TestCalDavDiscovery)
#include "tst_caldavdiscovery.moc"
