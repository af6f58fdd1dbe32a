#include "TextLines.h"

#include <QStringDecoder>

namespace TextLines {

namespace {
const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// QString::fromUtf8 drops a U+FEFF at the start; after the file's own mark it is text.
QString fromUtf8KeepingMark(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}
}

bool fitsLatin1(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

QString decode(const QByteArray &bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        return fromUtf8KeepingMark(bytes.mid(kUtf8Bom.size()));
    return QString::fromLatin1(bytes);
}

QByteArray encode(const QString &text)
{
    // Latin-1 text that begins with the three characters of the mark's bytes would read back as UTF-8.
    if (fitsLatin1(text) && !text.startsWith(QStringLiteral("\u00EF\u00BB\u00BF")))
        return text.toLatin1();
    return kUtf8Bom + text.toUtf8();
}

QStringList split(const QByteArray &data)
{
    QByteArray content = data;
    // Only as the very last byte is 26 an old end marker; anywhere else it is text someone typed.
    if (content.endsWith('\x1A'))
        content.chop(1);
    const bool utf8 = content.startsWith(kUtf8Bom);
    if (utf8)
        content.remove(0, kUtf8Bom.size());

    QList<QByteArray> rawLines;
    QByteArray line;
    qsizetype i = 0;
    const qsizetype n = content.size();
    do {
        line.clear();
        while (i < n && content[i] != '\n') {
            if (content[i] != '\r')
                line.append(content[i]);
            ++i;
        }
        if (i < n)
            ++i; // the line feed
        rawLines.append(line);
    } while (i < n);

    QStringList lines;
    lines.reserve(rawLines.size());
    for (const QByteArray &raw : rawLines)
        lines.append(utf8 ? fromUtf8KeepingMark(raw) : QString::fromLatin1(raw));
    return lines;
}

QByteArray join(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return encode(text);
}

} // namespace TextLines
