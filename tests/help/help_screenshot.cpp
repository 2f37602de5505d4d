// Opens the shipped "Overview" help topic as the application does and saves a picture of the
// window. Usage (under Xvfb): help_screenshot <out.png>
#include "common/Screenshot.h"
#include "help/Help.h"
#include "help/HelpWindows.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("help-window.png");

    Help::FillDictionaryFromHELP_TEXT();
    HelpWindows::install();

    ScreenshotOfModal shot(out);
    Help::ShowHelp(1);
    return shot.saved() ? 0 : 1;
}
