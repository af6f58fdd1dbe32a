#include "core/DateTime.h"
#include "core/KeyValueXmlFile.h"
#include "core/KeyValueXmlWriter.h"

#include <cmath>
#include <limits>

#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray document(const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<Configuration>\r\n" + body + "</Configuration>\r\n";
}

// A value as the files hold it.
QString asWritten(const QString &text)
{
    QByteArray out;
    KeyValueXmlWriter::appendEncoded(out, text);
    return QString::fromLatin1(out);
}

TKeyValueXmlFile storeWithFixedFormats()
{
    TKeyValueXmlFile store;
    store.setLocaleFormats(LocaleFormats::fixedForTesting());
    return store;
}

} // namespace

class TestKeyValueXmlFile final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void save_oneNote_matchesStoredForm();
    void save_noEntries_closesRootInItself();
    void writer_sameBytesAsTheStore_data();
    void writer_sameBytesAsTheStore();
    void writer_noEntries_closesRootInItself();
    void encodeText_data();
    void encodeText();
    void encodeText_loneSurrogates_writtenAsReferences();
    void multiLineText_roundTrips();
    void blankText_readsEmptyAndEmptyWritesSelfClosing();
    void decodeText_data();
    void decodeText();
    void readInteger_data();
    void readInteger();
    void readBoolean_data();
    void readBoolean();
    void readFloat_handWrittenDecimal_givesDefault();
    void readDateTime_data();
    void readDateTime();
    void absentKey_givesDefaultAndAddsNothing();
    void keys_matchWithoutCase();
    void sameKeyTwice_keepsFirstPlaceAndSecondValue();
    void otherRootName_keptOnSave();
    void nonAsciiNames_readBackAfterSave_data();
    void nonAsciiNames_readBackAfterSave();
    void attributesCommentsAndWhiteSpace_ignored();
    void malformed_data();
    void malformed();
    void saveToFile_replacesAtomicallyAndPrivately();
};

void TestKeyValueXmlFile::save_oneNote_matchesStoredForm()
{
    TKeyValueXmlFile store;
    store.WriteInteger(QStringLiteral("NumberOfNotes"), 1);
    store.WriteInteger(QStringLiteral("Progress0"), 0);
    store.WriteInteger(QStringLiteral("Importance0"), 3);
    store.WriteBoolean(QStringLiteral("PrivateMsg0"), false);
    store.WriteFloat(QStringLiteral("Deadline0"), 39589.604166666664);
    store.WriteString(QStringLiteral("Text0"), QStringLiteral("Pay the rent"));
    store.WriteString(QStringLiteral("Location0"), QString());
    QCOMPARE(store.SaveToData(), QByteArray("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n"
                                            "<Configuration>\r\n"
                                            "  <NumberOfNotes>1</NumberOfNotes>\r\n"
                                            "  <Progress0>0</Progress0>\r\n"
                                            "  <Importance0>3</Importance0>\r\n"
                                            "  <PrivateMsg0>FALSE</PrivateMsg0>\r\n"
                                            "  <Deadline0>00A8AAAAAA9AA59A0E40</Deadline0>\r\n"
                                            "  <Text0>Pay the rent</Text0>\r\n"
                                            "  <Location0/>\r\n"
                                            "</Configuration>\r\n"));
}

void TestKeyValueXmlFile::save_noEntries_closesRootInItself()
{
    TKeyValueXmlFile store;
    QVERIFY(store.LoadFromData(document("  <A>1</A>\r\n")));
    store.Clear();
    QCOMPARE(store.SaveToData(), QByteArray("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<Configuration/>\r\n"));
    TKeyValueXmlFile reloaded;
    QVERIFY(reloaded.LoadFromData(store.SaveToData()));
    QCOMPARE(reloaded.entryCount(), 0);
}

