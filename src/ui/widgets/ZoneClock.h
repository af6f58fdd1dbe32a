#pragma once

#include "daypanels/DayPanels.h"

#include <QWidget>

// One clock of the time-zone strip. It shows exactly the time it was last given and does not run
// by itself; hours and minutes only, as hands on a face or as digits.
class ZoneClock final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ZoneClock)

public:
    explicit ZoneClock(QWidget *parent = nullptr);

    void setAnalogue(bool analogue);
    bool isAnalogue() const { return m_analogue; }

    void showTime(const ZoneClockView &view);
    // False until the first time arrives: the face stays without hands, the digits blank.
    bool hasTime() const { return m_hasTime; }
    QTime time() const { return m_view.time; }
    // What the digital face reads ("hh:mm"), empty before the first time.
    QString text() const { return m_hasTime ? m_view.digitalText : QString(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintAnalogue(QPainter &painter) const;
    void paintDigital(QPainter &painter) const;

    ZoneClockView m_view;
    bool m_hasTime = false;
    bool m_analogue = true;
};
