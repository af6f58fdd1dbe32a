#include "KeyValueXmlRecords.h"

#include "Float80.h"
#include "KeyValueXmlFile.h"

#include <algorithm>

namespace {

char16_t asciiLower(char16_t u)
{
    return u >= 'A' && u <= 'Z' ? char16_t(u + ('a' - 'A')) : u;
}

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

} // namespace

KeyValueXmlRecords::KeyValueXmlRecords(QList<QLatin1StringView> names)
{
    for (QLatin1StringView name : names)
        m_lowerNames.append(QString(name).toLower());
    m_singles.assign(size_t(m_lowerNames.size()), 0);
}

IoResult KeyValueXmlRecords::load(const QByteArray &data)
{
    m_found.clear();
    m_otherKeys.clear();
    m_singles.assign(size_t(m_lowerNames.size()), 0);
    m_last.clear();
    m_records = 0;
    m_data = data;
    m_bytes = KeyValueXmlScan::documentBytes(m_data, &m_utf8);
    return KeyValueXmlScan::scanBytes(m_bytes, m_utf8, &m_document,
                                      [this](QByteArrayView key, QByteArrayView raw) { take(key, raw); });
}

void KeyValueXmlRecords::take(QByteArrayView key, QByteArrayView raw)
{
    // The key as the store would hold it: ASCII lowered in place, anything else by Unicode's rules.
    const bool ascii = std::all_of(key.begin(), key.end(), [](char c) { return uchar(c) < 128; });
    constexpr qsizetype kShortKey = 64;
    if (ascii && key.size() <= kShortKey) {
        char16_t wide[kShortKey];
        for (qsizetype i = 0; i < key.size(); ++i)
            wide[i] = char16_t(uchar(key[i]));
        takeKey(QStringView(wide, key.size()), raw, true, key);
        return;
    }
    const QString text = KeyValueXmlScan::textOf(key, m_utf8);
    const QString lowered = ascii ? QString() : text.toLower();
    takeKey(ascii ? QStringView(text) : QStringView(lowered), raw, ascii, key);
}

// `lower` is the key as the store holds it, except that an ASCII key is not lowered yet.
void KeyValueXmlRecords::takeKey(QStringView lower, QByteArrayView raw, bool ascii, QByteArrayView key)
{
    // "name" or "name" + an index written as the program writes it (no leading zero).
    qsizetype digitsAt = lower.size();
    while (digitsAt > 0 && isAsciiDigit(lower[digitsAt - 1]))
        --digitsAt;
    const QStringView digits = lower.mid(digitsAt);
    qsizetype index = -1;
    bool canonical = digits.isEmpty();
    if (!digits.isEmpty() && digits.size() <= 18 && (digits.size() == 1 || digits[0] != QLatin1Char('0'))) {
        canonical = true;
        index = 0;
        for (QChar d : digits)
            index = index * 10 + (d.unicode() - '0');
    }
    const QStringView base = lower.left(digitsAt);
    if (canonical) {
        for (int name = 0; name < m_lowerNames.size(); ++name) {
            const QString &wanted = m_lowerNames[name];
            if (wanted.size() != base.size())
                continue;
            bool same = true;
            for (qsizetype i = 0; same && i < base.size(); ++i)
                same = asciiLower(base[i].unicode()) == wanted[i].unicode();
            if (same) {
                m_found.push_back({index, raw.isEmpty() ? 0 : raw.data() - m_bytes.data(), qint32(raw.size()), name});
                if (index < 0)
                    m_singles[size_t(name)] = qsizetype(m_found.size()); // the later of equal keys wins
                return;
            }
        }
    }
    m_otherKeys.insert(ascii ? KeyValueXmlScan::textOf(key, m_utf8).toLower() : lower.toString());
}

qsizetype KeyValueXmlRecords::distinctIndexedFrom(qsizetype first) const
{
    std::vector<std::pair<int, qsizetype>> keys;
    for (const Found &found : m_found)
        if (found.index >= first)
            keys.emplace_back(found.name, found.index);
    std::sort(keys.begin(), keys.end());
    return qsizetype(std::unique(keys.begin(), keys.end()) - keys.begin());
}

qsizetype KeyValueXmlRecords::entryCount() const
{
    const qsizetype singles = std::count_if(m_singles.begin(), m_singles.end(), [](qsizetype at) { return at != 0; });
    return singles + distinctIndexedFrom(0) + m_otherKeys.size();
}

