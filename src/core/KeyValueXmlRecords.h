#pragma once

#include "IoResult.h"
#include "KeyValueXmlScan.h"

#include <QByteArray>
#include <QLatin1StringView>
#include <QList>
#include <QSet>
#include <QString>

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
        int name;
        qsizetype index;
        qsizetype at; // the text as written, in m_text
        qsizetype length;
    };

    void take(QStringView key, QStringView raw);
    const Found *find(Key key) const;
    // The value as the store holds it: decoded only when it holds a reference.
    QStringView value(const Found &found, QString *decoded) const;

    QList<QString> m_lowerNames;
    QString m_text;
    KeyValueXmlScan::Document m_document;
    std::vector<Found> m_found; // every element with one of the names, in file order
    QSet<QString> m_otherKeys;  // lowered; only counted
    // Place in m_found plus one of the value a key reads, 0 for none: per name for single keys,
    // per record and name for indexed ones.
    std::vector<qsizetype> m_singles;
    std::vector<qsizetype> m_last;
    qsizetype m_records = 0;
};
