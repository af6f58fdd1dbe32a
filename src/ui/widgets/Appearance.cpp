#include "ui/widgets/Appearance.h"

#include <algorithm>

namespace Appearance {

bool isDark(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightnessF() < palette.color(QPalette::WindowText).lightnessF();
}

QColor readable(const QColor &forLightBackground, const QPalette &palette)
{
    if (!isDark(palette) || !forLightBackground.isValid())
        return forLightBackground;
    const QColor hsl = forLightBackground.toHsl();
    // Greys have no hue (-1), which fromHslF does not take.
    return QColor::fromHslF(std::max(hsl.hslHueF(), 0.0f), hsl.hslSaturationF(), 1.0f - hsl.lightnessF(), hsl.alphaF());
}

} // namespace Appearance
