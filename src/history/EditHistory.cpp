#include "EditHistory.h"

void EditHistory::reset(const EditState &state)
{
    m_current = state;
    m_undo.clear();
    m_redo.clear();
}

EditHistory::Change EditHistory::record(const EditState &state)
{
    Change change;
    change.notes = state.notes != m_current.notes;
    change.book = state.book != m_current.book;
    if (!change) {
        // A sort order chosen without reordering anything is no step, but an undo must return to it.
        // Equal lists are shared from here on, so the next comparison costs nothing.
        m_current = state;
        return change;
    }
    change.removed = state.notes.size() < m_current.notes.size() ||
                     state.book.Expenditures.size() < m_current.book.Expenditures.size();
    m_undo.append({m_current, state, change.notes, change.book});
    m_redo.clear();
    m_current = state;
    return change;
}

void EditHistory::absorbBook(const ExpenditureBook &book)
{
    m_current.book = book;
}

EditState EditHistory::moveTo(const Step &step, const EditState &to)
{
    EditState state = m_current;
    if (step.notes) {
        state.notes = to.notes;
        state.sortOrder = to.sortOrder;
    }
    if (step.book)
        state.book = to.book;
    m_current = state;
    return state;
}

std::optional<EditState> EditHistory::undo()
{
    if (m_undo.isEmpty())
        return std::nullopt;
    const Step step = m_undo.takeLast();
    m_redo.append(step);
    return moveTo(step, step.before);
}

std::optional<EditState> EditHistory::redo()
{
    if (m_redo.isEmpty())
        return std::nullopt;
    const Step step = m_redo.takeLast();
    m_undo.append(step);
    return moveTo(step, step.after);
}
