#include "ui/mainwindow/StatusBar.h"

#include "ui/widgets/Switch.h"

#include <QDateTime>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

// Counter colours: highest red, increased yellow, normal grey, finished green.
const char *const kCounterColours[4] = {"#5cb85c", "#b0b0b0", "#f0c419", "#e05050"};

} // namespace

StatusBar::StatusBar(QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusBarPro1"));
    setSizeGripEnabled(false);
    setFixedHeight(20);
    setContentsMargins(0, 0, 0, 0);
    m_encryption = new Switch(this);
    m_encryption->setObjectName(QStringLiteral("JvSwitch2"));
    m_encryption->setToolTip(QStringLiteral("Encryption"));
    m_encryption->setFixedWidth(40);
    m_panels[0] = m_encryption;
    addWidget(m_encryption);
    // Panels 1 to 4 hold the counters of importance 1, 2, 3 and of finished notes.
    for (int panel = 1; panel <= 4; ++panel) {
        const int index = 4 - panel;
        auto *label = new QLabel(QStringLiteral("0"), this);
        label->setObjectName(QStringLiteral("JvFullColorLabel%1").arg(index));
        label->setAlignment(Qt::AlignCenter);
        label->setFixedWidth(45);
        label->setStyleSheet(QStringLiteral("QLabel { background: %1; border-radius: %2px; color: black; }")
                                 .arg(QLatin1String(kCounterColours[index]))
                                 .arg(index == 3 ? 6 : 3));
        m_counters[index] = label;
        m_panels[panel] = label;
        addWidget(label);
    }
    m_clock = new QLabel(this);
    m_clock->setObjectName(QStringLiteral("JvClock1"));
    m_clock->setAlignment(Qt::AlignCenter);
    m_clock->setFixedWidth(120);
    m_panels[5] = m_clock;
    addWidget(m_clock);
    // The seventh panel is the empty rest of the bar; the offer to undo appears there.
    m_undo = new QPushButton(QStringLiteral("Undo"), this);
    m_undo->setObjectName(QStringLiteral("UndoOffer1"));
    m_undo->setFlat(true);
    m_undo->setFixedHeight(18);
    addWidget(m_undo);
    m_undo->hide();
    m_sync = new QLabel(this);
    m_sync->setObjectName(QStringLiteral("SyncStatus1"));
    addWidget(m_sync, 1);
    m_sync->hide();
    m_undoTimeout = new QTimer(this);
    m_undoTimeout->setSingleShot(true);
    m_undoTimeout->setInterval(6000);
    connect(m_undoTimeout, &QTimer::timeout, m_undo, &QPushButton::hide);
    connect(m_undo, &QPushButton::clicked, m_undo, &QPushButton::hide);
}

void StatusBar::offerUndo()
{
    m_undo->show();
    m_undoTimeout->start();
}

void StatusBar::updateClock(const QDateTime &now)
{
    m_clock->setText(now.toString(QStringLiteral("HH:mm  dd-MM-yyyy")));
}

void StatusBar::setPanelWidth(int index, int width)
{
    m_widths[index] = width;
    m_panels[index]->setFixedWidth(width);
    m_panels[index]->setVisible(width > 0);
}
