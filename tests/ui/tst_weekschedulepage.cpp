#include "UiTestData.h"

#include "core/Clock.h"
#include "core/LocaleFormats.h"
#include "notes/NoteIcons.h"
#include "schedule/WeekSchedule.h"
#include "ui/dialogs/NoteEditorDialog.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/SettingsApplier.h"
#include "ui/pages/WeekSchedulePage.h"
#include "ui/widgets/Switch.h"

#include <QAction>
#include <QDateEdit>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

namespace {

const QDate kToday(2026, 12, 9); // a Wednesday
const QDateTime kNow(kToday, QTime(10, 0));

TNotesData note(const QString &text, QDate day, QTime time, quint8 importance = 3)
{
    TNotesData n;
    n.Text = text;
    n.Deadline = DateTime::fromQDateTime(QDateTime(day, time));
    n.Importance = importance;
    return n;
}

QStringList rows(const QTreeView *list)
{
    QStringList result;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        result << list->model()->index(row, 0).data().toString();
    return result;
}

QString header(const QTreeView *list)
{
    return list->model()->headerData(0, Qt::Horizontal).toString();
}

bool markedToday(const QTreeView *list)
{
    const QVariant icon = list->model()->headerData(0, Qt::Horizontal, Qt::DecorationRole);
    return icon.isValid() && !icon.value<QIcon>().isNull();
}

QString longHeader(QDate date)
{
    return *dayHeader(date, DayNameForm::Long, LocaleFormats::system());
}

void selectRow(QTreeView *list, int row)
{
    list->setCurrentIndex(list->model()->index(row, 0));
    list->selectionModel()->select(list->model()->index(row, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

} // namespace

class TestWeekSchedulePage final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { enterUiTestMode(); }
    void init();
    void cleanup();

    void fill_firstListIsTodayWithItsMark();
    void navigation_movesTheDaysAndTheMark();
    void picker_setsTheFirstDay();
    void headers_shortOrLongNames();
    void saturdayStart_coloursFollowTheDate();
    void showTime_switchChangesTextsAndSetting();
    void sortingSwitch_choosesOrderInSettings();
    void switches_followTheSettings();
    void filters_ofTheNotesPageApply();
    void edit_namesTheNoteOfTheRow_data();
    void edit_namesTheNoteOfTheRow();
    void edit_withoutSelection_doesNothing();
    void addNote_namesTheDayOfItsList();
    void markAsFinished_savesAndHidesTheRow();
    void copyPaste_addsTheNoteOnTheDayAndSaves();
    void paste_beforeCopy_onlyRefreshes();
    void drop_movesTheDateKeepsTheTimeAndSaves();
    void drop_refusesOtherSources();
    void delete_no_changesNothing();
    void delete_yes_removesAndSaves();
    void dayChange_followsMidnightOnlyFromToday_data();
    void dayChange_followsMidnightOnlyFromToday();
    void layout_twoRowsAndASplitLastCell();
    void defaultWindow_headersAndDateReadWhole();

private:
    void closeEditorOnceShown();
    WeekSchedulePage *page() const { return m_window->findChild<WeekSchedulePage *>(); }
    QTreeView *list(int day) const { return page()->dayList(day); }
    void setNotes(const NotesCollection &notes);
    void trigger(const char *name) const;
    QByteArray dataFile() const { return readAll(m_dir->filePath(QStringLiteral("data.txt"))); }
    const TNotesData *find(const QString &text) const;

    QTemporaryDir *m_dir = nullptr;
    MainWindow *m_window = nullptr;
};

// The requests open the real note editor, which is modal: close it as soon as it shows.
void TestWeekSchedulePage::closeEditorOnceShown()
{
    auto *watch = new QTimer(m_window);
    watch->setInterval(10);
    connect(watch, &QTimer::timeout, m_window, [this, watch] {
        if (m_window->noteEditor()->isVisible()) {
            m_window->noteEditor()->reject();
            watch->deleteLater();
        }
    });
    watch->start();
}

void TestWeekSchedulePage::init()
{
    Clock::setNowForTesting(kNow);
    m_dir = new QTemporaryDir;
    m_window = new MainWindow(m_dir->path() + QLatin1Char('/'));
    m_window->loadAllData();
    m_window->finishStartup();
    Messages::takeShown();
}

void TestWeekSchedulePage::cleanup()
{
    delete m_window;
    delete m_dir;
    Clock::resetForTesting();
}

void TestWeekSchedulePage::setNotes(const NotesCollection &notes)
{
    m_window->notes() = notes;
    m_window->RefreshNotes();
    QVERIFY(m_window->SaveAllNotes());
}

void TestWeekSchedulePage::trigger(const char *name) const
{
    auto *action = m_window->findChild<QAction *>(QLatin1String(name));
    QVERIFY2(action, name);
    action->trigger();
}

const TNotesData *TestWeekSchedulePage::find(const QString &text) const
{
    for (const TNotesData &n : m_window->notes())
        if (n.Text == text)
            return &n;
    return nullptr;
}

void TestWeekSchedulePage::fill_firstListIsTodayWithItsMark()
{
    setNotes({note(QStringLiteral("Dentist"), kToday, QTime(9, 5)),
              note(QStringLiteral("Friday"), kToday.addDays(2), QTime(12, 0)),
              note(QStringLiteral("Next week"), kToday.addDays(7), QTime(12, 0))});
    for (int day = 0; day < 7; ++day) {
        QCOMPARE(header(list(day)), longHeader(kToday.addDays(day)));
        QCOMPARE(markedToday(list(day)), day == 0);
    }
    QCOMPARE(rows(list(0)), QStringList{QStringLiteral("Dentist")});
    QCOMPARE(rows(list(2)), QStringList{QStringLiteral("Friday")});
    for (int day : {1, 3, 4, 5, 6})
        QVERIFY(rows(list(day)).isEmpty());
    // The hidden column carries the note's position.
    QVERIFY(list(0)->isColumnHidden(1));
    const qsizetype dentist = find(QStringLiteral("Dentist")) - m_window->notes().constData();
    QCOMPARE(list(0)->model()->index(0, 1).data().toString(), QString::number(dentist));
    QCOMPARE(m_window->findChild<QDateEdit *>(QStringLiteral("JvDateTimePicker1"))->date(), kToday);
}

void TestWeekSchedulePage::navigation_movesTheDaysAndTheMark()
{
    setNotes({note(QStringLiteral("Dentist"), kToday, QTime(9, 5))});
    const auto click = [this](const char *name) { m_window->findChild<QPushButton *>(QLatin1String(name))->click(); };
    const auto firstDay = [this] { return DateTime::toQDate(m_window->state().WeekStart); };

    click("DsFancyButton2"); // <
    QCOMPARE(firstDay(), kToday.addDays(-1));
    QCOMPARE(header(list(0)), longHeader(kToday.addDays(-1)));
    QVERIFY(!markedToday(list(0)));
    QVERIFY(markedToday(list(1)));
    QCOMPARE(rows(list(1)), QStringList{QStringLiteral("Dentist")});

    for (int i = 0; i < 6; ++i)
        click("DsFancyButton2");
    QCOMPARE(firstDay(), kToday.addDays(-7));
    click("DsFancyButton6"); // +7>
    click("DsFancyButton7"); // <-7
    QCOMPARE(firstDay(), kToday.addDays(-7));
    for (int day = 0; day < 7; ++day) {
        QVERIFY(!markedToday(list(day)));
        QVERIFY(rows(list(day)).isEmpty());
    }

    click("DsFancyButton3"); // >
    QCOMPARE(firstDay(), kToday.addDays(-6));
    QCOMPARE(m_window->findChild<QDateEdit *>(QStringLiteral("JvDateTimePicker1"))->date(), kToday.addDays(-6));

    auto *today = m_window->findChild<QPushButton *>(QStringLiteral("DsFancyButton4"));
    QCOMPARE(today->toolTip(), QStringLiteral("Today"));
    today->click();
    QCOMPARE(firstDay(), kToday);
    QVERIFY(markedToday(list(0)));
    QCOMPARE(header(list(6)), longHeader(kToday.addDays(6)));
}

void TestWeekSchedulePage::picker_setsTheFirstDay()
{
    auto *picker = m_window->findChild<QDateEdit *>(QStringLiteral("JvDateTimePicker1"));
    picker->setDate(QDate(2009, 10, 24));
    QCOMPARE(m_window->state().WeekStart, DateTime::fromQDate(QDate(2009, 10, 24)));
    QCOMPARE(header(list(0)), longHeader(QDate(2009, 10, 24)));
    QCOMPARE(header(list(6)), longHeader(QDate(2009, 10, 30)));
}

void TestWeekSchedulePage::headers_shortOrLongNames()
{
    Settings &settings = m_window->settings();
    settings.ShortDayNames = true;
    settings.LongDayNames = false;
    page()->FillWeekSchedule();
    const LocaleFormats formats = LocaleFormats::system();
    QCOMPARE(header(list(0)), formats.shortDayName(3) + QLatin1Char(' ') + formats.formatDate(kToday));
    QCOMPARE(header(list(5)), formats.shortDayName(1) + QLatin1Char(' ') + formats.formatDate(kToday.addDays(5)));
    settings.ShortDayNames = false;
    settings.LongDayNames = true;
    page()->FillWeekSchedule();
    QCOMPARE(header(list(0)), formats.longDayName(3) + QLatin1Char(' ') + formats.formatDate(kToday));
    // Neither chosen: the captions stay.
    settings.LongDayNames = false;
    page()->DsFancyButton3Click();
    QCOMPARE(header(list(0)), formats.longDayName(3) + QLatin1Char(' ') + formats.formatDate(kToday));
}

void TestWeekSchedulePage::saturdayStart_coloursFollowTheDate()
{
    Settings &settings = m_window->settings();
    settings.SaBackgroundColor = 0x0000FF; // red, stored with red in the low byte
    settings.FrBackgroundColor = 0x00FF00;
    settings.SuBackgroundColor = 0xFF0000;
    m_window->state().WeekStart = DateTime::fromQDate(QDate(2026, 12, 12));
    page()->FillWeekSchedule();
    QCOMPARE(list(0)->palette().color(QPalette::Base), QColor(255, 0, 0));
    QCOMPARE(list(1)->palette().color(QPalette::Base), QColor(0, 0, 255));
    QCOMPARE(list(6)->palette().color(QPalette::Base), QColor(0, 255, 0));
    QCOMPARE(header(list(6)), longHeader(QDate(2026, 12, 18)));
}

void TestWeekSchedulePage::showTime_switchChangesTextsAndSetting()
{
    setNotes({note(QStringLiteral("Dentist\r\nbring card"), kToday, QTime(9, 5), 1)});
    auto *time = m_window->findChild<Switch *>(QStringLiteral("JvSwitch5"));
    QCOMPARE(time->text(), QStringLiteral("time"));
    QCOMPARE(time->isChecked(), m_window->settings().ShowTimeWeekSchedule);
    if (time->isChecked())
        time->click();
    QVERIFY(!m_window->settings().ShowTimeWeekSchedule);
    QCOMPARE(rows(list(0)), QStringList{QStringLiteral("Dentist  bring card")});
    time->click();
    QVERIFY(m_window->settings().ShowTimeWeekSchedule);
    QCOMPARE(rows(list(0)), QStringList{QStringLiteral("09:05 Dentist  bring card")});
    QCOMPARE(list(0)->model()->index(0, 0).data(Qt::ToolTipRole).toString(),
             QStringLiteral("09:05 Dentist  bring card"));
}

void TestWeekSchedulePage::sortingSwitch_choosesOrderInSettings()
{
    // Collection order: the afternoon note first.
    m_window->settings().ShowTimeWeekSchedule = true;
    setNotes({note(QStringLiteral("afternoon"), kToday, QTime(14, 0), 1),
              note(QStringLiteral("morning"), kToday, QTime(9, 0), 3)});
    auto *sorting = m_window->findChild<Switch *>(QStringLiteral("JvSwitch4"));
    QCOMPARE(sorting->text(), QStringLiteral("sorting"));
    if (!sorting->isChecked())
        sorting->click();
    QVERIFY(m_window->settings().WeekSortByTime);
    QVERIFY(!m_window->settings().WeekSortByPriority);
    QCOMPARE(rows(list(0)), (QStringList{QStringLiteral("09:00 morning"), QStringLiteral("14:00 afternoon")}));
    sorting->click();
    QVERIFY(!m_window->settings().WeekSortByTime);
    QVERIFY(m_window->settings().WeekSortByPriority);
    QCOMPARE(rows(list(0)), (QStringList{QStringLiteral("14:00 afternoon"), QStringLiteral("09:00 morning")}));
    // The choice is saved with the settings.
    QVERIFY(m_window->SaveAllNotes());
    QVERIFY(readAll(m_dir->filePath(QStringLiteral("settings.xml"))).contains("<WeekSortByPriority>TRUE"));
}

void TestWeekSchedulePage::switches_followTheSettings()
{
    auto *time = m_window->findChild<Switch *>(QStringLiteral("JvSwitch5"));
    auto *sorting = m_window->findChild<Switch *>(QStringLiteral("JvSwitch4"));
    Settings &settings = m_window->settings();
    settings.ShowTimeWeekSchedule = true;
    settings.WeekSortByTime = false;
    settings.WeekSortByPriority = true;
    m_window->settingsApplier().applyWeekSwitches();
    QVERIFY(time->isChecked());
    QVERIFY(!sorting->isChecked());
    settings.ShowTimeWeekSchedule = false;
    settings.WeekSortByTime = true;
    settings.WeekSortByPriority = false;
    m_window->settingsApplier().applyWeekSwitches();
    QVERIFY(!time->isChecked());
    QVERIFY(sorting->isChecked());
    // Following the settings is no click: the record keeps what it says.
    QVERIFY(settings.WeekSortByTime);
}

void TestWeekSchedulePage::filters_ofTheNotesPageApply()
{
    TNotesData finished = note(QStringLiteral("done"), kToday, QTime(8, 0));
    finished.Progress = 100;
    TNotesData secret = note(QStringLiteral("secret"), kToday, QTime(9, 0));
    secret.PrivateMsg = true;
    m_window->settings().ShowTimeWeekSchedule = false;
    setNotes({finished, secret});
    auto *showFinished = m_window->findChild<Switch *>(QStringLiteral("JvSwitch3"));
    auto *hidePrivate = m_window->findChild<Switch *>(QStringLiteral("JvSwitch1"));
    showFinished->setChecked(true);
    hidePrivate->setChecked(false);
    QCOMPARE(rows(list(0)), (QStringList{QStringLiteral("done"), QStringLiteral("secret")}));
    const QIcon finishedIcon = list(0)->model()->index(0, 0).data(Qt::DecorationRole).value<QIcon>();
    QCOMPARE(finishedIcon.cacheKey(), ImageList1::icon(NoteIcons::Finished).cacheKey());
    showFinished->setChecked(false);
    QCOMPARE(rows(list(0)), QStringList{QStringLiteral("secret")});
    hidePrivate->setChecked(true);
    QVERIFY(rows(list(0)).isEmpty());
}

void TestWeekSchedulePage::edit_namesTheNoteOfTheRow_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("menu") << QStringLiteral("menu");
    QTest::newRow("double-click") << QStringLiteral("double-click");
    QTest::newRow("Enter") << QStringLiteral("Enter");
}

void TestWeekSchedulePage::edit_namesTheNoteOfTheRow()
{
    QFETCH(QString, how);
    // The day list orders by time, the collection keeps its own order.
    m_window->settings().WeekSortByTime = true;
    m_window->settings().WeekSortByPriority = false;
    setNotes({note(QStringLiteral("late"), kToday.addDays(1), QTime(20, 0)),
              note(QStringLiteral("other day"), kToday, QTime(9, 0)),
              note(QStringLiteral("early"), kToday.addDays(1), QTime(7, 0))});
    QCOMPARE(rows(list(1)).size(), 2);
    QSignalSpy spy(page(), &WeekSchedulePage::editNoteRequested);
    closeEditorOnceShown();
    QTreeView *thursday = list(1);
    selectRow(thursday, 0);
    if (how == QLatin1String("menu")) {
        trigger("MenuItem3");
    } else if (how == QLatin1String("double-click")) {
        Q_EMIT thursday->doubleClicked(thursday->model()->index(0, 0));
    } else {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        m_window->findChild<QWidget *>(QStringLiteral("PageControl1"))->setProperty("currentIndex", 2);
        thursday->setFocus();
        QTest::keyClick(thursday, Qt::Key_Return);
    }
    QCOMPARE(spy.size(), 1);
    const int position = spy.first().first().toInt();
    QCOMPARE(m_window->notes()[position].Text, QStringLiteral("early"));
}

void TestWeekSchedulePage::edit_withoutSelection_doesNothing()
{
    setNotes({note(QStringLiteral("a"), kToday, QTime(9, 0))});
    QSignalSpy spy(page(), &WeekSchedulePage::editNoteRequested);
    trigger("MenuItem1");
    QCOMPARE(spy.size(), 0);
    QCOMPARE(page()->FindItem(0), qsizetype(-1));
}

void TestWeekSchedulePage::addNote_namesTheDayOfItsList()
{
    page()->JvDateTimePicker1Change(QDate(2009, 10, 21));
    QSignalSpy spy(page(), &WeekSchedulePage::addNoteRequested);
    closeEditorOnceShown();
    trigger("Addnote5"); // the fourth list
    QCOMPARE(header(list(3)), longHeader(QDate(2009, 10, 24)));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.first().first().value<TDateTime>(), DateTime::fromQDate(QDate(2009, 10, 24)));
}

