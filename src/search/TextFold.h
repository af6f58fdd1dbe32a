#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// Text reduced for matching that ignores case and accents: "Żółć" and "zolc" fold alike, "Café" and "cafe",
// "Straße" and "strasse". Other scripts are spelled in Latin letters, so a search typed without them
// still finds them.
namespace TextFold {

QString fold(QStringView text);

// The fold together with, for each of its characters, the index in `text` of the character it came from.
struct Mapped
{
    QString text;
    QList<qsizetype> origin;
};
Mapped foldMapped(QStringView text);

// A stretch of a text: its first character and the number of characters.
struct Range
{
    qsizetype start = 0;
    qsizetype length = 0;
    bool operator==(const Range &) const = default;
};
// Every place in `text` where `phrase` occurs as folded, without overlaps, in order. A blank phrase is
// found nowhere.
QList<Range> findAll(QStringView text, QStringView phrase);

} // namespace TextFold
