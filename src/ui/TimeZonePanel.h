#pragma once

#include <QFrame>

class QLabel;

// Three clocks for chosen time zones over a caption row.
class TimeZonePanel final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TimeZonePanel)

public:
    explicit TimeZonePanel(QWidget *parent = nullptr);

    QWidget *clock(int index) const { return m_clocks[index]; }
    QLabel *caption(int index) const { return m_captions[index]; }

private:
    QWidget *m_clocks[3] = {};
    QLabel *m_captions[3] = {};
};
