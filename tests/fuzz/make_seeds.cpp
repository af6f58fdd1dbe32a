// Writes the seed corpora of the fuzz targets with the program's own writers:
//   fuzz_make_seeds <tests/data/fuzz>
// Hand-made seeds (bad counts, odd lines) sit beside the written ones.
#include "expenditures/ExpendituresFile.h"
#include "notes/NotesFile.h"
#include "protection/PassPhraseCodec.h"
#include "protection/PasswordFile.h"
#include "protection/StrongCipher.h"
#include "protection/StrongPasswordFile.h"
#include "settings/SettingsFile.h"

#include "core/DateTime.h"
#include "core/FileIo.h"
#include "core/TextLines.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>

#include <cmath>

namespace {

void put(const QString &root, const char *target, const char *name, const QByteArray &bytes)
{
    const QString dir = root + QLatin1Char('/') + QLatin1String(target);
    QDir().mkpath(dir);
    QFile file(dir + QLatin1Char('/') + QLatin1String(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
}

NotesCollection sampleNotes()
{
    NotesCollection notes;
    notes.append(TNotesData{1, 0, false, 46000.5, QStringLiteral("Pay the rent"), QStringLiteral("Bank"), 0});
    notes.append(TNotesData{2, 50, true, DateTime::kNoDeadline, QStringLiteral("Caf\u00e9 & <friends>"), QString(), 1});
    notes.append(TNotesData{3, 100, false, std::nan(""), QStringLiteral("\u0141\u00f3d\u017a \u20ac"), QString(), 2});
    return notes;
}

ExpenditureBook sampleBook()
{
    ExpenditureBook book;
    book.AllMoney = 1234.5;
    book.Expenditures.append(TExpenditure{QStringLiteral("Rent"), 46000, false, -800, 0, 1, true});
    book.Expenditures.append(TExpenditure{QStringLiteral("Salary"), 46010, true, 3000, 11, 0, false});
    return book;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString root = app.arguments().value(1);
    if (root.isEmpty())
        qFatal("usage: fuzz_make_seeds <folder>");

    TKeyValueXmlFile store;
    store.setLocaleFormats(LocaleFormats::fixedForTesting());
    const QByteArray notes = NotesFile::notesData(sampleNotes());
    const QByteArray emptyNotes = NotesFile::notesData({});
    const QByteArray settings = SettingsFile::settingsData(store, Settings());
    const QByteArray expenditures = ExpendituresFile::expendituresData(sampleBook());
    const QByteArray hugeCount = QByteArrayLiteral("<?xml version=\"1.0\"?>\r\n<Configuration>\r\n"
                                                   "  <NumberOfNotes>2147483647</NumberOfNotes>\r\n"
                                                   "  <NumberOfExpenditures>2147483647</NumberOfExpenditures>\r\n"
                                                   "</Configuration>\r\n");
    const QByteArray oddXml = QByteArrayLiteral("\xEF\xBB\xBF<?xml version=\"1.0\"?><!-- c --><!DOCTYPE x>"
                                                "<Root a='>' b=\"/>\"><Key>&amp;&lt;&#65;&#x42;&unknown;</Key>"
                                                "<Empty/><key>again</key></Root>");

    put(root, "keyvaluexml", "notes.xml", notes);
    put(root, "keyvaluexml", "settings.xml", settings);
    put(root, "keyvaluexml", "odd.xml", oddXml);
    put(root, "notesfile", "three-notes.txt", notes);
    put(root, "notesfile", "no-notes.txt", emptyNotes);
    put(root, "notesfile", "huge-count.txt", hugeCount);
    put(root, "settingsfile", "defaults.xml", settings);
    put(root, "settingsfile", "odd.xml", oddXml);
    put(root, "expendituresfile", "two.txt", expenditures);
    put(root, "expendituresfile", "huge-count.txt", hugeCount);

    const PassPhraseCodec codec(QStringLiteral("fuzzing pass phrase"));
    const auto encoded = [&codec](const QByteArray &plain) {
        QByteArray stored;
        codec.encode(plain, &stored);
        return stored;
    };
    const TCipherMask zeroMask;
    put(root, "decipher", "notes.bin", encoded(notes));
    put(root, "decipher", "whole-blocks.bin", encoded(QByteArray(16, 'x')));
    put(root, "decipher", "empty.bin", encoded(QByteArray()));
    put(root, "decipher", "zero-mask.bin", FileCipher::EncryptFile(QByteArrayLiteral("<?xml?>\r\n<a/>"), zeroMask));
    put(root, "decipher", "plain.txt", emptyNotes);

    QRandomGenerator random(14);
    const TPasswordFile password = PasswordFile::create(QStringLiteral("secret"), random);
    put(root, "passwordfile", "created.txt", PasswordFile::serialize(password));
    put(root, "passwordfile", "salt-with-breaks.txt",
        PasswordFile::serialize({QByteArray("ab\rcd\nef\x1Agh0123456789A", 21), QByteArray(15, '\x7F')}));
    put(root, "passwordfile", "lf-only.txt", QByteArrayLiteral("salt\nvalue\n"));

    // The first byte of each: 0 for a stored file, odd for an edit of a file written by the target.
    TStrongKeyring keyring(QStringLiteral("fuzzing pass phrase"));
    const TStrongParams least = StrongCipher::withFreshSalt(StrongCipher::minimalCost());
    const QByteArray mark = QByteArrayLiteral("fuzz seed\n");
    put(root, "strongcipher", "notes.bin", '\0' + StrongCipher::encipher(mark + notes, keyring, least));
    put(root, "strongcipher", "empty.bin", '\0' + StrongCipher::encipher(mark, keyring, least));
    put(root, "strongcipher", "password.bin",
        '\0' + StrongPasswordFile::serialize(StrongPasswordFile::create(keyring, StrongCipher::minimalCost())));
    put(root, "strongcipher", "flip-notes.bin", QByteArrayLiteral("\x01\x00\x40\x00\x00\x00\x01") + notes);
    put(root, "strongcipher", "swap-chunks.bin", QByteArray("\x11\x03\x00\x00\x00\x00\x00", 7)
                                                  + QByteArray(15000, 'x'));

    put(root, "textlines", "latin1.txt",
        TextLines::join({QStringLiteral("Caf\u00e9"), QString(), QStringLiteral("end")}));
    put(root, "textlines", "utf8.txt",
        TextLines::join({QStringLiteral("\u0141\u00f3d\u017a"), QStringLiteral("\u20ac")}));
    put(root, "textlines", "mixed-ends.txt",
        QByteArrayLiteral("a\r\nb\nc\rd\r\r\n\x1A"
                          "after end"));
    return 0;
}
