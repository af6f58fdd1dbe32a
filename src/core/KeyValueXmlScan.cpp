#include "KeyValueXmlScan.h"

bool KeyValueXmlScan::isBlankText(QStringView text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u != ' ' && u != '\t' && u != '\n' && u != '\v' && u != '\f' && u != '\r')
            return false;
    }
    return true;
}

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-') || c == QLatin1Char('.') ||
           c == QLatin1Char(':');
}

// The document as UTF-16 text (from TKeyValueXmlFile).
struct Utf16Text
{
    using View = QStringView;
    QStringView text;

    qsizetype size() const { return text.size(); }
    char16_t at(qsizetype i) const { return text[i].unicode(); }
    bool startsWithAt(qsizetype i, QLatin1StringView what) const { return text.mid(i, what.size()) == what; }
    qsizetype find(QLatin1StringView what, qsizetype from) const { return text.indexOf(what, from); }
    qsizetype find(char c, qsizetype from) const { return text.indexOf(QLatin1Char(c), from); }
    View mid(qsizetype at, qsizetype length) const { return text.mid(at, length); }
    QString string(View part) const { return part.toString(); }
    qsizetype lines(qsizetype upTo) const { return text.left(upTo).count(QLatin1Char('\n')); }
    // The length of the name character at i, 0 for none.
    qsizetype nameCharAt(qsizetype i) const { return isNameChar(text[i]) ? 1 : 0; }
};

// The document's bytes in place: Latin-1, or UTF-8. Every byte of markup is ASCII, and in UTF-8
// no byte of a longer sequence is, so the structure is found as in the text; only names beyond
// ASCII are decoded to tell letters.
struct ByteText
{
    using View = QByteArrayView;
    QByteArrayView bytes;
    bool utf8 = false;

    qsizetype size() const { return bytes.size(); }
    char16_t at(qsizetype i) const { return uchar(bytes[i]); }
    bool startsWithAt(qsizetype i, QLatin1StringView what) const
    {
        return i + what.size() <= bytes.size() && bytes.sliced(i, what.size()) == QByteArrayView(what.data(), what.size());
    }
    qsizetype find(QLatin1StringView what, qsizetype from) const
    {
        return bytes.indexOf(QByteArrayView(what.data(), what.size()), from);
    }
    qsizetype find(char c, qsizetype from) const { return bytes.indexOf(c, from); }
    View mid(qsizetype at, qsizetype length) const { return bytes.sliced(at, length); }
    QString string(View part) const { return KeyValueXmlScan::textOf(part, utf8); }
    qsizetype lines(qsizetype upTo) const { return bytes.first(upTo).count('\n'); }
    qsizetype nameCharAt(qsizetype i) const
    {
        const uchar lead = uchar(bytes[i]);
        if (lead < 0x80 || !utf8)
            return isNameChar(QChar(char16_t(lead))) ? 1 : 0;
        // A character of two or three bytes; one beyond the BMP is a surrogate pair in the text,
        // and a malformed sequence a replacement character, neither of them a name character.
        qsizetype length = 0;
        char32_t code = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0F;
        } else {
            return 0;
        }
        if (i + length > bytes.size())
            return 0;
        for (qsizetype k = 1; k < length; ++k) {
            const uchar next = uchar(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return 0;
            code = (code << 6) | (next & 0x3F);
        }
        if ((length == 2 && code < 0x80) || (length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))))
            return 0;
        return isNameChar(QChar(char16_t(code))) ? length : 0;
    }
};

template <typename Text>
using SinkOf = std::function<void(typename Text::View key, typename Text::View raw)>;

// A forgiving reader for the flat documents the program writes (and people edit
// by hand): unknown entity references stay as written, attributes are skipped,
// and every structural fault is reported with its line.
template <typename Text>
class KeyValueXmlReader
{
    using View = typename Text::View;

public:
    KeyValueXmlReader(const Text &text, KeyValueXmlScan::Document &document, const SinkOf<Text> &entry)
        : m_text(text), m_document(document), m_entry(entry)
    {
    }

    IoResult read()
    {
        skipMisc();
        if (atEnd())
            return fail(QStringLiteral("the document has no root element"));
        View rootName;
        bool selfClosing = false;
        if (!readStartTag(&rootName, &selfClosing))
            return m_error;
        m_document.rootName = m_text.string(rootName);
        if (!selfClosing) {
            for (;;) {
                skipMisc();
                if (atEnd())
                    return fail(QStringLiteral("the element <%1> is not closed").arg(m_text.string(rootName)));
                if (m_text.startsWithAt(m_pos, QLatin1StringView("</"))) {
                    if (!readEndTag(rootName))
                        return m_error;
                    break;
                }
                if (!readEntry())
                    return m_error;
            }
        }
        skipMisc();
        if (!atEnd())
            return fail(QStringLiteral("unexpected text after the root element"));
        return IoResult::success();
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }

    IoResult fail(const QString &what)
    {
        const qsizetype line = m_text.lines(std::min(m_pos, m_text.size())) + 1;
        m_error =
            IoResult::failure(QStringLiteral("The file is not a valid data file (line %1: %2).").arg(line).arg(what));
        return m_error;
    }

