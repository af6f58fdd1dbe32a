#include "PasswordFile.h"

#include "FileCipher.h"

#include "core/FileIo.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

#include <array>

QByteArray CheckPassword(const QByteArray &passPhraseBytes, const QByteArray &salt)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(passPhraseBytes);
    hash.addData(salt);
    return hash.result().left(PasswordFile::kCheckLength);
}

QByteArray CheckPassword(const QString &passPhrase, const QByteArray &salt)
{
    return CheckPassword(FileCipher::passPhraseBytes(passPhrase), salt);
}

namespace PasswordFile {

namespace {

// passwd.txt is a few dozen bytes; anything far larger is not ours.
constexpr qint64 kMaxFileSize = 64 * 1024;

constexpr std::array<quint8, 253> allowedSaltBytes()
{
    std::array<quint8, 253> bytes{};
    int n = 0;
    for (int b = 0; b < 256; ++b)
        if (b != 10 && b != 13 && b != 26)
            bytes[n++] = quint8(b);
    return bytes;
}

bool isCrLf(const QByteArray &data, qsizetype at)
{
    return data[at] == '\r' && data[at + 1] == '\n';
}

} // namespace

bool isLineBreaking(quint8 byte)
{
    return byte == 10 || byte == 13 || byte == 26;
}

bool holdsLineBreaking(const QByteArray &bytes)
{
    for (char b : bytes)
        if (isLineBreaking(quint8(b)))
            return true;
    return false;
}

TPasswordFile parse(const QByteArray &data)
{
    if (data.size() == kFixedFileSize && isCrLf(data, kSaltLength) && isCrLf(data, kFixedFileSize - 2))
        return {data.left(kSaltLength), data.mid(kSaltLength + 2, kCheckLength)};

    QByteArray lines[2];
    qsizetype at = 0;
    for (QByteArray &line : lines) {
        for (; at < data.size() && data[at] != '\n' && data[at] != '\x1A'; ++at)
            if (data[at] != '\r')
                line.append(data[at]);
        if (at >= data.size() || data[at] == '\x1A')
            break;
        ++at; // the line feed
    }
    return {lines[0], lines[1]};
}

QByteArray serialize(const TPasswordFile &file)
{
    return file.salt + "\r\n" + file.check + "\r\n";
}

QByteArray drawSalt(QRandomGenerator &random)
{
    static constexpr std::array<quint8, 253> kAllowed = allowedSaltBytes();
    QByteArray salt(kSaltLength, Qt::Uninitialized);
    for (char &b : salt)
        b = char(kAllowed[random.bounded(quint32(kAllowed.size()))]);
    return salt;
}

TPasswordFile create(const QString &passPhrase, QRandomGenerator &random)
{
    const QByteArray phrase = FileCipher::passPhraseBytes(passPhrase);
    TPasswordFile file;
    do {
        file.salt = drawSalt(random);
        file.check = CheckPassword(phrase, file.salt);
    } while (holdsLineBreaking(file.check));
    return file;
}

IoResult read(const QString &path, TPasswordFile *file)
{
    QByteArray data;
    if (IoResult result = FileIo::readFile(path, &data, kMaxFileSize); !result)
        return result;
    *file = parse(data);
    return IoResult::success();
}

IoResult write(const QString &path, const TPasswordFile &file)
{
    return FileIo::writeFileAtomically(path, serialize(file), FileIo::Permissions::OwnerOnly);
}

} // namespace PasswordFile
