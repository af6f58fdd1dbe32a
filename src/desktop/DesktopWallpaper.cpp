#include "DesktopWallpaper.h"

#include <QProcess>
#include <QUrl>

namespace {

// gsettings reads its value as GVariant text; quoting keeps a quote in the path from being read as syntax.
QString gvariantString(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

DesktopCommand gsettingsSet(const QString &schema, const QString &key, const QString &value)
{
    return {QStringLiteral("gsettings"), {QStringLiteral("set"), schema, key, gvariantString(value)}};
}

} // namespace

void DetachedCommandRunner::start(const DesktopCommand &command)
{
    QProcess process;
    process.setProgram(command.program);
    process.setArguments(command.arguments);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    // A desktop without the tool simply keeps its wallpaper.
    process.startDetached();
}

DesktopKind desktopKind(const QString &xdgCurrentDesktop)
{
    struct Known
    {
        const char *name;
        DesktopKind kind;
    };
    static constexpr Known kKnown[] = {
        {"GNOME", DesktopKind::Gnome},
        {"GNOME-Classic", DesktopKind::Gnome},
        {"GNOME-Flashback", DesktopKind::Gnome},
        {"Budgie", DesktopKind::Gnome},
        {"Unity", DesktopKind::Gnome},
        {"X-Cinnamon", DesktopKind::Cinnamon},
        {"Cinnamon", DesktopKind::Cinnamon},
        {"KDE", DesktopKind::Kde},
        {"XFCE", DesktopKind::Xfce},
        {"MATE", DesktopKind::Mate},
    };
    for (const QString &name : xdgCurrentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        for (const Known &known : kKnown) {
            if (name.trimmed().compare(QLatin1String(known.name), Qt::CaseInsensitive) == 0)
                return known.kind;
        }
    }
    return DesktopKind::Unknown;
}

QList<DesktopCommand> wallpaperCommands(DesktopKind desktop, const QString &imagePath)
{
    const QString uri = QUrl::fromLocalFile(imagePath).toString(QUrl::FullyEncoded);
    switch (desktop) {
    case DesktopKind::Gnome: {
        const QString schema = QStringLiteral("org.gnome.desktop.background");
        return {gsettingsSet(schema, QStringLiteral("picture-uri"), uri),
                gsettingsSet(schema, QStringLiteral("picture-uri-dark"), uri)};
    }
    case DesktopKind::Cinnamon:
        return {gsettingsSet(QStringLiteral("org.cinnamon.desktop.background"), QStringLiteral("picture-uri"), uri)};
    case DesktopKind::Kde:
        return {{QStringLiteral("plasma-apply-wallpaperimage"), {imagePath}}};
    case DesktopKind::Xfce:
        // Every monitor and workspace has its own property; the path goes in as an argument,
        // never into the script's text.
        return {{QStringLiteral("sh"),
                 {QStringLiteral("-c"),
                  QStringLiteral("for p in $(xfconf-query -c xfce4-desktop -l | grep '/last-image$'); do "
                                 "xfconf-query -c xfce4-desktop -p \"$p\" -s \"$1\"; done"),
                  QStringLiteral("sh"), imagePath}}};
    case DesktopKind::Mate:
        return {gsettingsSet(QStringLiteral("org.mate.background"), QStringLiteral("picture-filename"), imagePath)};
    case DesktopKind::Unknown:
        break;
    }
    return {};
}

DesktopWallpaper::DesktopWallpaper() : m_runner(std::make_unique<DetachedCommandRunner>()) {}

DesktopWallpaper::~DesktopWallpaper() = default;

void DesktopWallpaper::apply(const QString &imagePath, const QString &xdgCurrentDesktop)
{
    for (const DesktopCommand &command : wallpaperCommands(desktopKind(xdgCurrentDesktop), imagePath))
        m_runner->start(command);
}
