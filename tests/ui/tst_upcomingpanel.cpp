#include "UiTestData.h"

#include "core/Clock.h"
#include "notes/NoteIcons.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/pages/UpcomingEventsModel.h"
#include "ui/pages/UpcomingEventsPanel.h"
#include "ui/widgets/RollOutPanel.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 0)); // a Wednesday

TNotesData note(const QString &text, const QDateTime &deadline, quint8 progress = 0, bool isPrivate = false,
                quint8 importance = 3)
{
    TNotesData n;
    n.Text = text;
    n.Deadline = deadline.isValid() ? DateTime::fromQDateTime(deadline) : DateTime::kNoDeadline;
    n.Progress = progress;
    n.PrivateMsg = isPrivate;
    n.Importance = importance;
    return n;
}

QDateTime day(int offset, int hour, int minute)
{
    return QDateTime(kNow.date().addDays(offset), QTime(hour, minute));
}

std::unique_ptr<MainWindow> start(const QString &dir)
{
    auto window = std::make_unique<MainWindow>(dir + QLatin1Char('/'));
    window->loadAllData();
    window->finishStartup();
    Messages::takeShown();
    return window;
}

} // namespace

class TestUpcomingPanel final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { enterUiTestMode(); }
    void init();
    void cleanup();

    void list_columnsAndHiddenId();
    void refresh_listsSoonestFirstWithTimeLeft();
    void refresh_leavesTheCollectionAlone();
    void switches_hideFinishedAndPrivateEvents();
    void horizon_followsTheSetting();
    void timer2_rebuildsOnEveryFifthTick();
    void timer2_startCountsAsATick();
    void timer2_runsOnlyWhenRefreshIsOn();
    void collapsedStateAndWidths_surviveARestart();

private:
    QStringList column(int index) const;
    QTreeView *list() const { return m_window->findChild<QTreeView *>(QStringLiteral("ListView2")); }

    QTemporaryDir *m_dir = nullptr;
    std::unique_ptr<MainWindow> m_window;
};

void TestUpcomingPanel::init()
{
    Clock::setNowForTesting(kNow);
    m_dir = new QTemporaryDir;
    m_window = start(m_dir->path());
}

void TestUpcomingPanel::cleanup()
{
    m_window.reset();
    delete m_dir;
    Clock::resetForTesting();
}

QStringList TestUpcomingPanel::column(int index) const
{
    const QAbstractItemModel *model = list()->model();
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, index).data().toString();
    return texts;
}

void TestUpcomingPanel::list_columnsAndHiddenId()
{
    QTreeView *view = list();
    QVERIFY(view);
    QVERIFY(view->parentWidget() && m_window->findChild<RollOutPanel *>(QStringLiteral("JvRollOut1")));
    QCOMPARE(view->model()->columnCount(), 3);
    const QStringList captions{QStringLiteral("Note"), QStringLiteral("Left"), QStringLiteral("ID")};
    for (int i = 0; i < 3; ++i)
        QCOMPARE(view->model()->headerData(i, Qt::Horizontal).toString(), captions[i]);
    QCOMPARE(view->columnWidth(0), 183);
    QCOMPARE(view->columnWidth(1), 100);
    QVERIFY(view->isColumnHidden(2));
    QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(!view->header()->sectionsClickable());
}

void TestUpcomingPanel::refresh_listsSoonestFirstWithTimeLeft()
{
    m_window->notes() = {note(QStringLiteral("day after\r\ntomorrow"), day(2, 0, 30)),
                         note(QStringLiteral("three days"), day(3, 0, 30)),
                         note(QStringLiteral("tomorrow"), day(1, 9, 0), 0, false, 1),
                         note(QStringLiteral("no deadline"), {}),
                         note(QStringLiteral("a minute ago"), day(0, 9, 59)),
                         note(QStringLiteral("tie A"), day(0, 18, 0), 0, false, 2),
                         note(QStringLiteral("ten minutes"), day(0, 10, 10)),
                         note(QStringLiteral("tie B"), day(0, 18, 0))};
    m_window->RefreshNotes();
    QCOMPARE(column(0), (QStringList{QStringLiteral("ten minutes"), QStringLiteral("tie A"), QStringLiteral("tie B"),
                                     QStringLiteral("tomorrow"), QStringLiteral("day after  tomorrow")}));
    QCOMPARE(column(1),
             (QStringList{QStringLiteral("0d 00h10m"), QStringLiteral("0d 08h00m"), QStringLiteral("0d 08h00m"),
                          QStringLiteral("0d 23h00m"), QStringLiteral("1d 14h30m")}));
    QCOMPARE(column(2), QStringList(5, QString()));
    const QAbstractItemModel *model = list()->model();
    QVERIFY(model->index(1, 0).data(Qt::DecorationRole).isValid()); // importance 2
    QVERIFY(model->index(3, 0).data(Qt::DecorationRole).isValid()); // importance 1

    // The texts are exact at a rebuild only; the next one counts from the new now.
    Clock::advanceForTesting(5 * 60 * 1000);
    QCOMPARE(column(1).first(), QStringLiteral("0d 00h10m"));
    m_window->RefreshNotes();
    QCOMPARE(column(1).first(), QStringLiteral("0d 00h05m"));
    Clock::advanceForTesting(6 * 60 * 1000);
    m_window->RefreshNotes();
    QCOMPARE(column(0).first(), QStringLiteral("tie A"));
}

