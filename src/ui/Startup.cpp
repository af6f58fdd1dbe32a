#include "Startup.h"

#include "Messages.h"
#include "Notes.h"
#include "Password.h"

#include "protection/Protection.h"

namespace Startup {

QString askWithPasswordWindow()
{
    TForm6 prompt;
    prompt.exec();
    return prompt.typedPassPhrase();
}

std::optional<int> loadData(TForm1 &window, const PassPhrasePrompt &prompt)
{
    const QString appDir = window.state().AppDir;
    if (!Protection::isProtected(appDir)) {
        window.loadAllData();
        return std::nullopt;
    }
    const Protection::TUnlock unlock =
        Protection::verifyPassPhraseFile(Protection::passwordFilePath(appDir), prompt());
    if (unlock.verdict != Protection::Verdict::Correct) {
        Messages::error(nullptr, unlock.message);
        return unlock.exitCode;
    }
    window.usePassPhrase(unlock.passPhrase, unlock.salt);
    window.loadAllData();
    // Files restored in plain form by hand are enciphered again at once.
    window.saveAllDataFiles();
    return std::nullopt;
}

} // namespace Startup
