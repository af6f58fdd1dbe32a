#include "DavMultistatus.h"

#include <QXmlStreamReader>

namespace Dav {
QString name(const char *ns, const char *local)
{
    return QLatin1Char('{') + QLatin1String(ns) + QLatin1Char('}') + QLatin1String(local);
}
} // namespace Dav

namespace {

// Far beyond what a calendar of tasks needs; they bound what a hostile body can make us hold.
constexpr int kMaxDepth = 32;
constexpr qsizetype kMaxResponses = 100000;
constexpr qsizetype kMaxProperties = 64;
constexpr qsizetype kMaxText = 8 * 1024 * 1024;

QString qualified(const QXmlStreamReader &xml)
{
    return QLatin1Char('{') + xml.namespaceUri() + QLatin1Char('}') + xml.name();
}

bool is(const QXmlStreamReader &xml, const char *ns, const char *local)
{
    return xml.namespaceUri() == QLatin1String(ns) && xml.name() == QLatin1String(local);
}

int statusCode(const QString &line)
{
    // "HTTP/1.1 200 OK"
    const QStringList parts = line.simplified().split(QLatin1Char(' '));
    return parts.size() >= 2 ? parts[1].toInt() : 0;
}

class Parser
{
public:
    explicit Parser(const QByteArray &body) : m_xml(body) {}

    DavMultistatus run()
    {
        DavMultistatus result;
        if (!nextStart() || !is(m_xml, Dav::kDavNs, "multistatus"))
            return fail(result, QStringLiteral("The server's answer is not a WebDAV multistatus."));
        while (nextChild(1)) {
            if (is(m_xml, Dav::kDavNs, "response")) {
                if (result.responses.size() >= kMaxResponses)
                    return fail(result, QStringLiteral("The server's answer lists too many items."));
                result.responses.append(response());
            } else if (is(m_xml, Dav::kDavNs, "sync-token")) {
                result.syncToken = text();
            } else {
                skip();
            }
            if (m_failed)
                break;
        }
        if (m_xml.hasError() || m_failed)
            return fail(result, QStringLiteral("The server's answer is not well-formed XML."));
        result.ok = true;
        return result;
    }

private:
    DavMultistatus fail(DavMultistatus &result, const QString &why)
    {
        result.ok = false;
        result.error = why;
        result.responses.clear();
        return result;
    }

    // The next start element, refusing DTDs (no entity expansion ever).
    bool nextStart()
    {
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::DTD || token == QXmlStreamReader::EntityReference) {
                m_failed = true;
                return false;
            }
            if (token == QXmlStreamReader::StartElement)
                return ++m_depth <= kMaxDepth || (m_failed = true, false);
        }
        return false;
    }

    // The next child start element of the element at `depth`; false at its end.
    bool nextChild(int depth)
    {
        while (!m_failed && !m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            switch (token) {
            case QXmlStreamReader::StartElement:
                if (++m_depth > kMaxDepth) {
                    m_failed = true;
                    return false;
                }
                return true;
            case QXmlStreamReader::EndElement:
                if (m_depth-- == depth)
                    return false;
                break;
            case QXmlStreamReader::DTD:
            case QXmlStreamReader::EntityReference:
                m_failed = true;
                return false;
            default:
                break;
            }
        }
        return false;
    }

    void skip()
    {
        const int depth = m_depth;
        while (nextChild(depth))
            skip();
    }

    // The text of the current element and of everything inside it.
    QString text()
    {
        const int depth = m_depth;
        QString collected;
        while (!m_failed && !m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::Characters) {
                if (collected.size() + m_xml.text().size() > kMaxText) {
                    m_failed = true;
                    break;
                }
                collected += m_xml.text();
            } else if (token == QXmlStreamReader::StartElement) {
                if (++m_depth > kMaxDepth)
                    m_failed = true;
            } else if (token == QXmlStreamReader::EndElement) {
                if (m_depth-- == depth)
                    break;
            } else if (token == QXmlStreamReader::DTD || token == QXmlStreamReader::EntityReference) {
                m_failed = true;
            }
        }
        return collected;
    }

    DavResponseEntry response()
    {
        DavResponseEntry entry;
        const int depth = m_depth;
        while (nextChild(depth)) {
            if (is(m_xml, Dav::kDavNs, "href"))
                entry.href = text().trimmed();
            else if (is(m_xml, Dav::kDavNs, "status"))
                entry.status = statusCode(text());
            else if (is(m_xml, Dav::kDavNs, "propstat"))
                propstat(entry);
            else
                skip();
        }
        return entry;
    }

    void propstat(DavResponseEntry &entry)
    {
        QMap<QString, DavProperty> found;
        int status = 0;
        const int depth = m_depth;
        while (nextChild(depth)) {
            if (is(m_xml, Dav::kDavNs, "status")) {
                status = statusCode(text());
            } else if (is(m_xml, Dav::kDavNs, "prop")) {
                const int propDepth = m_depth;
                while (nextChild(propDepth)) {
                    if (found.size() >= kMaxProperties) {
                        skip();
                        continue;
                    }
                    const QString key = qualified(m_xml);
                    found.insert(key, property());
                }
            } else {
                skip();
            }
        }
        if (status == 200 || status == 0) {
            for (auto it = found.cbegin(); it != found.cend(); ++it)
                entry.properties.insert(it.key(), it.value());
        }
    }

    DavProperty property()
    {
        DavProperty property;
        const int depth = m_depth;
        while (!m_failed && !m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::Characters) {
                if (property.text.size() + m_xml.text().size() > kMaxText) {
                    m_failed = true;
                    break;
                }
                property.text += m_xml.text();
            } else if (token == QXmlStreamReader::StartElement) {
                if (++m_depth > kMaxDepth) {
                    m_failed = true;
                    break;
                }
                if (is(m_xml, Dav::kDavNs, "href")) {
                    if (property.hrefs.size() < kMaxProperties)
                        property.hrefs.append(text().trimmed());
                    else
                        skip();
                    continue;
                }
                if (property.children.size() < kMaxProperties) {
                    const QStringView named = m_xml.attributes().value(QLatin1String("name"));
                    property.children.append(named.isEmpty() ? qualified(m_xml) : named.toString());
                }
            } else if (token == QXmlStreamReader::EndElement) {
                if (m_depth-- == depth)
                    break;
            } else if (token == QXmlStreamReader::DTD || token == QXmlStreamReader::EntityReference) {
                m_failed = true;
            }
        }
        if (property.children.isEmpty() && property.hrefs.isEmpty())
            property.text = property.text.trimmed();
        return property;
    }

    QXmlStreamReader m_xml;
    int m_depth = 0;
    bool m_failed = false;
};

} // namespace

DavMultistatus parseMultistatus(const QByteArray &body)
{
    return Parser(body).run();
}
