#pragma once

#include "desktop/DesktopWallpaper.h"

#include <QList>

// Records the desktop commands instead of starting them.
class RecordingRunner final : public CommandRunner
{
public:
    explicit RecordingRunner(QList<DesktopCommand> *started) : m_started(started) {}
    void start(const DesktopCommand &command) override { m_started->append(command); }

private:
    QList<DesktopCommand> *m_started;
};
