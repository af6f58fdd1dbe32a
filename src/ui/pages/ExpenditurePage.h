#pragma once

#include "core/LocaleFormats.h"
#include "expenditures/ExpenditureCharts.h"
#include "expenditures/ExpenditureText.h"
#include "search/SearchQuery.h"
#include "ui/pages/ExpenditureChartViews.h"

#include <QWidget>

class ExpenditureListModel;
class QComboBox;
class QDialog;
class QLabel;
class QTreeView;
class QVBoxLayout;
class RollOutPanel;
struct ExpenditureBook;
struct ExpenditurePageData;
struct Settings;

// The "Expenditure management" page: the bar, five folding sections and the main list.
class ExpenditurePage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ExpenditurePage)

public:
    explicit ExpenditurePage(QWidget *parent = nullptr);

    // The add, manage and change-balance windows the page's controls open.
    void setWindows(QDialog *addTransaction, QDialog *manage, QDialog *changeValue);
    // Brings the book up to date at the clock's now and shows it.
    void refresh(ExpenditureBook &book, const Settings &settings);
    void showPage(const ExpenditurePageData &page);
    // The same when only the search changed: the charts stay as they are unless a transaction took effect
    // (then true).
    bool refreshLists(ExpenditureBook &book, const Settings &settings);
    // The lists show only the transactions whose description holds the words, from the next refresh on.
    void setSearch(const SearchQuery &search) { m_search = search; }
    // The "Show" box's choice; None while typed text selects no entry.
    ShowPeriod showPeriod() const;
    const LocaleFormats &formats() const { return m_formats; }
    void setFormats(const LocaleFormats &formats);

    void DsFancyButton8Click();
    void DsFancyButton5Click();
    void Label9DblClick();
    void ComboBox1Change();

    QTreeView *bookedList() const { return m_booked; }
    QTreeView *futureList() const { return m_future; }
    QTreeView *periodicList() const { return m_periodic; }
    QLabel *balanceLabel() const { return m_balance; }
    QComboBox *showBox() const { return m_show; }
    // The charts are made when the page is first shown (or asked for here), not at start.
    ExpenditureChartViews *charts();
    bool hasCharts() const { return m_charts != nullptr; }
    // The desktop switched between light and dark: the charts and their read-outs follow.
    void followPalette(const QPalette &palette);

Q_SIGNALS:
    // The "Show" box changed: the page wants a refresh with the book.
    void refreshRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void colourReadOuts(const QPalette &palette);
    RollOutPanel *addSection(QVBoxLayout *layout, const QString &caption, QWidget *content);
    QTreeView *makeList(const QString &name, ExpenditureListModel **model);

    QTreeView *m_booked = nullptr;
    QTreeView *m_future = nullptr;
    QTreeView *m_periodic = nullptr;
    ExpenditureListModel *m_bookedModel = nullptr;
    ExpenditureListModel *m_futureModel = nullptr;
    ExpenditureListModel *m_periodicModel = nullptr;
    QLabel *m_balance = nullptr;
    QComboBox *m_show = nullptr;
    ExpenditureChartViews *m_charts = nullptr;
    ExpenditureChartViews::Areas m_chartAreas;
    ExpenditureChartViews::ReadOuts m_readOuts{};
    // What the charts will show when made.
    PredictionChart m_prediction;
    HistoryChart m_history;
    CategoryChart m_categories;
    QDialog *m_addTransaction = nullptr;
    QDialog *m_manage = nullptr;
    QDialog *m_changeValue = nullptr;
    LocaleFormats m_formats;
    SearchQuery m_search;
};

// What the page reads from the settings each time it refreshes.
ExpenditureSettings expenditureSettings(const Settings &settings);
