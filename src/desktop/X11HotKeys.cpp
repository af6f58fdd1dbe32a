#include "X11HotKeys.h"

#include "X11Desktop.h"

#include <QCoreApplication>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>
#include <memory>

namespace {

// Latin letters have their ASCII code as key symbol; Num_Lock is 0xff7f.
constexpr xcb_keysym_t kNumLockSym = 0xff7f;

xcb_keysym_t symbolOf(GlobalHotKeys::Key key)
{
    switch (key) {
    case GlobalHotKeys::Key::AddNote: return 'q';
    case GlobalHotKeys::Key::ShowWindow: return 'd';
    case GlobalHotKeys::Key::TodayEvents: return 't';
    }
    return 0;
}

struct FreeKeySymbols
{
    void operator()(xcb_key_symbols_t *symbols) const { xcb_key_symbols_free(symbols); }
};
using KeySymbols = std::unique_ptr<xcb_key_symbols_t, FreeKeySymbols>;

QList<uint8_t> keycodesOf(xcb_key_symbols_t *symbols, xcb_keysym_t symbol)
{
    QList<uint8_t> codes;
    xcb_keycode_t *found = xcb_key_symbols_get_keycode(symbols, symbol);
    for (const xcb_keycode_t *code = found; code && *code != XCB_NO_SYMBOL; ++code)
        if (!codes.contains(*code))
            codes.append(*code);
    std::free(found);
    return codes;
}

// The modifier bit that carries Num Lock on this server (usually Mod2).
uint16_t numLockMask(xcb_connection_t *conn, xcb_key_symbols_t *symbols)
{
    const QList<uint8_t> numLockCodes = keycodesOf(symbols, kNumLockSym);
    if (numLockCodes.isEmpty())
        return 0;
    xcb_get_modifier_mapping_reply_t *reply =
        xcb_get_modifier_mapping_reply(conn, xcb_get_modifier_mapping(conn), nullptr);
    if (!reply)
        return 0;
    uint16_t mask = 0;
    const xcb_keycode_t *map = xcb_get_modifier_mapping_keycodes(reply);
    const int perModifier = reply->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8 && !mask; ++modifier)
        for (int i = 0; i < perModifier; ++i)
            if (map[modifier * perModifier + i] != 0 && numLockCodes.contains(map[modifier * perModifier + i])) {
                mask = static_cast<uint16_t>(1u << modifier);
                break;
            }
    std::free(reply);
    return mask;
}

QList<xcb_window_t> rootWindows(xcb_connection_t *conn)
{
    QList<xcb_window_t> roots;
    for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn)); it.rem; xcb_screen_next(&it))
        roots.append(it.data->root);
    return roots;
}

} // namespace

X11HotKeys::X11HotKeys(QObject *parent) : GlobalHotKeys(parent), m_connection(X11Desktop::connection())
{
    if (!m_connection)
        return;
    const KeySymbols symbols(xcb_key_symbols_alloc(m_connection));
    if (symbols)
        m_numLockMask = numLockMask(m_connection, symbols.get());
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11HotKeys::~X11HotKeys()
{
    if (!m_connection)
        return;
    unregisterAll();
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
}

bool X11HotKeys::available()
{
    return X11Desktop::connection() != nullptr;
}

bool X11HotKeys::isSupported() const
{
    return m_connection != nullptr;
}

bool X11HotKeys::registerKey(Key key)
{
    if (!m_connection)
        return false;
    QList<uint8_t> &grabbed = m_grabbed[static_cast<size_t>(key)];
    if (!grabbed.isEmpty())
        return true;
    const KeySymbols symbols(xcb_key_symbols_alloc(m_connection));
    if (!symbols)
        return false;
    const QList<uint8_t> codes = keycodesOf(symbols.get(), symbolOf(key));
    // The grab must match with Caps Lock and Num Lock on or off, so each combination is grabbed.
    bool ok = !codes.isEmpty();
    for (xcb_window_t root : rootWindows(m_connection))
        for (uint8_t code : codes)
            for (uint16_t lock : lockCombinations()) {
                const xcb_void_cookie_t cookie =
                    xcb_grab_key_checked(m_connection, 1, root, static_cast<uint16_t>(XCB_MOD_MASK_CONTROL | lock),
                                         code, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
                // Another program holding the key answers BadAccess.
                if (xcb_generic_error_t *error = xcb_request_check(m_connection, cookie)) {
                    ok = false;
                    std::free(error);
                }
            }
    if (!ok) {
        ungrab(codes);
        return false;
    }
    grabbed = codes;
    return true;
}

void X11HotKeys::unregisterKey(Key key)
{
    QList<uint8_t> &grabbed = m_grabbed[static_cast<size_t>(key)];
    ungrab(grabbed);
    grabbed.clear();
}

void X11HotKeys::ungrab(const QList<uint8_t> &keycodes)
{
    if (!m_connection || keycodes.isEmpty())
        return;
    for (xcb_window_t root : rootWindows(m_connection))
        for (uint8_t code : keycodes)
            for (uint16_t lock : lockCombinations())
                xcb_ungrab_key(m_connection, code, root, static_cast<uint16_t>(XCB_MOD_MASK_CONTROL | lock));
    // A round trip: once it returns, the server has given the keys to whoever asks next.
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}

QList<uint16_t> X11HotKeys::lockCombinations() const
{
    QList<uint16_t> combinations{0, XCB_MOD_MASK_LOCK};
    if (m_numLockMask != 0)
        combinations << m_numLockMask << static_cast<uint16_t>(XCB_MOD_MASK_LOCK | m_numLockMask);
    return combinations;
}

bool X11HotKeys::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
        return false;
    const auto *press = static_cast<const xcb_key_press_event_t *>(message);
    const uint16_t ignored = static_cast<uint16_t>(XCB_MOD_MASK_LOCK | m_numLockMask);
    if ((press->state & ~ignored & 0xff) != XCB_MOD_MASK_CONTROL)
        return false;
    for (size_t index = 0; index < m_grabbed.size(); ++index)
        if (m_grabbed[index].contains(press->detail)) {
            emitPressed(static_cast<Key>(index));
            return true;
        }
    return false;
}

std::unique_ptr<GlobalHotKeys> GlobalHotKeys::createX11()
{
    if (X11HotKeys::available())
        return std::make_unique<X11HotKeys>();
    return nullptr;
}
