#include "GlobalHotKeys.h"

#include <iterator>

namespace {

constexpr GlobalHotKeys::Key kAllKeys[] = {GlobalHotKeys::Key::AddNote, GlobalHotKeys::Key::ShowWindow,
                                           GlobalHotKeys::Key::TodayEvents};

} // namespace

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
