#include "notes/NoteIdentity.h"
#include "notes/NotesMoves.h"
#include "notes/NotesSort.h"
#include "storage/DataFolder.h"

#include <QDateTime>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime kNow(QDate(2026, 3, 14), QTime(9, 30));

NotesCollection sampleNotes()
{
    NotesCollection notes;
    const char *texts[] = {"Dentist", "Call Ann\r\nabout the car", "Taxes", "Zażółć gęślą jaźń", "Buy milk"};
    for (int i = 0; i < 5; ++i) {
        TNotesData note;
        note.Importance = quint8(1 + i % 3);
        note.Progress = quint8(i * 20);
        note.PrivateMsg = i == 2;
        note.Deadline = i == 1 ? DateTime::kNoDeadline : 46000.5 - i;
        note.Text = QString::fromUtf8(texts[i]);
        notes.append(note);
    }
    NoteIdentity::assignMissing(notes);
    notes[3].extra.insert(QStringLiteral("SnoozedUntil"), QStringLiteral("46001.25"));
    return notes;
}

QByteArray readRaw(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeRaw(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace

class TestNoteIdentity : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The collection is saved, changed and saved again; "crash" leaves notestate.txt of the first save
    // (or none) beside the second data.txt, as a crash between the two writes would.
    void keptOverChangesAndCrashes_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("crash");
        QTest::addColumn<QList<int>>("renamed"); // positions after the change that get new identities
        for (const char *crash : {"none", "stale"}) {
            for (const char *change : {"none", "sortByPriority", "sortByDaysLeft", "moveDown", "delete", "deleteFinished"})
                QTest::addRow("%s-%s", change, crash) << QString::fromLatin1(change) << QString::fromLatin1(crash)
                                                      << QList<int>();
        }
        QTest::newRow("edit-none") << "edit" << "none" << QList<int>();
        // Content changed and its identity lost with the crash: a new one, never a duplicate.
        QTest::newRow("edit-stale") << "edit" << "stale" << QList<int>{2};
        QTest::newRow("sort-missing") << "sortByPriority" << "missing" << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("garbled-sidecar") << "moveDown" << "garbled" << QList<int>{0, 1, 2, 3, 4};
    }

    void keptOverChangesAndCrashes()
    {
        QFETCH(QString, change);
        QFETCH(QString, crash);
        QFETCH(QList<int>, renamed);
        QTemporaryDir dir;
        DataFolder folder(dir.path() + QLatin1Char('/'));
        NotesCollection notes = sampleNotes();
        QVERIFY(folder.saveNotes(notes));
        const QString sidecar = folder.path(DataFolder::File::NoteState);
        const QByteArray firstSidecar = readRaw(sidecar);

        if (change == QLatin1String("sortByPriority"))
            SortByPriority(notes);
        else if (change == QLatin1String("sortByDaysLeft"))
            SortByDaysLeft(notes);
        else if (change == QLatin1String("moveDown"))
            MoveNoteDown(notes, 0, NotesFilter{});
        else if (change == QLatin1String("delete"))
            DeleteNote(notes, 1);
        else if (change == QLatin1String("deleteFinished"))
            notes.removeIf([](const TNotesData &note) { return note.Progress >= 60; });
        else if (change == QLatin1String("edit"))
            notes[2].Text = QStringLiteral("Taxes, second try");
        QVERIFY(folder.saveNotes(notes));
        const QByteArray dataBytes = readRaw(folder.path(DataFolder::File::Notes));

        if (crash == QLatin1String("stale"))
            QVERIFY(writeRaw(sidecar, firstSidecar));
        else if (crash == QLatin1String("missing"))
            QVERIFY(QFile::remove(sidecar));
        else if (crash == QLatin1String("garbled"))
            QVERIFY(writeRaw(sidecar, "<?xml version=\"1.0\"?><Configuration><Uid0>"));

        NotesCollection loaded;
        DataFolder reopened(dir.path() + QLatin1Char('/'));
        QCOMPARE(reopened.loadNotes(&loaded, kNow).outcome, DataFolder::Outcome::Loaded);
        renumberNotes(notes);
        QCOMPARE(loaded, notes); // no note lost, none added, order kept
        QSet<QString> uids;
        for (qsizetype i = 0; i < loaded.size(); ++i) {
            QVERIFY(!loaded[i].uid.isEmpty());
            uids.insert(loaded[i].uid);
            if (renamed.contains(int(i))) {
                QVERIFY(loaded[i].uid != notes[i].uid);
                QVERIFY(loaded[i].extra.isEmpty());
            } else {
                QCOMPARE(loaded[i].uid, notes[i].uid);
                QCOMPARE(loaded[i].extra, notes[i].extra);
            }
        }
        QCOMPARE(uids.size(), loaded.size());
        // The next save writes data.txt exactly as before: identities never reach it.
        QVERIFY(reopened.saveNotes(loaded));
        QCOMPARE(readRaw(folder.path(DataFolder::File::Notes)), dataBytes);
    }

    // Notes of equal content (a repetition's copies edited alike, a paste) keep one identity each.
    void twinsStayDistinct()
    {
        NotesCollection notes = sampleNotes();
        notes.append(notes[0]);
        notes.append(notes[0]);
        QList<NoteIdentity::TNoteState> states;
        QVERIFY(NoteIdentity::parseStates(NoteIdentity::statesData(notes), &states));
        std::reverse(notes.begin(), notes.end());
        for (TNotesData &note : notes)
            note.uid.clear();
        NoteIdentity::attach(notes, states);
        QSet<QString> uids;
        for (const TNotesData &note : notes)
            uids.insert(note.uid);
        QCOMPARE(uids.size(), notes.size());
        QCOMPARE(notes[3].extra.value(QStringLiteral("SnoozedUntil")), QStringLiteral("46001.25"));
    }
};

QTEST_GUILESS_MAIN(TestNoteIdentity)
#include "tst_noteidentity.moc"
