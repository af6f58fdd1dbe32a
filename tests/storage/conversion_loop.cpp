// Converts a protected folder to the strong form and back to the old one, over and over, until
// it is killed; the conversion test kills it at random moments. Each round first checks that
// the folder opens with the pass phrase and holds the expected contents.
//   storage_conversion_loop <dir>
#include "FolderContents.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString dir = app.arguments().value(1) + QLatin1Char('/');
    const QString phrase = QString::fromUtf8(qgetenv("CONVERSION_PASS_PHRASE"));
    const FolderContents contents = FolderContents::large(300);
    const QDateTime now = QDateTime::currentDateTime();
    if (!writeOldFormFolder(dir, phrase, contents))
        return 2;
    std::puts("ready");
    std::fflush(stdout);

    for (;;) {
        DataFolder folder(dir);
        folder.setNewKeyCost(StrongCipher::minimalCost());
        QString why;
        if (folder.unlock(phrase).verdict != Protection::Verdict::Correct || !contents.isIn(folder, now, &why)) {
            std::fprintf(stderr, "the folder did not open: %s\n", qPrintable(why));
            return 3;
        }
        if (folder.isInOldForm()) {
            if (!folder.convertToStrongForm([&] { return contents.saveTo(folder); }))
                return 4;
        } else if (!writeOldFormFolder(dir, phrase, contents)) {
            return 5;
        }
    }
}
