#pragma once
// Connects the help-topic store to the two help windows.

#include <QString>

namespace HelpWindows {

// Opens a fresh winHelp (isHtml) or winHelpSimple for one topic and returns once the user
// has closed it; the window is gone by then.
void showHelpWindow(bool isHtml, const QString &content, const QString &title, qint64 width, qint64 height);

// Makes Help::ShowHelp open its topics in these windows. The application calls it once at start.
void install();

} // namespace HelpWindows
