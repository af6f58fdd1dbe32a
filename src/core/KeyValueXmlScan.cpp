#include "KeyValueXmlScan.h"

namespace {

bool isXmlSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

} // namespace

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

// A forgiving reader for the flat documents the program writes (and people edit
// by hand): unknown entity references stay as written, attributes are skipped,
// and every structural fault is reported with its line.
class KeyValueXmlReader
{
public:
    KeyValueXmlReader(const QString &text, KeyValueXmlScan::Document &document, const KeyValueXmlScan::EntrySink &entry)
        : m_text(text), m_document(document), m_entry(entry)
    {
    }

    IoResult read()
    {
        skipMisc();
        if (atEnd())
            return fail(QStringLiteral("the document has no root element"));
        QStringView rootName;
        bool selfClosing = false;
        if (!readStartTag(&rootName, &selfClosing))
            return m_error;
        m_document.rootName = rootName.toString();
        if (!selfClosing) {
            for (;;) {
                skipMisc();
                if (atEnd())
                    return fail(QStringLiteral("the element <%1> is not closed").arg(rootName));
                if (QStringView(m_text).mid(m_pos, 2) == QLatin1String("</")) {
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
        const qsizetype line = m_text.left(std::min(m_pos, m_text.size())).count(QLatin1Char('\n')) + 1;
        m_error =
            IoResult::failure(QStringLiteral("The file is not a valid data file (line %1: %2).").arg(line).arg(what));
        return m_error;
    }

    void skipSpace()
    {
        while (!atEnd() && isXmlSpace(m_text[m_pos]))
            ++m_pos;
    }

    // White space, the declaration, comments, processing instructions and DOCTYPE.
    void skipMisc()
    {
        for (;;) {
            skipSpace();
            if (QStringView(m_text).mid(m_pos, 4) == QLatin1String("<!--")) {
                const qsizetype end = m_text.indexOf(QLatin1String("-->"), m_pos + 4);
                m_pos = end < 0 ? m_text.size() : end + 3;
            } else if (QStringView(m_text).mid(m_pos, 2) == QLatin1String("<?")) {
                const qsizetype end = m_text.indexOf(QLatin1String("?>"), m_pos + 2);
                const qsizetype stop = end < 0 ? m_text.size() : end + 2;
                if (QStringView(m_text).mid(m_pos, 5) == QLatin1String("<?xml"))
                    m_document.declaration = m_text.mid(m_pos, stop - m_pos);
                m_pos = stop;
            } else if (QStringView(m_text).mid(m_pos, 2) == QLatin1String("<!")) {
                const qsizetype end = m_text.indexOf(QLatin1Char('>'), m_pos + 2);
                m_pos = end < 0 ? m_text.size() : end + 1;
            } else {
                return;
            }
        }
    }

    bool readName(QStringView *name)
    {
        const qsizetype start = m_pos;
        while (!atEnd() && isNameChar(m_text[m_pos]))
            ++m_pos;
        if (m_pos == start) {
            fail(QStringLiteral("an element name is missing"));
            return false;
        }
        *name = QStringView(m_text).mid(start, m_pos - start);
        return true;
    }

    bool readStartTag(QStringView *name, bool *selfClosing)
    {
        if (atEnd() || m_text[m_pos] != QLatin1Char('<')) {
            fail(QStringLiteral("text outside an element"));
            return false;
        }
        ++m_pos;
        if (!readName(name))
            return false;
        // Attributes are skipped; quoted values may hold ">".
        QChar quote;
        while (!atEnd()) {
            const QChar c = m_text[m_pos];
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                quote = c;
            } else if (c == QLatin1Char('/') && QStringView(m_text).mid(m_pos, 2) == QLatin1String("/>")) {
                m_pos += 2;
                *selfClosing = true;
                return true;
            } else if (c == QLatin1Char('>')) {
                ++m_pos;
                *selfClosing = false;
                return true;
            } else if (c == QLatin1Char('<')) {
                break;
            }
            ++m_pos;
        }
        fail(QStringLiteral("the start tag <%1 is not closed").arg(*name));
        return false;
    }

    bool readEndTag(QStringView name)
    {
        m_pos += 2;
        QStringView endName;
        if (!readName(&endName))
            return false;
        skipSpace();
        if (atEnd() || m_text[m_pos] != QLatin1Char('>')) {
            fail(QStringLiteral("the end tag </%1 is not closed").arg(endName));
            return false;
        }
        ++m_pos;
        if (endName != name) {
            fail(QStringLiteral("</%1> closes <%2>").arg(endName, name));
            return false;
        }
        return true;
    }

    bool readEntry()
    {
        QStringView key;
        bool selfClosing = false;
        if (!readStartTag(&key, &selfClosing))
            return false;
        QStringView raw;
        if (!selfClosing) {
            const qsizetype textStart = m_pos;
            const qsizetype lt = m_text.indexOf(QLatin1Char('<'), m_pos);
            if (lt < 0) {
                fail(QStringLiteral("the element <%1> is not closed").arg(key));
                return false;
            }
            m_pos = lt;
            if (QStringView(m_text).mid(m_pos, 2) != QLatin1String("</")) {
                fail(QStringLiteral("the element <%1> holds another element").arg(key));
                return false;
            }
            raw = QStringView(m_text).mid(textStart, lt - textStart);
            if (!readEndTag(key))
                return false;
        }
        m_entry(key, raw);
        return true;
    }

    const QString &m_text;
    KeyValueXmlScan::Document &m_document;
    const KeyValueXmlScan::EntrySink &m_entry;
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
    return KeyValueXmlReader(text, *document, entry).read();
}
