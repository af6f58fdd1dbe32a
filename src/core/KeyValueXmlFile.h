#pragma once

#include "IoResult.h"
#include "LocaleFormats.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// A flat document of named text values stored as a small XML file: the root
// element holds one child per key. Keys match without regard to case; entries
// keep the order of their first write.
class TKeyValueXmlFile
{
public:
    struct Entry
    {
        QString key;
        QString text;
    };

    TKeyValueXmlFile();

    void Clear();
    IoResult LoadFromFile(const QString &path);
    IoResult LoadFromData(const QByteArray &data);
    // Written atomically; files in the data folder are private to the user.
    IoResult SaveToFile(const QString &path) const;
    QByteArray SaveToData() const;

    qint32 ReadInteger(const QString &key, qint32 defaultValue) const;
    double ReadFloat(const QString &key, double defaultValue) const;
    QString ReadString(const QString &key, const QString &defaultValue) const;
    double ReadDateTime(const QString &key, double defaultValue) const;
    bool ReadBoolean(const QString &key, bool defaultValue) const;

    void WriteInteger(const QString &key, qint32 value);
    void WriteFloat(const QString &key, double value);
    void WriteString(const QString &key, const QString &value);
    void WriteDateTime(const QString &key, double value);
    void WriteBoolean(const QString &key, bool value);

    bool hasKey(const QString &key) const;
    const QList<Entry> &entries() const { return m_entries; }
    int entryCount() const { return static_cast<int>(m_entries.size()); }
    QString rootName() const { return m_rootName; }
    QString declaration() const { return m_declaration; }

    // Date-times are written in the user's formats; tests fix them.
    void setLocaleFormats(const LocaleFormats &formats) { m_formats = formats; }

    // The text conversions, shared with anything that stores values the same way.
    static QString decodeText(QStringView text);
    static qint32 parseInteger(QStringView text);
    static bool parseBoolean(QStringView text);

private:
    const Entry *find(const QString &key) const;
    void setText(const QString &key, const QString &text);

    QString m_rootName = QStringLiteral("Configuration");
    QString m_declaration;
    QList<Entry> m_entries;
    QHash<QString, qsizetype> m_indexByLowerKey; // place in m_entries plus one
    LocaleFormats m_formats;
};
