#include "ImageList.h"

#include <QHash>

// Resources linked from a static library must be registered by hand.
static void registerResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace ImageList1 {

void initResources()
{
    static const bool done = (registerResources(), true);
    Q_UNUSED(done);
}

QIcon icon(int index)
{
    static QHash<int, QIcon> cache;
    if (index < 0 || index >= kCount)
        return {};
    auto it = cache.find(index);
    if (it == cache.end())
        it = cache.insert(index, QIcon(QStringLiteral(":/icons/imagelist1/%1.svg").arg(index, 2, 10, QLatin1Char('0'))));
    return *it;
}

QIcon applicationIcon()
{
    static const QIcon appIcon(QStringLiteral(":/icons/marevo-notes.svg"));
    return appIcon;
}

} // namespace ImageList1

namespace ImageList2 {

QIcon icon(int index)
{
    static QHash<int, QIcon> cache;
    if (index < 0 || index >= kCount)
        return {};
    auto it = cache.find(index);
    if (it == cache.end())
        it = cache.insert(index, QIcon(QStringLiteral(":/icons/imagelist2/%1.svg").arg(index, 2, 10, QLatin1Char('0'))));
    return *it;
}

} // namespace ImageList2
