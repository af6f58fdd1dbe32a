#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// One program to start with its arguments.
struct DesktopCommand
{
    QString program;
    QStringList arguments;

    bool operator==(const DesktopCommand &) const = default;
};

// Starts desktop tools; tests put a recorder in its place.
class CommandRunner
{
public:
    virtual ~CommandRunner() = default;
    virtual void start(const DesktopCommand &command) = 0;
};

// Starts each command on its own and never waits for it: a slow or missing tool must not
// hold up the window.
class DetachedCommandRunner final : public CommandRunner
{
public:
    void start(const DesktopCommand &command) override;
};

enum class DesktopKind
{
    Unknown,
    Gnome,
    Cinnamon,
    Kde,
    Xfce,
    Mate
};

// From the value of XDG_CURRENT_DESKTOP ("ubuntu:GNOME", "X-Cinnamon", ...): the first name we know.
DesktopKind desktopKind(const QString &xdgCurrentDesktop);

// What makes `imagePath` the wallpaper on that desktop; nothing for an unknown one.
QList<DesktopCommand> wallpaperCommands(DesktopKind desktop, const QString &imagePath);

// Applies a picture as the desktop wallpaper with the desktop's own tools.
class DesktopWallpaper
{
public:
    DesktopWallpaper();
    ~DesktopWallpaper();

    // An unknown desktop is skipped silently.
    void apply(const QString &imagePath, const QString &xdgCurrentDesktop);
    void setRunner(std::unique_ptr<CommandRunner> runner) { m_runner = std::move(runner); }

private:
    std::unique_ptr<CommandRunner> m_runner;
};
