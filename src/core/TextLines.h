#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Plain text files of the program: lines end with CR LF; a line is read up to
// LF or CR LF, a lone CR is dropped, a byte 26 as the last byte is dropped. Text is Latin-1,
// or UTF-8 with a byte-order mark when a character does not fit Latin-1.
namespace TextLines {

// At least one line, so an empty file yields one empty line.
QStringList split(const QByteArray &data);
QByteArray join(const QStringList &lines);

QString decode(const QByteArray &bytes);
QByteArray encode(const QString &text);
bool fitsLatin1(const QString &text);

} // namespace TextLines
