#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Writes the flat key-value document entry by entry, straight to its bytes. TKeyValueXmlFile
// saves through it; the large data files use it directly, without building a store of sixty
// thousand entries only to write them out.
//
// Keys are written as given and must be distinct without regard to case: unlike the store,
// the writer does not merge a second write of a key into the first.
class KeyValueXmlWriter
{
public:
    // Element names are Latin-1 bytes in an iso-8859-1 document, or UTF-8 in a utf-8 document
    // with a byte-order mark (only for hand-edited names beyond Latin-1). Values are always ASCII.
    enum class Names
    {
        Latin1,
        Utf8
    };

    // "Name" or "Name12": the keys of indexed records, formatted without a QString per key.
    struct Key
    {
        const char *name;
        qsizetype index = -1;
    };

    explicit KeyValueXmlWriter(QByteArrayView rootName = "Configuration", Names names = Names::Latin1);
    // A root name as a loaded file had it: beyond Latin-1 it makes the document UTF-8.
    static KeyValueXmlWriter withRoot(const QString &rootName);

    void reserve(qsizetype bytes);

    void writeText(QByteArrayView key, const QString &text);

    void writeInteger(Key key, qint32 value);
    void writeFloat(Key key, double value);
    void writeString(Key key, const QString &value);
    void writeBoolean(Key key, bool value);

    // The document; the writer is empty afterwards.
    QByteArray finish();

    // A value as character data: markup characters as entities, everything beyond ASCII as a
    // character reference, so the result is pure ASCII.
    static void appendEncoded(QByteArray &out, const QString &text);
    // Whether a name can be written in an iso-8859-1 document.
    static bool isLatin1(const QString &name);

private:
    // Writing goes through a cursor into bytes grown ahead of it: appending to a QByteArray
    // piece by piece cost more than the encoding for sixty thousand elements.
    char *room(qsizetype bytes);
    void append(QByteArrayView bytes);
    void writeRaw(Key key, QByteArrayView value);
    static QByteArrayView keyBytes(Key key, char (&buffer)[64]);

    QByteArray m_root;
    QByteArray m_out; // m_size bytes written, the rest room
    qsizetype m_size = 0;
    qsizetype m_headerSize = 0;
    bool m_empty = true;
};
