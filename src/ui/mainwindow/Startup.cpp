#include "ui/mainwindow/Startup.h"

#include "ui/dialogs/Messages.h"
#include "ui/dialogs/PassPhraseDialog.h"

#include "protection/Protection.h"
#include "storage/DataFolder.h"

#include <QApplication>
#include <QDialog>

namespace Startup {

namespace {

bool g_abandoned = false;

} // namespace

QString askWithPasswordWindow()
{
    PassPhraseDialog prompt;
    prompt.exec();
    return prompt.typedPassPhrase();
}

std::optional<int> loadData(DataOwner &window, const PassPhrasePrompt &prompt)
{
    DataFolder &folder = window.dataFolder();
    if (!folder.isProtected()) {
        window.loadAllData();
        return g_abandoned ? std::optional<int>(0) : std::nullopt;
    }
    const QString typed = prompt();
    if (g_abandoned)
        return 0;
    const Protection::TUnlock unlock = folder.unlock(typed);
    if (unlock.verdict != Protection::Verdict::Correct) {
        Messages::error(nullptr, unlock.message);
        return unlock.exitCode;
    }
    window.loadAllData();
    if (g_abandoned)
        return 0;
    // Files restored in plain form by hand are enciphered again at once.
    window.saveAllDataFiles();
    if (folder.isInOldForm())
        offerStrongForm(window);
    return g_abandoned ? std::optional<int>(0) : std::nullopt;
}

QString oldFormText()
{
    return QStringLiteral(
        "Your notes are protected in an old form that can be read without the password: anyone who has a "
        "copy of these files can read them.\n\n"
        "Convert them now to the strong form (Argon2id and XChaCha20-Poly1305)? It takes a moment; the "
        "password stays the same. \"Later\" asks again at the next start.");
}

void offerStrongForm(DataOwner &window)
{
    if (!Messages::choice(nullptr, oldFormText(), QStringLiteral("Convert now"), QStringLiteral("Later")))
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const IoResult converted =
        window.dataFolder().convertToStrongForm([&window] { return window.saveAllDataFiles(); });
    QGuiApplication::restoreOverrideCursor();
    if (!converted.error.isEmpty())
        Messages::error(nullptr, converted.error);
    else if (converted)
        Messages::information(nullptr, QStringLiteral("Your notes are now protected in the strong form."));
}

void abandon()
{
    g_abandoned = true;
    Messages::silence();
    // Each closed window ends its own event loop; the one beneath it is closed next.
    while (QWidget *modal = QApplication::activeModalWidget()) {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->done(QDialog::Rejected);
        else
            modal->close();
        if (QApplication::activeModalWidget() == modal)
            break;
    }
}

} // namespace Startup
