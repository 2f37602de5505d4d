#include "toolkit/Application.h"

#include <QCoreApplication>
#include <QPointer>

#include <utility>

namespace Toolkit {

namespace {

QPointer<Application> g_instance;
Application::Maker g_maker = nullptr;
Application::QuitHook g_quitHook;

} // namespace

Application::Application(QObject *parent)
    : QObject(parent)
{
    if (!g_instance)
        g_instance = this;
}

Application::~Application()
{
    if (g_instance == this)
        g_instance = nullptr;
}

Application *Application::instance()
{
    if (!g_instance && g_maker)
        g_maker();
    return g_instance;
}

void Application::setMaker(Maker maker) { g_maker = maker; }

void Application::AddMenuHandler(const QString &itemName, std::function<bool()> handler)
{
    m_menuHandlers.add(itemName, std::move(handler));
}

bool Application::HasMenuHandler(const QString &itemName) const { return m_menuHandlers.has(itemName); }

bool Application::HandleMenuItem(const QString &itemName) { return m_menuHandlers.handle(itemName); }

void Application::Quit(int exitCode)
{
    if (g_quitHook) {
        g_quitHook(exitCode);
        return;
    }
    QCoreApplication::exit(exitCode);
}

bool Application::hasGlobalMenuBar()
{
#ifdef Q_OS_MACOS
    return true;
#else
    return false;
#endif
}

Application::QuitHook Application::setQuitHookForTests(QuitHook hook)
{
    return std::exchange(g_quitHook, std::move(hook));
}

} // namespace Toolkit
