#pragma once

#include "IoResult.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>

// Turns a data file's plain bytes into their stored form and back; the pass
// phrase protection provides one. Without it files are stored as they are.
class DataFileCodec
{
public:
    virtual ~DataFileCodec() = default;
    // Fails rather than hand back bytes that would not read back (no key could be had).
    virtual IoResult encode(const QByteArray &plain, QByteArray *stored) const = 0;
    virtual IoResult decode(const QByteArray &stored, QByteArray *plain) const = 0;
};

namespace DataFile {

enum class Outcome
{
    Missing,
    Loaded,
    KeptAside
};

struct LoadResult
{
    Outcome outcome = Outcome::Missing;
    QString message; // for KeptAside: what went wrong and where the file now is
    QString keptAsidePath;
};

using Parser = std::function<IoResult(const QByteArray &plain)>;

// Reads a data file, deciphering it unless it is plain XML, and parses it; touches nothing.
// `deciphered` (when given) tells whether the file was stored enciphered.
IoResult read(const QString &path, const DataFileCodec *codec, const Parser &parse, bool *deciphered = nullptr);

// Reads and parses a data file. A file that exists but cannot be read,
// deciphered or parsed is renamed aside so that no later save overwrites it.
LoadResult load(const QString &path, const DataFileCodec *codec, const Parser &parse, const QDateTime &now,
                bool *deciphered = nullptr);

// Encodes (when a codec is given) and writes atomically, private to the user.
IoResult save(const QString &path, const QByteArray &plain, const DataFileCodec *codec);

} // namespace DataFile
