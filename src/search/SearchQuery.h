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
    // The same for texts that stay (a note's text and location): their folds are remembered between searches.
    bool matches(const QString &first, const QString &second = {}) const;
    // The same for texts folded already (by foldOf).
    bool matchesFolded(QStringView first, QStringView second) const;
    // Every note of `before`'s matches may match this one, but no other: each of its words lies inside one
    // of this query's words.
    bool narrows(const SearchQuery &before) const;
    // A text that stays, folded as matches() compares it, and remembered with the others.
    static QString foldOf(const QString &text);
    // Lets go of the remembered folds (and the texts they came from), when no search is open.
    static void forgetFolds();

    bool operator==(const SearchQuery &) const = default;

private:

    QStringList m_words;
    bool m_allAscii = true;
};
