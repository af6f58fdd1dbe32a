#include "KeyValueXmlFile.h"

#include "DateTime.h"
#include "FileIo.h"
#include "Float80.h"
#include "KeyValueXmlScan.h"
#include "KeyValueXmlWriter.h"

#include <algorithm>

TKeyValueXmlFile::TKeyValueXmlFile() : m_formats(LocaleFormats::system()) {}

void TKeyValueXmlFile::Clear()
{
    m_entries = QList<Entry>(); // clear() would keep the room, megabytes after a large file
    m_indexByLowerKey.clear();
    m_declaration.clear();
}

IoResult TKeyValueXmlFile::LoadFromFile(const QString &path)
{
    QByteArray data;
    if (IoResult read = FileIo::readFile(path, &data); !read)
        return read;
    return LoadFromData(data);
}

IoResult TKeyValueXmlFile::LoadFromData(const QByteArray &data)
{
    Clear();
    const QString text = KeyValueXmlScan::documentText(data);
    KeyValueXmlScan::Document document;
    const IoResult scanned = KeyValueXmlScan::scan(text, &document, [this](QStringView key, QStringView raw) {
        setText(key.toString(), KeyValueXmlScan::isBlankText(raw) ? QString() : decodeText(raw));
    });
    m_rootName = document.rootName;
    m_declaration = document.declaration;
    return scanned;
}

IoResult TKeyValueXmlFile::SaveToFile(const QString &path) const
{
    return FileIo::writeFileAtomically(path, SaveToData());
}

QByteArray TKeyValueXmlFile::SaveToData() const
{
    // Element names cannot hold character references, so they are written as read. Ours are
    // ASCII; a hand-edited name beyond Latin-1 makes the whole file UTF-8 with a byte-order mark.
    bool latin1 = KeyValueXmlWriter::isLatin1(m_rootName);
    for (const Entry &entry : m_entries)
        latin1 = latin1 && KeyValueXmlWriter::isLatin1(entry.key);
    const auto name = [latin1](const QString &text) { return latin1 ? text.toLatin1() : text.toUtf8(); };
    KeyValueXmlWriter writer(name(m_rootName),
                             latin1 ? KeyValueXmlWriter::Names::Latin1 : KeyValueXmlWriter::Names::Utf8);
    for (const Entry &entry : m_entries)
        writer.writeText(name(entry.key), entry.text);
    return writer.finish();
}

namespace {

// The character a reference between "&" and ";" stands for: 0 when it is none we know.
char32_t referencedCharacter(QStringView name)
{
    if (name == QLatin1String("amp"))
        return U'&';
    if (name == QLatin1String("lt"))
        return U'<';
    if (name == QLatin1String("gt"))
        return U'>';
    if (name == QLatin1String("apos"))
        return U'\'';
    if (name == QLatin1String("quot"))
        return U'"';
    if (name.size() < 2 || name[0] != QLatin1Char('#'))
        return 0;
    const bool hex = name[1] == QLatin1Char('x') || name[1] == QLatin1Char('X');
    const QStringView digits = name.mid(hex ? 2 : 1);
    if (digits.isEmpty() || digits.size() > 8)
        return 0;
    quint32 code = 0;
    for (QChar d : digits) {
        const char16_t u = d.unicode();
        int value = -1;
        if (u >= '0' && u <= '9')
            value = u - '0';
        else if (hex && u >= 'a' && u <= 'f')
            value = u - 'a' + 10;
        else if (hex && u >= 'A' && u <= 'F')
            value = u - 'A' + 10;
        if (value < 0)
            return 0;
        code = code * (hex ? 16u : 10u) + static_cast<quint32>(value);
    }
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return code;
}

} // namespace

