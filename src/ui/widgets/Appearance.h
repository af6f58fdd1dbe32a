#pragma once

#include <QColor>
#include <QPalette>

// The desktop's light or dark colours, as its palette shows them.
namespace Appearance {

// Dark when the window background is darker than its text.
bool isDark(const QPalette &palette);
// A colour chosen for a light background, made readable on the palette's: on a dark one its
// lightness is mirrored, keeping the hue, so light pastels become deep tones of the same colour.
QColor readable(const QColor &forLightBackground, const QPalette &palette);

} // namespace Appearance
