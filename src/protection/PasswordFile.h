#pragma once

#include "core/IoResult.h"

#include <QByteArray>
#include <QString>

class QRandomGenerator;

// The check value of a pass phrase with a salt: the first 15 bytes of the
// SHA-1 digest of the phrase's bytes followed by the salt.
QByteArray CheckPassword(const QByteArray &passPhraseBytes, const QByteArray &salt);
QByteArray CheckPassword(const QString &passPhrase, const QByteArray &salt);

// passwd.txt: a salt line and a check-value line, raw bytes, each ended by CR LF.
struct TPasswordFile
{
    QByteArray salt;
    QByteArray check;

    bool operator==(const TPasswordFile &) const = default;
};

namespace PasswordFile {

inline constexpr int kSaltLength = 21;
inline constexpr int kCheckLength = 15;
// Salt line, CR LF, check line, CR LF.
inline constexpr int kFixedFileSize = kSaltLength + 2 + kCheckLength + 2;

// Bytes that the text line rule would cut, drop or stop at.
bool isLineBreaking(quint8 byte);
bool holdsLineBreaking(const QByteArray &bytes);

// Never fails. A file of the fixed size with CR LF at both line ends is read by
// position, so older files whose salt holds CR, LF or byte 26 stay readable;
// any other file by the line rule. Missing lines read as empty.
TPasswordFile parse(const QByteArray &data);
QByteArray serialize(const TPasswordFile &file);

// Salt bytes other than 10, 13 and 26, drawn again until the check value
// holds none of them either, so both lines read back by the line rule too.
QByteArray drawSalt(QRandomGenerator &random);
TPasswordFile create(const QString &passPhrase, QRandomGenerator &random);

IoResult read(const QString &path, TPasswordFile *file);
// Atomic and private to the user.
IoResult write(const QString &path, const TPasswordFile &file);

} // namespace PasswordFile
