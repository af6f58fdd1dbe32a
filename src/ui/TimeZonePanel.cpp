#include "TimeZonePanel.h"

#include <QGridLayout>
#include <QLabel>

TimeZonePanel::TimeZonePanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("JvPanel6"));
    setAccessibleName(QStringLiteral("Time Zone"));
    setFrameShape(QFrame::StyledPanel);
    setFixedHeight(80);
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(2, 2, 2, 0);
    layout->setSpacing(0);
    const char *clockNames[3] = {"JvClock2", "JvClock3", "JvClock4"};
    const char *captionNames[3] = {"JvPanel8", "JvPanel9", "JvPanel10"};
    const char *captions[3] = {"T1", "Local Time", "T2"};
    auto *captionRow = new QWidget(this);
    captionRow->setObjectName(QStringLiteral("JvPanel7"));
    auto *captionLayout = new QHBoxLayout(captionRow);
    captionLayout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        m_clocks[i] = new QWidget(this);
        m_clocks[i]->setObjectName(QLatin1String(clockNames[i]));
        layout->addWidget(m_clocks[i], 0, i);
        m_captions[i] = new QLabel(QLatin1String(captions[i]), captionRow);
        m_captions[i]->setObjectName(QLatin1String(captionNames[i]));
        m_captions[i]->setAlignment(Qt::AlignCenter);
        captionLayout->addWidget(m_captions[i], 1);
    }
    layout->addWidget(captionRow, 1, 0, 1, 3);
    layout->setRowStretch(0, 1);
}
