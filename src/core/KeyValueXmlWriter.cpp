#include "KeyValueXmlWriter.h"

#include "Float80.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <utility>

namespace {

// The most bytes one UTF-16 unit of a value can become: "&#xFFFF;" (a pair makes "&#x10FFFF;").
constexpr qsizetype kMostBytesPerUnit = 8;

// The entity that stands for an ASCII markup character, or nullptr for one written as itself.
const char *entityOf(char16_t u)
{
    switch (u) {
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '&':
        return "&amp;";
    case '"':
        return "&quot;";
    case '\'':
        return "&apos;";
    default:
        return nullptr;
    }
}

char *writeLiteral(char *out, const char *literal)
{
    while (*literal)
        *out++ = *literal++;
    return out;
}

char *writeBytes(char *out, QByteArrayView bytes)
{
    std::memcpy(out, bytes.data(), size_t(bytes.size()));
    return out + bytes.size();
}

// Writes into room for kMostBytesPerUnit bytes a unit: one pass, no measuring first.
char *writeEncoded(char *out, const QString &text)
{
    static const char kHex[] = "0123456789ABCDEF";
    const qsizetype size = text.size();
    const QChar *data = text.constData();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t u = data[i].unicode();
        if (u < 128) {
            if (const char *entity = entityOf(u))
                out = writeLiteral(out, entity);
            else
                *out++ = char(u);
            continue;
        }
        // A surrogate pair is one reference; a lone surrogate is referenced as it is.
        char32_t code = u;
        if (QChar::isHighSurrogate(u) && i + 1 < size && data[i + 1].isLowSurrogate())
            code = QChar::surrogateToUcs4(u, data[++i].unicode());
        out = writeLiteral(out, "&#x");
        int digits = 2; // upper-case hex, at least two digits
        while (digits < 8 && (code >> (4 * digits)) != 0)
            ++digits;
        for (int d = digits - 1; d >= 0; --d)
            *out++ = kHex[(code >> (4 * d)) & 0xF];
        *out++ = ';';
    }
    return out;
}

} // namespace

KeyValueXmlWriter::KeyValueXmlWriter(QByteArrayView rootName, Names names) : m_root(rootName.toByteArray())
{
    append(names == Names::Utf8 ? QByteArrayView("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n")
                                : QByteArrayView("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n"));
    m_headerSize = m_size;
    append("<");
    append(m_root);
    append(">\r\n");
}

bool KeyValueXmlWriter::isLatin1(const QString &name)
{
    return std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 256; });
}

KeyValueXmlWriter KeyValueXmlWriter::withRoot(const QString &rootName)
{
    const bool latin1 = isLatin1(rootName);
    return KeyValueXmlWriter(latin1 ? rootName.toLatin1() : rootName.toUtf8(), latin1 ? Names::Latin1 : Names::Utf8);
}

void KeyValueXmlWriter::reserve(qsizetype bytes)
{
    if (bytes > m_out.size())
        m_out.resize(bytes);
}

char *KeyValueXmlWriter::room(qsizetype bytes)
{
    if (m_size + bytes > m_out.size())
        m_out.resize(std::max(m_size + bytes, 2 * m_out.size()));
    return m_out.data() + m_size;
}

void KeyValueXmlWriter::append(QByteArrayView bytes)
{
    writeBytes(room(bytes.size()), bytes);
    m_size += bytes.size();
}

void KeyValueXmlWriter::appendEncoded(QByteArray &out, const QString &text)
{
    const qsizetype start = out.size();
    out.resize(start + kMostBytesPerUnit * text.size());
    out.truncate(writeEncoded(out.data() + start, text) - out.constData());
}

void KeyValueXmlWriter::writeText(QByteArrayView key, const QString &text)
{
    m_empty = false;
    if (text.isEmpty()) {
        // "  <key/>\r\n"
        char *out = room(key.size() + 7);
        out = writeBytes(writeLiteral(out, "  <"), key);
        out = writeLiteral(out, "/>\r\n");
        m_size = out - m_out.constData();
        return;
    }
    // "  <key>text</key>\r\n"
    char *out = room(2 * key.size() + 9 + kMostBytesPerUnit * text.size());
    out = writeBytes(writeLiteral(out, "  <"), key);
    *out++ = '>';
    out = writeEncoded(out, text);
    out = writeBytes(writeLiteral(out, "</"), key);
    out = writeLiteral(out, ">\r\n");
    m_size = out - m_out.constData();
}

QByteArrayView KeyValueXmlWriter::keyBytes(Key key, char (&buffer)[64])
{
    const size_t nameLength = std::strlen(key.name);
    Q_ASSERT(nameLength + 20 < sizeof buffer);
    std::memcpy(buffer, key.name, nameLength);
    char *end = buffer + nameLength;
    if (key.index >= 0)
        end = std::to_chars(end, buffer + sizeof buffer, key.index).ptr;
    return QByteArrayView(buffer, end - buffer);
}

void KeyValueXmlWriter::writeRaw(Key key, QByteArrayView value)
{
    char buffer[64];
    const QByteArrayView name = keyBytes(key, buffer);
    m_empty = false;
    char *out = room(2 * name.size() + 9 + value.size());
    out = writeBytes(writeLiteral(out, "  <"), name);
    *out++ = '>';
    out = writeBytes(out, value);
    out = writeBytes(writeLiteral(out, "</"), name);
    out = writeLiteral(out, ">\r\n");
    m_size = out - m_out.constData();
}

void KeyValueXmlWriter::writeInteger(Key key, qint32 value)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    writeRaw(key, QByteArrayView(digits, end - digits));
}

void KeyValueXmlWriter::writeFloat(Key key, double value)
{
    char digits[20];
    Float80::toHexDigits(value, digits);
    writeRaw(key, QByteArrayView(digits, sizeof digits));
}

void KeyValueXmlWriter::writeString(Key key, const QString &value)
{
    char buffer[64];
    writeText(keyBytes(key, buffer), value);
}

void KeyValueXmlWriter::writeBoolean(Key key, bool value)
{
    writeRaw(key, value ? QByteArrayView("TRUE") : QByteArrayView("FALSE"));
}

QByteArray KeyValueXmlWriter::finish()
{
    if (m_empty) {
        m_size = m_headerSize;
        append("<");
        append(m_root);
        append("/>\r\n");
    } else {
        append("</");
        append(m_root);
        append(">\r\n");
    }
    m_out.truncate(m_size);
    m_size = 0;
    return std::exchange(m_out, QByteArray());
}
