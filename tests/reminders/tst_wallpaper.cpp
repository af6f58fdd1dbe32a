#include "reminders/UpcomingEvents.h"
#include "reminders/WallpaperPainter.h"

#include <QTest>

namespace {

constexpr quint32 kBlack = 0x000000;
constexpr quint32 kWhite = 0xFFFFFF;

// The bounding box of every pixel that is not the background colour.
QRect inkBox(const QImage &image, QColor background)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != background)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

WallpaperLook look(quint32 background, quint32 font, int size, int x = 0, int y = 0)
{
    return WallpaperLook{background, font, size, x, y};
}

} // namespace

class TestWallpaper final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void picture_hasTheScreensSizeAndBackground();
    void firstLine_liesAt23BelowTheOrigin();
    void lines_are23PixelsApartWhateverTheFontSize();
    void position_isAPercentOfTheScreen();
    void rounding_halvesGoToEven_data();
    void rounding_halvesGoToEven();
    void colours_redInTheLowestByte();
    void longNote_isDrawnAsSixtyCharactersAndDots();
    void bmp_readsBackPixelForPixel();
    void darkDesktop_takesTheColoursKeptAtTheDefault_data();
    void darkDesktop_takesTheColoursKeptAtTheDefault();
};

void TestWallpaper::picture_hasTheScreensSizeAndBackground()
{
    const QImage image = paintWallpaper(look(0x336699, kWhite, 16), {}, QSize(320, 200));
    QCOMPARE(image.size(), QSize(320, 200));
    QVERIFY(inkBox(image, QColor(0x99, 0x66, 0x33)).isNull());
}

void TestWallpaper::firstLine_liesAt23BelowTheOrigin()
{
    const QImage image = paintWallpaper(look(kBlack, kWhite, 10), {QStringLiteral("HHHH")}, QSize(160, 80));
    const QRect ink = inkBox(image, Qt::black);
    QVERIFY(!ink.isNull());
    // Nothing above the line's top; the glyphs start within the line's own cell, so the text
    // hangs from y = 23 rather than sitting on it.
    QVERIFY2(ink.top() >= 23, qPrintable(QString::number(ink.top())));
    QVERIFY2(ink.top() < 23 + Wallpaper::font(10).pixelSize(), qPrintable(QString::number(ink.top())));
    QVERIFY2(ink.left() <= 3, qPrintable(QString::number(ink.left())));
}

void TestWallpaper::lines_are23PixelsApartWhateverTheFontSize()
{
    for (const int size : {10, 16, 40}) {
        const QImage one = paintWallpaper(look(kBlack, kWhite, size), {QStringLiteral("H")}, QSize(120, 200));
        const QImage second =
            paintWallpaper(look(kBlack, kWhite, size), {QString(), QStringLiteral("H")}, QSize(120, 200));
        QCOMPARE(inkBox(second, Qt::black).top(), inkBox(one, Qt::black).top() + 23);
    }
    // A font taller than the step: the next line's background covers the foot of the one above.
    const QImage tall =
        paintWallpaper(look(kBlack, kWhite, 40), {QStringLiteral("H"), QStringLiteral("      ")}, QSize(120, 200));
    const QImage alone = paintWallpaper(look(kBlack, kWhite, 40), {QStringLiteral("H")}, QSize(120, 200));
    QVERIFY(inkBox(tall, Qt::black).bottom() < inkBox(alone, Qt::black).bottom());
}

void TestWallpaper::position_isAPercentOfTheScreen()
{
    const QImage image = paintWallpaper(look(kBlack, kWhite, 10, 50, 25), {QStringLiteral("HHHH")}, QSize(200, 120));
    const QRect ink = inkBox(image, Qt::black);
    QVERIFY(ink.left() >= 100 && ink.left() <= 103);
    QVERIFY(ink.top() >= 30 + 23 && ink.top() < 30 + 23 + 14);
    QCOMPARE(Wallpaper::origin(QSize(1920, 1080), 100, 100), QPoint(1920, 1080));
}

void TestWallpaper::rounding_halvesGoToEven_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("expected");
    QTest::newRow("500.5 down to even") << 1001 << 50 << 500;
    QTest::newRow("501.5 up to even") << 1003 << 50 << 502;
    QTest::newRow("0.5 down to 0") << 1 << 50 << 0;
    QTest::newRow("1.5 up to 2") << 3 << 50 << 2;
    QTest::newRow("341.5 up to 342") << 1366 << 25 << 342;
    QTest::newRow("1024.5 down to 1024") << 1366 << 75 << 1024;
    QTest::newRow("below a half") << 1366 << 5 << 68;   // 68.3
    QTest::newRow("above a half") << 1366 << 35 << 478; // 478.1
    QTest::newRow("0.55 up") << 11 << 5 << 1;
    QTest::newRow("exact") << 1920 << 5 << 96;
    QTest::newRow("whole screen") << 1080 << 100 << 1080;
}

