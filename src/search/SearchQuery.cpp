#include "SearchQuery.h"

#include "TextFold.h"

#include <QHash>
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

namespace {

// Folds of the texts searched lately, so that the next keystroke looks them up instead of folding every
// note again. Found by the address of the text's characters: the memo holds a copy of each text, and a
// text whose characters are shared is never changed in place, so an address seen again with the same
// length is the same text. Bounded, as texts edited away stay in it until it is emptied.
struct FoldMemo
{
    struct Entry
    {
        QString text;
        QString folded;
    };
    QHash<const QChar *, Entry> entries;
};

FoldMemo &foldMemo()
{
    thread_local FoldMemo memo;
    return memo;
}

QString memoisedFold(const QString &text)
{
    if (text.isEmpty())
        return {};
    FoldMemo &memo = foldMemo();
    const auto found = memo.entries.constFind(text.constData());
    if (found != memo.entries.constEnd() && found->text.size() == text.size())
        return found->folded;
    if (memo.entries.size() >= (1 << 18))
        memo.entries.clear();
    const QString folded = TextFold::fold(text);
    memo.entries.insert(text.constData(), {text, folded});
    return folded;
}

} // namespace

void SearchQuery::forgetFolds()
{
    foldMemo().entries = {};
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

bool SearchQuery::matches(const QString &first, const QString &second) const
{
    if (m_words.isEmpty())
        return true;
    const QString foldedFirst = memoisedFold(first);
    const QString foldedSecond = memoisedFold(second);
    return std::all_of(m_words.cbegin(), m_words.cend(), [&](const QString &word) {
        return foldedFirst.contains(word) || foldedSecond.contains(word);
    });
}

bool SearchQuery::matchesFolded(QStringView first, QStringView second) const
{
    return std::all_of(m_words.cbegin(), m_words.cend(),
                       [&](const QString &word) { return first.contains(word) || second.contains(word); });
}

bool SearchQuery::narrows(const SearchQuery &before) const
{
    return std::all_of(before.m_words.cbegin(), before.m_words.cend(), [this](const QString &old) {
        return std::any_of(m_words.cbegin(), m_words.cend(), [&old](const QString &word) { return word.contains(old); });
    });
}

QString SearchQuery::foldOf(const QString &text)
{
    return memoisedFold(text);
}