void TestKeyValueXmlFile::writer_sameBytesAsTheStore_data()
{
    // The large data files are streamed by the writer; settings and hand-edited files go through
    // the store. Both must give the same file for the same values.
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<qsizetype>("index");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("integer 0") << QVariant(qint32(0)) << qsizetype(0);
    QTest::newRow("integer -1") << QVariant(qint32(-1)) << qsizetype(7);
    QTest::newRow("integer min") << QVariant(std::numeric_limits<qint32>::min()) << qsizetype(12345);
    QTest::newRow("integer max") << QVariant(std::numeric_limits<qint32>::max()) << qsizetype(-1);
    QTest::newRow("float 0") << QVariant(0.0) << qsizetype(3);
    QTest::newRow("float -0") << QVariant(-0.0) << qsizetype(3);
    QTest::newRow("float date") << QVariant(39589.604166666664) << qsizetype(99999);
    QTest::newRow("float -1e300") << QVariant(-1e300) << qsizetype(1);
    QTest::newRow("float subnormal") << QVariant(5e-324) << qsizetype(1);
    QTest::newRow("float inf") << QVariant(inf) << qsizetype(1);
    QTest::newRow("float -inf") << QVariant(-inf) << qsizetype(1);
    QTest::newRow("float nan") << QVariant(std::nan("")) << qsizetype(1);
    QTest::newRow("true") << QVariant(true) << qsizetype(0);
    QTest::newRow("false") << QVariant(false) << qsizetype(-1);
    QTest::newRow("empty text") << QVariant(QString()) << qsizetype(0);
    QTest::newRow("blank text") << QVariant(QStringLiteral(" \t ")) << qsizetype(0);
    QTest::newRow("markup") << QVariant(QStringLiteral("<a href=\"x\">&'</a>")) << qsizetype(2);
    QTest::newRow("lines") << QVariant(QStringLiteral("one\r\ntwo\r\n")) << qsizetype(2);
    QTest::newRow("beyond ASCII") << QVariant(QStringLiteral(
                                         "Caf\u00e9 \u0142\u00f3d\u017a \u65e5\u672c \U0001F600 \u00ff\u0080"))
                                  << qsizetype(4);
    QTest::newRow("lone surrogates") << QVariant(QString(QChar(0xDC00)) + QChar(0xD800) + u'x') << qsizetype(4);
}

void TestKeyValueXmlFile::writer_sameBytesAsTheStore()
{
    QFETCH(QVariant, value);
    QFETCH(qsizetype, index);
    const QString key = index < 0 ? QStringLiteral("Key") : QStringLiteral("Key") + QString::number(index);
    TKeyValueXmlFile store;
    KeyValueXmlWriter writer;
    store.WriteInteger(QStringLiteral("Before"), 1);
    writer.writeInteger({"Before"}, 1);
    switch (value.typeId()) {
    case QMetaType::Int:
        store.WriteInteger(key, value.toInt());
        writer.writeInteger({"Key", index}, value.toInt());
        break;
    case QMetaType::Double:
        store.WriteFloat(key, value.toDouble());
        writer.writeFloat({"Key", index}, value.toDouble());
        break;
    case QMetaType::Bool:
        store.WriteBoolean(key, value.toBool());
        writer.writeBoolean({"Key", index}, value.toBool());
        break;
    default:
        store.WriteString(key, value.toString());
        writer.writeString({"Key", index}, value.toString());
    }
    QCOMPARE(writer.finish(), store.SaveToData());
}

void TestKeyValueXmlFile::writer_noEntries_closesRootInItself()
{
    KeyValueXmlWriter writer("Notes");
    QCOMPARE(writer.finish(), QByteArray("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<Notes/>\r\n"));
}

void TestKeyValueXmlFile::encodeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("less") << QStringLiteral("<") << QStringLiteral("&lt;");
    QTest::newRow("greater") << QStringLiteral(">") << QStringLiteral("&gt;");
    QTest::newRow("ampersand") << QStringLiteral("&") << QStringLiteral("&amp;");
    QTest::newRow("quote") << QStringLiteral("\"") << QStringLiteral("&quot;");
    QTest::newRow("apostrophe") << QStringLiteral("'") << QStringLiteral("&apos;");
    QTest::newRow("e acute") << QString(QChar(233)) << QStringLiteral("&#xE9;");
    QTest::newRow("code 128") << QString(QChar(128)) << QStringLiteral("&#x80;");
    QTest::newRow("code 255") << QString(QChar(255)) << QStringLiteral("&#xFF;");
    QTest::newRow("euro above 255") << QString(QChar(0x20AC)) << QStringLiteral("&#x20AC;");
    QTest::newRow("astral") << QString::fromUcs4(U"\U0001F600", 1) << QStringLiteral("&#x1F600;");
    QTest::newRow("line break and tab") << QStringLiteral("a\r\n\tb") << QStringLiteral("a\r\n\tb");
    QTest::newRow("plain") << QStringLiteral("Pay 5$") << QStringLiteral("Pay 5$");
    QTest::newRow("code 256") << QString(QChar(256)) << QStringLiteral("&#x100;");
    QTest::newRow("mixed") << (QStringLiteral("a<b & 'c' \"") + QChar(0xFC) + QChar(0x20AC) +
                               QString::fromUcs4(U"\U0010FFFF", 1) + QStringLiteral(">z"))
                           << QStringLiteral("a&lt;b &amp; &apos;c&apos; &quot;&#xFC;&#x20AC;&#x10FFFF;&gt;z");
}

