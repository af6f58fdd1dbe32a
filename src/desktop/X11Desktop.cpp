#include "X11Desktop.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>
// xkb.h names a member `explicit`.
#define explicit xcb_explicit
#include <xcb/xkb.h>
#undef explicit

#include <cstdlib>
#include <cstring>
#include <memory>

namespace X11Desktop {

namespace {

struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

xcb_atom_t atomNamed(xcb_connection_t *conn, const char *name)
{
    const ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        conn, xcb_intern_atom(conn, 1, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

bool indicatorOn(xcb_connection_t *conn, xcb_atom_t indicator)
{
    if (indicator == XCB_ATOM_NONE)
        return false;
    const ReplyPtr<xcb_xkb_get_named_indicator_reply_t> reply(xcb_xkb_get_named_indicator_reply(
        conn,
        xcb_xkb_get_named_indicator(conn, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_LED_CLASS_DFLT_XI_CLASS,
                                    XCB_XKB_ID_DFLT_XI_ID, indicator),
        nullptr));
    return reply && reply->found && reply->on;
}

struct Indicators
{
    bool xkb = false;
    xcb_atom_t numLock = XCB_ATOM_NONE;
    xcb_atom_t scrollLock = XCB_ATOM_NONE;
};

// The names and the extension are asked once; the lights at every call.
const Indicators &indicatorsOf(xcb_connection_t *conn)
{
    static const Indicators indicators = [conn] {
        Indicators found;
        const ReplyPtr<xcb_xkb_use_extension_reply_t> reply(xcb_xkb_use_extension_reply(
            conn, xcb_xkb_use_extension(conn, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr));
        found.xkb = reply && reply->supported;
        found.numLock = atomNamed(conn, "Num Lock");
        found.scrollLock = atomNamed(conn, "Scroll Lock");
        return found;
    }();
    return indicators;
}

} // namespace

xcb_connection_t *connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

LockIndicators lockIndicators()
{
    LockIndicators locks;
    xcb_connection_t *conn = connection();
    if (!conn)
        return locks;
    const Indicators &indicators = indicatorsOf(conn);
    if (!indicators.xkb)
        return locks;
    locks.numLock = indicatorOn(conn, indicators.numLock);
    locks.scrollLock = indicatorOn(conn, indicators.scrollLock);
    return locks;
}

} // namespace X11Desktop