void TestUpcomingPanel::refresh_leavesTheCollectionAlone()
{
    m_window->notes() = {note(QStringLiteral("later"), day(1, 9, 0)), note(QStringLiteral("sooner"), day(0, 12, 0))};
    m_window->RefreshNotes();
    QCOMPARE(column(0), (QStringList{QStringLiteral("sooner"), QStringLiteral("later")}));
    QCOMPARE(m_window->notes()[0].Text, QStringLiteral("later"));
    // A row still knows its note.
    auto *model = m_window->upcomingEvents()->model();
    QCOMPARE(model->rows()[0].position, 1);
}

void TestUpcomingPanel::switches_hideFinishedAndPrivateEvents()
{
    m_window->notes() = {note(QStringLiteral("finished"), day(0, 12, 0), 100, false, 1),
                         note(QStringLiteral("private"), day(0, 13, 0), 0, true),
                         note(QStringLiteral("plain"), day(0, 14, 0))};
    m_window->RefreshNotes();
    QCOMPARE(column(0).size(), 3);
    QCOMPARE(m_window->upcomingEvents()->model()->rows()[0].icon, NoteIcons::Finished);

    auto *hidePrivate = m_window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch1"));
    auto *showFinished = m_window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch3"));
    showFinished->setChecked(false);
    QCOMPARE(column(0), (QStringList{QStringLiteral("private"), QStringLiteral("plain")}));
    hidePrivate->setChecked(true);
    QCOMPARE(column(0), (QStringList{QStringLiteral("plain")}));
    showFinished->setChecked(true);
    QCOMPARE(column(0), (QStringList{QStringLiteral("finished"), QStringLiteral("plain")}));
}

void TestUpcomingPanel::horizon_followsTheSetting()
{
    m_window->notes() = {note(QStringLiteral("in three days"), day(3, 0, 30)), note(QStringLiteral("none"), {})};
    m_window->RefreshNotes();
    QVERIFY(column(0).isEmpty());
    m_window->settings().UpcomingEventsTime = 2;
    m_window->RefreshNotes();
    QCOMPARE(column(0), (QStringList{QStringLiteral("in three days")}));
    QCOMPARE(column(1), (QStringList{QStringLiteral("2d 14h30m")}));
    m_window->settings().UpcomingEventsTime = 1000;
    m_window->RefreshNotes();
    QCOMPARE(column(0).size(), 1); // never the note without deadline
}

void TestUpcomingPanel::timer2_rebuildsOnEveryFifthTick()
{
    m_window->notes() = {note(QStringLiteral("noon"), day(0, 12, 0))};
    m_window->RefreshNotes();
    QCOMPARE(m_window->upcomingEvents()->refreshCount(), 0); // no settings file: no tick at start
    QList<int> rebuilt;
    for (int tick = 1; tick <= 11; ++tick) {
        Clock::advanceForTesting(60 * 1000);
        const QString before = column(1).value(0);
        m_window->Timer2Timer();
        if (column(1).value(0) != before)
            rebuilt << tick;
    }
    QCOMPARE(rebuilt, (QList<int>{5, 10}));
    QCOMPARE(column(1), (QStringList{QStringLiteral("0d 01h50m")}));

    m_window->settings().UpcomingEventsRefreshTime = 1;
    Clock::advanceForTesting(60 * 1000);
    m_window->Timer2Timer();
    QCOMPARE(column(1), (QStringList{QStringLiteral("0d 01h48m")}));
}

void TestUpcomingPanel::timer2_startCountsAsATick()
{
    QVERIFY(m_window->SaveAllNotes()); // a settings file for the next start
    m_window = start(m_dir->path());
    QCOMPARE(m_window->upcomingEvents()->refreshCount(), 1);
    m_window->notes() = {note(QStringLiteral("noon"), day(0, 12, 0))};
    m_window->RefreshNotes();
    Clock::advanceForTesting(10 * 60 * 1000);
    for (int tick = 0; tick < 3; ++tick)
        m_window->Timer2Timer();
    QCOMPARE(column(1), (QStringList{QStringLiteral("0d 02h00m")}));
    m_window->Timer2Timer(); // the fifth, counting the one at start
    QCOMPARE(column(1), (QStringList{QStringLiteral("0d 01h50m")}));
}

void TestUpcomingPanel::timer2_runsOnlyWhenRefreshIsOn()
{
    auto *timer = m_window->findChild<QTimer *>(QStringLiteral("Timer2"));
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 60 * 1000);
    m_window->settings().UpcomingEventsRefresh = false;
    QVERIFY(m_window->SaveAllNotes());
    m_window = start(m_dir->path());
    QVERIFY(!m_window->findChild<QTimer *>(QStringLiteral("Timer2"))->isActive());
}

void TestUpcomingPanel::collapsedStateAndWidths_surviveARestart()
{
    auto *rollOut = m_window->findChild<RollOutPanel *>(QStringLiteral("JvRollOut1"));
    QVERIFY(!rollOut->isCollapsed());
    rollOut->findChild<QAbstractButton *>()->click();
    QVERIFY(rollOut->isCollapsed());
    list()->setColumnWidth(0, 150);
    list()->setColumnWidth(1, 77);
    QVERIFY(m_window->SaveAllNotes());
    const QByteArray settings = readAll(m_dir->filePath(QStringLiteral("settings.xml")));
    QVERIFY(settings.contains("<UpcomingEventsColapsed>TRUE</UpcomingEventsColapsed>"));
    QVERIFY(settings.contains("<ListView2Column0Width>150</ListView2Column0Width>"));

    m_window = start(m_dir->path());
    QVERIFY(m_window->findChild<RollOutPanel *>(QStringLiteral("JvRollOut1"))->isCollapsed());
    QCOMPARE(list()->columnWidth(0), 150);
    QCOMPARE(list()->columnWidth(1), 77);
    QVERIFY(list()->isColumnHidden(2));
}

QTEST_MAIN(TestUpcomingPanel)
#include "tst_upcomingpanel.moc"
