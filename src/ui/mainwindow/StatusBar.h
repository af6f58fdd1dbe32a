#pragma once

#include <QStatusBar>

class QLabel;
class QPushButton;
class QTimer;
class Switch;

// Encryption switch, four note counters and the clock.
class StatusBar final : public QStatusBar
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatusBar)

public:
    explicit StatusBar(QWidget *parent = nullptr);

    Switch *encryptionSwitch() const { return m_encryption; }
    // index 0..3: the counters JvFullColorLabel0..3
    QLabel *counter(int index) const { return m_counters[index]; }
    QLabel *clock() const { return m_clock; }
    // Panels 0..5 in order; the seventh takes the rest of the width.
    QWidget *panel(int index) const { return m_panels[index]; }

    void updateClock(const QDateTime &now);
    // "Undo" in the free part of the bar for a few seconds, after something was deleted.
    void offerUndo();
    QPushButton *undoOffer() const { return m_undo; }
    // How the last sync went, in the free part of the bar; hidden while sync is not set up.
    QLabel *syncStatus() const { return m_sync; }

    // A panel of width 0 is hidden; the clock panel's width also shows or hides the clock.
    void setPanelWidth(int index, int width);
    int panelWidth(int index) const { return m_widths[index]; }

private:
    Switch *m_encryption = nullptr;
    QLabel *m_counters[4] = {};
    QLabel *m_clock = nullptr;
    QWidget *m_panels[6] = {};
    QPushButton *m_undo = nullptr;
    QLabel *m_sync = nullptr;
    QTimer *m_undoTimeout = nullptr;
    int m_widths[6] = {40, 45, 45, 45, 45, 120};
};
