#pragma once

#include "core/DateTime.h"
#include "core/LocaleFormats.h"
#include "daypanels/SunTime.h"
#include "settings/Settings.h"
#include "settings/SettingsEffects.h"

class ProgressPanel;
class TimeZonePanel;

// The sun panel, the custom time panel and the time-zone clocks, fed from the live settings.
// Holds the program's one sun component, moved to each new day as the program runs on.
class TimeInfoPanels final
{
    Q_DISABLE_COPY_MOVE(TimeInfoPanels)

public:
    TimeInfoPanels(const Settings &settings, const LocaleFormats &formats, ProgressPanel *sunPanel,
                   ProgressPanel *customPanel, TimeZonePanel *clocks, TDateTime now);

    // Only writes that change a value make the sun times be computed anew.
    void feedPlace(const SettingsEffects::SunPlace &place);

    // The 60-second steps, each only while its panel is switched on.
    void sunPanelStep(TDateTime now);
    void customPanelStep(TDateTime now);
    // The 5-second step, only while the clocks are switched on.
    void clockStep(TDateTime now);

    TSunTime &SunTime1() { return m_sunTime; }

private:
    const Settings &m_settings;
    const LocaleFormats &m_formats;
    ProgressPanel *m_sunPanel;
    ProgressPanel *m_customPanel;
    TimeZonePanel *m_clocks;
    TSunTime m_sunTime;
};
