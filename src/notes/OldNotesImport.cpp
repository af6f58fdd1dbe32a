#include "OldNotesImport.h"

#include "core/FileIo.h"
#include "core/TextLines.h"

#include <QDir>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <optional>

namespace OldNotesImport {

namespace {

// Reads numbers and line rests from the text as plain-text reading does, counting lines.
class Reader
{
public:
    explicit Reader(QString text) : m_text(std::move(text)) {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    int line() const { return m_line; }

    // Blanks, tabs, line ends and other control characters.
    void skipBlanks()
    {
        while (!atEnd() && m_text[m_pos].unicode() <= ' ') {
            if (m_text[m_pos] == QLatin1Char('\n'))
                ++m_line;
            ++m_pos;
        }
    }

    QString token()
    {
        const qsizetype start = m_pos;
        while (!atEnd() && m_text[m_pos].unicode() > ' ')
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }

    // One character after the numbers, unless the line (or the file) ends there.
    void skipSeparator()
    {
        if (!atEnd() && m_text[m_pos] != QLatin1Char('\n') && m_text[m_pos] != QLatin1Char('\r'))
            ++m_pos;
    }

    // Up to the line feed, which is consumed; carriage returns are dropped as in every text file.
    QString restOfLine()
    {
        QString rest;
        while (!atEnd() && m_text[m_pos] != QLatin1Char('\n')) {
            if (m_text[m_pos] != QLatin1Char('\r'))
                rest.append(m_text[m_pos]);
            ++m_pos;
        }
        if (!atEnd()) {
            ++m_pos;
            ++m_line;
        }
        return rest;
    }

private:
    QString m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
};

std::optional<double> toDeadline(const QString &token)
{
    static const QRegularExpression decimal(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (!decimal.match(token).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(token, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint32> toInteger(const QString &token)
{
    static const QRegularExpression integer(QStringLiteral("^[+-]?\\d+$"));
    if (!integer.match(token).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint32 value = token.toInt(&ok);
    return ok ? std::optional<qint32>(value) : std::nullopt;
}

Result failure(Result result, int line, const QString &why)
{
    result.failedLine = line;
    result.status = IoResult::failure(QStringLiteral("Line %1: %2").arg(line).arg(why));
    return result;
}

QString invalidNumber(const QString &token)
{
    return QStringLiteral("invalid numeric input \"%1\".").arg(token);
}

} // namespace

Result parse(const QByteArray &data)
{
    QByteArray content = data;
    if (const qsizetype eof = content.indexOf('\x1A'); eof >= 0)
        content.truncate(eof); // byte 26 ends a text file
    Reader reader(TextLines::decode(content));

    Result result;
    for (;;) {
        reader.skipBlanks();
        if (reader.atEnd())
            break; // blank lines at the end hold no note
        const int noteLine = reader.line();

        TNotesData note;
        const QString deadlineToken = reader.token();
        const std::optional<double> deadline = toDeadline(deadlineToken);
        if (!deadline)
            return failure(std::move(result), noteLine, invalidNumber(deadlineToken));
        note.Deadline = *deadline;

        qint32 numbers[3] = {};
        for (qint32 &number : numbers) {
            reader.skipBlanks();
            if (reader.atEnd())
                return failure(std::move(result), noteLine, QStringLiteral("the file ends before the note's numbers."));
            const int tokenLine = reader.line();
            const QString token = reader.token();
            const std::optional<qint32> value = toInteger(token);
            if (!value)
                return failure(std::move(result), tokenLine, invalidNumber(token));
            number = *value;
        }
        note.Importance = static_cast<quint8>(numbers[0]);
        note.Progress = static_cast<quint8>(numbers[1]);
        note.PrivateMsg = numbers[2] != 0;
        reader.skipSeparator();
        note.Text = reader.restOfLine();
        note.ID = static_cast<qint32>(result.notes.size());
        result.notes.append(note);
    }
    return result;
}

IoResult appendFromFile(const QString &fileName, NotesCollection &notes)
{
    QByteArray data;
    if (IoResult read = FileIo::readFile(fileName, &data); !read)
        return read;
    Result parsed = parse(data);
    const qsizetype base = notes.size();
    for (TNotesData &note : parsed.notes) {
        note.ID = static_cast<qint32>(base + note.ID);
        notes.append(note);
    }
    if (!parsed.status)
        return IoResult::failure(QStringLiteral("Cannot import \"%1\". %2 The notes of the lines before it were added.")
                                     .arg(QDir::toNativeSeparators(fileName), parsed.status.error));
    return IoResult::success();
}

} // namespace OldNotesImport
