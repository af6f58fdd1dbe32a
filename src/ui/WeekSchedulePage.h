#pragma once

#include <QWidget>

class QDateEdit;
class QMenu;
class QPushButton;
class QTreeView;
class Switch;

// The "Week schedule" page: the navigation bar and seven day lists.
class WeekSchedulePage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WeekSchedulePage)

public:
    explicit WeekSchedulePage(QWidget *parent = nullptr);

    // day offset 0..6 from the first shown day
    QTreeView *dayList(int day) const { return m_days[day]; }
    QMenu *dayMenu(int day) const { return m_menus[day]; }

private:
    void buildNavigationBar();
    void buildDayList(int day);

    QWidget *m_bar = nullptr;
    QTreeView *m_days[7] = {};
    QMenu *m_menus[7] = {};
};
