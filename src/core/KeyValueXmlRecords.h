#pragma once

#include "IoResult.h"
#include "KeyValueXmlScan.h"

#include <QByteArray>
#include <QLatin1StringView>
#include <QList>
#include <QSet>
#include <QString>

#include <deque>
#include <vector>

// Reads the flat key-value document straight into records ("NumberOfNotes", "Text12", ...),
// for the large data files: a TKeyValueXmlFile would first make a key, a lowered key and a text
// for each of sixty thousand values, and leave the heap full of holes where they were.
// Values are found as the store finds them: keys without regard to case, the later of two
// equal keys winning, text of white space only reading as empty.
class KeyValueXmlRecords
{
public:
    // The names the keys are made of: single keys, and the fields of indexed records.
    explicit KeyValueXmlRecords(QList<QLatin1StringView> names);

    // A name's place in the list, and the record's index; -1 for a single key.
    struct Key
    {
        int name;
        qsizetype index = -1;
    };

    IoResult load(const QByteArray &data);
    QString rootName() const { return m_document.rootName; }
    // Keys in the document, each counted once, as TKeyValueXmlFile::entryCount counts them.
    qsizetype entryCount() const;
    // Whether entryCount() is at least `count`: one pass over the entries, most often.
    bool hasEntries(qsizetype count) const;

    // A count of records read from the file: refused when negative or beyond what the file could
    // hold (each record leaves at least one entry), before anything is allocated for it.
    // `records` names them in the messages: "notes", "transactions".
    IoResult checkRecordCount(qint32 count, const QString &records) const;
    // Makes the fields of records 0 .. count - 1 readable; single keys are readable at once.
    void placeRecords(qsizetype count);

    bool contains(Key key) const { return find(key) != nullptr; }
    qint32 readInteger(Key key, qint32 defaultValue) const;
    double readFloat(Key key, double defaultValue) const;
    QString readString(Key key) const; // empty when missing
    bool readBoolean(Key key, bool defaultValue) const;

private:
    struct Found
    {
        qint64 index;
        qint64 at; // the text as written, in m_bytes
        qint32 length;
        qint32 name;
    };

    void take(QByteArrayView key, QByteArrayView raw);
    void takeKey(QStringView lower, QByteArrayView raw, bool ascii, QByteArrayView key);
    const Found *find(Key key) const;
    QByteArrayView rawOf(const Found &found) const { return m_bytes.sliced(found.at, found.length); }
    // The value as the store holds it: its text decoded, then its references.
    QString text(const Found &found) const;
    // Calls parse with the value; a short plain ASCII value goes as it is, without a QString.
    template <typename Parse>
    auto parsed(const Found &found, Parse parse) const;
    qsizetype distinctIndexedFrom(qsizetype first) const;

    QList<QString> m_lowerNames;
    QByteArray m_data;      // the document, shared with the caller: nothing is copied
    QByteArrayView m_bytes; // its text, after any byte-order mark
    bool m_utf8 = false;
    KeyValueXmlScan::Document m_document;
    // Every element with one of the names, in file order; in blocks, so that growing never
    // copies (nor holds twice) what was found.
    std::deque<Found> m_found;
    QSet<QString> m_otherKeys;  // lowered; only counted
    // Place in m_found plus one of the value a key reads, 0 for none: per name for single keys,
    // per record and name for indexed ones.
    std::vector<qsizetype> m_singles;
    std::vector<qsizetype> m_last;
    qsizetype m_records = 0;
};
