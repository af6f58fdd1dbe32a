#pragma once

#include "notes/NotesData.h"

#include <QString>
#include <QStringList>

// The text of the "Today events" balloon, also printed by the command line.
namespace TodayEvents {

inline constexpr int kTitleLimit = 63;
inline constexpr int kBodyLimit = 255;

QString title();
// The balloon's lines, one per note due today, before they are joined.
QStringList lines(const NotesCollection &notes, TDateTime now);
// One "• " line per note due today (any time, passed or not, finished and private included),
// in deadline order, joined with CR; texts over 30 characters are cut to 27 and "...".
QString text(const NotesCollection &notes, TDateTime now);
// What the balloon can hold.
QString balloonBody(const QString &text);

} // namespace TodayEvents
