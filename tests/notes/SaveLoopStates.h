#pragma once

// The two states the save loop alternates between, and how to tell which one a
// file holds; shared by the loop and the test that kills it.
#include "expenditures/ExpendituresFile.h"
#include "notes/NotesFile.h"
#include "protection/PassPhraseCodec.h"
#include "settings/SettingsFile.h"

#include <QList>
#include <QString>

#include <functional>

namespace SaveLoop {

// Large enough that a write takes many system calls.
inline constexpr int kNotes = 400;
inline constexpr int kTransactions = 200;

inline QString passPhrase()
{
    return QStringLiteral("crash \u017c\u00f3\u0142w");
}

inline NotesCollection notes(int state)
{
    NotesCollection notes;
    for (int i = 0; i < kNotes; ++i)
        notes.append(TNotesData{3, quint8(state * 50), false, -1, QStringLiteral("state %1 note %2").arg(state).arg(i),
                                QString(), 0});
    return notes;
}

// 0 or 1; -1 when the notes are neither state whole.
inline int notesState(const NotesCollection &notes)
{
    if (notes.size() != kNotes)
        return -1;
    const int state = notes[0].Progress / 50;
    const NotesCollection expected = SaveLoop::notes(state);
    for (int i = 0; i < kNotes; ++i) {
        // ID is a place in the list, given on reading.
        if (notes[i].Progress != expected[i].Progress || notes[i].Text != expected[i].Text ||
            notes[i].Importance != expected[i].Importance || notes[i].Deadline != expected[i].Deadline)
            return -1;
    }
    return state;
}

inline ExpenditureBook book(int state)
{
    ExpenditureBook book;
    book.AllMoney = 100 + state;
    for (int i = 0; i < kTransactions; ++i)
        book.Expenditures.append(TExpenditure{QStringLiteral("state %1 item %2").arg(state).arg(i), 46000.0 + i, false,
                                              double(-i - state), 0, 0, true});
    return book;
}

inline int bookState(const ExpenditureBook &book)
{
    for (int state : {0, 1})
        if (book == SaveLoop::book(state))
            return state;
    return -1;
}

inline Settings settings(int state)
{
    Settings settings;
    settings.FormWidth = 300 + state;
    return settings;
}

inline int settingsState(const Settings &settings)
{
    for (int state : {0, 1})
        if (settings == SaveLoop::settings(state))
            return state;
    return -1;
}

inline QStringList notepad(int state)
{
    return {QStringLiteral("state %1").arg(state), QStringLiteral("z\u00f3\u0142w")};
}

struct File
{
    QString name;
    bool enciphered; // with protection on
    std::function<QByteArray(int state)> write;
    std::function<int(const QByteArray &plain)> stateOf; // -1 when it does not read as either state
};

inline QList<File> files()
{
    return {
        {QStringLiteral("data.txt"), true, [](int state) { return NotesFile::notesData(notes(state)); },
         [](const QByteArray &plain) {
             NotesCollection read;
             return NotesFile::parseNotes(plain, &read) ? notesState(read) : -1;
         }},
        {QStringLiteral("notepad.txt"), true, [](int state) { return NotesFile::notepadData(notepad(state)); },
         [](const QByteArray &plain) {
             const QStringList lines = NotesFile::parseNotepad(plain);
             return lines == notepad(0) ? 0 : lines == notepad(1) ? 1 : -1;
         }},
        {QStringLiteral("expenditures.txt"), true, [](int state) { return ExpendituresFile::expendituresData(book(state)); },
         [](const QByteArray &plain) {
             ExpenditureBook read;
             return ExpendituresFile::parseExpenditures(plain, &read) ? bookState(read) : -1;
         }},
        {QStringLiteral("settings.xml"), false,
         [](int state) {
             TKeyValueXmlFile store;
             return SettingsFile::settingsData(store, settings(state));
         },
         [](const QByteArray &plain) {
             TKeyValueXmlFile store;
             Settings read;
             return SettingsFile::parseSettings(plain, store, &read) ? settingsState(read) : -1;
         }},
    };
}

} // namespace SaveLoop
