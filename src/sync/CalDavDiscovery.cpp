#include "CalDavDiscovery.h"

#include "DavMultistatus.h"

#include <QUuid>

namespace {

const QByteArray kPrincipalQuery = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                   "<d:propfind xmlns:d=\"DAV:\"><d:prop><d:current-user-principal/></d:prop>"
                                   "</d:propfind>";
const QByteArray kHomeQuery = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                              "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:prop>"
                              "<c:calendar-home-set/></d:prop></d:propfind>";
const QByteArray kCalendarsQuery = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                   "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:prop>"
                                   "<d:resourcetype/><d:displayname/><c:supported-calendar-component-set/>"
                                   "</d:prop></d:propfind>";

QUrl resolved(const QUrl &base, const QString &href)
{
    return base.resolved(QUrl::fromEncoded(href.trimmed().toUtf8()));
}

// The first href of a property in any response of the body; empty when none.
QUrl hrefOf(const DavReply &reply, const QString &property)
{
    const DavMultistatus status = parseMultistatus(reply.body);
    for (const DavResponseEntry &entry : status.responses) {
        const auto found = entry.properties.constFind(property);
        if (found != entry.properties.constEnd() && !found->hrefs.isEmpty())
            return resolved(reply.url, found->hrefs.constFirst());
    }
    return {};
}

bool isMultistatus(const DavReply &reply)
{
    return reply.isSuccess() && reply.status == 207;
}

} // namespace

CalDavDiscovery::CalDavDiscovery(DavClient &client, QObject *parent) : QObject(parent), m_client(client) {}

QUrl CalDavDiscovery::serverUrl(const QString &typed)
{
    QString text = typed.trimmed();
    if (text.isEmpty())
        return {};
    if (!text.contains(QLatin1String("://")))
        text.prepend(QLatin1String("https://"));
    QUrl url = QUrl::fromUserInput(text);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("https") && url.scheme() != QLatin1String("http")))
        return {};
    if (!url.path().endsWith(QLatin1Char('/')))
        url.setPath(url.path() + QLatin1Char('/'));
    url.setUserInfo(QString());
    url.setQuery(QString());
    url.setFragment(QString());
    return url;
}

void CalDavDiscovery::findCalendars()
{
    m_busy = true;
    m_home.clear();
    const QUrl server = m_client.account().server;
    if (!server.isValid() || server.host().isEmpty())
        return fail(QStringLiteral("Type the address of the calendar server first."));
    askPrincipal(server.resolved(QUrl(QStringLiteral("/.well-known/caldav"))), true);
}

void CalDavDiscovery::createCalendar(const QString &displayName)
{
    m_newName = displayName;
    if (m_home.isValid()) {
        m_busy = true;
        makeCalendar();
    } else {
        findCalendars();
    }
}

void CalDavDiscovery::askPrincipal(const QUrl &url, bool fallBackToServer)
{
    m_client.propfind(url, 0, kPrincipalQuery, [this, fallBackToServer](const DavReply &reply) {
        if (reply.failure != DavReply::Failure::None && reply.failure != DavReply::Failure::Redirect)
            return fail(reply);
        const QUrl principal =
            isMultistatus(reply) ? hrefOf(reply, Dav::name(Dav::kDavNs, "current-user-principal")) : QUrl();
        if (principal.isValid())
            return askHome(principal);
        // Servers without the well-known address answer at the address typed.
        if (fallBackToServer)
            return askPrincipal(m_client.account().server, false);
        // No principal either: the address may be the calendar home itself.
        askHome(m_client.account().server);
    });
}

void CalDavDiscovery::askHome(const QUrl &principal)
{
    m_client.propfind(principal, 0, kHomeQuery, [this, principal](const DavReply &reply) {
        if (reply.failure != DavReply::Failure::None)
            return fail(reply);
        const QUrl home = isMultistatus(reply) ? hrefOf(reply, Dav::name(Dav::kCalDavNs, "calendar-home-set")) : QUrl();
        m_home = home.isValid() ? home : principal;
        if (!m_newName.isEmpty())
            return makeCalendar();
        listCalendars();
    });
}

void CalDavDiscovery::listCalendars()
{
    m_client.propfind(m_home, 1, kCalendarsQuery, [this](const DavReply &reply) {
        if (reply.failure != DavReply::Failure::None)
            return fail(reply);
        if (!isMultistatus(reply))
            return fail(QStringLiteral("The server did not list the calendars (HTTP status %1).").arg(reply.status));
        const DavMultistatus status = parseMultistatus(reply.body);
        if (!status.ok)
            return fail(QStringLiteral("The server's list of calendars could not be read: %1").arg(status.error));
        const QString calendarType = Dav::name(Dav::kCalDavNs, "calendar");
        QList<DavCalendar> calendars;
        for (const DavResponseEntry &entry : status.responses) {
            const DavProperty type = entry.properties.value(Dav::name(Dav::kDavNs, "resourcetype"));
            if (!type.children.contains(calendarType))
                continue;
            // A calendar that names no components takes every kind.
            const auto components =
                entry.properties.constFind(Dav::name(Dav::kCalDavNs, "supported-calendar-component-set"));
            if (components != entry.properties.constEnd() && !components->children.contains(QLatin1String("VTODO")))
                continue;
            DavCalendar calendar;
            calendar.url = resolved(reply.url, entry.href);
            calendar.displayName = entry.properties.value(Dav::name(Dav::kDavNs, "displayname")).text.trimmed();
            if (calendar.displayName.isEmpty())
                calendar.displayName = calendar.url.path().section(QLatin1Char('/'), -2, -2);
            calendars.append(calendar);
        }
        m_busy = false;
        Q_EMIT calendarsFound(calendars);
    });
}

void CalDavDiscovery::makeCalendar()
{
    // A name of its own, so an existing collection is never taken over.
    const QString segment =
        QLatin1String("marevo-notes-") + QUuid::createUuid().toString(QUuid::WithoutBraces).left(8) + QLatin1Char('/');
    const QUrl url = m_home.resolved(QUrl(segment));
    const QString name = std::exchange(m_newName, QString());
    m_client.mkcalendar(url, name, [this, url, name](const DavReply &reply) {
        if (reply.failure != DavReply::Failure::None)
            return fail(reply);
        if (reply.status != 201 && !reply.isSuccess())
            return fail(QStringLiteral("The server did not create the task list \"%1\" (HTTP status %2).")
                            .arg(name)
                            .arg(reply.status));
        m_busy = false;
        Q_EMIT calendarCreated(DavCalendar{url, name});
    });
}

void CalDavDiscovery::fail(const DavReply &reply)
{
    m_busy = false;
    m_newName.clear();
    Q_EMIT failed(reply);
}

void CalDavDiscovery::fail(const QString &message)
{
    DavReply reply;
    reply.failure = DavReply::Failure::Network;
    reply.error = message;
    fail(reply);
}
