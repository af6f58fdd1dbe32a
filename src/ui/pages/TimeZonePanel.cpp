#include "ui/pages/TimeZonePanel.h"

#include "ui/widgets/ZoneClock.h"

#include "daypanels/DayPanels.h"

#include <QGridLayout>
#include <QLabel>

namespace {

constexpr int kSideClockWidth = 110;

} // namespace

TimeZonePanel::TimeZonePanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("JvPanel6"));
    setAccessibleName(QStringLiteral("Time Zone"));
    setFrameShape(QFrame::StyledPanel);
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setHorizontalSpacing(2);
    layout->setVerticalSpacing(1);
    const char *clockNames[3] = {"JvClock2", "JvClock3", "JvClock4"};
    const char *captionNames[3] = {"JvPanel8", "JvPanel9", "JvPanel10"};
    const std::array<QString, 3> captions = zoneClockInitialCaptions();
    for (int i = 0; i < 3; ++i) {
        m_clocks[i] = new ZoneClock(this);
        m_clocks[i]->setObjectName(QLatin1String(clockNames[i]));
        layout->addWidget(m_clocks[i], 0, i);
        m_captions[i] = new QLabel(captions[static_cast<size_t>(i)], this);
        m_captions[i]->setObjectName(QLatin1String(captionNames[i]));
        m_captions[i]->setAlignment(Qt::AlignCenter);
        m_captions[i]->setFrameShape(QFrame::StyledPanel);
        m_captions[i]->setFrameShadow(QFrame::Sunken);
        m_captions[i]->setFixedHeight(16);
        layout->addWidget(m_captions[i], 1, i);
    }
    layout->setColumnMinimumWidth(0, kSideClockWidth);
    layout->setColumnMinimumWidth(2, kSideClockWidth);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(0, 1);
    for (const int side : {0, 2}) {
        m_clocks[side]->setFixedWidth(kSideClockWidth);
        m_captions[side]->setFixedWidth(kSideClockWidth);
    }
    setAnalogue(true);
}

void TimeZonePanel::setAnalogue(bool analogue)
{
    m_analogue = analogue;
    const ClockPanelMode mode = clockPanelMode(analogue);
    setFixedHeight(mode.height);
    for (ZoneClock *clock : m_clocks)
        clock->setAnalogue(mode.analogue);
}

void TimeZonePanel::showTimes(const std::array<ZoneClockView, 3> &views)
{
    for (size_t i = 0; i < views.size(); ++i)
        m_clocks[i]->showTime(views[i]);
}
