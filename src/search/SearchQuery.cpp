#include "SearchQuery.h"

#include "TextFold.h"

#include <QRegularExpression>
#include <QVarLengthArray>

#include <algorithm>

namespace {

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

SearchQuery::SearchQuery(QStringView typed)
{
    static const QRegularExpression kSpaces(QStringLiteral("\\s+"));
    for (const QString &word : TextFold::fold(typed).split(kSpaces, Qt::SkipEmptyParts))
        if (!m_words.contains(word))
            m_words.append(word);
    m_allAscii = std::all_of(m_words.cbegin(), m_words.cend(), [](const QString &word) { return isAscii(word); });
}

bool SearchQuery::matches(std::initializer_list<QStringView> texts) const
{
    if (m_words.isEmpty())
        return true;
    // Most notes are plain ASCII: those are searched as they are, only the others are folded.
    QVarLengthArray<QString, 2> folded;
    QVarLengthArray<QStringView, 2> haystacks;
    QVarLengthArray<bool, 2> insensitive;
    for (QStringView text : texts) {
        if (m_allAscii && isAscii(text)) {
            haystacks.append(text);
            insensitive.append(true);
        } else {
            folded.append(TextFold::fold(text));
            haystacks.append(QStringView());
            insensitive.append(false);
        }
    }
    qsizetype next = 0;
    for (qsizetype i = 0; i < haystacks.size(); ++i)
        if (!insensitive[i])
            haystacks[i] = folded[next++];
    return std::all_of(m_words.cbegin(), m_words.cend(), [&](const QString &word) {
        for (qsizetype i = 0; i < haystacks.size(); ++i)
            if (haystacks[i].contains(word, insensitive[i] ? Qt::CaseInsensitive : Qt::CaseSensitive))
                return true;
        return false;
    });
}
