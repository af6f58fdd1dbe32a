#include "ui/widgets/ImageList.h"

#include <QHash>

// Resources linked from a static library must be registered by hand.
static void registerResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

// Each list's icons are loaded once, the first time they are asked for.
QIcon cachedIcon(QHash<int, QIcon> &cache, const char *folder, int index, int count)
{
    if (index < 0 || index >= count)
        return {};
    auto it = cache.find(index);
    if (it == cache.end())
        it = cache.insert(
            index,
            QIcon(QStringLiteral(":/icons/%1/%2.svg").arg(QLatin1String(folder)).arg(index, 2, 10, QLatin1Char('0'))));
    return *it;
}

} // namespace

namespace ImageList1 {

void initResources()
{
    static const bool done = (registerResources(), true);
    Q_UNUSED(done);
}

QIcon icon(int index)
{
    static QHash<int, QIcon> cache;
    return cachedIcon(cache, "imagelist1", index, kCount);
}

QIcon applicationIcon()
{
    static const QIcon appIcon(QStringLiteral(":/icons/marevo-notes.svg"));
    return appIcon;
}

QIcon trayIcon(bool darkPanel)
{
    static const QIcon symbolic(QStringLiteral(":/icons/marevo-notes-symbolic.svg"));
    return darkPanel ? symbolic : applicationIcon();
}

} // namespace ImageList1

namespace ImageList2 {

QIcon icon(int index)
{
    static QHash<int, QIcon> cache;
    return cachedIcon(cache, "imagelist2", index, kCount);
}

} // namespace ImageList2
