#pragma once
// The user's special folders (SpecialFolder) as native paths without a trailing slash. They follow HOME
// (through QStandardPaths), which is how tests point them into a temporary home.

#include <QString>

namespace Toolkit::SpecialFolder {

// Each raises IOException while HOME is unset or empty: the system would otherwise answer
// folders below the root folder.
QString ApplicationData(); // e.g. ~/.local/share
QString Desktop();
QString Documents();
QString UserHome();

// Sets HOME to the account's home folder (the user database's) when it is unset or empty, as a
// program started without its environment needs; a set HOME is left as it is. Call it before
// anything reads a folder. Answers whether HOME is set afterwards.
bool UseAccountHomeWhenUnset();

} // namespace Toolkit::SpecialFolder
