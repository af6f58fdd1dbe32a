#pragma once

struct xcb_connection_t;

// The X server the program runs on, when it runs on one.
namespace X11Desktop {

// Null unless the platform is xcb and has a live connection (offscreen and Wayland have none).
xcb_connection_t *connection();

struct LockIndicators
{
    bool numLock = false;
    bool scrollLock = false;
};
// The keyboard's Num Lock and Scroll Lock lights; both off without an X server.
LockIndicators lockIndicators();

} // namespace X11Desktop