void TestWeekSchedulePage::markAsFinished_savesAndHidesTheRow()
{
    m_window->findChild<Switch *>(QStringLiteral("JvSwitch3"))->setChecked(false);
    setNotes({note(QStringLiteral("task"), kToday, QTime(9, 0))});
    const QByteArray before = dataFile();
    selectRow(list(0), 0);
    trigger("MenuItem2");
    QCOMPARE(m_window->notes()[0].Progress, quint8(100));
    QVERIFY(rows(list(0)).isEmpty());
    QVERIFY(dataFile() != before);
    QVERIFY(dataFile().contains("<Progress0>100<"));
}

void TestWeekSchedulePage::copyPaste_addsTheNoteOnTheDayAndSaves()
{
    // Monday 7 December 09:30; the page starts on that Monday.
    TNotesData monday = note(QStringLiteral("Standup"), QDate(2026, 12, 7), QTime(9, 30), 2);
    monday.Progress = 30;
    monday.PrivateMsg = true;
    monday.Location = QStringLiteral("Room 4");
    m_window->state().WeekStart = DateTime::fromQDate(QDate(2026, 12, 7));
    setNotes({monday, note(QStringLiteral("other"), QDate(2026, 12, 1), QTime(8, 0))});
    selectRow(list(0), 0);
    trigger("Copy4");
    QCOMPARE(page()->noteClipboard().Text, QStringLiteral("Standup"));
    trigger("Paste4"); // Thursday's list
    QCOMPARE(m_window->notes().size(), 3);
    QCOMPARE(rows(list(3)), QStringList{QStringLiteral("Standup")});
    const TNotesData &pasted = m_window->notes().last();
    QCOMPARE(pasted.Text, QStringLiteral("Standup"));
    QCOMPARE(pasted.Importance, quint8(2));
    QCOMPARE(pasted.Progress, quint8(30));
    QVERIFY(pasted.PrivateMsg);
    QCOMPARE(pasted.Location, QStringLiteral("Room 4"));
    QCOMPARE(DateTime::toQDateTime(pasted.Deadline), QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
    QVERIFY(dataFile().contains("<NumberOfNotes>3<"));
    // The clipboard stays: a second paste gives a second note.
    trigger("Paste7");
    QCOMPARE(m_window->notes().size(), 4);
    QVERIFY(dataFile().contains("<NumberOfNotes>4<"));
    QCOMPARE(rows(list(6)), QStringList{QStringLiteral("Standup")});
    QCOMPARE(rows(list(0)), QStringList{QStringLiteral("Standup")});
}

void TestWeekSchedulePage::paste_beforeCopy_onlyRefreshes()
{
    setNotes({note(QStringLiteral("a"), kToday, QTime(9, 0))});
    m_window->notes()[0].Text = QStringLiteral("changed behind the list");
    trigger("Paste2");
    QCOMPARE(m_window->notes().size(), 1);
    QCOMPARE(rows(list(0)), QStringList{QStringLiteral("changed behind the list")});
}

void TestWeekSchedulePage::drop_movesTheDateKeepsTheTimeAndSaves()
{
    // Tuesday 18:45 onto Friday's list.
    m_window->state().WeekStart = DateTime::fromQDate(QDate(2026, 12, 7));
    m_window->settings().ShowTimeWeekSchedule = true;
    setNotes({note(QStringLiteral("first"), QDate(2026, 12, 8), QTime(8, 0)),
              note(QStringLiteral("Evening"), QDate(2026, 12, 8), QTime(18, 45))});
    const QByteArray before = dataFile();
    QCOMPARE(rows(list(1)), (QStringList{QStringLiteral("08:00 first"), QStringLiteral("18:45 Evening")}));
    selectRow(list(1), 1);
    QVERIFY(page()->DayListDragOver(list(1)));
    page()->DayListDragDrop(4, list(1));
    const TNotesData *moved = find(QStringLiteral("Evening"));
    QVERIFY(moved);
    QCOMPARE(DateTime::toQDateTime(moved->Deadline), QDateTime(QDate(2026, 12, 11), QTime(18, 45)));
    QCOMPARE(DateTime::toQDateTime(find(QStringLiteral("first"))->Deadline),
             QDateTime(QDate(2026, 12, 8), QTime(8, 0)));
    QCOMPARE(rows(list(4)), QStringList{QStringLiteral("18:45 Evening")});
    QCOMPARE(rows(list(1)), QStringList{QStringLiteral("08:00 first")});
    QVERIFY(dataFile() != before);
}

void TestWeekSchedulePage::drop_refusesOtherSources()
{
    setNotes({note(QStringLiteral("a"), kToday, QTime(9, 0))});
    QVERIFY(!page()->DayListDragOver(nullptr));
    QVERIFY(!page()->DayListDragOver(m_window->findChild<QTreeView *>(QStringLiteral("ListView1"))));
    QVERIFY(!page()->DayListDragOver(page()));
    // A drag begun without a selected row moves nothing.
    const QByteArray before = dataFile();
    list(0)->clearSelection();
    page()->DayListDragDrop(3, list(0));
    QCOMPARE(DateTime::toQDate(m_window->notes()[0].Deadline), kToday);
    QCOMPARE(dataFile(), before);
}

void TestWeekSchedulePage::delete_no_changesNothing()
{
    setNotes({note(QStringLiteral("keep"), kToday, QTime(9, 0))});
    const QByteArray before = dataFile();
    selectRow(list(0), 0);
    Messages::queueAnswer(false);
    trigger("MenuItem15");
    const auto shown = Messages::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, Messages::Kind::Question);
    QCOMPARE(shown[0].text, QStringLiteral("Are you sure you want to delete selected note?"));
    QCOMPARE(m_window->notes().size(), 1);
    QCOMPARE(rows(list(0)).size(), 1);
    QCOMPARE(dataFile(), before);
    QVERIFY(!m_window->state().DialogBusy);
}