void TestWallpaper::rounding_halvesGoToEven()
{
    QFETCH(int, length);
    QFETCH(int, percent);
    QFETCH(int, expected);
    QCOMPARE(Wallpaper::scaled(length, percent), expected);
}

void TestWallpaper::colours_redInTheLowestByte()
{
    // Red background, blue text, as the settings store them.
    const QImage image = paintWallpaper(look(0x0000FF, 0xFF0000, 24), {QStringLiteral("HHHH")}, QSize(200, 80));
    QCOMPARE(image.pixelColor(0, 0), QColor(255, 0, 0));
    QCOMPARE(image.pixelColor(199, 79), QColor(255, 0, 0));
    int textPixels = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            QCOMPARE(c.green(), 0); // only the two colours and their blends
            if (c == QColor(0, 0, 255))
                ++textPixels;
        }
    }
    QVERIFY2(textPixels > 20, qPrintable(QString::number(textPixels)));
}

void TestWallpaper::longNote_isDrawnAsSixtyCharactersAndDots()
{
    UpcomingEvent event;
    event.left = QStringLiteral("0d 00h10m");
    event.note = QString(60, QLatin1Char('W')) + QStringLiteral("WWWW");
    const WallpaperLook style = look(kBlack, kWhite, 10);
    const QSize screen(1200, 60);
    const QImage drawn = paintWallpaper(style, {wallpaperLine(event)}, screen);
    const QImage cut = paintWallpaper(
        style, {QStringLiteral("0d 00h10m  ") + QString(60, QLatin1Char('W')) + QStringLiteral("...")}, screen);
    const QImage whole = paintWallpaper(style, {QStringLiteral("0d 00h10m  ") + event.note}, screen);
    QCOMPARE(drawn, cut);
    QVERIFY(inkBox(whole, Qt::black).right() > inkBox(drawn, Qt::black).right());

    event.note.chop(3); // 61 characters
    QCOMPARE(paintWallpaper(style, {wallpaperLine(event)}, screen), cut);
}

void TestWallpaper::bmp_readsBackPixelForPixel()
{
    const QImage image =
        paintWallpaper(look(0x102030, 0xF0E0D0, 12, 10, 10), {QStringLiteral("0d 01h00m  Call")}, QSize(240, 90));
    const QByteArray bytes = wallpaperBmp(image);
    QVERIFY(bytes.startsWith("BM"));
    QImage back;
    QVERIFY(back.loadFromData(bytes, "BMP"));
    QCOMPARE(back.size(), image.size());
    QCOMPARE(back.convertToFormat(QImage::Format_RGB32), image);
}

void TestWallpaper::darkDesktop_takesTheColoursKeptAtTheDefault_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<quint32>("background");
    QTest::addColumn<quint32>("font");
    QTest::addColumn<quint32>("paintedBackground");
    QTest::addColumn<quint32>("paintedFont");
    // The desktop: window 0x30 0x31 0x32, text 0xE0 0xE1 0xE2 (red in the lowest byte).
    QTest::newRow("light desktop, defaults") << false << 0u << 0u << 0u << 0u;
    QTest::newRow("dark desktop, defaults") << true << 0u << 0u << 0x323130u << 0xE2E1E0u;
    QTest::newRow("dark desktop, own background") << true << 0xFFFFFFu << 0u << 0xFFFFFFu << 0xE2E1E0u;
    QTest::newRow("dark desktop, own font colour") << true << 0u << 0x0000FFu << 0x323130u << 0x0000FFu;
    QTest::newRow("light desktop, own colours") << false << 0x00FF00u << 0xFFu << 0x00FF00u << 0xFFu;
}

void TestWallpaper::darkDesktop_takesTheColoursKeptAtTheDefault()
{
    QFETCH(bool, dark);
    QFETCH(quint32, background);
    QFETCH(quint32, font);
    QFETCH(quint32, paintedBackground);
    QFETCH(quint32, paintedFont);
    WallpaperLook look;
    look.backgroundColor = background;
    look.fontColor = font;
    const WallpaperLook painted = onDesktop(look, dark, QColor(0x30, 0x31, 0x32), QColor(0xE0, 0xE1, 0xE2));
    QCOMPARE(painted.backgroundColor, paintedBackground);
    QCOMPARE(painted.fontColor, paintedFont);
    QCOMPARE(paintWallpaper(painted, {}, QSize(4, 4)).pixelColor(1, 1), Wallpaper::storedColor(paintedBackground));
}

QTEST_MAIN(TestWallpaper)
#include "tst_wallpaper.moc"