    static bool isXmlSpace(char16_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    void skipSpace()
    {
        while (!atEnd() && isXmlSpace(m_text.at(m_pos)))
            ++m_pos;
    }

    // White space, the declaration, comments, processing instructions and DOCTYPE.
    void skipMisc()
    {
        for (;;) {
            skipSpace();
            if (m_text.startsWithAt(m_pos, QLatin1StringView("<!--"))) {
                const qsizetype end = m_text.find(QLatin1StringView("-->"), m_pos + 4);
                m_pos = end < 0 ? m_text.size() : end + 3;
            } else if (m_text.startsWithAt(m_pos, QLatin1StringView("<?"))) {
                const qsizetype end = m_text.find(QLatin1StringView("?>"), m_pos + 2);
                const qsizetype stop = end < 0 ? m_text.size() : end + 2;
                if (m_text.startsWithAt(m_pos, QLatin1StringView("<?xml")))
                    m_document.declaration = m_text.string(m_text.mid(m_pos, stop - m_pos));
                m_pos = stop;
            } else if (m_text.startsWithAt(m_pos, QLatin1StringView("<!"))) {
                const qsizetype end = m_text.find('>', m_pos + 2);
                m_pos = end < 0 ? m_text.size() : end + 1;
            } else {
                return;
            }
        }
    }

    bool readName(View *name)
    {
        const qsizetype start = m_pos;
        while (!atEnd()) {
            const qsizetype length = m_text.nameCharAt(m_pos);
            if (length == 0)
                break;
            m_pos += length;
        }
        if (m_pos == start) {
            fail(QStringLiteral("an element name is missing"));
            return false;
        }
        *name = m_text.mid(start, m_pos - start);
        return true;
    }

    bool readStartTag(View *name, bool *selfClosing)
    {
        if (atEnd() || m_text.at(m_pos) != '<') {
            fail(QStringLiteral("text outside an element"));
            return false;
        }
        ++m_pos;
        if (!readName(name))
            return false;
        // Attributes are skipped; quoted values may hold ">".
        char16_t quote = 0;
        while (!atEnd()) {
            const char16_t c = m_text.at(m_pos);
            if (quote != 0) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '/' && m_text.startsWithAt(m_pos, QLatin1StringView("/>"))) {
                m_pos += 2;
                *selfClosing = true;
                return true;
            } else if (c == '>') {
                ++m_pos;
                *selfClosing = false;
                return true;
            } else if (c == '<') {
                break;
            }
            ++m_pos;
        }
        fail(QStringLiteral("the start tag <%1 is not closed").arg(m_text.string(*name)));
        return false;
    }

    bool readEndTag(View name)
    {
        m_pos += 2;
        View endName;
        if (!readName(&endName))
            return false;
        skipSpace();
        if (atEnd() || m_text.at(m_pos) != '>') {
            fail(QStringLiteral("the end tag </%1 is not closed").arg(m_text.string(endName)));
            return false;
        }
        ++m_pos;
        if (endName != name) {
            fail(QStringLiteral("</%1> closes <%2>").arg(m_text.string(endName), m_text.string(name)));
            return false;
        }
        return true;
    }

    bool readEntry()
    {
        View key;
        bool selfClosing = false;
        if (!readStartTag(&key, &selfClosing))
            return false;
        View raw;
        if (!selfClosing) {
            const qsizetype textStart = m_pos;
            const qsizetype lt = m_text.find('<', m_pos);
            if (lt < 0) {
                fail(QStringLiteral("the element <%1> is not closed").arg(m_text.string(key)));
                return false;
            }
            m_pos = lt;
            if (!m_text.startsWithAt(m_pos, QLatin1StringView("</"))) {
                fail(QStringLiteral("the element <%1> holds another element").arg(m_text.string(key)));
                return false;
            }
            raw = m_text.mid(textStart, lt - textStart);
            if (!readEndTag(key))
                return false;
        }
        m_entry(key, raw);
        return true;
    }

    const Text &m_text;
    KeyValueXmlScan::Document &m_document;
    const SinkOf<Text> &m_entry;
    qsizetype m_pos = 0;
    IoResult m_error;
};

} // namespace

QString KeyValueXmlScan::documentText(const QByteArray &data)
{
    // Our files are single-byte text (anything above 127 reads as its Latin-1
    // character); one saved by an editor with a UTF-8 byte-order mark is UTF-8.
    static const QByteArray utf8Bom("\xEF\xBB\xBF");
    return data.startsWith(utf8Bom) ? QString::fromUtf8(data.mid(utf8Bom.size())) : QString::fromLatin1(data);
}

IoResult KeyValueXmlScan::scan(const QString &text, Document *document, const EntrySink &entry)
{
    *document = Document();
    const Utf16Text source{text};
    return KeyValueXmlReader<Utf16Text>(source, *document, entry).read();
}

QByteArrayView KeyValueXmlScan::documentBytes(const QByteArray &data, bool *utf8)
{
    static const QByteArray utf8Bom("\xEF\xBB\xBF");
    *utf8 = data.startsWith(utf8Bom);
    QByteArrayView bytes(data);
    if (*utf8) {
        bytes = bytes.sliced(utf8Bom.size());
        // As documentText reads it: QString::fromUtf8 drops one more mark at the start.
        if (bytes.startsWith(utf8Bom))
            bytes = bytes.sliced(utf8Bom.size());
    }
    return bytes;
}

QString KeyValueXmlScan::textOf(QByteArrayView bytes, bool utf8)
{
    return utf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

IoResult KeyValueXmlScan::scanBytes(QByteArrayView bytes, bool utf8, Document *document, const ByteEntrySink &entry)
{
    *document = Document();
    const ByteText source{bytes, utf8};
    return KeyValueXmlReader<ByteText>(source, *document, entry).read();
}

bool KeyValueXmlScan::isBlankText(QByteArrayView raw)
{
    for (char c : raw) {
        if (c != ' ' && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r')
            return false;
    }
    return true;
}
