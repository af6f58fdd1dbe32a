#include "TextFold.h"

#include <QHash>

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>

namespace TextFold {

namespace {

// Whole-string transliteration is far too slow for a keystroke over many notes; each code point is folded
// once, on its own, and remembered. The same per-character rule for the query and the text keeps them alike.
class CodePointFolds
{
public:
    CodePointFolds()
    {
        UErrorCode status = U_ZERO_ERROR;
        m_rules.reset(icu::Transliterator::createInstance(
            icu::UnicodeString::fromUTF8("Any-Latin; Latin-ASCII; NFD; [:Nonspacing Mark:] Remove; Lower; NFC"),
            UTRANS_FORWARD, status));
        if (U_FAILURE(status))
            m_rules.reset();
    }

    const QString &fold(char32_t codePoint)
    {
        auto found = m_folds.constFind(codePoint);
        if (found != m_folds.constEnd())
            return *found;
        return *m_folds.insert(codePoint, compute(codePoint));
    }

private:
    QString compute(char32_t codePoint) const
    {
        const QString original = QString::fromUcs4(&codePoint, 1);
        if (!m_rules)
            return original.toCaseFolded();
        icu::UnicodeString text(static_cast<UChar32>(codePoint));
        m_rules->transliterate(text);
        QString folded(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
        // What ICU leaves outside ASCII (symbols, unknown scripts) still matches without regard to case.
        return folded.toCaseFolded();
    }

    std::unique_ptr<icu::Transliterator> m_rules;
    QHash<char32_t, QString> m_folds;
};

CodePointFolds &folds()
{
    thread_local CodePointFolds table;
    return table;
}

template <class Emit> void foldEach(QStringView text, Emit emit)
{
    CodePointFolds *table = nullptr;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            emit(i, QChar(unit >= u'A' && unit <= u'Z' ? unit + 32 : unit));
            continue;
        }
        char32_t codePoint = unit;
        const qsizetype start = i;
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            codePoint = QChar::surrogateToUcs4(unit, text[++i].unicode());
        if (!table)
            table = &folds();
        for (QChar c : table->fold(codePoint))
            emit(start, c);
    }
}

} // namespace

QString fold(QStringView text)
{
    QString folded;
    folded.reserve(text.size());
    foldEach(text, [&folded](qsizetype, QChar c) { folded.append(c); });
    return folded;
}

Mapped foldMapped(QStringView text)
{
    Mapped mapped;
    mapped.text.reserve(text.size());
    mapped.origin.reserve(text.size());
    foldEach(text, [&mapped](qsizetype from, QChar c) {
        mapped.text.append(c);
        mapped.origin.append(from);
    });
    return mapped;
}

QList<Range> findAll(QStringView text, QStringView phrase)
{
    const QString needle = fold(phrase.trimmed());
    QList<Range> found;
    if (needle.isEmpty())
        return found;
    const Mapped folded = foldMapped(text);
    for (qsizetype at = folded.text.indexOf(needle); at >= 0; at = folded.text.indexOf(needle, at + needle.size())) {
        // A match may start or end inside the fold of one character ("ss" of "ß"): the whole character counts.
        const qsizetype start = folded.origin[at];
        const qsizetype last = folded.origin[at + needle.size() - 1];
        const qsizetype end = last + (text[last].isHighSurrogate() && last + 1 < text.size() ? 2 : 1);
        if (!found.isEmpty() && start < found.last().start + found.last().length)
            continue;
        found.append({start, end - start});
    }
    return found;
}

} // namespace TextFold
