#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class DataFolder;

namespace Startup {

// What the start loads into: the window that owns the data.
class DataOwner
{
public:
    virtual ~DataOwner() = default;
    virtual DataFolder &dataFolder() = 0;
    virtual void loadAllData() = 0;
    // False when a file could not be written; the error has been shown.
    virtual bool saveAllDataFiles() = 0;
};

// Asks for the pass phrase; the real one shows the Password window.
using PassPhrasePrompt = std::function<QString()>;
QString askWithPasswordWindow();

// Loads every data file, asking for the pass phrase first when one is set.
// Returns the exit code when the program must end at once (wrong pass phrase, or the start
// abandoned): nothing has been written then.
std::optional<int> loadData(DataOwner &window, const PassPhrasePrompt &prompt = askWithPasswordWindow);

// A folder unlocked in the old form: says once what that form is worth and converts on "Convert now".
QString oldFormText();
void offerStrongForm(DataOwner &window);

// The start is given up (the session or the user asked the program to end): open windows close,
// no further one opens, and loadData returns at its next step. Nothing is saved, since nothing
// can have been changed yet, and a half-read folder must not be written back.
void abandon();

} // namespace Startup
