#pragma once

#include "core/DateTime.h"
#include "core/LocaleFormats.h"

#include <QString>
#include <QTime>

#include <array>
#include <optional>

class TSunTime;

// What the sun panel and the custom time panel show: two labels and a progress
// bar through the current phase of the day.
enum class DayPhase {
    Inside,      // daylight, or within the custom interval
    BeforeStart, // night before sunrise, or before the interval starts
    AfterEnd,    // night after sunset, or after the interval ends
};

struct ProgressPanelView
{
    QString leftLabel;  // the event that began the current phase
    QString rightLabel; // the event that ends it
    DayPhase phase = DayPhase::Inside;
    double percent = 0;       // share of the phase passed, unrounded; may lie outside 0..100 or be NaN
    int barValue = 0;         // what the bar shows after this step
    bool barValueSet = false; // false: percent was unusable and the bar kept its previous value
    QString barText;          // time left as "hh:mm", or empty when the text is switched off
};

// Fixed look of both bars; names as QColor understands them.
struct ProgressBarColours
{
    QString text;
    QString textOutline;
    QString background;
    QString fillFrom;
    QString fillTo;
};

ProgressBarColours progressBarColours();

// What the panels show before their first step.
ProgressPanelView sunPanelInitialView();
ProgressPanelView customPanelInitialView();
// The bar's own caption before a step replaces it: "Progress...[<percent>%]".
QString progressFormCaption(int percent);

// Time of day of a DateTime as a fraction in [0, 1).
double timeOfDay(TDateTime value);
// A duration of at most a day as "hh:mm", seconds dropped.
QString timeLeftText(double duration);
// Nearest whole percent, halves to the even neighbour; nullopt when the bar must keep its value.
std::optional<int> barPercent(double percent);

// `sunrise` and `sunset` as read from the sun component (0 when the event does not happen);
// only their times of day count, the daylight running from sunrise to sunset over midnight if
// need be. `previousBarValue` is what the bar showed before.
ProgressPanelView sunPanelStep(TDateTime sunrise, TDateTime sunset, TDateTime now, bool showText,
                               const LocaleFormats &formats, int previousBarValue);
// The user's daily interval; only the times of day of `start` and `end` count.
ProgressPanelView customPanelStep(TDateTime start, TDateTime end, TDateTime now, bool showText,
                                  const LocaleFormats &formats, int previousBarValue);

// The place as the settings hold it; written into the sun component field by field.
struct SunPlace
{
    int latDeg = 0;
    int latMin = 0;
    bool latNorth = true;
    int lonDeg = 0;
    int lonMin = 0;
    bool lonEast = true;
};

void feedPlace(TSunTime &sun, const SunPlace &place);

// The three time-zone clocks.
struct ClockPanelMode
{
    bool analogue = true;
    int height = 80;
};

ClockPanelMode clockPanelMode(bool clockType);

struct ZoneClockView
{
    QTime time;                    // the fixed time the clock shows until the next step
    double hourHandDegrees = 0;    // clockwise from twelve
    double minuteHandDegrees = 0;  // clockwise from twelve
    QString digitalText;           // "hh:mm", 24-hour
};

// The hands and the digits for a time of day.
ZoneClockView clockFace(QTime time);
// Local time shifted by `shiftHours` (not relative to UTC); the date is dropped.
ZoneClockView zoneClock(TDateTime now, double shiftHours);
// Captions under the left, middle and right clocks before the settings are applied.
std::array<QString, 3> zoneClockInitialCaptions();
