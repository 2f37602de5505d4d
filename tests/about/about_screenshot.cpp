// Shows the about box as the application opens it and saves a picture of it.
// Usage (under Xvfb): about_screenshot <out.png>
#include "about/winAboutBox.h"
#include "app/App.h"
#include "common/Screenshot.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("about-box.png");

    ScreenshotOfModal shot(out);
    winAboutBox::instance(App::AboutData())->ShowModal();
    return shot.saved() ? 0 : 1;
}
