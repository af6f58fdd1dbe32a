#pragma once

#include "core/DateTime.h"
#include "core/LocaleFormats.h"
#include "notes/NotesData.h"
#include "notes/NotesList.h"
#include "schedule/WeekSchedule.h"

#include <QWidget>

#include <functional>

class DayListView;
class QDateEdit;
class QMenu;
class QStandardItemModel;
class QTreeView;
class Switch;
struct ProgramState;
struct Settings;

// What the page works on and calls back; all of it belongs to the main window.
struct WeekScheduleHost
{
    NotesCollection *notes = nullptr;
    Settings *settings = nullptr;
    ProgramState *state = nullptr; // WeekStart, DayChangePending, DialogBusy
    std::function<NotesFilter()> filter;
    std::function<void()> refreshNotes;
    std::function<bool()> saveAllNotes;
};

// The "Week schedule" page: the navigation bar and seven day lists, their filling and their commands.
class WeekSchedulePage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WeekSchedulePage)

public:
    static constexpr int kDays = 7;

    explicit WeekSchedulePage(QWidget *parent = nullptr);

    void attach(WeekScheduleHost host);
    void setLocaleFormats(const LocaleFormats &formats) { m_formats = formats; }

    // day offset 0..6 from the first shown day
    QTreeView *dayList(int day) const;
    QMenu *dayMenu(int day) const { return m_menus[day]; }
    const TNotesData &noteClipboard() const { return m_noteClipboard; }

    // Rebuilds headers, colours and rows of the seven lists; reads the collection only.
    void FillWeekSchedule();
    // The seven lists as a refresh computed them, from the week's first day.
    void showWeek(const WeekSchedule &week);
    // "time" and "sorting" (on: by time) as stored; setting them is no click.
    void setSwitches(bool showTime, bool sortByTime);
    void setListsFont(const QFont &font);
    // One tick of the 5-second timer: a page that shows today as its first day follows midnight.
    void followDayChange();

    // The bar.
    void DsFancyButton2Click();
    void DsFancyButton3Click();
    void DsFancyButton4Click();
    void DsFancyButton6Click();
    void DsFancyButton7Click();
    void JvDateTimePicker1Change(QDate picked);
    void JvSwitch4Click();
    void JvSwitch5Click();
    void PageControl1Resize();

    // The commands of one day list; `day` is its offset 0..6.
    // Collection position of the note in the list's selected row, -1 without one.
    qsizetype FindItem(int day) const;
    void EditClick(int day);
    void AddNoteClick(int day);
    void MarkAsFinishedClick(int day);
    void DeleteClick(int day);
    void CopyClick(int day);
    void PasteClick(int day);
    // Drops come from the day lists only; they move the dragged note to `day`.
    bool DayListDragOver(const QObject *source) const;
    void DayListDragDrop(int day, const QObject *source);

Q_SIGNALS:
    // The note editor opens for an existing note, or for a new note on the given day.
    void editNoteRequested(int position);
    void addNoteRequested(TDateTime day);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildNavigationBar();
    void buildDayList(int day);
    void buildMenu(int day);
    void moveWeekStart(int days);
    void setWeekStart(TDateTime day);
    TDateTime dayDate(int day) const;
    int dayOf(const QObject *list) const;
    bool attached() const
    {
        return m_host.notes && m_host.settings && m_host.state && m_host.refreshNotes && m_host.saveAllNotes;
    }

    WeekScheduleHost m_host;
    LocaleFormats m_formats;
    TNotesData m_noteClipboard; // "Copy" fills it; nothing copied while its importance is 0

    QWidget *m_bar = nullptr;
    QWidget *m_topRow = nullptr;
    QWidget *m_bottomRow = nullptr;
    QWidget *m_rightColumn = nullptr;
    QDateEdit *m_picker = nullptr;
    Switch *m_timeSwitch = nullptr;
    Switch *m_sortingSwitch = nullptr;
    DayListView *m_days[kDays] = {};
    QStandardItemModel *m_models[kDays] = {};
    QMenu *m_menus[kDays] = {};
};
