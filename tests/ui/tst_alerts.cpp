#include "ReminderReader.h"
#include "UiTestData.h"

#include "core/Clock.h"
#include "reminders/AlarmWatcher.h"
#include "ui/dialogs/ReminderDialog.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/ReminderAlerts.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(12, 0));

QDateTime at(int hour, int minute, int second = 0)
{
    return QDateTime(kNow.date(), QTime(hour, minute, second));
}

TNotesData note(const QString &text, const QDateTime &deadline, quint8 importance = 3, quint8 progress = 0)
{
    TNotesData n;
    n.Text = text;
    n.Deadline = deadline.isValid() ? DateTime::fromQDateTime(deadline) : DateTime::kNoDeadline;
    n.Importance = importance;
    n.Progress = progress;
    return n;
}

} // namespace

class TestAlerts final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { enterUiTestMode(); }
    void init();
    void cleanup();

    void reminder_controlsAndCaptions();
    void alert_opensAtItsTimeOnceWithTheNotesTexts();
    void alert_savedInsideTheLeadTime_remindsAtOnceOnce();
    void alertsTimeZero_opensAtTheDeadline();
    void twoDue_secondOpensAfterFirstClosed_notWhileOpen();
    void refreshWhileOpen_showsTheRightNotes();
    void showAlertsOff_nothingShownAndNotBroughtBack();
    void finishedAndPrivateNotes_alertToo();
    void editingRebuilds_firedAlertNotRepeated();
    void priority_otherImportanceKeepsTheLastText();
    void sound_playsTheChosenFileOnceWithoutLooping();
    void sound_offOrNoFile_playsNothing();

private:
    AlarmWatcher *alarms() const { return m_window->alerts()->JvAlarms1(); }
    ReminderDialog *reminder() const { return m_window->alerts()->reminder(); }
    void setNotes(const NotesCollection &notes);
    // One tick of the watcher at `when`.
    void tickAt(const QDateTime &when);

    QTemporaryDir *m_dir = nullptr;
    std::unique_ptr<MainWindow> m_window;
};

void TestAlerts::init()
{
    Clock::setNowForTesting(kNow);
    m_dir = new QTemporaryDir;
    m_window = std::make_unique<MainWindow>(m_dir->path() + QLatin1Char('/'));
    m_window->loadAllData();
    m_window->finishStartup();
    m_window->alerts()->setLocaleFormats(LocaleFormats::fixedForTesting());
    m_window->settings().ShowAlerts = true;
    m_window->settings().AlertsTime = 1;
    // The window, whatever session bus the test runs beside, and late alerts one by one, as they
    // were before missed reminders were gathered: these tests move the clock by hours.
    m_window->settings().RemindWithNotification = false;
    m_window->settings().ShowMissedReminders = false;
    Messages::takeShown();
}

void TestAlerts::cleanup()
{
    m_window.reset();
    delete m_dir;
    Clock::resetForTesting();
}

void TestAlerts::setNotes(const NotesCollection &notes)
{
    m_window->notes() = notes;
    m_window->RefreshNotes();
}

void TestAlerts::tickAt(const QDateTime &when)
{
    Clock::setNowForTesting(when);
    alarms()->tick();
}

void TestAlerts::reminder_controlsAndCaptions()
{
    ReminderDialog *window = reminder();
    QCOMPARE(window->windowTitle(), QStringLiteral("Reminder"));
    QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window->windowFlags().testFlag(Qt::Tool));
    const QStringList captions{QStringLiteral("Date:"), QStringLiteral("Location:"), QStringLiteral("Priority:")};
    for (int i = 0; i < 3; ++i) {
        auto *caption = window->findChild<QLabel *>(QStringLiteral("StaticText%1").arg(i + 1));
        QVERIFY(caption);
        QCOMPARE(caption->text(), captions[i]);
        QVERIFY(caption->font().bold());
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("Label%1").arg(i + 1))->text(), QStringLiteral("n/a"));
    }
    auto *memo = window->findChild<QPlainTextEdit *>(QStringLiteral("Memo1"));
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->frameShape(), QFrame::NoFrame);
    QCOMPARE(memo->font().family(), QStringLiteral("Arial"));
    QCOMPARE(memo->font().pixelSize(), 16);
    QCOMPARE(window->findChild<QAbstractButton *>(QStringLiteral("DsFancyButton1"))->text(), QStringLiteral("Ok"));
}

