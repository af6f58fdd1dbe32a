#pragma once

#include <QTreeView>

#include <functional>

// One day list of the week schedule: a read-only report list that starts a drag of its row by itself
// and takes drops that its page accepts.
class DayListView final : public QTreeView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DayListView)

public:
    using AcceptsDrop = std::function<bool(const QObject *source)>;
    using Drop = std::function<void(const QObject *source)>;

    explicit DayListView(QWidget *parent = nullptr);

    void setDropHandlers(AcceptsDrop accepts, Drop drop);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Accepts the event as a copy when the page takes its source, ignores it otherwise.
    bool takeDrag(QDropEvent *event) const;

    AcceptsDrop m_accepts;
    Drop m_drop;
};
