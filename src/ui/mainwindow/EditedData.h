#pragma once

#include "notes/NotesData.h"

struct LocaleFormats;
struct ProgramState;
struct Settings;

// What a page or a window shows and edits; all of it belongs to the main window, which alone
// saves and refreshes when told that something changed.
struct EditedData
{
    NotesCollection &notes;
    Settings &settings;
    ProgramState &state;
    const LocaleFormats &formats;
};
