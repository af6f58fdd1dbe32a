#include "search/SearchQuery.h"
#include "search/TextFold.h"

#include <QTest>

class TestTextFold final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void query_matchesWithoutCaseOrAccents_data();
    void query_matchesWithoutCaseOrAccents();
    void foldMapped_pointsBackIntoTheText();
    void findAll_marksTheOriginalCharacters_data();
    void findAll_marksTheOriginalCharacters();
};

void TestTextFold::query_matchesWithoutCaseOrAccents_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::newRow("polish") << u"zolc"_qs << u"Żółć i miód"_qs << true;
    QTest::newRow("polish query, ascii text") << u"ŻÓŁĆ"_qs << u"zolc"_qs << true;
    QTest::newRow("french") << u"cafe"_qs << u"Le Café"_qs << true;
    QTest::newRow("german sharp s") << u"strasse"_qs << u"Hauptstraße 5"_qs << true;
    QTest::newRow("ligature") << u"aerobic"_qs << u"Ærobic"_qs << true;
    QTest::newRow("decomposed accent") << u"cafe"_qs << u"Cafe\u0301"_qs << true;
    QTest::newRow("cyrillic spelled latin") << u"moskva"_qs << u"Москва"_qs << true;
    QTest::newRow("all words, any order") << u"  dentist   Monday "_qs << u"monday: dentist"_qs << true;
    QTest::newRow("one word missing") << u"dentist friday"_qs << u"monday: dentist"_qs << false;
    QTest::newRow("across lines") << u"milk bread"_qs << u"buy\r\nmilk\nbread"_qs << true;
    QTest::newRow("a word does not span a line break") << u"milkbread"_qs << u"milk\nbread"_qs << false;
    QTest::newRow("letter with diaeresis") << u"x"_qs << u"ẍ"_qs << true;
    QTest::newRow("symbol outside latin") << u"☂"_qs << u"take ☂"_qs << true;
    QTest::newRow("astral plane") << u"𝒜b"_qs << u"𝒜B"_qs << true;
    QTest::newRow("empty query") << u"  "_qs << u"anything"_qs << true;
}

void TestTextFold::query_matchesWithoutCaseOrAccents()
{
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(bool, found);
    QCOMPARE(SearchQuery(typed).matches(text), found);
    // Splitting the text between two fields must not join words across them.
    QCOMPARE(SearchQuery(typed).matches({text, u"unrelated"}), found);
}

void TestTextFold::foldMapped_pointsBackIntoTheText()
{
    const QString text = u"Ærø 𝒜ß"_qs;
    const TextFold::Mapped mapped = TextFold::foldMapped(text);
    QCOMPARE(mapped.text, TextFold::fold(text));
    QCOMPARE(mapped.text.size(), mapped.origin.size());
    QCOMPARE(mapped.text.left(4), u"aero"_qs);
    QCOMPARE(mapped.origin.first(4), (QList<qsizetype>{0, 0, 1, 2}));
    // The fold of the astral letter points at its first code unit, the sharp s at its own.
    QCOMPARE(mapped.origin.last(), text.size() - 1);
    QVERIFY(mapped.origin.contains(4));
    QVERIFY(!mapped.origin.contains(5));
}

void TestTextFold::findAll_marksTheOriginalCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<QStringList>("marked");
    QTest::newRow("accents") << u"Café, cafe, CAFÉ"_qs << u"cafe"_qs << QStringList{u"Café"_qs, u"cafe"_qs, u"CAFÉ"_qs};
    QTest::newRow("phrase with a space") << u"big Żółć here"_qs << u" g zol "_qs << QStringList{u"g Żół"_qs};
    QTest::newRow("half of a sharp s") << u"Maße"_qs << u"as"_qs << QStringList{u"aß"_qs};
    QTest::newRow("no overlaps") << u"aaaa"_qs << u"aa"_qs << QStringList{u"aa"_qs, u"aa"_qs};
    QTest::newRow("astral letter") << u"x𝒜y"_qs << u"𝒜"_qs << QStringList{u"𝒜"_qs};
    QTest::newRow("blank") << u"text"_qs << u" "_qs << QStringList{};
}

void TestTextFold::findAll_marksTheOriginalCharacters()
{
    QFETCH(QString, text);
    QFETCH(QString, phrase);
    QFETCH(QStringList, marked);
    QStringList found;
    for (const TextFold::Range &range : TextFold::findAll(text, phrase))
        found.append(text.mid(range.start, range.length));
    QCOMPARE(found, marked);
}

QTEST_GUILESS_MAIN(TestTextFold)
#include "tst_textfold.moc"