void TestWeekSchedulePage::delete_yes_removesAndSaves()
{
    setNotes({note(QStringLiteral("keep"), kToday, QTime(9, 0)), note(QStringLiteral("gone"), kToday, QTime(10, 0))});
    QCOMPARE(rows(list(0)).size(), 2);
    selectRow(list(0), 1);
    Messages::queueAnswer(true);
    trigger("MenuItem15");
    QCOMPARE(m_window->notes().size(), 1);
    QCOMPARE(m_window->notes()[0].Text, QStringLiteral("keep"));
    QCOMPARE(rows(list(0)).size(), 1);
    QVERIFY(!dataFile().contains("gone"));
    QVERIFY(dataFile().contains("keep"));
    QVERIFY(!m_window->state().DialogBusy);
}

void TestWeekSchedulePage::dayChange_followsMidnightOnlyFromToday_data()
{
    QTest::addColumn<int>("shownFromToday"); // first shown day, in days from the old date
    QTest::addColumn<int>("expectedFromToday");
    QTest::newRow("showing today: moves on") << 0 << 1;
    QTest::newRow("showing tomorrow: stays") << 1 << 1;
    QTest::newRow("showing yesterday: stays") << -1 << -1;
}

void TestWeekSchedulePage::dayChange_followsMidnightOnlyFromToday()
{
    QFETCH(int, shownFromToday);
    QFETCH(int, expectedFromToday);
    setNotes({note(QStringLiteral("tomorrow's"), kToday.addDays(1), QTime(9, 0))});
    m_window->state().WeekStart = DateTime::fromQDate(kToday.addDays(shownFromToday));
    page()->FillWeekSchedule();
    Clock::setNowForTesting(QDateTime(kToday, QTime(23, 59, 50)));
    m_window->Timer3Timer();
    QVERIFY(!m_window->state().DayChangePending);
    Clock::setNowForTesting(QDateTime(kToday, QTime(23, 59, 55)));
    m_window->Timer3Timer();
    QCOMPARE(m_window->state().DayChangePending, shownFromToday == 0);
    Clock::setNowForTesting(QDateTime(kToday.addDays(1), QTime(0, 0, 5)));
    m_window->Timer3Timer();
    QCOMPARE(DateTime::toQDate(m_window->state().WeekStart), kToday.addDays(expectedFromToday));
    QVERIFY(!m_window->state().DayChangePending);
    // The refresh marks the new today.
    const int todayList = 1 - expectedFromToday;
    for (int day = 0; day < 7; ++day)
        QCOMPARE(markedToday(list(day)), day == todayList);
    if (expectedFromToday == 1)
        QCOMPARE(rows(list(0)).size(), 1);
}

