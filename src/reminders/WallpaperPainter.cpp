#include "WallpaperPainter.h"

#include "core/Rounding.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace Wallpaper {

QColor storedColor(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

int scaled(int length, int percent)
{
    return int(Rounding::divideHalfToEven(qint64(length) * percent, 100));
}

QPoint origin(QSize screen, int percentX, int percentY)
{
    return {scaled(screen.width(), percentX), scaled(screen.height(), percentY)};
}

QFont font(int points)
{
    QFont result(QStringLiteral("Arial"));
    // Pixels rather than points: the picture has no screen, and its size must not depend
    // on the resolution the toolkit guesses for one.
    result.setPixelSize(std::max(1, int(std::lround(points * double(kFontDpi) / 72.0))));
    return result;
}

} // namespace Wallpaper

WallpaperPicture::WallpaperPicture(const WallpaperLook &look, QSize screen)
    : m_image(screen.expandedTo(QSize(1, 1)), QImage::Format_RGB32), m_font(Wallpaper::font(look.fontSize)),
      m_background(Wallpaper::storedColor(look.backgroundColor)), m_text(Wallpaper::storedColor(look.fontColor)),
      m_at(Wallpaper::origin(screen, look.positionX, look.positionY))
{
    m_image.fill(m_background);
}

void WallpaperPicture::drawLine(const QString &line)
{
    m_at.ry() += Wallpaper::kLineStep;
    QPainter painter(&m_image);
    painter.setFont(m_font);
    painter.setPen(m_text);
    // Each line paints its own background, so a tall font's line covers the foot of the one above.
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(m_background);
    const QFontMetrics metrics(m_font, &m_image);
    painter.drawText(QPoint(m_at.x(), m_at.y() + metrics.ascent()), line);
}

WallpaperLook onDesktop(WallpaperLook look, bool dark, const QColor &window, const QColor &text)
{
    const auto stored = [](const QColor &colour) {
        return quint32(colour.red()) | quint32(colour.green()) << 8 | quint32(colour.blue()) << 16;
    };
    if (dark && look.backgroundColor == WallpaperLook{}.backgroundColor)
        look.backgroundColor = stored(window);
    if (dark && look.fontColor == WallpaperLook{}.fontColor)
        look.fontColor = stored(text);
    return look;
}

QImage paintWallpaper(const WallpaperLook &look, const QStringList &lines, QSize screen)
{
    WallpaperPicture picture(look, screen);
    for (const QString &line : lines)
        picture.drawLine(line);
    return picture.image();
}

QByteArray wallpaperBmp(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}
