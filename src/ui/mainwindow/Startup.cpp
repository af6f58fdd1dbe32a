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
    return std::nullopt;
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
