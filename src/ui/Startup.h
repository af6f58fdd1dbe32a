#pragma once

#include <QString>

#include <functional>
#include <optional>

class TForm1;

namespace Startup {

// Asks for the pass phrase; the real one shows the Password window.
using PassPhrasePrompt = std::function<QString()>;
QString askWithPasswordWindow();

// Loads every data file, asking for the pass phrase first when one is set.
// Returns the exit code when the program must end at once (wrong pass phrase, or the start
// abandoned): nothing has been written then.
std::optional<int> loadData(TForm1 &window, const PassPhrasePrompt &prompt = askWithPasswordWindow);

// The start is given up (the session or the user asked the program to end): open windows close,
// no further one opens, and loadData returns at its next step. Nothing is saved, since nothing
// can have been changed yet, and a half-read folder must not be written back.
void abandon();

} // namespace Startup
