// Shows the about box as the application opens it and saves a picture of it.
// Usage (under Xvfb): about_screenshot <out.png>
#include "about/winAboutBox.h"
#include "app/App.h"
#include "toolkit/Desktop.h"
#include "toolkit/Window.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("about-box.png");

    AboutBoxData data;
    // What the application's About item passes.
    data.MajorVersion = App::MajorVersion;
    data.MinorVersion = App::MinorVersion;
    data.Version = Toolkit::ToolkitVersion();
    data.Description = App::Description();
    data.Copyright = App::Copyright();
    data.BuildDate = AboutBox::BuildDate();

    bool saved = false;
    Toolkit::ModalWatcher watcher([&](QWidget *w) {
        // Let the window paint once before taking the picture.
        QEventLoop loop;
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
        loop.exec();
        saved = w->grab().save(out, "PNG");
    });
    winAboutBox::instance(data)->ShowModal();
    return saved ? 0 : 1;
}
