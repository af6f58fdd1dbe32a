#pragma once

#include "core/ProgramState.h"
#include "settings/Settings.h"

#include <QPoint>
#include <QRect>

// What the desktop tells at one tick: where the mouse is, the primary screen, the lock and Ctrl keys.
struct DesktopState
{
    QPoint cursor;       // global pixels
    QRect primaryScreen; // global pixels
    bool numLock = false;
    bool scrollLock = false;
    bool ctrl = false;
};

// Everything one tick of the automatic hiding looks at.
struct AutoHideInput
{
    DesktopState desktop;
    bool windowVisible = false;
    QRect windowRect; // the outer frame, global pixels
    // One of the program's dialogs is open (settings, note editor, about, pass phrase,
    // add transaction, manage, change value).
    bool dialogOpen = false;
};

// What the main window must do after a tick; a show comes before a hide.
struct AutoHideStep
{
    bool show = false;
    bool hide = false;
};

namespace AutoHide {

// Opening the icon's menu holds the today's-events balloon back this many ticks.
inline constexpr qint32 kMenuPopupDelay = 60;

// The right-edge band: the last 9 pixels of the primary screen, away from its top 150 and bottom 50.
bool atRightEdge(const DesktopState &desktop);
// The selected pop-up rule (Popup1..Popup4) holds.
bool popupRuleHolds(const Settings &settings, const DesktopState &desktop);
// One 50 ms tick: counts TrayPopupDelay and HideCountdown down and decides show and hide.
AutoHideStep Timer1Timer(ProgramState &state, const Settings &settings, const AutoHideInput &input);
// The 50 ms timer has work only while hiding is on or the balloon is held back.
bool timerNeeded(const ProgramState &state, const Settings &settings);

} // namespace AutoHide