void TestAlerts::alert_opensAtItsTimeOnceWithTheNotesTexts()
{
    TNotesData meeting = note(QStringLiteral("Meeting\nwith the board"), at(15, 0), 2);
    meeting.Location = QStringLiteral("Room 5");
    setNotes({note(QStringLiteral("no deadline"), {}), meeting});
    QCOMPARE(alarms()->entries().size(), 1);
    ReminderReader reader(reminder());
    tickAt(at(13, 59, 59));
    QVERIFY(reader.shown.isEmpty());
    tickAt(at(14, 0, 0));
    QCOMPARE(reader.shown.size(), 1);
    QCOMPARE(reader.shown[0].memo, QStringLiteral("Meeting\nwith the board"));
    QCOMPARE(reader.shown[0].date, QStringLiteral("09.12.2026  15:00:00"));
    QCOMPARE(reader.shown[0].location, QStringLiteral("Room 5"));
    QCOMPARE(reader.shown[0].priority, QStringLiteral("Increased"));
    QVERIFY(!reminder()->isVisible());
    for (int second = 1; second <= 3; ++second)
        tickAt(at(14, 0, second));
    m_window->RefreshNotes();
    tickAt(at(14, 0, 5));
    QCOMPARE(reader.shown.size(), 1);
}

void TestAlerts::alert_savedInsideTheLeadTime_remindsAtOnceOnce()
{
    tickAt(at(14, 30));
    setNotes({note(QStringLiteral("soon"), at(15, 0)), note(QStringLiteral("gone"), at(14, 20))});
    QCOMPARE(alarms()->entries().size(), 1);
    ReminderReader reader(reminder());
    tickAt(at(14, 30, 1));
    QCOMPARE(reader.shown.size(), 1);
    QCOMPARE(reader.shown[0].memo, QStringLiteral("soon"));
    m_window->RefreshNotes();
    tickAt(at(15, 0));
    QCOMPARE(reader.shown.size(), 1);
}

void TestAlerts::alertsTimeZero_opensAtTheDeadline()
{
    m_window->settings().AlertsTime = 0;
    setNotes({note(QStringLiteral("now"), at(15, 0))});
    ReminderReader reader(reminder());
    tickAt(at(14, 59, 59));
    QVERIFY(reader.shown.isEmpty());
    tickAt(at(15, 0));
    QCOMPARE(reader.shown.size(), 1);
}

void TestAlerts::twoDue_secondOpensAfterFirstClosed_notWhileOpen()
{
    setNotes({note(QStringLiteral("first"), at(15, 0), 1), note(QStringLiteral("second"), at(15, 20), 3),
              note(QStringLiteral("third"), at(16, 0))});
    ReminderReader reader(reminder(), [&](int) {
        // The person leaves it open for a while; the watcher keeps ticking.
        for (int i = 0; i < 6; ++i) {
            Clock::advanceForTesting(10 * 60 * 1000);
            alarms()->tick();
        }
    });
    tickAt(at(14, 25));
    // Both due at 14:25 come one after the other, the later entry first; "third" fell due
    // (15:00) while they were open and waits for the next check.
    QCOMPARE(reader.shown.size(), 2);
    QCOMPARE(reader.shown[0].memo, QStringLiteral("second"));
    QCOMPARE(reader.shown[1].memo, QStringLiteral("first"));
    QCOMPARE(reader.shown[1].priority, QStringLiteral("Highest"));
    Clock::advanceForTesting(1000);
    alarms()->tick();
    QCOMPARE(reader.shown.size(), 3);
    QCOMPARE(reader.shown[2].memo, QStringLiteral("third"));
}

void TestAlerts::refreshWhileOpen_showsTheRightNotes()
{
    setNotes({note(QStringLiteral("A"), at(15, 0)), note(QStringLiteral("B"), at(15, 5))});
    ReminderReader reader(reminder(), [&](int index) {
        if (index != 0)
            return;
        // While the first reminder is open, a note lands at the top and the list is rebuilt.
        m_window->notes().prepend(note(QStringLiteral("new"), at(20, 0)));
        m_window->RefreshNotes();
    });
    tickAt(at(14, 10));
    QCOMPARE(reader.shown.size(), 2);
    QCOMPARE(reader.shown[0].memo, QStringLiteral("B"));
    QCOMPARE(reader.shown[1].memo, QStringLiteral("A"));
    tickAt(at(14, 10, 2));
    QCOMPARE(reader.shown.size(), 2);
    QCOMPARE(alarms()->entries().size(), 1);
}

void TestAlerts::showAlertsOff_nothingShownAndNotBroughtBack()
{
    m_window->settings().ShowAlerts = false;
    setNotes({note(QStringLiteral("quiet"), at(15, 0))});
    ReminderReader reader(reminder());
    tickAt(at(14, 0));
    QVERIFY(reader.shown.isEmpty());
    QVERIFY(alarms()->entries().isEmpty());
    m_window->settings().ShowAlerts = true;
    m_window->RefreshNotes();
    QVERIFY(alarms()->entries().isEmpty());
    tickAt(at(14, 0, 2));
    QVERIFY(reader.shown.isEmpty());
}

