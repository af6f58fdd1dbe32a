#include "GlobalHotKeys.h"

#include "PortalHotKeys.h"

#include <QGuiApplication>

#include <iterator>

namespace {

constexpr GlobalHotKeys::Key kAllKeys[] = {GlobalHotKeys::Key::AddNote, GlobalHotKeys::Key::ShowWindow,
                                           GlobalHotKeys::Key::TodayEvents};

bool waylandSession()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ||
           qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

} // namespace

std::unique_ptr<GlobalHotKeys> GlobalHotKeys::create()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    // Under Wayland an X11 grab (through XWayland) only sees keys typed into the program's own windows.
    if (waylandSession() && PortalHotKeys::offered(bus))
        return std::make_unique<PortalHotKeys>(bus);
    if (std::unique_ptr<GlobalHotKeys> x11 = createX11())
        return x11;
    if (PortalHotKeys::offered(bus))
        return std::make_unique<PortalHotKeys>(bus);
    return std::make_unique<NoGlobalHotKeys>();
}

bool GlobalHotKeys::registerOnly(bool addNote, bool showWindow, bool todayEvents)
{
    const bool wanted[] = {addNote, showWindow, todayEvents};
    bool all = true;
    for (size_t index = 0; index < std::size(kAllKeys); ++index) {
        if (wanted[index])
            all = registerKey(kAllKeys[index]) && all;
        else
            unregisterKey(kAllKeys[index]);
    }
    return all;
}

void GlobalHotKeys::unregisterAll()
{
    for (Key key : kAllKeys)
        unregisterKey(key);
}

void GlobalHotKeys::emitPressed(Key key)
{
    switch (key) {
    case Key::AddNote: Q_EMIT addNotePressed(); break;
    case Key::ShowWindow: Q_EMIT showWindowPressed(); break;
    case Key::TodayEvents: Q_EMIT todayEventsPressed(); break;
    }
}
