#include "PortalHotKeys.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QStringBuilder>

namespace {

const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");

struct PortalShortcut
{
    QString id;
    QVariantMap properties;
};

QDBusArgument &operator<<(QDBusArgument &argument, const PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

struct Action
{
    const char *name;
    const char *description;
    const char *preferredTrigger; // in the shortcuts specification's form
};

constexpr Action kActions[] = {
    {"add-note", "Add a note", "CTRL+q"},
    {"show-window", "Show the window", "CTRL+d"},
    {"today-events", "Show today's events", "CTRL+t"},
};

QString newToken()
{
    static int counter = 0;
    return QStringLiteral("marevo%1").arg(++counter);
}

} // namespace

Q_DECLARE_METATYPE(PortalShortcut)

const QString PortalHotKeys::kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalHotKeys::kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString PortalHotKeys::kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

QString PortalHotKeys::actionName(Key key)
{
    return QLatin1String(kActions[static_cast<int>(key)].name);
}

bool PortalHotKeys::offered(const QDBusConnection &bus)
{
    if (!bus.isConnected())
        return false;
    QDBusConnectionInterface *daemon = bus.interface();
    if (daemon->isServiceRegistered(kService))
        return true;
    // Not running yet, but the bus starts it on the first call.
    const QDBusReply<QStringList> activatable = daemon->call(QStringLiteral("ListActivatableNames"));
    return activatable.isValid() && activatable.value().contains(kService);
}

PortalHotKeys::PortalHotKeys(const QDBusConnection &bus, QObject *parent) : GlobalHotKeys(parent), m_bus(bus)
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("Activated"), this,
                  SLOT(onActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    const QString sessionToken = newToken();
    const QString token = newToken();
    request(QStringLiteral("CreateSession"),
            {QVariantMap{{QStringLiteral("handle_token"), token}, {QStringLiteral("session_handle_token"), sessionToken}}},
            token, SLOT(onSessionCreated(uint, QVariantMap)));
}

bool PortalHotKeys::registerKey(Key key)
{
    m_wanted[static_cast<int>(key)] = true;
    return !m_failed;
}

void PortalHotKeys::unregisterKey(Key key)
{
    m_wanted[static_cast<int>(key)] = false;
}

void PortalHotKeys::request(const QString &method, const QVariantList &arguments, const QString &token,
                            const char *slot)
{
    // The portal names its request object after our unique name and the token: ":1.42" -> "1_42".
    QString sender = m_bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString requestPath = kPath % QStringLiteral("/request/") % sender % QLatin1Char('/') % token;
    m_bus.connect(kService, requestPath, kRequestInterface, QStringLiteral("Response"), this, slot);

    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    call.setArguments(arguments);
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, requestPath, slot](QDBusPendingCallWatcher *finished) {
                finished->deleteLater();
                const QDBusPendingReply<QDBusObjectPath> reply = *finished;
                if (reply.isError()) {
                    m_bus.disconnect(kService, requestPath, kRequestInterface, QStringLiteral("Response"), this, slot);
                    fail();
                } else if (reply.value().path() != requestPath) {
                    // Portals older than the token scheme answer on a path of their own.
                    m_bus.connect(kService, reply.value().path(), kRequestInterface, QStringLiteral("Response"), this,
                                  slot);
                }
            });
}

void PortalHotKeys::onSessionCreated(uint response, const QVariantMap &results)
{
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    // Announced as a string, sent as an object path by some portals.
    m_session = handle.canConvert<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path() : handle.toString();
    if (response != 0 || m_session.isEmpty())
        return fail();

    QList<PortalShortcut> shortcuts;
    for (const Action &action : kActions)
        shortcuts.append({QLatin1String(action.name),
                          {{QStringLiteral("description"), QLatin1String(action.description)},
                           {QStringLiteral("preferred_trigger"), QLatin1String(action.preferredTrigger)}}});
    const QString token = newToken();
    request(QStringLiteral("BindShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(m_session)), QVariant::fromValue(shortcuts), QString(),
             QVariantMap{{QStringLiteral("handle_token"), token}}},
            token, SLOT(onShortcutsBound(uint, QVariantMap)));
}

void PortalHotKeys::onShortcutsBound(uint response, const QVariantMap &)
{
    // 1: the user turned the request down; the keys stay unbound until the next start.
    if (response != 0)
        return fail();
    Q_EMIT bound();
}

void PortalHotKeys::onActivated(const QDBusObjectPath &session, const QString &action, qulonglong,
                                const QVariantMap &)
{
    if (session.path() != m_session)
        return;
    for (int index = 0; index < 3; ++index)
        if (action == QLatin1String(kActions[index].name) && m_wanted[index])
            emitPressed(static_cast<Key>(index));
}

void PortalHotKeys::fail()
{
    m_failed = true;
    Q_EMIT supportChanged();
}
