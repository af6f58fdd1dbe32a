#include "ui/mainwindow/SettingsApplier.h"

#include "ui/mainwindow/QuickBar.h"
#include "ui/mainwindow/StatusBar.h"
#include "ui/mainwindow/TimeInfoPanels.h"
#include "ui/pages/NotepadPage.h"
#include "ui/pages/NotesPage.h"
#include "ui/pages/ProgressPanel.h"
#include "ui/pages/TimeZonePanel.h"
#include "ui/pages/UpcomingEventsPanel.h"
#include "ui/pages/WeekSchedulePage.h"
#include "ui/widgets/RollOutPanel.h"

#include "core/Clock.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QProxyStyle>
#include <QTabWidget>
#include <QTreeView>

namespace {

// Qt has no application-wide setting for the pause before a tool tip; the style answers it.
class HintPauseStyle final : public QProxyStyle
{
public:
    static int s_pause;

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return s_pause;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

int HintPauseStyle::s_pause = 700;

QFont fontOf(const SettingsEffects::FontChoice &choice)
{
    QFont font(choice.family);
    if (choice.size > 0)
        font.setPointSize(choice.size);
    return font;
}

} // namespace

SettingsApplier::SettingsApplier(const Settings &settings, const SettingsTargets &targets)
    : m_settings(settings), m_targets(targets), m_sunPlace(SettingsEffects::sunPlace(settings))
{
}

void SettingsApplier::applyAfterLoad()
{
    const SettingsEffects::LoadEffects effects = SettingsEffects::effectsOfLoad(m_settings);
    m_targets.window->resize(effects.windowWidth, effects.windowHeight);
    m_targets.notesPage->setListHeight(effects.notesListHeight);
    m_targets.quickBar->setSwitches(effects.hidePrivateNotes, effects.showFinishedTasks);
    m_targets.upcoming->rollOut()->setCollapsed(effects.upcomingEventsCollapsed);
    if (effects.upcomingListColumnWidths[0] >= 0 && effects.upcomingListColumnWidths[1] >= 0)
        m_targets.upcoming->setColumnWidths(effects.upcomingListColumnWidths[0], effects.upcomingListColumnWidths[1]);
    m_targets.notesPage->setColumnWidths(effects.notesListColumnWidths);
    setStatusBarVisible(effects.statusBar.visible);
    applyClockPanel();
    applyWeekSwitches();
    applyAlwaysOnTop();
    applySunPanel();
    applyCustomPanel();
    applySunPlace();
    applyHintPause();
}

void SettingsApplier::applyStatusBarAtLoad()
{
    const SettingsEffects::StatusBarLayout layout = SettingsEffects::statusBarAtLoad(m_settings);
    setEncryptionPanelWidth(layout.encryptionPanelWidth);
    setCounterPanelWidth(layout.counterPanelWidth);
    setClockPanelWidth(layout.clockPanelWidth);
    if (layout.visible)
        m_targets.statusBar->update();
    setDetailsPanelVisible(m_settings.ShowHyperlinksPanel);
}

void SettingsApplier::prepareStartView()
{
    m_targets.statusBar->hide();
    if (m_settings.ShowStatusBar)
        m_targets.statusBar->show();
    for (int day = 0; day < 7; ++day) {
        QTreeView *list = m_targets.weekPage->dayList(day);
        list->hide();
        list->show();
    }
    m_targets.pages->setCurrentIndex(static_cast<int>(SettingsEffects::startPage(m_settings)));
}

void SettingsApplier::applyAlwaysOnTop()
{
    QMainWindow *window = m_targets.window;
    // Turning it off only raises the window: it stays above the others until the next start.
    if (m_settings.AlwaysOnTop && !window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        const bool visible = window->isVisible();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        if (visible)
            window->show();
    }
    window->raise();
}

void SettingsApplier::applySunPanel()
{
    m_targets.sunPanel->setVisible(m_settings.SunPanel);
}

void SettingsApplier::applyCustomPanel()
{
    m_targets.customPanel->setVisible(m_settings.CustomPanel);
}

void SettingsApplier::applyClockPanel()
{
    const SettingsEffects::ClockPanelLayout layout = SettingsEffects::clockPanel(m_settings);
    m_targets.timeZonePanel->setVisible(layout.visible);
    m_targets.timeZonePanel->setAnalogue(layout.analogue);
    for (int clock = 0; clock < 3; ++clock)
        applyClockCaption(clock);
    // A clock given another zone shows its time at once, not at the next tick.
    if (m_targets.timeInfo)
        m_targets.timeInfo->clockStep(Clock::nowValue());
}

void SettingsApplier::applyClockCaption(int clock)
{
    m_targets.timeZonePanel->caption(clock)->setText(SettingsEffects::clockPanel(m_settings).captions[clock]);
}

void SettingsApplier::applyHintPause()
{
    HintPauseStyle::s_pause = SettingsEffects::hintPauseMs(m_settings);
    if (!dynamic_cast<HintPauseStyle *>(QApplication::style()))
        QApplication::setStyle(new HintPauseStyle);
}

int SettingsApplier::hintPause()
{
    return QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay);
}

void SettingsApplier::applySunPlace()
{
    m_sunPlace = SettingsEffects::sunPlace(m_settings);
    if (m_targets.timeInfo)
        m_targets.timeInfo->feedPlace(m_sunPlace);
}

void SettingsApplier::applyWeekSwitches()
{
    m_targets.weekPage->setSwitches(m_settings.ShowTimeWeekSchedule, m_settings.WeekSortByTime);
}

void SettingsApplier::applyListFont()
{
    const QFont font = fontOf(SettingsEffects::viewFonts(m_settings).notesList);
    m_targets.notesPage->setListFont(font);
    m_targets.upcoming->list()->setFont(font);
}

void SettingsApplier::applyDetailsFont()
{
    m_targets.notesPage->setDetailsFont(fontOf(SettingsEffects::viewFonts(m_settings).details));
}

void SettingsApplier::applyNotepadFont()
{
    m_targets.notepadPage->editor()->setFont(fontOf(SettingsEffects::viewFonts(m_settings).notepad));
}

void SettingsApplier::applyWeekFont()
{
    m_targets.weekPage->setListsFont(fontOf(SettingsEffects::viewFonts(m_settings).weekSchedule));
}

void SettingsApplier::applyFonts()
{
    applyListFont();
    applyDetailsFont();
    applyNotepadFont();
    applyWeekFont();
}

void SettingsApplier::setStatusBarVisible(bool visible)
{
    m_targets.statusBar->setVisible(visible);
}

void SettingsApplier::setEncryptionPanelWidth(int width)
{
    m_targets.statusBar->setPanelWidth(0, width);
}

void SettingsApplier::setCounterPanelWidth(int width)
{
    for (int panel = 1; panel <= 4; ++panel)
        m_targets.statusBar->setPanelWidth(panel, width);
}

void SettingsApplier::setClockPanelWidth(int width)
{
    m_targets.statusBar->setPanelWidth(5, width);
}

void SettingsApplier::setDetailsPanelVisible(bool visible)
{
    m_targets.notesPage->setDetailsPanelVisible(visible);
}
