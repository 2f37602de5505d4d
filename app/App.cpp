#include "app/App.h"

#include "about/winAboutBox.h"
#include "catalogue/ModGlobal.h"
#include "errors/CatchClause.h"
#include "help/Help.h"
#include "toolkit/Desktop.h"
#include "toolkit/System.h"
#include "windows/BrowserWindow.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#ifdef Q_OS_MACOS
#include "app/MainMenuBar.h"
#include <QMenuBar>
#endif

#include <utility>

namespace {

QPointer<App> g_instance;
bool g_failNextShow = false;

} // namespace

AboutBoxData App::AboutData()
{
    AboutBoxData data;
    data.MajorVersion = App::MajorVersion;
    data.MinorVersion = App::MinorVersion;
    data.Version = Toolkit::ToolkitVersion();
    data.Description = App::Description();
    data.Copyright = App::Copyright();
    data.BuildDate = AboutBox::BuildDate();
    return data;
}

namespace {

// Opens a browser layout (its open window, or a new one) and gives it the frame of the one
// just closed. The window is shown first: a hidden window does not lay out its menu bar, so its
// content size could not be set exactly before.
void showLayoutAt(BrowserWindow::Layout layout, qint64 left, qint64 top, qint64 width, qint64 height)
{
    if (std::exchange(g_failNextShow, false))
        throw UnsupportedOperationException(QStringLiteral("The window could not be opened"), 1);
    BrowserWindow *window = layout == BrowserWindow::Layout::Main ? winMain() : winExpandFilter();
    window->show();
    window->raise();
    window->activateWindow();
    window->setLeft(int(left));
    window->setTop(int(top));
    window->setContentSize(QSize(int(width), int(height)));
}

} // namespace

App::App(QObject *parent)
    : Toolkit::Application(parent)
{
    if (!g_instance)
        g_instance = this;
    QCoreApplication::setApplicationName(QStringLiteral("Vantrel"));
    QCoreApplication::setApplicationVersion(ShortVersion());
    // No display name: on X11 Qt would append it to every window title after a dash, and each
    // window's title must read exactly as set. Message boxes still show the application name.

    // A layout switch closes one window before it opens the other; the program must outlive it.
    QGuiApplication::setQuitOnLastWindowClosed(false);

    AddMenuHandler(QStringLiteral("SampleSampleOne"), [this] { return SampleSampleOne_Action(); });
    AddMenuHandler(QStringLiteral("miAbout"), [this] { return miAbout_Action(); });
    AddMenuHandler(QStringLiteral("SampleSampleTwo"), [this] { return SampleSampleTwo_Action(); });
}

App::~App()
{
    if (g_instance == this)
        g_instance = nullptr;
}

App *App::instance()
{
    if (!g_instance)
        g_instance = new App(qApp);
    return g_instance;
}

QString App::Copyright()
{
    return QStringLiteral("Copyright \u00A9 2026 the Vantrel developers. All rights reserved.");
}

QString App::Description() { return QStringLiteral("Old and New Versions of Commands"); }

QString App::ShortVersion() { return QStringLiteral("%1.%2.%3").arg(MajorVersion).arg(MinorVersion).arg(BugVersion); }

QString App::appSupportFolder() const { return ModGlobal::appSupportFolder; }

void App::Opening()
{
    ModGlobal::AppOpening(&Help::FillDictionaryFromHELP_TEXT);
#ifdef Q_OS_MACOS
    // The application's own bar, shown while no window is open.
    static QPointer<QMenuBar> appBar = MainMenuBar::Build(nullptr, nullptr);
#endif
    winMain();
}

bool App::SampleSampleOne_Action()
{
    static constexpr HandlerId id{"App", "", "SampleSampleOne", HandlerKind::MenuHandler};
    return Guard(id, [] {
        Toolkit::MessageBox(QStringLiteral("SampleOne: App"));
        return true;
    });
}

bool App::miAbout_Action()
{
    static constexpr HandlerId id{"App", "", "miAbout", HandlerKind::MenuHandler};
    return Guard(id, [] {
        // The open box, or a fresh one after the last was closed; returns when it closes.
        winAboutBox::instance(AboutData())->ShowModal();
        return true;
    });
}

bool App::SampleSampleTwo_Action()
{
    static constexpr HandlerId id{"App", "", "SampleSampleTwo", HandlerKind::MenuHandler};
    return Guard(id, [] {
        Toolkit::MessageBox(QStringLiteral("SampleTwo: App"));
        return true;
    });
}

void App::ShowExpandFilter(qint64 left, qint64 top, qint64 width, qint64 height)
{
    static constexpr HandlerId id{"App", "", "ShowExpandFilter", HandlerKind::AppMethod};
    Guard(id, [&] { showLayoutAt(BrowserWindow::Layout::ExpandFilter, left, top, width, height); });
}

void App::ShowMain(qint64 left, qint64 top, qint64 width, qint64 height)
{
    static constexpr HandlerId id{"App", "", "ShowMain", HandlerKind::AppMethod};
    Guard(id, [&] { showLayoutAt(BrowserWindow::Layout::Main, left, top, width, height); });
}

void App::endIfStranded()
{
    if (BrowserWindow::existing(BrowserWindow::Layout::Main)
        || BrowserWindow::existing(BrowserWindow::Layout::ExpandFilter) || hasGlobalMenuBar())
        return;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->isWindow()) {
            QGuiApplication::setQuitOnLastWindowClosed(true);
            return;
        }
    }
    Quit(0);
}

void App::failNextShowForTests() { g_failNextShow = true; }
