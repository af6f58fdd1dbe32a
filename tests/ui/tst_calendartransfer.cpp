#include "NotesFixture.h"

#include "core/Clock.h"
#include "ical/IcsImport.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

QString fixture(const char *name)
{
    return QStringLiteral(MAREVO_TEST_DATA "/ical/") + QLatin1String(name);
}

const QString kAsk = QStringLiteral("The calendar file adds 374 notes. Do you want to add them all?");

} // namespace

class TestCalendarTransfer final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        enterUiTestMode();
        // Repetitions without an end reach a year ahead of now.
        Clock::setNowForTesting(QDateTime(QDate(2026, 3, 14), QTime(9, 30)));
    }
    void cleanupTestCase() { Clock::resetForTesting(); }
    void cleanup()
    {
        Messages::takeShown();
        FileChoosers::setTestMode(true);
    }

    // Imported notes are saved at once; a file that is not a calendar, or a "No" to the
    // question about many notes, changes nothing.
    void importFromMenu_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<int>("notes"); // after the import, beside the one already there
        QTest::addColumn<QString>("shown");
        QTest::newRow("google") << fixture("google.ics") << QList<bool>() << 7 << QString();
        QTest::newRow("not a calendar") << fixture("letter.txt") << QList<bool>() << 1
                                        << IcsImport::notCalendarMessage();
        QTest::newRow("many, No") << fixture("floating.ics") << QList<bool>{false} << 1 << kAsk;
        QTest::newRow("many, Yes") << fixture("floating.ics") << QList<bool>{true} << 375 << kAsk;
        QTest::newRow("partly broken") << fixture("broken.ics") << QList<bool>() << 2
                                       << QStringLiteral(
                                              "3 item(s) of the calendar file were skipped: 1 with an unreadable DUE, "
                                              "1 with an unreadable EXDATE, 1 with an unreadable RRULE.");
    }

    void importFromMenu()
    {
        QFETCH(QString, file);
        QFETCH(QList<bool>, answers);
        QFETCH(int, notes);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        auto window = startWithNotes(dir.path(), {makeNote(QStringLiteral("Mine"))});
        for (bool answer : answers)
            Messages::queueAnswer(answer);
        FileChoosers::queuePath(file);
        trigger(*window, "ImportIcs1");
        QCOMPARE(FileChoosers::lastFilter(), QStringLiteral("iCalendar files (*.ics)"));
        QCOMPARE(window->notes().size(), notes);
        QCOMPARE(storedNotes(dir.path()).size(), notes > 1 ? notes : 0);
        const auto messages = Messages::takeShown();
        QCOMPARE(messages.isEmpty() ? QString() : messages.first().text, shown);
        QVERIFY(!window->state().DialogBusy);
    }

    // Dropped on the window, a calendar file is imported; the same file again updates its notes.
    void dropImports()
    {
        QTemporaryDir dir;
        auto window = startWithNotes(dir.path(), {});
        for (int round = 0; round < 2; ++round) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(fixture("thunderbird.ics"))});
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(window.get(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(window.get(), &drop);
            QCOMPARE(window->notes().size(), 2);
        }
        QVERIFY(listedTexts(*window).contains(QStringLiteral("Water the plants")));
    }

    // What the menu exports reads back with the window's notes and their identities.
    void exportFromMenu()
    {
        QTemporaryDir dir;
        QTemporaryDir elsewhere;
        auto window =
            startWithNotes(dir.path(), {makeNote(QStringLiteral("Ein\r\nZwei"), 1, 100, true),
                                        makeNote(QStringLiteral("Drei"), 2, 10, false,
                                                 DateTime::encode(2026, 5, 1, 12, 0), QStringLiteral("Hof"))});
        const QString target = elsewhere.filePath(QStringLiteral("notes.ics"));
        FileChoosers::queuePath(target);
        trigger(*window, "ExportIcs1");
        QCOMPARE(FileChoosers::lastDefaultSuffix(), QStringLiteral("ics"));
        const IcsImport::Result read = IcsImport::parse(readAll(target), 0);
        QCOMPARE(read.notes.size(), 2);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(read.notes[i].uid, window->notes()[i].uid);
            QCOMPARE(read.notes[i].Text, window->notes()[i].Text);
        }
    }
};

QTEST_MAIN(TestCalendarTransfer)
#include "tst_calendartransfer.moc"
