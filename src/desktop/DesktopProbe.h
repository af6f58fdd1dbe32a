#pragma once

#include "reminders/AutoHide.h"

// Reads the mouse, the primary screen and the key states; tests put a scripted one in its place.
class DesktopProbe
{
public:
    virtual ~DesktopProbe() = default;
    virtual DesktopState read() const = 0;
};

// The real desktop: QCursor, the primary QScreen, the Ctrl state from the window system and,
// on X11, Num Lock and Scroll Lock from the keyboard's indicators (off elsewhere).
class SystemDesktopProbe final : public DesktopProbe
{
public:
    DesktopState read() const override;
};
