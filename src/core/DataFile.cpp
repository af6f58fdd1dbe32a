#include "DataFile.h"

#include "FileIo.h"

#include <QDir>
#include <QFileInfo>

namespace DataFile {

IoResult read(const QString &path, const DataFileCodec *codec, const Parser &parse, bool *deciphered)
{
    if (deciphered)
        *deciphered = false;
    QByteArray stored;
    if (IoResult read = FileIo::readFile(path, &stored); !read)
        return read;
    // A plain XML file stays readable even with protection on (e.g. restored by hand).
    if (codec && !stored.startsWith("<?xml")) {
        QByteArray plain;
        if (IoResult decoded = codec->decode(stored, &plain); !decoded)
            return decoded;
        if (deciphered)
            *deciphered = true;
        return parse(plain);
    }
    return parse(stored);
}

LoadResult load(const QString &path, const DataFileCodec *codec, const Parser &parse, const QDateTime &now,
                bool *deciphered)
{
    if (!QFileInfo::exists(path))
        return {};
    const IoResult parsed = read(path, codec, parse, deciphered);
    if (parsed)
        return {Outcome::Loaded, {}, {}};

    LoadResult result;
    result.outcome = Outcome::KeptAside;
    result.keptAsidePath = FileIo::keepAside(path, now);
    const QString name = QFileInfo(path).fileName();
    if (result.keptAsidePath.isEmpty()) {
        result.message = QStringLiteral("%1 could not be read: %2\nIt could not be moved aside either; "
                                        "change or remove it before the next save.")
                             .arg(name, parsed.error);
    } else {
        result.message = QStringLiteral("%1 could not be read: %2\nThe file was kept unchanged as \"%3\".")
                             .arg(name, parsed.error, QDir::toNativeSeparators(result.keptAsidePath));
    }
    return result;
}

IoResult save(const QString &path, const QByteArray &plain, const DataFileCodec *codec)
{
    if (!codec)
        return FileIo::writeFileAtomically(path, plain);
    QByteArray stored;
    if (IoResult encoded = codec->encode(plain, &stored); !encoded)
        return encoded;
    return FileIo::writeFileAtomically(path, stored);
}

} // namespace DataFile
