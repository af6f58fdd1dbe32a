#pragma once

#include "GlobalHotKeys.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QVariantMap>

// The three keys bound through the desktop portal's global shortcuts (Wayland desktops, where
// nobody may grab keys): the program names its actions and the keys it would like, the desktop
// asks the user, owns the keys and says when one is pressed.
class PortalHotKeys final : public GlobalHotKeys
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PortalHotKeys)

public:
    static const QString kService;
    static const QString kPath;
    static const QString kInterface;

    // The action names the desktop gets, in the order of Key.
    static QString actionName(Key key);

    // The session offers the portal's global shortcuts, or can start a portal that may.
    static bool offered(const QDBusConnection &bus);

    explicit PortalHotKeys(const QDBusConnection &bus, QObject *parent = nullptr);

    bool isSupported() const override { return !m_failed; }
    Backend backend() const override { return Backend::Portal; }
    // The desktop owns the keys: each action stays bound and an action that is off is not answered.
    bool registerKey(Key key) override;
    void unregisterKey(Key key) override;
    // The session the desktop gave, empty until then.
    QString session() const { return m_session; }

Q_SIGNALS:
    // The shortcuts are bound; the desktop now passes their presses on.
    void bound();

private Q_SLOTS:
    void onSessionCreated(uint response, const QVariantMap &results);
    void onShortcutsBound(uint response, const QVariantMap &results);
    void onActivated(const QDBusObjectPath &session, const QString &action, qulonglong timestamp,
                     const QVariantMap &options);

private:
    // Asks the portal and listens for its answer on the request object it will make for this token;
    // the answer can come before the call's reply.
    void request(const QString &method, const QVariantList &arguments, const QString &token, const char *slot);
    void fail();

    QDBusConnection m_bus;
    QString m_session;
    bool m_failed = false;
    bool m_wanted[3] = {false, false, false};
};
