#pragma once

#include "reminders/UpcomingEvents.h"

#include <QAbstractTableModel>
#include <QList>

// The rows of the "Upcoming events" list: "Note", "Left" and the "ID" column, which stays empty.
class UpcomingEventsModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UpcomingEventsModel)

public:
    explicit UpcomingEventsModel(QObject *parent = nullptr);

    void setRows(QList<UpcomingEvent> rows);
    const QList<UpcomingEvent> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<UpcomingEvent> m_rows;
};
