#pragma once

#include "expenditures/Expenditure.h"
#include "notes/NotesData.h"
#include "notes/NotesSortOrder.h"

#include <QList>

#include <optional>

// What an undo can take back: the notes (whole records, so each note keeps its identity), the sort order
// they were kept in, and the book.
struct EditState
{
    NotesCollection notes;
    NotesSortOrder sortOrder = NotesSortOrder::Disabled;
    ExpenditureBook book;
};

// The changes made while the program runs, as pairs of whole states before and after. The lists share
// their records with the live data until either side changes, so a step costs little beyond what it
// changed. Not a log of commands: the window records whatever state it is about to save or show, and any
// difference from the last recorded one is a step.
class EditHistory
{
public:
    // What a recorded difference was.
    struct Change
    {
        bool notes = false;
        bool book = false;
        bool removed = false; // notes or transactions went away: the user may want them back at once
        explicit operator bool() const { return notes || book; }
    };

    // Forgets every step; `state` is where the next change starts from.
    void reset(const EditState &state);
    // A step from the last recorded state to this one, when the notes or the book differ.
    Change record(const EditState &state);
    // The book changed by itself (due transactions took effect): no step, but later steps start from here.
    void absorbBook(const ExpenditureBook &book);

    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    // The state to return to; only the parts the step changed differ from the current ones. None when there
    // is nothing to undo or redo.
    std::optional<EditState> undo();
    std::optional<EditState> redo();

    const EditState &current() const { return m_current; }

private:
    struct Step
    {
        EditState before;
        EditState after;
        bool notes = false;
        bool book = false;
    };
    // `to` with the parts the step did not change kept as they stand now.
    EditState moveTo(const Step &step, const EditState &to);

    EditState m_current;
    QList<Step> m_undo;
    QList<Step> m_redo;
};
