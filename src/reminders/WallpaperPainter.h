#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QStringList>

// What the wallpaper settings say about the picture.
struct WallpaperLook
{
    quint32 backgroundColor = 0; // red in the lowest byte, then green, then blue
    quint32 fontColor = 0;
    int fontSize = 16; // points
    int positionX = 0; // percent of the screen's width
    int positionY = 0; // percent of the screen's height
};

namespace Wallpaper {

inline constexpr int kLineStep = 23; // pixels between lines, whatever the font size
inline constexpr int kFontDpi = 96;  // points are turned into pixels at this resolution

QColor storedColor(quint32 value);
// `percent` of `length`, rounded to the nearest pixel, halves to the even neighbour.
int scaled(int length, int percent);
QPoint origin(QSize screen, int percentX, int percentY);
QFont font(int points);

} // namespace Wallpaper

// The picture painted one event at a time: the constructor prepares it (screen-sized, filled
// with the background), each drawLine puts the next line 23 pixels below the previous one.
class WallpaperPicture
{
public:
    WallpaperPicture(const WallpaperLook &look, QSize screen);

    void drawLine(const QString &line);
    const QImage &image() const { return m_image; }

private:
    QImage m_image;
    QFont m_font;
    QColor m_background;
    QColor m_text;
    QPoint m_at;
};

// The look as painted on a desktop of these colours: on a dark one, a colour the user kept at its default
// (black) takes the desktop's own (its window colour for the background, its text colour for the text).
WallpaperLook onDesktop(WallpaperLook look, bool dark, const QColor &window, const QColor &text);

QImage paintWallpaper(const WallpaperLook &look, const QStringList &lines, QSize screen);

// The picture as a BMP file's bytes.
QByteArray wallpaperBmp(const QImage &image);