void TestKeyValueXmlFile::encodeText()
{
    QFETCH(QString, text);
    QFETCH(QString, encoded);
    QCOMPARE(asWritten(text), encoded);
    QCOMPARE(TKeyValueXmlFile::decodeText(encoded), text);
}

void TestKeyValueXmlFile::encodeText_loneSurrogates_writtenAsReferences()
{
    const QString text = QChar(0xD83D) + QStringLiteral("x") + QChar(0xDE00) + QChar(0xD83D);
    QCOMPARE(asWritten(text), QStringLiteral("&#xD83D;x&#xDE00;&#xD83D;"));
    TKeyValueXmlFile store;
    store.WriteString(QStringLiteral("T"), text);
    QCOMPARE(store.SaveToData(), document("  <T>&#xD83D;x&#xDE00;&#xD83D;</T>\r\n"));
}

void TestKeyValueXmlFile::multiLineText_roundTrips()
{
    const QString text = QStringLiteral("first <line> & ") + QChar(233) + QStringLiteral("\r\n  second line  ");
    TKeyValueXmlFile store;
    store.WriteString(QStringLiteral("Text0"), text);
    const QByteArray data = store.SaveToData();
    QVERIFY(data.contains("  <Text0>first &lt;line&gt; &amp; &#xE9;\r\n  second line  </Text0>\r\n"));
    TKeyValueXmlFile reloaded;
    QVERIFY(reloaded.LoadFromData(data));
    QCOMPARE(reloaded.ReadString(QStringLiteral("Text0"), QString()), text);
}

void TestKeyValueXmlFile::blankText_readsEmptyAndEmptyWritesSelfClosing()
{
    TKeyValueXmlFile store;
    store.WriteString(QStringLiteral("Blank"), QStringLiteral("   "));
    store.WriteString(QStringLiteral("Empty"), QString());
    const QByteArray data = store.SaveToData();
    QVERIFY(data.contains("  <Blank>   </Blank>\r\n"));
    QVERIFY(data.contains("  <Empty/>\r\n"));
    TKeyValueXmlFile reloaded;
    QVERIFY(reloaded.LoadFromData(data + QByteArray()));
    QCOMPARE(reloaded.ReadString(QStringLiteral("Blank"), QStringLiteral("x")), QString());
    QCOMPARE(reloaded.ReadString(QStringLiteral("Empty"), QStringLiteral("x")), QString());
    QVERIFY(reloaded.LoadFromData(document("  <Ws> \t\r\n\v\f </Ws>\r\n")));
    QCOMPARE(reloaded.ReadString(QStringLiteral("Ws"), QStringLiteral("x")), QString());
}

