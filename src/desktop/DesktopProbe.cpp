#include "DesktopProbe.h"

#include "X11Desktop.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

DesktopState SystemDesktopProbe::read() const
{
    DesktopState state;
    state.cursor = QCursor::pos();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        state.primaryScreen = screen->geometry();
    state.ctrl = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
    const X11Desktop::LockIndicators locks = X11Desktop::lockIndicators();
    state.numLock = locks.numLock;
    state.scrollLock = locks.scrollLock;
    return state;
}
