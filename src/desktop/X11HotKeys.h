#pragma once

#include "GlobalHotKeys.h"

#include <QAbstractNativeEventFilter>
#include <QList>

#include <array>
#include <cstdint>

struct xcb_connection_t;

// Ctrl+letter grabbed on every root window of the X server, whatever Num Lock and Caps Lock say.
class X11HotKeys final : public GlobalHotKeys, private QAbstractNativeEventFilter
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(X11HotKeys)

public:
    explicit X11HotKeys(QObject *parent = nullptr);
    ~X11HotKeys() override;

    // The program runs on an X server with a live connection.
    static bool available();

    bool isSupported() const override;
    bool registerKey(Key key) override;
    void unregisterKey(Key key) override;

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
    void ungrab(const QList<uint8_t> &keycodes);
    // Ctrl is matched with Caps Lock and Num Lock in any state.
    QList<uint16_t> lockCombinations() const;

    xcb_connection_t *m_connection = nullptr;
    uint16_t m_numLockMask = 0;
    // The key codes grabbed for each Key; a letter may sit on more than one key.
    std::array<QList<uint8_t>, 3> m_grabbed;
};