void TestKeyValueXmlFile::decodeText_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("decoded");
    QTest::newRow("named") << QStringLiteral("&amp;&lt;&gt;&apos;&quot;") << QStringLiteral("&<>'\"");
    QTest::newRow("decimal") << QStringLiteral("&#233;") << QString(QChar(233));
    QTest::newRow("hex lower") << QStringLiteral("&#xe9;") << QString(QChar(233));
    QTest::newRow("byte-order mark") << QStringLiteral("a&#xFEFF;b") << QStringLiteral("a\uFEFFb");
    QTest::newRow("beyond 16 bits") << QStringLiteral("&#x1F600;") << QStringLiteral("\U0001F600");
    QTest::newRow("unknown name") << QStringLiteral("&nbsp;x") << QStringLiteral("&nbsp;x");
    QTest::newRow("zero") << QStringLiteral("&#0;") << QStringLiteral("&#0;");
    QTest::newRow("not a number") << QStringLiteral("&#x;&#12a;") << QStringLiteral("&#x;&#12a;");
    QTest::newRow("beyond unicode") << QStringLiteral("&#x110000;") << QStringLiteral("&#x110000;");
    QTest::newRow("lone ampersand") << QStringLiteral("Tom & Jerry") << QStringLiteral("Tom & Jerry");
    QTest::newRow("no semicolon") << QStringLiteral("a &amp b") << QStringLiteral("a &amp b");
    QTest::newRow("ampersand last") << QStringLiteral("a&") << QStringLiteral("a&");
    QTest::newRow("upper-case x") << QStringLiteral("&#XE9;") << QString(QChar(233));
    QTest::newRow("eight digits") << QStringLiteral("&#x000000E9;") << QString(QChar(233));
    QTest::newRow("nine digits") << QStringLiteral("&#x0000000E9;") << QStringLiteral("&#x0000000E9;");
    QTest::newRow("surrogate code") << QStringLiteral("&#xD800;") << QStringLiteral("&#xD800;");
    QTest::newRow("hex letter in decimal") << QStringLiteral("&#1F;") << QStringLiteral("&#1F;");
    QTest::newRow("superscript digit") << QStringLiteral("&#\u00B2;") << QStringLiteral("&#\u00B2;");
    QTest::newRow("hash alone") << QStringLiteral("&#;") << QStringLiteral("&#;");
    QTest::newRow("between text") << QStringLiteral("za&#x17C;&#xF3;&#x142;&#x107; g&#x119;&amp;l&x;")
                                  << QStringLiteral("zażółć gę&l&x;");
}

void TestKeyValueXmlFile::decodeText()
{
    QFETCH(QString, raw);
    QFETCH(QString, decoded);
    TKeyValueXmlFile store;
    QVERIFY(store.LoadFromData(document("  <K>" + raw.toLatin1() + "</K>\r\n")));
    QCOMPARE(store.ReadString(QStringLiteral("K"), QString()), decoded);
}

void TestKeyValueXmlFile::readInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("plain") << QStringLiteral("42") << 42;
    QTest::newRow("negative") << QStringLiteral("-7") << -7;
    QTest::newRow("abc") << QStringLiteral("abc") << -1;
    QTest::newRow("decimal point") << QStringLiteral("1.5") << -1;
    QTest::newRow("empty element") << QString() << -1;
    QTest::newRow("low 32 bits kept") << QStringLiteral("4294967297") << 1;
    QTest::newRow("2^31 wraps") << QStringLiteral("2147483648") << int(0x80000000u);
}

void TestKeyValueXmlFile::readInteger()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    TKeyValueXmlFile store;
    QVERIFY(store.LoadFromData(document("  <N>" + text.toLatin1() + "</N>\r\n")));
    QCOMPARE(store.ReadInteger(QStringLiteral("N"), 99), expected);
}

void TestKeyValueXmlFile::readBoolean_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::newRow("TRUE") << QStringLiteral("TRUE") << true;
    QTest::newRow("yes") << QStringLiteral("yes") << true;
    QTest::newRow("y") << QStringLiteral("y") << true;
    QTest::newRow("2") << QStringLiteral("2") << true;
    QTest::newRow("false") << QStringLiteral("false") << false;
    QTest::newRow("No") << QStringLiteral("No") << false;
    QTest::newRow("0") << QStringLiteral("0") << false;
    QTest::newRow("maybe") << QStringLiteral("maybe") << false;
}

void TestKeyValueXmlFile::readBoolean()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    TKeyValueXmlFile store;
    QVERIFY(store.LoadFromData(document("  <B>" + text.toLatin1() + "</B>\r\n")));
    QCOMPARE(store.ReadBoolean(QStringLiteral("B"), !expected), expected);
}

void TestKeyValueXmlFile::readFloat_handWrittenDecimal_givesDefault()
{
    TKeyValueXmlFile store;
    QVERIFY(store.LoadFromData(document("  <D>39589.5</D>\r\n  <M>0000000000000080FFBF</M>\r\n")));
    QCOMPARE(store.ReadFloat(QStringLiteral("D"), 7.0), 7.0);
    QCOMPARE(store.ReadFloat(QStringLiteral("M"), 7.0), -1.0);
}

