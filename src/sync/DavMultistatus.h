#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// One WebDAV property as found in a 200 propstat: its text, the hrefs inside it (principal, calendar
// home) and the names of its child elements ("{DAV:}collection", "{urn:ietf:params:xml:ns:caldav}calendar",
// or the name attribute of CalDAV comp elements, e.g. "VTODO").
struct DavProperty
{
    QString text;
    QStringList hrefs;
    QStringList children;
};

struct DavResponseEntry
{
    QString href;   // as the server wrote it, percent-encoded
    int status = 0; // the response's own status (e.g. 404 in a sync report for a removed member), 0 when none
    QMap<QString, DavProperty> properties; // by "{namespace}name"; only those the server found (200)
};

struct DavMultistatus
{
    bool ok = false;
    QString error; // why the body was refused
    QList<DavResponseEntry> responses;
    QString syncToken;
};

namespace Dav {
inline constexpr char kDavNs[] = "DAV:";
inline constexpr char kCalDavNs[] = "urn:ietf:params:xml:ns:caldav";
QString name(const char *ns, const char *local); // "{ns}local"
} // namespace Dav

// A 207 body. Never trusts it: depth, counts and text sizes are bounded, DTDs and entities refused.
DavMultistatus parseMultistatus(const QByteArray &body);
