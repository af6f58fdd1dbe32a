#pragma once

#include "RollOutPanel.h"

class QTreeView;

// The "Upcoming events" roll-out with its list.
class UpcomingEventsPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UpcomingEventsPanel)

public:
    explicit UpcomingEventsPanel(QWidget *parent = nullptr);

    RollOutPanel *rollOut() const { return m_rollOut; }
    QTreeView *list() const { return m_list; }

private:
    RollOutPanel *m_rollOut = nullptr;
    QTreeView *m_list = nullptr;
};
