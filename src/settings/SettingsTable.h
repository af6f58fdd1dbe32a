#pragma once

#include "Settings.h"

#include <array>
#include <cstddef>
#include <string_view>

// The stored form of each setting, its holding control and that control's range.
enum class SettingType
{
    Integer,
    Boolean,
    String,
    Float,
    DateTime
};

struct SettingKey
{
    std::string_view key;
    SettingType type = SettingType::Integer;
    std::string_view control; // objectName of the holding control; empty for the main window's own size
    bool mainWindow = false;  // held by the main window rather than the settings dialog
    int minimum = 0;          // range of a spin box or slider; minimum == maximum: none
    int maximum = 0;
    double step = 0; // 0: the control's ordinary step
    // Keys added after the first 95 are written only when they differ from what a missing key
    // reads as, so a settings file that never changed them saves exactly as before.
    bool writtenWhenChanged = false; // booleans that read as true when missing: written only when false
    bool storedWhenSet = false;      // written only when it differs from the first start's value (missing reads so)

    constexpr bool hasRange() const { return minimum != maximum; }
};

// Calls visit(SettingKey, member pointer) for every stored setting in file order.
// The one list that reading, writing and the key table are all made from.
template <typename Visitor> constexpr void forEachSetting(Visitor &&visit)
{
    using T = SettingType;
    using S = Settings;
    constexpr bool main = true;
    constexpr bool dialog = false;
    visit(SettingKey{"FormWidth", T::Integer, "", main}, &S::FormWidth);
    visit(SettingKey{"FormHeight", T::Integer, "", main}, &S::FormHeight);
    visit(SettingKey{"ListViewHeight", T::Integer, "ListView1", main}, &S::ListViewHeight);
    visit(SettingKey{"Autohide", T::Boolean, "CheckBox1", dialog}, &S::Autohide);
    visit(SettingKey{"Popup1", T::Boolean, "JvRadioButton1", dialog}, &S::Popup1);
    visit(SettingKey{"Popup2", T::Boolean, "JvRadioButton2", dialog}, &S::Popup2);
    visit(SettingKey{"Popup3", T::Boolean, "JvRadioButton3", dialog}, &S::Popup3);
    visit(SettingKey{"Popup4", T::Boolean, "JvRadioButton4", dialog}, &S::Popup4);
    visit(SettingKey{"AutohideDelay", T::Integer, "JvxSlider1", dialog, 1, 300}, &S::AutohideDelay);
    visit(SettingKey{"Shortcut", T::Boolean, "CheckBox2", dialog}, &S::Shortcut);
    visit(SettingKey{"SwitchState1", T::Boolean, "JvSwitch1", main}, &S::SwitchState1);
    visit(SettingKey{"SwitchState2", T::Boolean, "JvSwitch3", main}, &S::SwitchState2);
    visit(SettingKey{"ShowStatusBar", T::Boolean, "CheckBox4", dialog}, &S::ShowStatusBar);
    visit(SettingKey{"ShowEncryptionIcon", T::Boolean, "CheckBox5", dialog}, &S::ShowEncryptionIcon);
    visit(SettingKey{"ShowNumberOfNotes", T::Boolean, "CheckBox6", dialog}, &S::ShowNumberOfNotes);
    visit(SettingKey{"ShowClockAndDate", T::Boolean, "CheckBox7", dialog}, &S::ShowClockAndDate);
    visit(SettingKey{"ShowHyperlinksPanel", T::Boolean, "CheckBox8", dialog}, &S::ShowHyperlinksPanel);
    visit(SettingKey{"UpcomingEventsTime", T::Integer, "SpinEdit1", dialog, 1, 1000}, &S::UpcomingEventsTime);
    visit(SettingKey{"UpcomingEventsColapsed", T::Boolean, "JvRollOut1", main}, &S::UpcomingEventsColapsed);
    visit(SettingKey{"ShowAlerts", T::Boolean, "CheckBox9", dialog}, &S::ShowAlerts);
    visit(SettingKey{"AlertsTime", T::Integer, "SpinEdit2", dialog, 0, 1000}, &S::AlertsTime);
    visit(SettingKey{"PlaySound", T::Boolean, "CheckBox10", dialog}, &S::PlaySound);
    visit(SettingKey{"WAVfile", T::String, "JvFilenameEdit1", dialog}, &S::WAVfile);
    visit(SettingKey{"Font1", T::String, "JvFontComboBox1", dialog}, &S::Font1);
    visit(SettingKey{"Font2", T::String, "JvFontComboBox2", dialog}, &S::Font2);
    visit(SettingKey{"Font3", T::String, "JvFontComboBox3", dialog}, &S::Font3);
    visit(SettingKey{"FontSize1", T::Integer, "SpinEdit3", dialog, 1, 1000}, &S::FontSize1);
    visit(SettingKey{"FontSize2", T::Integer, "SpinEdit4", dialog, 1, 1000}, &S::FontSize2);
    visit(SettingKey{"FontSize3", T::Integer, "SpinEdit5", dialog, 1, 1000}, &S::FontSize3);
    visit(SettingKey{"UpcomingEventsRefreshTime", T::Integer, "SpinEdit6", dialog, 1, 1000},
          &S::UpcomingEventsRefreshTime);
    visit(SettingKey{"UpcomingEventsRefresh", T::Boolean, "CheckBox11", dialog}, &S::UpcomingEventsRefresh);
    visit(SettingKey{"ListView1Column0Width", T::Integer, "ListView1", main}, &S::ListView1Column0Width);
    visit(SettingKey{"ListView1Column1Width", T::Integer, "ListView1", main}, &S::ListView1Column1Width);
    visit(SettingKey{"ListView1Column2Width", T::Integer, "ListView1", main}, &S::ListView1Column2Width);
    visit(SettingKey{"ListView2Column0Width", T::Integer, "ListView2", main}, &S::ListView2Column0Width);
    visit(SettingKey{"ListView2Column1Width", T::Integer, "ListView2", main}, &S::ListView2Column1Width);
    visit(SettingKey{"SunPanel", T::Boolean, "CheckBox12", dialog}, &S::SunPanel);
    visit(SettingKey{"CustomPanel", T::Boolean, "CheckBox13", dialog}, &S::CustomPanel);
    visit(SettingKey{"CustomPanelStartTime", T::DateTime, "JvTimeEdit1", dialog}, &S::CustomPanelStartTime);
    visit(SettingKey{"CustomPanelEndTime", T::DateTime, "JvTimeEdit2", dialog}, &S::CustomPanelEndTime);
    visit(SettingKey{"SunPanelShowText", T::Boolean, "CheckBox15", dialog}, &S::SunPanelShowText);
    visit(SettingKey{"CustomPanelShowText", T::Boolean, "CheckBox14", dialog}, &S::CustomPanelShowText);
    visit(SettingKey{"LonDeg", T::Integer, "SpinEdit7", dialog}, &S::LonDeg);
    visit(SettingKey{"LonMin", T::Integer, "SpinEdit9", dialog}, &S::LonMin);
    visit(SettingKey{"LatDeg", T::Integer, "SpinEdit8", dialog}, &S::LatDeg);
    visit(SettingKey{"LatMin", T::Integer, "SpinEdit10", dialog}, &S::LatMin);
    visit(SettingKey{"LonDir", T::Boolean, "JvRadioButton7", dialog}, &S::LonDir);
    visit(SettingKey{"LatDir", T::Boolean, "JvRadioButton5", dialog}, &S::LatDir);
    visit(SettingKey{"TimeZonePanel", T::Boolean, "CheckBox16", dialog}, &S::TimeZonePanel);
    visit(SettingKey{"ClockType", T::Boolean, "RadioButton1", dialog}, &S::ClockType);
    visit(SettingKey{"TimeZone1Name", T::String, "Edit1", dialog}, &S::TimeZone1Name);
    visit(SettingKey{"TimeZone2Name", T::String, "Edit2", dialog}, &S::TimeZone2Name);
    visit(SettingKey{"TimeZone3Name", T::String, "Edit3", dialog}, &S::TimeZone3Name);
    visit(SettingKey{"TimeZone1Shift", T::Float, "JvSpinEdit1", dialog, 0, 0, 0.5}, &S::TimeZone1Shift);
    visit(SettingKey{"TimeZone2Shift", T::Float, "JvSpinEdit2", dialog, 0, 0, 0.5}, &S::TimeZone2Shift);
    visit(SettingKey{"TimeZone3Shift", T::Float, "JvSpinEdit3", dialog, 0, 0, 0.5}, &S::TimeZone3Shift);
    visit(SettingKey{"AlwaysOnTop", T::Boolean, "CheckBox17", dialog}, &S::AlwaysOnTop);
    visit(SettingKey{"ShowFullInfo", T::Boolean, "CheckBox18", dialog}, &S::ShowFullInfo);
    visit(SettingKey{"HintVisibleTime", T::Integer, "SpinEdit11", dialog, 1, 1000}, &S::HintVisibleTime);
    visit(SettingKey{"HintDelayTime", T::Integer, "SpinEdit12", dialog, 1, 10000}, &S::HintDelayTime);
    visit(SettingKey{"SortByPriority", T::Boolean, "bypriority1", main}, &S::SortByPriority);
    visit(SettingKey{"SortByDaysLeft", T::Boolean, "bydaysleft1", main}, &S::SortByDaysLeft);
    visit(SettingKey{"SortByPrivateNonPrivate", T::Boolean, "privatenonprivate1", main}, &S::SortByPrivateNonPrivate);
    visit(SettingKey{"SortByPercentDone", T::Boolean, "bydonedesc1", main}, &S::SortByPercentDone);
    visit(SettingKey{"SortDisabled", T::Boolean, "Sortingdisabled", main}, &S::SortDisabled);
    visit(SettingKey{"ShowUpcomingEventsOnDesktop", T::Boolean, "CheckBox19", dialog}, &S::ShowUpcomingEventsOnDesktop);
    visit(SettingKey{"UpcomingEventsBackgroundColor", T::Float, "JvColorButton1", dialog},
          &S::UpcomingEventsBackgroundColor);
    visit(SettingKey{"UpcomingEventsFontColor", T::Float, "JvColorButton2", dialog}, &S::UpcomingEventsFontColor);
    visit(SettingKey{"ShowWindowShortCut", T::Boolean, "CheckBox20", dialog}, &S::ShowWindowShortCut);
    visit(SettingKey{"CurrencyPrefix", T::Boolean, "RadioButton3", dialog}, &S::CurrencyPrefix);
    visit(SettingKey{"CurrencySuffix", T::Boolean, "RadioButton4", dialog}, &S::CurrencySuffix);
    visit(SettingKey{"Currency", T::String, "Edit4", dialog}, &S::Currency);
    visit(SettingKey{"PredictFor", T::Integer, "SpinEdit13", dialog, 5, 100000}, &S::PredictFor);
    visit(SettingKey{"ShowTimeWeekSchedule", T::Boolean, "CheckBox21", dialog}, &S::ShowTimeWeekSchedule);
    visit(SettingKey{"WeekSortByTime", T::Boolean, "JvRadioButton9", dialog}, &S::WeekSortByTime);
    visit(SettingKey{"WeekSortByPriority", T::Boolean, "JvRadioButton10", dialog}, &S::WeekSortByPriority);
    visit(SettingKey{"StartupTab1", T::Boolean, "RadioButton5", dialog}, &S::StartupTab1);
    visit(SettingKey{"StartupTab2", T::Boolean, "RadioButton6", dialog}, &S::StartupTab2);
    visit(SettingKey{"StartupTab3", T::Boolean, "RadioButton7", dialog}, &S::StartupTab3);
    visit(SettingKey{"StartupTab4", T::Boolean, "RadioButton8", dialog}, &S::StartupTab4);
    visit(SettingKey{"Font4", T::String, "JvFontComboBox4", dialog}, &S::Font4);
    visit(SettingKey{"Font4Size", T::Integer, "SpinEdit14", dialog, 1, 1000}, &S::Font4Size);
    visit(SettingKey{"Font5Size", T::Integer, "SpinEdit15", dialog, 10, 72}, &S::Font5Size);
    visit(SettingKey{"ShowUpcomingEventsOnDesktopPositionX", T::Integer, "JvxSlider2", dialog, 0, 100, 5},
          &S::ShowUpcomingEventsOnDesktopPositionX);
    visit(SettingKey{"ShowUpcomingEventsOnDesktopPositionY", T::Integer, "JvxSlider3", dialog, 0, 100, 5},
          &S::ShowUpcomingEventsOnDesktopPositionY);
    visit(SettingKey{"ShortDayNames", T::Boolean, "JvRadioButton11", dialog}, &S::ShortDayNames);
    visit(SettingKey{"LongDayNames", T::Boolean, "JvRadioButton12", dialog}, &S::LongDayNames);
    visit(SettingKey{"TrayIconPopUp", T::Boolean, "CheckBox22", dialog}, &S::TrayIconPopUp);
    visit(SettingKey{"MoBackgroundColor", T::Integer, "JvColorButton3", dialog}, &S::MoBackgroundColor);
    visit(SettingKey{"TueBackgroundColor", T::Integer, "JvColorButton4", dialog}, &S::TueBackgroundColor);
    visit(SettingKey{"WedBackgroundColor", T::Integer, "JvColorButton5", dialog}, &S::WedBackgroundColor);
    visit(SettingKey{"ThuBackgroundColor", T::Integer, "JvColorButton6", dialog}, &S::ThuBackgroundColor);
    visit(SettingKey{"FrBackgroundColor", T::Integer, "JvColorButton7", dialog}, &S::FrBackgroundColor);
    visit(SettingKey{"SaBackgroundColor", T::Integer, "JvColorButton8", dialog}, &S::SaBackgroundColor);
    visit(SettingKey{"SuBackgroundColor", T::Integer, "JvColorButton9", dialog}, &S::SuBackgroundColor);
    // Added keys: older copies ignore them; a missing one reads as true.
    constexpr bool added = true;
    visit(SettingKey{"RemindWithNotification", T::Boolean, "RemindNotification", dialog, 0, 0, 0, added},
          &S::RemindWithNotification);
    visit(SettingKey{"ShowMissedReminders", T::Boolean, "MissedReminders", dialog, 0, 0, 0, added},
          &S::ShowMissedReminders);
    constexpr bool setOnly = true;
    // The zone choosers are the dialog's own (no control of the table's kinds holds them).
    visit(SettingKey{"TimeZone1Id", T::String, "", dialog, 0, 0, 0, false, setOnly}, &S::TimeZone1Id);
    visit(SettingKey{"TimeZone2Id", T::String, "", dialog, 0, 0, 0, false, setOnly}, &S::TimeZone2Id);
    visit(SettingKey{"TimeZone3Id", T::String, "", dialog, 0, 0, 0, false, setOnly}, &S::TimeZone3Id);
    visit(SettingKey{"TrayHintShown", T::Boolean, "", main, 0, 0, 0, false, setOnly}, &S::TrayHintShown);
    visit(SettingKey{"SyncServer", T::String, "SyncServer", dialog, 0, 0, 0, false, setOnly}, &S::SyncServer);
    visit(SettingKey{"SyncUser", T::String, "SyncUser", dialog, 0, 0, 0, false, setOnly}, &S::SyncUser);
    // The calendar and the certificate are chosen through the sync page's own steps.
    visit(SettingKey{"SyncCalendar", T::String, "", dialog, 0, 0, 0, false, setOnly}, &S::SyncCalendar);
    visit(SettingKey{"SyncCalendarName", T::String, "", dialog, 0, 0, 0, false, setOnly}, &S::SyncCalendarName);
    visit(SettingKey{"SyncInterval", T::Integer, "SyncInterval", dialog, 0, 1440, 0, false, setOnly},
          &S::SyncInterval);
    visit(SettingKey{"SyncTrustedCertificate", T::String, "", dialog, 0, 0, 0, false, setOnly},
          &S::SyncTrustedCertificate);
}