QString TKeyValueXmlFile::decodeText(QStringView text)
{
    qsizetype amp = text.indexOf(QLatin1Char('&'));
    if (amp < 0)
        return text.toString();
    // A reference is never shorter than what it stands for, so the text's size is enough.
    QString out(text.size(), Qt::Uninitialized);
    QChar *to = out.data();
    qsizetype i = 0;
    while (amp >= 0) {
        std::copy(text.begin() + i, text.begin() + amp, to);
        to += amp - i;
        i = amp;
        const qsizetype semicolon = text.indexOf(QLatin1Char(';'), i + 1);
        // Not QString::fromUcs4 below, which would take U+FEFF for a byte-order mark and drop it.
        const char32_t code = semicolon < 0 ? 0 : referencedCharacter(text.mid(i + 1, semicolon - i - 1));
        if (code == 0) {
            *to++ = QLatin1Char('&'); // kept as written
            ++i;
        } else {
            if (QChar::requiresSurrogates(code)) {
                *to++ = QChar(QChar::highSurrogate(code));
                *to++ = QChar(QChar::lowSurrogate(code));
            } else {
                *to++ = QChar(char16_t(code));
            }
            i = semicolon + 1;
        }
        amp = text.indexOf(QLatin1Char('&'), i);
    }
    std::copy(text.begin() + i, text.end(), to);
    to += text.size() - i;
    out.truncate(to - out.constData());
    // Texts beyond ASCII shrink to a fraction of their written form; notes stay in memory all day.
    if (out.capacity() - out.size() > 32)
        out.squeeze();
    return out;
}

qint32 TKeyValueXmlFile::parseInteger(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i >= text.size())
        return -1;
    // Beyond 32 bits only the low 32 bits count; unsigned arithmetic wraps as wanted.
    quint32 value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < '0' || c.unicode() > '9')
            return -1;
        value = value * 10u + static_cast<quint32>(c.unicode() - '0');
    }
    if (negative)
        value = 0u - value;
    return static_cast<qint32>(value);
}

bool TKeyValueXmlFile::parseBoolean(QStringView text)
{
    // What we write, without the conversions below.
    if (text == QLatin1String("TRUE"))
        return true;
    if (text == QLatin1String("FALSE"))
        return false;
    const QString upper = text.toString().toUpper();
    if (upper == QLatin1String("TRUE") || upper == QLatin1String("YES") || upper == QLatin1String("Y"))
        return true;
    if (upper == QLatin1String("FALSE") || upper == QLatin1String("NO") || upper == QLatin1String("N"))
        return false;
    bool ok = false;
    const double number = text.toString().trimmed().toDouble(&ok);
    return ok && number != 0.0;
}

const TKeyValueXmlFile::Entry *TKeyValueXmlFile::find(const QString &key) const
{
    const auto it = m_indexByLowerKey.constFind(key.toLower());
    return it == m_indexByLowerKey.cend() ? nullptr : &m_entries[*it - 1];
}

void TKeyValueXmlFile::setText(const QString &key, const QString &text)
{
    // One lookup: a new key finds 0 and gets its place plus one.
    qsizetype &place = m_indexByLowerKey[key.toLower()];
    if (place != 0) {
        m_entries[place - 1].text = text;
        return;
    }
    m_entries.append({key, text});
    place = m_entries.size();
}

bool TKeyValueXmlFile::hasKey(const QString &key) const
{
    return find(key) != nullptr;
}

qint32 TKeyValueXmlFile::ReadInteger(const QString &key, qint32 defaultValue) const
{
    const Entry *entry = find(key);
    return entry ? parseInteger(entry->text) : defaultValue;
}

double TKeyValueXmlFile::ReadFloat(const QString &key, double defaultValue) const
{
    const Entry *entry = find(key);
    if (!entry)
        return defaultValue;
    return Float80::fromHex(entry->text).value_or(defaultValue);
}

QString TKeyValueXmlFile::ReadString(const QString &key, const QString &defaultValue) const
{
    const Entry *entry = find(key);
    return entry ? entry->text : defaultValue;
}

double TKeyValueXmlFile::ReadDateTime(const QString &key, double defaultValue) const
{
    const Entry *entry = find(key);
    if (!entry)
        return defaultValue;
    const QDateTime value = m_formats.parseDateTime(entry->text);
    return value.isValid() ? DateTime::fromQDateTime(value) : defaultValue;
}

bool TKeyValueXmlFile::ReadBoolean(const QString &key, bool defaultValue) const
{
    const Entry *entry = find(key);
    return entry ? parseBoolean(entry->text) : defaultValue;
}

void TKeyValueXmlFile::WriteInteger(const QString &key, qint32 value)
{
    setText(key, QString::number(value));
}

void TKeyValueXmlFile::WriteFloat(const QString &key, double value)
{
    setText(key, Float80::toHex(value));
}

void TKeyValueXmlFile::WriteString(const QString &key, const QString &value)
{
    setText(key, value);
}

void TKeyValueXmlFile::WriteDateTime(const QString &key, double value)
{
    setText(key, m_formats.formatDateTime(DateTime::toQDateTime(value)));
}

void TKeyValueXmlFile::WriteBoolean(const QString &key, bool value)
{
    setText(key, value ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
}
