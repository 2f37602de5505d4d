// Opens the shipped "Overview" help topic as the application does and saves a picture of the
// window. Usage (under Xvfb): help_screenshot <out.png>
#include "help/Help.h"
#include "help/HelpWindows.h"
#include "toolkit/Window.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("help-window.png");

    Help::FillDictionaryFromHELP_TEXT();
    HelpWindows::install();

    bool saved = false;
    Toolkit::ModalWatcher watcher([&](QWidget *w) {
        // Let the window paint once before taking the picture.
        QEventLoop loop;
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
        loop.exec();
        saved = w->grab().save(out, "PNG");
    });
    Help::ShowHelp(1);
    return saved ? 0 : 1;
}
