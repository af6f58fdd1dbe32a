#include "reminders/TodayEvents.h"

#include <QTest>

namespace {

TNotesData note(const QString &text, TDateTime deadline, quint8 progress = 0, bool isPrivate = false)
{
    return TNotesData{3, progress, isPrivate, deadline, text, QString(), 0};
}

const TDateTime kNow = DateTime::encode(2026, 12, 9, 10, 0);

} // namespace

class TestTodayEvents final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineLength_data();
    void lineLength();
    void onlyToday_inDeadlineOrder();
    void none_givesEmptyText();
    void lines_oneEntryPerNoteEvenWithLineBreaks();
    void balloonBody_holdsAtMost255();
};

void TestTodayEvents::lineLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("line");
    QTest::newRow("10 characters") << QStringLiteral("0123456789") << QStringLiteral("\u2022 0123456789");
    const QString thirty = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123");
    QTest::newRow("30 characters") << thirty << QStringLiteral("\u2022 ") + thirty;
    QTest::newRow("31 characters") << thirty + QStringLiteral("4")
                                   << QStringLiteral("\u2022 ") + thirty.left(27) + QStringLiteral("...");
    QTest::newRow("line break kept") << QStringLiteral("a\r\nb") << QStringLiteral("\u2022 a\r\nb");
}

void TestTodayEvents::lineLength()
{
    QFETCH(QString, text);
    QFETCH(QString, line);
    QCOMPARE(TodayEvents::text({note(text, DateTime::encode(2026, 12, 9, 18, 0))}, kNow), line);
}

void TestTodayEvents::onlyToday_inDeadlineOrder()
{
    const NotesCollection notes{
        note(QStringLiteral("evening"), DateTime::encode(2026, 12, 9, 20, 0)),
        note(QStringLiteral("tomorrow"), DateTime::encode(2026, 12, 10, 0, 0)),
        note(QStringLiteral("passed, finished"), DateTime::encode(2026, 12, 9, 7, 0), 100),
        note(QStringLiteral("undated"), DateTime::kNoDeadline),
        note(QStringLiteral("yesterday"), DateTime::encode(2026, 12, 8, 23, 59)),
        note(QStringLiteral("private midnight"), DateTime::encode(2026, 12, 9), 0, true),
        note(QStringLiteral("evening twin"), DateTime::encode(2026, 12, 9, 20, 0)),
    };
    QCOMPARE(TodayEvents::text(notes, kNow),
             QStringLiteral("\u2022 private midnight\r\u2022 passed, finished\r\u2022 evening\r\u2022 evening twin"));
}

void TestTodayEvents::none_givesEmptyText()
{
    QCOMPARE(TodayEvents::text({note(QStringLiteral("later"), DateTime::encode(2027, 1, 1))}, kNow), QString());
    QCOMPARE(TodayEvents::title(), QStringLiteral("Today events"));
}

void TestTodayEvents::lines_oneEntryPerNoteEvenWithLineBreaks()
{
    const NotesCollection notes{note(QStringLiteral("call\rback"), DateTime::encode(2026, 12, 9, 9, 0)),
                                note(QStringLiteral("lunch"), DateTime::encode(2026, 12, 9, 13, 0)),
                                note(QStringLiteral("later"), DateTime::encode(2026, 12, 10, 13, 0))};
    QCOMPARE(TodayEvents::lines(notes, kNow),
             (QStringList{QStringLiteral("\u2022 call\rback"), QStringLiteral("\u2022 lunch")}));
    QVERIFY(TodayEvents::lines({}, kNow).isEmpty());
}

void TestTodayEvents::balloonBody_holdsAtMost255()
{
    NotesCollection many;
    for (int i = 0; i < 40; ++i)
        many.append(note(QStringLiteral("note number %1").arg(i), DateTime::encode(2026, 12, 9, 12, 0)));
    const QString body = TodayEvents::balloonBody(TodayEvents::text(many, kNow));
    QCOMPARE(body.size(), 255);
    QVERIFY(body.startsWith(QStringLiteral("\u2022 note number 0\r")));
}

QTEST_GUILESS_MAIN(TestTodayEvents)
#include "tst_todayevents.moc"
