#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <initializer_list>

// What the user typed into a search field: words, each of which must occur, without regard to case
// or accents, and in any order.
class SearchQuery
{
public:
    SearchQuery() = default;
    explicit SearchQuery(QStringView typed);

    // No words: everything matches.
    bool isEmpty() const { return m_words.isEmpty(); }
    // The folded words.
    const QStringList &words() const { return m_words; }

    // Every word occurs in at least one of the texts.
    bool matches(std::initializer_list<QStringView> texts) const;
    bool matches(QStringView text) const { return matches({text}); }

    bool operator==(const SearchQuery &) const = default;

private:
    QStringList m_words;
    bool m_allAscii = true;
};
