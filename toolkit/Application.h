#pragma once
// The application object as the toolkit knows it: the application's menu handlers (asked after
// the frontmost window's), quitting, and whether the platform keeps a menu bar on screen. The
// program's own application class derives from it; the first one made is the instance that
// menu dispatch reaches.

#include "toolkit/MenuHandlers.h"

#include <QObject>
#include <QString>

#include <functional>

namespace Toolkit {

class Application : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Application)

public:
    explicit Application(QObject *parent = nullptr);
    ~Application() override;

    // The first application object made and not yet destroyed. When there is none, the maker
    // makes one (the program's class registers how); without a maker, nullptr.
    static Application *instance();
    using Maker = Application *(*)();
    static void setMaker(Maker maker);

    // The application's menu handlers, by item name; true when the item was handled.
    void AddMenuHandler(const QString &itemName, std::function<bool()> handler);
    bool HasMenuHandler(const QString &itemName) const;
    bool HandleMenuItem(const QString &itemName);

    // Ends the program with the exit code; nothing is asked or saved. Needs no application
    // object, so a menu bar built before there is one can still quit.
    static void Quit(int exitCode = 0);

    // Whether the platform keeps a menu bar on screen while no window is open (macOS).
    static bool hasGlobalMenuBar();

    // Test seam: record quit requests instead of ending the event loop. Returns the hook it
    // replaced.
    using QuitHook = std::function<void(int exitCode)>;
    static QuitHook setQuitHookForTests(QuitHook hook);

private:
    MenuHandlers m_menuHandlers;
};

} // namespace Toolkit
