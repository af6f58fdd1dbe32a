#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeView;
class QVBoxLayout;
class RollOutPanel;

// The "Expenditure management" page: the bar, five folding sections and the main list.
class ExpenditurePage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ExpenditurePage)

public:
    explicit ExpenditurePage(QWidget *parent = nullptr);

    QTreeView *bookedList() const { return m_booked; }
    QTreeView *futureList() const { return m_future; }
    QTreeView *periodicList() const { return m_periodic; }
    QLabel *balanceLabel() const { return m_balance; }
    // Where the charts go: "Expenditures", "History", "Predictions".
    QWidget *chartArea(int section) const { return m_chartAreas[section]; }

private:
    RollOutPanel *addSection(QVBoxLayout *layout, const QString &caption, QWidget *content);
    QTreeView *makeList(const QString &name);

    QTreeView *m_booked = nullptr;
    QTreeView *m_future = nullptr;
    QTreeView *m_periodic = nullptr;
    QLabel *m_balance = nullptr;
    QWidget *m_chartAreas[3] = {};
};
