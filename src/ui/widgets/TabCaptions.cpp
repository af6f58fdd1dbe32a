#include "ui/widgets/TabCaptions.h"

#include <QProxyStyle>
#include <QTabBar>
#include <QTabWidget>

namespace {

class TightTabStyle final : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        // Enough to set a caption apart from its neighbours; the styles' own 24 px cut the main window's.
        if (metric == PM_TabBarTabHSpace)
            return 8;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

void showWholeTabCaptions(QTabWidget *tabs)
{
    QTabBar *bar = tabs->tabBar();
    auto *style = new TightTabStyle;
    style->setParent(bar);
    bar->setStyle(style);
    tabs->setElideMode(Qt::ElideNone);
    tabs->setUsesScrollButtons(false);
}