void TestAlerts::finishedAndPrivateNotes_alertToo()
{
    TNotesData hidden = note(QStringLiteral("private"), at(15, 0));
    hidden.PrivateMsg = true;
    setNotes({note(QStringLiteral("finished"), at(15, 0), 3, 100), hidden});
    ReminderReader reader(reminder());
    tickAt(at(14, 0));
    QCOMPARE(reader.shown.size(), 2);
}

void TestAlerts::editingRebuilds_firedAlertNotRepeated()
{
    setNotes({note(QStringLiteral("one"), at(15, 0)), note(QStringLiteral("two"), at(18, 0))});
    ReminderReader reader(reminder());
    tickAt(at(14, 0));
    QCOMPARE(reader.shown.size(), 1);
    m_window->notes()[1].Text = QStringLiteral("two, edited");
    m_window->RefreshNotes();
    QCOMPARE(alarms()->entries().size(), 1);
    tickAt(at(14, 0, 2));
    QCOMPARE(reader.shown.size(), 1);
    // Moving the deadline of the announced note on gives it a new alert.
    m_window->notes()[0].Deadline = DateTime::fromQDateTime(at(16, 0));
    m_window->RefreshNotes();
    tickAt(at(15, 0));
    QCOMPARE(reader.shown.size(), 2);
    QCOMPARE(reader.shown[1].memo, QStringLiteral("one"));
}

void TestAlerts::priority_otherImportanceKeepsTheLastText()
{
    TNotesData odd = note(QStringLiteral("odd"), at(16, 0), 7);
    setNotes({note(QStringLiteral("normal"), at(15, 0), 3), odd});
    ReminderReader reader(reminder());
    tickAt(at(14, 0));
    tickAt(at(15, 0));
    QCOMPARE(reader.shown.size(), 2);
    QCOMPARE(reader.shown[0].priority, QStringLiteral("Normal"));
    QCOMPARE(reader.shown[1].memo, QStringLiteral("odd"));
    QCOMPARE(reader.shown[1].priority, QStringLiteral("Normal"));
}

void TestAlerts::sound_playsTheChosenFileOnceWithoutLooping()
{
    // A tenth of a second of silence.
    const QString wav = m_dir->filePath(QStringLiteral("bell.wav"));
    QByteArray data("RIFF\0\0\0\0WAVEfmt ", 16);
    const auto le32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char *>(&v), 4); };
    const auto le16 = [](quint16 v) { return QByteArray(reinterpret_cast<const char *>(&v), 2); };
    data += le32(16) + le16(1) + le16(1) + le32(8000) + le32(16000) + le16(2) + le16(16);
    data += QByteArray("data", 4) + le32(1600) + QByteArray(1600, '\0');
    data.replace(4, 4, le32(static_cast<quint32>(data.size() - 8)));
    writeAll(wav, data);

    m_window->settings().PlaySound = true;
    m_window->settings().WAVfile = wav;
    setNotes({note(QStringLiteral("ring"), at(15, 0))});
    QVERIFY(!m_window->alerts()->wavePlayer());
    QSoundEffect *player = nullptr;
    ReminderReader reader(reminder(), [&](int) { player = m_window->alerts()->wavePlayer(); });
    tickAt(at(14, 0));
    QCOMPARE(reader.shown.size(), 1);
    // The sound was started before the reminder came up.
    QVERIFY(player);
    QCOMPARE(player->source(), QUrl::fromLocalFile(wav));
    QCOMPARE(player->loopCount(), 1);
    // No audio device here: that is silence, not an error.
    QVERIFY(Messages::takeShown().isEmpty());
}

void TestAlerts::sound_offOrNoFile_playsNothing()
{
    m_window->settings().PlaySound = false;
    m_window->settings().WAVfile = m_dir->filePath(QStringLiteral("bell.wav"));
    setNotes({note(QStringLiteral("a"), at(15, 0)), note(QStringLiteral("b"), at(16, 0))});
    ReminderReader reader(reminder());
    tickAt(at(14, 0));
    QVERIFY(!m_window->alerts()->wavePlayer());
    m_window->settings().PlaySound = true;
    m_window->settings().WAVfile.clear();
    tickAt(at(15, 0));
    QCOMPARE(reader.shown.size(), 2);
    QVERIFY(!m_window->alerts()->wavePlayer() || !m_window->alerts()->wavePlayer()->isPlaying());
    QVERIFY(!m_window->alerts()->wavePlayer() || m_window->alerts()->wavePlayer()->source().isEmpty());
}

QTEST_MAIN(TestAlerts)
#include "tst_alerts.moc"
