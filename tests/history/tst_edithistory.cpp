#include "history/EditHistory.h"

#include "expenditures/ExpendituresFile.h"
#include "notes/NotesFile.h"
#include "notes/NotesMoves.h"
#include "notes/NotesSort.h"
#include "storage/DataFolder.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

TNotesData randomNote(QRandomGenerator &random)
{
    TNotesData note;
    note.Importance = quint8(random.bounded(1, 4));
    note.Progress = random.bounded(3) == 0 ? 100 : quint8(random.bounded(100));
    note.PrivateMsg = random.bounded(2);
    note.Deadline = random.bounded(3) == 0 ? DateTime::kNoDeadline : 46000 + random.bounded(1000) / 7.0;
    note.Text = QStringLiteral("Note %1 żółć\r\nline").arg(random.bounded(1000));
    note.Location = random.bounded(2) ? QStringLiteral("Café") : QString();
    return note;
}

// One of the user's changes, made with the program's own operations.
void change(EditState &state, QRandomGenerator &random)
{
    NotesCollection &notes = state.notes;
    const qsizetype any = notes.isEmpty() ? -1 : random.bounded(int(notes.size()));
    switch (random.bounded(9)) {
    case 0:
        notes.append(randomNote(random));
        break;
    case 1:
        if (any >= 0)
            notes[any].Text += QStringLiteral(" edited");
        break;
    case 2:
        if (any >= 0)
            DeleteNote(notes, any);
        break;
    case 3:
        deleteFinishedNotes(notes);
        break;
    case 4:
        // Moves by hand leave sorting off.
        state.sortOrder = NotesSortOrder::Disabled;
        if (any >= 0)
            moveNoteToTop(notes, any);
        break;
    case 5:
        state.sortOrder = NotesSortOrder(random.bounded(5));
        break;
    case 6:
        if (any >= 0)
            markAsFinished(notes, any);
        break;
    case 7:
        state.book.Expenditures.append({QStringLiteral("Rent"), 46000, true, -500, 1, 0, true});
        state.book.AllMoney -= 500;
        break;
    case 8:
        if (!state.book.Expenditures.isEmpty())
            state.book.Expenditures.removeFirst();
        else
            state.book.AllMoney = random.bounded(1000);
        break;
    }
    // What every refresh does before the window records.
    applySortOrder(notes, state.sortOrder);
    renumberNotes(notes);
}

} // namespace

class TestEditHistory final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomUndoRedo_returnsEachStateByteForByte_data();
    void randomUndoRedo_returnsEachStateByteForByte();
    void automaticBooking_isNoStepAndSurvivesUndoOfNotes();
};

namespace {

// What data.txt and expenditures.txt hold for this state.
QByteArray fileBytes(const EditState &state)
{
    return NotesFile::notesData(state.notes) + '\0' + ExpendituresFile::expendituresData(state.book) + '\0';
}

// data.txt and expenditures.txt as a save writes them.
QByteArray savedFiles(const DataFolder &folder, const QString &dir, const EditState &state)
{
    if (!folder.saveNotes(state.notes) || !folder.saveExpenditures(state.book))
        return {};
    QByteArray bytes;
    for (const char *name : {"/data.txt", "/expenditures.txt"}) {
        QFile file(dir + QLatin1String(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        bytes += file.readAll() + '\0';
    }
    return bytes;
}

} // namespace

void TestEditHistory::randomUndoRedo_returnsEachStateByteForByte_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 8; ++seed)
        QTest::addRow("seed %u", seed) << seed;
}

void TestEditHistory::randomUndoRedo_returnsEachStateByteForByte()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    QTemporaryDir dir;
    const DataFolder folder(dir.path() + QLatin1Char('/'));

    EditState live;
    for (int i = 0; i < 8; ++i)
        live.notes.append(randomNote(random));
    renumberNotes(live.notes);
    EditHistory history;
    history.reset(live);
    // The model: every state the user has seen, as saved, and where the user stands among them.
    QList<QByteArray> states{fileBytes(live)};
    qsizetype at = 0;

    for (int step = 0; step < 120; ++step) {
        const int what = random.bounded(10);
        if (what < 3 || what == 9) {
            const bool undo = what < 3;
            const std::optional<EditState> restored = undo ? history.undo() : history.redo();
            QCOMPARE(restored.has_value(), undo ? at > 0 : at + 1 < states.size());
            if (!restored)
                continue;
            at += undo ? -1 : 1;
            live = *restored;
            // The window refreshes and records again: no new step may come of it.
            applySortOrder(live.notes, live.sortOrder);
            renumberNotes(live.notes);
            QVERIFY(!history.record(live));
            // Restored and saved, the files are what they were.
            QCOMPARE(savedFiles(folder, dir.path(), live), states[at]);
        } else {
            const EditState before = live;
            change(live, random);
            const EditHistory::Change recorded = history.record(live);
            const bool changed = live.notes != before.notes || live.book != before.book;
            QCOMPARE(bool(recorded), changed);
            if (!changed)
                continue;
            QCOMPARE(recorded.removed, live.notes.size() < before.notes.size() ||
                                           live.book.Expenditures.size() < before.book.Expenditures.size());
            states.resize(++at);
            states.append(fileBytes(live));
        }
        QCOMPARE(history.canUndo(), at > 0);
        QCOMPARE(history.canRedo(), at + 1 < states.size());
        QCOMPARE(fileBytes(live), states[at]);
    }
}

void TestEditHistory::automaticBooking_isNoStepAndSurvivesUndoOfNotes()
{
    EditState live;
    EditHistory history;
    history.reset(live);
    live.notes.append(TNotesData{3, 0, false, DateTime::kNoDeadline, QStringLiteral("a"), {}, 0});
    QVERIFY(history.record(live).notes);
    live.book.AllMoney = 250; // a salary took effect at midnight
    history.absorbBook(live.book);
    QVERIFY(!history.record(live));
    const std::optional<EditState> undone = history.undo();
    QVERIFY(undone);
    QVERIFY(undone->notes.isEmpty());
    QCOMPARE(undone->book.AllMoney, 250.0);
    QVERIFY(!history.canUndo());
}

QTEST_GUILESS_MAIN(TestEditHistory)
#include "tst_edithistory.moc"
