#include "help/HelpWindows.h"

#include "help/Help.h"
#include "help/winHelp.h"
#include "help/winHelpSimple.h"

namespace HelpWindows {

void showHelpWindow(bool isHtml, const QString &content, const QString &title, qint64 width, qint64 height)
{
    // A window per request, released as soon as its modal display ends.
    if (isHtml) {
        winHelp window;
        window.PrepareAndShowWindow(content, title, width, height);
    } else {
        winHelpSimple window;
        window.PrepareAndShowWindow(content, title, width, height);
    }
}

void install() { Help::setWindowOpener(&showHelpWindow); }

} // namespace HelpWindows