void TestKeyValueXmlFile::readDateTime_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("with time") << DateTime::encode(2008, 5, 21, 14, 30) << QStringLiteral("21.05.2008 14:30:00");
    QTest::newRow("midnight leaves time out") << DateTime::encode(2008, 5, 21) << QStringLiteral("21.05.2008");
}

void TestKeyValueXmlFile::readDateTime()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    TKeyValueXmlFile store = storeWithFixedFormats();
    store.WriteDateTime(QStringLiteral("T"), value);
    QCOMPARE(store.ReadString(QStringLiteral("T"), QString()), text);
    QCOMPARE(store.ReadDateTime(QStringLiteral("T"), -5), value);
    store.WriteString(QStringLiteral("T"), QStringLiteral("half past two"));
    QCOMPARE(store.ReadDateTime(QStringLiteral("T"), -5), -5.0);
}

void TestKeyValueXmlFile::absentKey_givesDefaultAndAddsNothing()
{
    TKeyValueXmlFile store;
    QCOMPARE(store.ReadInteger(QStringLiteral("X"), 12), 12);
    QCOMPARE(store.ReadFloat(QStringLiteral("X"), 1.5), 1.5);
    QCOMPARE(store.ReadBoolean(QStringLiteral("X"), true), true);
    QCOMPARE(store.ReadString(QStringLiteral("X"), QStringLiteral("d")), QStringLiteral("d"));
    QCOMPARE(store.ReadDateTime(QStringLiteral("X"), 3.0), 3.0);
    QCOMPARE(store.entryCount(), 0);
}

void TestKeyValueXmlFile::keys_matchWithoutCase()
{
    TKeyValueXmlFile store;
    QVERIFY(store.LoadFromData(document("  <numberofnotes>3</numberofnotes>\r\n")));
    QCOMPARE(store.ReadInteger(QStringLiteral("NumberOfNotes"), 0), 3);
    store.WriteInteger(QStringLiteral("NUMBEROFNOTES"), 4);
    QCOMPARE(store.entryCount(), 1);
    QCOMPARE(store.ReadInteger(QStringLiteral("NumberOfNotes"), 0), 4);
    // Beyond ASCII too, and a key already in lower case is the same key.
    store.WriteString(QStringLiteral("Zażółć"), QStringLiteral("x"));
    QCOMPARE(store.ReadString(QStringLiteral("ZAŻÓŁĆ"), QString()), QStringLiteral("x"));
    QCOMPARE(store.ReadInteger(QStringLiteral("numberofnotes"), 0), 4);
    QCOMPARE(store.entryCount(), 2);
    QCOMPARE(store.entries().first().key, QStringLiteral("numberofnotes"));
}

void TestKeyValueXmlFile::sameKeyTwice_keepsFirstPlaceAndSecondValue()
{
    TKeyValueXmlFile store;
    store.WriteString(QStringLiteral("A"), QStringLiteral("1"));
    store.WriteString(QStringLiteral("B"), QStringLiteral("2"));
    store.WriteString(QStringLiteral("A"), QStringLiteral("3"));
    QCOMPARE(store.SaveToData(), document("  <A>3</A>\r\n  <B>2</B>\r\n"));
}

void TestKeyValueXmlFile::otherRootName_keptOnSave()
{
    TKeyValueXmlFile store;
    QVERIFY(store.LoadFromData("<?xml version=\"1.0\"?>\n<Notes>\n<A>1</A>\n</Notes>\n"));
    QCOMPARE(store.rootName(), QStringLiteral("Notes"));
    QCOMPARE(store.declaration(), QStringLiteral("<?xml version=\"1.0\"?>"));
    store.Clear();
    store.WriteInteger(QStringLiteral("B"), 2);
    QCOMPARE(store.SaveToData(), QByteArray("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<Notes>\r\n"
                                            "  <B>2</B>\r\n</Notes>\r\n"));
}

// A name is written as read: character references are not allowed in names.
void TestKeyValueXmlFile::nonAsciiNames_readBackAfterSave_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("key");
    QTest::newRow("latin-1") << QByteArray("<R\xEF><L\xEFocation2/><K>v</K></R\xEF>") << QStringLiteral("R\u00ef")
                             << QStringLiteral("L\u00efocation2");
    QTest::newRow("utf-8") << QByteArray("\xEF\xBB\xBF<Root><\xC5\x81\xC3\xB3"
                                         "d\xC5\xBA/><K>v</K></Root>")
                           << QStringLiteral("Root") << QStringLiteral("\u0141\u00f3d\u017a");
}

