#pragma once

#include "ui/widgets/RollOutPanel.h"

#include "notes/NotesList.h"
#include "reminders/UpcomingEvents.h"

class QTreeView;
class UpcomingEventsModel;

// The "Upcoming events" roll-out with its list: the notes due within the next few days,
// soonest first, with the time left. Rebuilt at every refresh of the notes and every few
// ticks of the 60-second timer.
class UpcomingEventsPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UpcomingEventsPanel)

public:
    explicit UpcomingEventsPanel(QWidget *parent = nullptr);

    RollOutPanel *rollOut() const { return m_rollOut; }
    QTreeView *list() const { return m_list; }
    UpcomingEventsModel *model() const { return m_model; }

    // The list anew, as a refresh computed it.
    void showEvents(const QList<UpcomingEvent> &events);
    // Timer2Timer's counting step: true on the tick that is due for a rebuild.
    bool countRefreshTick(int refreshMinutes) { return m_refreshCounter.tick(refreshMinutes); }
    int refreshCount() const { return m_refreshCounter.count(); }

    // "Note" and "Left"; the "ID" column stays hidden.
    void setColumnWidths(int note, int left);
    int columnWidth(int column) const;

private:
    RollOutPanel *m_rollOut = nullptr;
    QTreeView *m_list = nullptr;
    UpcomingEventsModel *m_model = nullptr;
    UpcomingRefreshCounter m_refreshCounter; // UpcomingRefreshCount
};
