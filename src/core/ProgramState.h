#pragma once

#include "DateTime.h"

#include <QString>

// State shared by the whole program for the whole run; owned by the main window.
struct ProgramState
{
    QString AppDir; // ends with "/"
    bool StartupInProgress = true;
    TDateTime WeekStart = 0;
    bool NotepadChanged = false;
    bool DayChangePending = false;
    bool DialogBusy = false;
    bool HintShown = false;
    qint32 HideCountdown = 0;
    qint32 TrayPopupDelay = 0;

    QString dataPath(const QString &fileName) const { return AppDir + fileName; }
};