bool KeyValueXmlRecords::hasEntries(qsizetype count) const
{
    if (count <= 0)
        return true;
    if (count > qsizetype(m_found.size()) + m_otherKeys.size())
        return false;
    // Records 0 .. count - 1 marked off as they are met; only a document with others beyond them
    // (by hand or damage) needs those counted too.
    const qsizetype names = m_lowerNames.size();
    std::vector<bool> seen(size_t(count * names));
    qsizetype distinct = std::count_if(m_singles.begin(), m_singles.end(), [](qsizetype at) { return at != 0; })
                       + m_otherKeys.size();
    bool beyond = false;
    for (const Found &found : m_found) {
        if (found.index < 0)
            continue;
        if (found.index >= count) {
            beyond = true;
            continue;
        }
        const size_t place = size_t(found.index * names + found.name);
        if (!seen[place]) {
            seen[place] = true;
            ++distinct;
        }
    }
    if (distinct >= count)
        return true;
    return beyond && distinct + distinctIndexedFrom(count) >= count;
}

IoResult KeyValueXmlRecords::checkRecordCount(qint32 count, const QString &records) const
{
    if (count < 0)
        return IoResult::failure(QStringLiteral("The number of %1 is not valid (%2).").arg(records).arg(count));
    if (!hasEntries(count))
        return IoResult::failure(
            QStringLiteral("The number of %1 (%2) is larger than the file could hold.").arg(records).arg(count));
    return IoResult::success();
}

void KeyValueXmlRecords::placeRecords(qsizetype count)
{
    m_records = std::max<qsizetype>(count, 0);
    m_last.assign(size_t(m_lowerNames.size() * m_records), 0);
    for (size_t place = 0; place < m_found.size(); ++place) {
        const Found &found = m_found[place];
        if (found.index >= 0 && found.index < m_records)
            m_last[size_t(found.index * m_lowerNames.size() + found.name)] = qsizetype(place) + 1;
    }
}

const KeyValueXmlRecords::Found *KeyValueXmlRecords::find(Key key) const
{
    qsizetype place = 0;
    if (key.index < 0)
        place = m_singles[size_t(key.name)];
    else if (key.index < m_records)
        place = m_last[size_t(key.index * m_lowerNames.size() + key.name)];
    return place == 0 ? nullptr : &m_found[size_t(place - 1)];
}

QString KeyValueXmlRecords::text(const Found &found) const
{
    const QByteArrayView raw = rawOf(found);
    if (KeyValueXmlScan::isBlankText(raw))
        return QString();
    const QString text = KeyValueXmlScan::textOf(raw, m_utf8);
    return raw.contains('&') ? TKeyValueXmlFile::decodeText(text) : text;
}

template <typename Parse>
auto KeyValueXmlRecords::parsed(const Found &found, Parse parse) const
{
    const QByteArrayView raw = rawOf(found);
    if (KeyValueXmlScan::isBlankText(raw))
        return parse(QStringView());
    constexpr qsizetype kShort = 64;
    if (raw.size() <= kShort && !raw.contains('&')
        && std::all_of(raw.begin(), raw.end(), [](char c) { return uchar(c) < 128; })) {
        char16_t wide[kShort];
        for (qsizetype i = 0; i < raw.size(); ++i)
            wide[i] = char16_t(uchar(raw[i]));
        return parse(QStringView(wide, raw.size()));
    }
    const QString value = text(found);
    return parse(QStringView(value));
}

qint32 KeyValueXmlRecords::readInteger(Key key, qint32 defaultValue) const
{
    const Found *found = find(key);
    if (!found)
        return defaultValue;
    return parsed(*found, [](QStringView value) { return TKeyValueXmlFile::parseInteger(value); });
}

double KeyValueXmlRecords::readFloat(Key key, double defaultValue) const
{
    const Found *found = find(key);
    if (!found)
        return defaultValue;
    return parsed(*found, [defaultValue](QStringView value) { return Float80::fromHex(value).value_or(defaultValue); });
}

QString KeyValueXmlRecords::readString(Key key) const
{
    const Found *found = find(key);
    return found ? text(*found) : QString();
}

bool KeyValueXmlRecords::readBoolean(Key key, bool defaultValue) const
{
    const Found *found = find(key);
    if (!found)
        return defaultValue;
    return parsed(*found, [](QStringView value) { return TKeyValueXmlFile::parseBoolean(value); });
}
