#include "AutoHide.h"

namespace AutoHide {

namespace {

// x relative to the primary screen; a cursor on a screen to its right is not at its edge.
bool inEdgeColumn(const DesktopState &desktop)
{
    const int fromRight = desktop.primaryScreen.width() - (desktop.cursor.x() - desktop.primaryScreen.left());
    return fromRight > 0 && fromRight < 10;
}

bool strictlyInside(const QRect &rect, const QPoint &point)
{
    return rect.left() < point.x() && point.x() < rect.left() + rect.width() && rect.top() < point.y()
           && point.y() < rect.top() + rect.height();
}

} // namespace

bool atRightEdge(const DesktopState &desktop)
{
    const int y = desktop.cursor.y() - desktop.primaryScreen.top();
    return inEdgeColumn(desktop) && y > 150 && desktop.primaryScreen.height() - y > 50;
}

bool popupRuleHolds(const Settings &settings, const DesktopState &desktop)
{
    // A file may tick more than one choice; each ticked rule is tested on its own.
    if (settings.Popup1 && atRightEdge(desktop))
        return true;
    if (settings.Popup2 && atRightEdge(desktop) && desktop.numLock)
        return true;
    if (settings.Popup3 && atRightEdge(desktop) && desktop.scrollLock)
        return true;
    return settings.Popup4 && inEdgeColumn(desktop) && desktop.ctrl;
}

AutoHideStep Timer1Timer(ProgramState &state, const Settings &settings, const AutoHideInput &input)
{
    AutoHideStep step;
    if (state.TrayPopupDelay > 0)
        --state.TrayPopupDelay;
    if (!settings.Autohide)
        return step;
    bool visible = input.windowVisible;
    if (popupRuleHolds(settings, input.desktop)) {
        step.show = true;
        visible = true;
        state.HideCountdown = settings.AutohideDelay;
    }
    if ((visible && strictlyInside(input.windowRect, input.desktop.cursor)) || input.dialogOpen || state.DialogBusy)
        state.HideCountdown = settings.AutohideDelay;
    if (state.HideCountdown > 0)
        --state.HideCountdown;
    else
        step.hide = true;
    return step;
}

bool timerNeeded(const ProgramState &state, const Settings &settings)
{
    return settings.Autohide || state.TrayPopupDelay > 0;
}

} // namespace AutoHide
