#pragma once

// The sort orders of the notes list's "Sort" menu, as the settings keep them and the list applies
// them; Disabled leaves the order alone.
enum class NotesSortOrder
{
    Disabled,
    ByPriority,
    ByDaysLeft,
    ByPercentDone,
    ByPrivateNonPrivate
};
