#pragma once

#include <QFrame>

#include <array>

class QLabel;
class ZoneClock;
struct ZoneClockView;

// Three clocks for chosen time zones, each over its caption; the middle one takes the spare width.
class TimeZonePanel final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TimeZonePanel)

public:
    explicit TimeZonePanel(QWidget *parent = nullptr);

    ZoneClock *clock(int index) const { return m_clocks[index]; }
    QLabel *caption(int index) const { return m_captions[index]; }

    // Analogue clocks in an 80-pixel strip, digital ones in a 50-pixel strip.
    void setAnalogue(bool analogue);
    bool isAnalogue() const { return m_analogue; }
    // Left, middle and right.
    void showTimes(const std::array<ZoneClockView, 3> &views);

private:
    ZoneClock *m_clocks[3] = {};
    QLabel *m_captions[3] = {};
    bool m_analogue = true;
};