void TestWeekSchedulePage::layout_twoRowsAndASplitLastCell()
{
    WeekSchedulePage standalone;
    standalone.resize(301, 437);
    standalone.show();
    QVERIFY(QTest::qWaitForWindowExposed(&standalone));
    QCOMPARE(standalone.size(), QSize(301, 437));
    const auto rect = [&standalone](const char *name) {
        return standalone.findChild<QWidget *>(QLatin1String(name))->geometry();
    };
    // The bar takes the height of its two rows; w = 301 / 3 = 100.
    const int bar = rect("Panel2").height();
    const int row = (437 - bar) / 2;
    QVERIFY(bar >= 36);
    QCOMPARE(rect("Panel2"), QRect(0, 0, 301, bar));
    QCOMPARE(rect("Panel4"), QRect(0, bar, 301, row));
    QCOMPARE(rect("Panel3"), QRect(0, 437 - row, 301, row));
    QCOMPARE(rect("ListView4"), QRect(0, 0, 100, row));
    QCOMPARE(rect("ListView6"), QRect(200, 0, 100, row));
    QCOMPARE(rect("ListView8"), QRect(100, 0, 100, row));
    QCOMPARE(rect("Panel5"), QRect(200, 0, 100, row));
    QCOMPARE(rect("ListView9"), QRect(0, 0, 100, row / 2));
    QCOMPARE(rect("ListView10"), QRect(0, row / 2, 100, row / 2));
}

void TestWeekSchedulePage::defaultWindow_headersAndDateReadWhole()
{
    m_window->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->setCurrentIndex(2);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    for (int day = 0; day < 7; ++day) {
        const QHeaderView *head = list(day)->header();
        const int margin = head->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, head);
        const int icon = markedToday(list(day)) ? head->style()->pixelMetric(QStyle::PM_SmallIconSize) + margin : 0;
        const QRect room(0, 0, head->sectionSize(0) - 2 * margin - icon, head->height() - 2 * margin);
        const QRect needed = head->fontMetrics().boundingRect(room, Qt::TextWordWrap, header(list(day)));
        QVERIFY2(room.contains(needed), qPrintable(header(list(day))));
    }
    const auto *picker = m_window->findChild<QDateEdit *>(QStringLiteral("JvDateTimePicker1"));
    QVERIFY(picker->width() >= picker->sizeHint().width());
}

QTEST_MAIN(TestWeekSchedulePage)
#include "tst_weekschedulepage.moc"
