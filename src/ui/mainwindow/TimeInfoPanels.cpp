#include "ui/mainwindow/TimeInfoPanels.h"

#include "ui/pages/ProgressPanel.h"
#include "ui/pages/TimeZonePanel.h"

#include "daypanels/DayPanels.h"
#include "daypanels/WorldZones.h"

#include <QProgressBar>

namespace {

TDateTime dayFraction(QTime time)
{
    return time.isValid() ? static_cast<double>(time.msecsSinceStartOfDay()) / DateTime::kMsPerDay : 0.0;
}

} // namespace

TimeInfoPanels::TimeInfoPanels(const Settings &settings, const LocaleFormats &formats, ProgressPanel *sunPanel,
                               ProgressPanel *customPanel, TimeZonePanel *clocks, TDateTime now)
    : m_settings(settings), m_formats(formats), m_sunPanel(sunPanel), m_customPanel(customPanel), m_clocks(clocks),
      m_sunTime(now)
{
    m_sunPanel->showView(sunPanelInitialView());
    m_customPanel->showView(customPanelInitialView());
}

void TimeInfoPanels::feedPlace(const SettingsEffects::SunPlace &place)
{
    ::feedPlace(m_sunTime, SunPlace{place.latitudeDegrees, place.latitudeMinutes, place.north, place.longitudeDegrees,
                                    place.longitudeMinutes, place.east});
}

void TimeInfoPanels::sunPanelStep(TDateTime now)
{
    if (!m_settings.SunPanel)
        return;
    m_sunTime.SetDate(now);
    m_sunPanel->showView(::sunPanelStep(m_sunTime.Sunrise(), m_sunTime.Sunset(), now, m_settings.SunPanelShowText,
                                        m_formats, m_sunPanel->bar()->value()));
}

void TimeInfoPanels::customPanelStep(TDateTime now)
{
    if (!m_settings.CustomPanel)
        return;
    m_customPanel->showView(
        ::customPanelStep(dayFraction(m_settings.CustomPanelStartTime), dayFraction(m_settings.CustomPanelEndTime), now,
                          m_settings.CustomPanelShowText, m_formats, m_customPanel->bar()->value()));
}

void TimeInfoPanels::clockStep(TDateTime now)
{
    if (!m_settings.TimeZonePanel)
        return;
    m_clocks->showTimes(WorldZones::zoneClocksAt(
        DateTime::toQDateTime(now), {m_settings.TimeZone1Id, m_settings.TimeZone2Id, m_settings.TimeZone3Id},
        {m_settings.TimeZone1Shift, m_settings.TimeZone2Shift, m_settings.TimeZone3Shift}));
}
