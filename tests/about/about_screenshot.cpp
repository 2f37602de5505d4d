// Shows the about box as the application opens it and saves a picture of it.
// Usage (under Xvfb): about_screenshot <out.png>
#include "about/winAboutBox.h"
#include "toolkit/Window.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("about-box.png");

    AboutBoxData data;
    data.MajorVersion = 1;
    data.MinorVersion = 0;
    data.Version = QStringLiteral("1.0.0");
    data.Description = QStringLiteral("Old and New Versions of Commands");
    data.Copyright = QStringLiteral("Copyright 2024 the Vantrel developers");
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
