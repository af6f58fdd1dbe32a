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
// Returns the exit code when the program must end at once (wrong pass phrase):
// nothing has been read or written then.
std::optional<int> loadData(TForm1 &window, const PassPhrasePrompt &prompt = askWithPasswordWindow);

} // namespace Startup
