#pragma once
// The user's special folders (SpecialFolder) as native paths without a trailing slash. They follow HOME
// (through QStandardPaths), which is how tests point them into a temporary home.

#include <QString>

namespace Toolkit::SpecialFolder {

QString ApplicationData(); // e.g. ~/.local/share
QString Desktop();
QString Documents();
QString UserHome();

} // namespace Toolkit::SpecialFolder