void TestKeyValueXmlFile::nonAsciiNames_readBackAfterSave()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, root);
    QFETCH(QString, key);
    TKeyValueXmlFile store;
    QVERIFY(store.LoadFromData(file));
    QCOMPARE(store.entries().first().key, key);

    TKeyValueXmlFile again;
    const IoResult reloaded = again.LoadFromData(store.SaveToData());
    QVERIFY2(reloaded, qPrintable(reloaded.error));
    QCOMPARE(again.rootName(), root);
    QCOMPARE(again.entryCount(), 2);
    QCOMPARE(again.entries().first().key, key);
    QCOMPARE(again.ReadString(QStringLiteral("K"), QString()), QStringLiteral("v"));
}

void TestKeyValueXmlFile::attributesCommentsAndWhiteSpace_ignored()
{
    TKeyValueXmlFile store;
    QVERIFY(store.LoadFromData("\xEF\xBB\xBF"
                               "<?xml version='1.0'?><!-- saved by hand -->\n"
                               "<Configuration version=\"2\">\t<!-- a -->\n"
                               "<A unit='x>y'>5</A><B/>\n<C kind=\"z\"/></Configuration>\n<!-- end -->"));
    QCOMPARE(store.ReadInteger(QStringLiteral("A"), 0), 5);
    QCOMPARE(store.ReadString(QStringLiteral("B"), QStringLiteral("d")), QString());
    QVERIFY(store.hasKey(QStringLiteral("C")));
    QCOMPARE(store.entryCount(), 3);
}

void TestKeyValueXmlFile::malformed_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("entriesRead");
    QTest::newRow("empty file") << QByteArray() << QStringLiteral("no root element") << 0;
    QTest::newRow("not xml") << QByteArray("hello") << QStringLiteral("text outside an element") << 0;
    QTest::newRow("unclosed root") << QByteArray("<Configuration>\r\n  <A>1</A>\r\n")
                                   << QStringLiteral("<Configuration> is not closed") << 1;
    QTest::newRow("mismatched end") << document("  <A>1</A>\r\n  <B>2</C>\r\n") << QStringLiteral("</C> closes <B>")
                                    << 1;
    QTest::newRow("nested") << document("  <A><B>1</B></A>\r\n") << QStringLiteral("holds another element") << 0;
    QTest::newRow("truncated") << QByteArray("<Configuration>\r\n  <A>1</A>\r\n  <B>2") << QStringLiteral("line 3")
                               << 1;
    QTest::newRow("trailing text") << QByteArray("<C><A>1</A></C>junk") << QStringLiteral("after the root") << 1;
}

void TestKeyValueXmlFile::malformed()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, fault);
    QFETCH(int, entriesRead);
    TKeyValueXmlFile store;
    const IoResult result = store.LoadFromData(data);
    QVERIFY(!result);
    QVERIFY2(result.error.contains(fault), qPrintable(result.error));
    QCOMPARE(store.entryCount(), entriesRead);
}

void TestKeyValueXmlFile::saveToFile_replacesAtomicallyAndPrivately()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.txt"));
    TKeyValueXmlFile store;
    store.WriteInteger(QStringLiteral("A"), 1);
    QVERIFY(store.SaveToFile(path));
    store.WriteInteger(QStringLiteral("A"), 2);
    QVERIFY(store.SaveToFile(path));
    const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
    QCOMPARE(QFile::permissions(path) & others, QFileDevice::Permissions());
    QVERIFY(QFile::permissions(path).testFlags(QFile::ReadOwner | QFile::WriteOwner));
    TKeyValueXmlFile reloaded;
    QVERIFY(reloaded.LoadFromFile(path));
    QCOMPARE(reloaded.ReadInteger(QStringLiteral("A"), 0), 2);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("data.txt")});
    QVERIFY(!reloaded.LoadFromFile(dir.filePath(QStringLiteral("missing.txt"))));
}

QTEST_GUILESS_MAIN(TestKeyValueXmlFile)
#include "tst_keyvaluexmlfile.moc"
