#pragma once

#include "NotesData.h"

// Indexes into the shared image list; the artwork may change, these may not.
namespace NoteIcons {

inline constexpr int None = -1;
inline constexpr int Normal = 1;
inline constexpr int Highest = 2;
inline constexpr int Finished = 3;
inline constexpr int Increased = 4;
inline constexpr int TodayHeader = 16;

// The importance icon, or None for an importance outside 1..3.
int forImportance(quint8 importance);
// The importance icon, replaced by Finished for a note at exactly 100 %.
int forNote(const TNotesData &note);

} // namespace NoteIcons
