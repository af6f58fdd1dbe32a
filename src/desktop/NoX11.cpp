// Built instead of the X11 sources when the build has no X11 backend: no key grabs, no lights.
#include "GlobalHotKeys.h"
#include "X11Desktop.h"

std::unique_ptr<GlobalHotKeys> GlobalHotKeys::createX11()
{
    return nullptr;
}

namespace X11Desktop {

xcb_connection_t *connection()
{
    return nullptr;
}

LockIndicators lockIndicators()
{
    return {};
}

} // namespace X11Desktop
