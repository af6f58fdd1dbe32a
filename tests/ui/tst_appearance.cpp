#include "ui/widgets/Appearance.h"

#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

QPalette paletteOf(const QColor &window, const QColor &text)
{
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    return palette;
}

// WCAG's contrast of two colours, 1 to 21.
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &colour) {
        const auto channel = [](double value) {
            return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
    };
    const double first = luminance(a) + 0.05;
    const double second = luminance(b) + 0.05;
    return std::max(first, second) / std::min(first, second);
}

} // namespace

class TestAppearance final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void weekdayColours_readableOnBothDesktops_data();
    void weekdayColours_readableOnBothDesktops();
};

void TestAppearance::weekdayColours_readableOnBothDesktops_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("dark");
    const QColor defaults[] = {QColor(0xFFFFFF), QColor(0xE7E6E6), QColor(0xFFF2CC), QColor(0xDDEBF7)};
    for (const QColor &colour : defaults) {
        QTest::addRow("%s, light desktop", qPrintable(colour.name())) << colour << false;
        QTest::addRow("%s, dark desktop", qPrintable(colour.name())) << colour << true;
    }
}

void TestAppearance::weekdayColours_readableOnBothDesktops()
{
    QFETCH(QColor, colour);
    QFETCH(bool, dark);
    const QPalette palette = dark ? paletteOf(QColor(0x2A2A2A), QColor(0xEEEEEE)) : paletteOf(QColor(0xEFEFEF), Qt::black);
    QCOMPARE(Appearance::isDark(palette), dark);
    const QColor shown = Appearance::readable(colour, palette);
    // The list's text takes the palette's text colour: it must stand out from the day's colour.
    QVERIFY2(contrast(shown, palette.color(QPalette::WindowText)) >= 4.5, qPrintable(shown.name()));
    if (!dark)
        QCOMPARE(shown, colour);
    else if (colour.hslSaturation() > 0)
        QVERIFY(qAbs(shown.hslHue() - colour.hslHue()) <= 1);
}

QTEST_MAIN(TestAppearance)
#include "tst_appearance.moc"