inline constexpr std::size_t kSettingCount = [] {
    std::size_t count = 0;
    forEachSetting([&](const SettingKey &, auto) { ++count; });
    return count;
}();
// The first 95 are the file's original keys, always written.
inline constexpr std::size_t kOriginalSettingCount = 95;
static_assert(kSettingCount == kOriginalSettingCount + 12);

// The keys in the order they are written and read.
inline constexpr std::array<SettingKey, kSettingCount> kSettingKeys = [] {
    std::array<SettingKey, kSettingCount> keys{};
    std::size_t i = 0;
    forEachSetting([&](const SettingKey &key, auto) { keys[i++] = key; });
    return keys;
}();

// A choice of one among several, stored as one boolean per choice. Reading
// leaves exactly one of each group on.
struct ChoiceGroup
{
    std::array<bool Settings::*, 5> choices{};
    std::size_t count = 0;
    // Taken when a file turns every choice off: the one that behaves as "nothing chosen"
    // did, or the first start's choice where nothing chosen would leave a feature dead.
    std::size_t whenNoneChosen = 0;

    constexpr bool contains(bool Settings::*member) const
    {
        for (std::size_t i = 0; i < count; ++i) {
            if (choices[i] == member)
                return true;
        }
        return false;
    }
};

inline constexpr std::array<ChoiceGroup, 6> kChoiceGroups = {{
    {{&Settings::Popup1, &Settings::Popup2, &Settings::Popup3, &Settings::Popup4}, 4, 0},
    {{&Settings::SortByPriority, &Settings::SortByDaysLeft, &Settings::SortByPrivateNonPrivate,
      &Settings::SortByPercentDone, &Settings::SortDisabled},
     5,
     4},
    {{&Settings::CurrencyPrefix, &Settings::CurrencySuffix}, 2, 1},
    {{&Settings::WeekSortByTime, &Settings::WeekSortByPriority}, 2, 0},
    {{&Settings::StartupTab1, &Settings::StartupTab2, &Settings::StartupTab3, &Settings::StartupTab4}, 4, 0},
    {{&Settings::ShortDayNames, &Settings::LongDayNames}, 2, 1},
}};

// The group a boolean belongs to, or nullptr for a plain switch.
constexpr const ChoiceGroup *choiceGroupOf(bool Settings::*member)
{
    for (const ChoiceGroup &group : kChoiceGroups) {
        if (group.contains(member))
            return &group;
    }
    return nullptr;
}

// Makes one choice current and clears the rest of its group, as a radio button does.
inline void choose(Settings &settings, bool Settings::*member)
{
    if (const ChoiceGroup *group = choiceGroupOf(member)) {
        for (std::size_t i = 0; i < group->count; ++i)
            settings.*(group->choices[i]) = false;
    }
    settings.*member = true;
}
