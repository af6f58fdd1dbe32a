#pragma once

#include "IoResult.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>

// The structure of the flat key-value document, without keeping anything: TKeyValueXmlFile
// builds its entries from it, the large data files their records.
namespace KeyValueXmlScan {

struct Document
{
    QString rootName = QStringLiteral("Configuration");
    QString declaration;
};

// Each child of the root in file order: its key, and its text as written (references not yet
// decoded; empty for a self-closing element).
using EntrySink = std::function<void(QStringView key, QStringView raw)>;

// The document's bytes as text: Latin-1, or UTF-8 after a byte-order mark.
QString documentText(const QByteArray &data);

// Unknown entity references stay as written, attributes are skipped; a structural fault ends
// the scan with a message naming its line.
IoResult scan(const QString &text, Document *document, const EntrySink &entry);

// The same scan over the document's bytes in place, for the large data files: no text is made
// of the whole document. Keys and texts are handed over as bytes of the document's encoding,
// which `utf8` tells (after a byte-order mark, which `bytes` does not hold), otherwise Latin-1.
using ByteEntrySink = std::function<void(QByteArrayView key, QByteArrayView raw)>;
IoResult scanBytes(QByteArrayView bytes, bool utf8, Document *document, const ByteEntrySink &entry);
// Where the document's text starts, and whether it is UTF-8 (as documentText reads it).
QByteArrayView documentBytes(const QByteArray &data, bool *utf8);
// Bytes of the document's encoding as text.
QString textOf(QByteArrayView bytes, bool utf8);

// Text of white space only, which reads as empty.
bool isBlankText(QStringView raw);
bool isBlankText(QByteArrayView raw);

} // namespace KeyValueXmlScan
