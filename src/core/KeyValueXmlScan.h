#pragma once

#include "IoResult.h"

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

// Text of white space only, which reads as empty.
bool isBlankText(QStringView raw);

} // namespace KeyValueXmlScan
