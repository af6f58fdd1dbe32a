#pragma once

#include <QIcon>

// The shared small icons; callers name them by their index.
namespace ImageList1 {

enum Index
{
    NormalNote = 1,
    HighestNote = 2,
    FinishedNote = 3,
    IncreasedNote = 4,
    Delete = 5,
    MoveToBottom = 6,
    MoveDown = 7,
    MoveToTop = 8,
    MoveUp = 9,
    MarkFinished = 10,
    RollOutCollapsed = 13,
    RollOutExpanded = 14,
    TodayHeader = 16,
    AddNote = 17,
    Copy = 20,
};

inline constexpr int kCount = 21;

// Once per process, before the first icon.
void initResources();
QIcon icon(int index);
QIcon applicationIcon();
// The notification area's icon: the symbolic, light one on a dark panel.
QIcon trayIcon(bool darkPanel);

} // namespace ImageList1

// The category icons of the transaction lists; the index is the category code.
namespace ImageList2 {

inline constexpr int kCount = 13;

// Empty for an index without an icon.
QIcon icon(int index);

} // namespace ImageList2
