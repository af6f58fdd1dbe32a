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
    m_text = KeyValueXmlScan::documentText(data);
    m_found.reserve(size_t(data.count('\n')));
    return KeyValueXmlScan::scan(m_text, &m_document, [this](QStringView key, QStringView raw) { take(key, raw); });
}

void KeyValueXmlRecords::take(QStringView key, QStringView raw)
{
    // The key as the store would hold it: ASCII lowered in place, anything else by Unicode's rules.
    const bool ascii = std::all_of(key.begin(), key.end(), [](QChar c) { return c.unicode() < 128; });
    QString lowered;
    if (!ascii)
        lowered = key.toString().toLower();
    const QStringView lower = ascii ? key : QStringView(lowered);

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
                m_found.push_back({name, index, raw.isEmpty() ? 0 : raw.data() - m_text.constData(), raw.size()});
                if (index < 0)
                    m_singles[size_t(name)] = qsizetype(m_found.size()); // the later of equal keys wins
                return;
            }
        }
    }
    m_otherKeys.insert(ascii ? key.toString().toLower() : lowered);
}

qsizetype KeyValueXmlRecords::entryCount() const
{
    std::vector<std::pair<int, qsizetype>> keys;
    keys.reserve(m_found.size());
    for (const Found &found : m_found)
        keys.emplace_back(found.name, found.index);
    std::sort(keys.begin(), keys.end());
    return qsizetype(std::unique(keys.begin(), keys.end()) - keys.begin()) + m_otherKeys.size();
}

IoResult KeyValueXmlRecords::checkRecordCount(qint32 count, const QString &records) const
{
    if (count < 0)
        return IoResult::failure(QStringLiteral("The number of %1 is not valid (%2).").arg(records).arg(count));
    if (count > entryCount())
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

QStringView KeyValueXmlRecords::value(const Found &found, QString *decoded) const
{
    const QStringView raw = QStringView(m_text).mid(found.at, found.length);
    if (KeyValueXmlScan::isBlankText(raw))
        return {};
    if (!raw.contains(QLatin1Char('&')))
        return raw;
    *decoded = TKeyValueXmlFile::decodeText(raw);
    return *decoded;
}

qint32 KeyValueXmlRecords::readInteger(Key key, qint32 defaultValue) const
{
    const Found *found = find(key);
    if (!found)
        return defaultValue;
    QString decoded;
    return TKeyValueXmlFile::parseInteger(value(*found, &decoded));
}

double KeyValueXmlRecords::readFloat(Key key, double defaultValue) const
{
    const Found *found = find(key);
    if (!found)
        return defaultValue;
    QString decoded;
    return Float80::fromHex(value(*found, &decoded)).value_or(defaultValue);
}

QString KeyValueXmlRecords::readString(Key key) const
{
    const Found *found = find(key);
    if (!found)
        return QString();
    QString decoded;
    const QStringView text = value(*found, &decoded);
    return decoded.isNull() ? text.toString() : decoded;
}

bool KeyValueXmlRecords::readBoolean(Key key, bool defaultValue) const
{
    const Found *found = find(key);
    if (!found)
        return defaultValue;
    QString decoded;
    return TKeyValueXmlFile::parseBoolean(value(*found, &decoded));
}
