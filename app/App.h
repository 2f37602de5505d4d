#pragma once
// The application object: version data, the program's few global properties, the start-up
// load (Opening), the application's three menu handlers and the two methods that open a
// browser layout at a given frame. One instance lives from start to quit; App::instance()
// reaches it from anywhere.
//
// Closing the last window never ends the program by itself (a layout switch closes one window
// before it opens the other); quitting is always explicit, through Quit().

#include "about/winAboutBox.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QVector>

#include <functional>

class App : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(App)

public:
    explicit App(QObject *parent = nullptr);
    ~App() override;

    // The application object; created (owned by the QApplication) on first use when main has
    // not made one.
    static App *instance();

    // Version data.
    static constexpr qint64 MajorVersion = 1;
    static constexpr qint64 MinorVersion = 0;
    static constexpr qint64 BugVersion = 0;
    static constexpr qint64 StageCode = 3; // final release
    static constexpr qint64 NonReleaseVersion = 11;
    static QString Copyright();
    static QString Description();
    // What the About item shows: version data, description, notice and build date.
    static AboutBoxData AboutData();
    // "1.0.0"
    static QString ShortVersion();

    // Declared for general use; nothing in the program reads or writes them.
    QVector<QVector<qint64>> aiGlobalMultiDim;
    bool fGlobalBoolean = false;
    qint64 iGlobalInteger = 0;
    QString sGlobalMessage;
    QString sGlobalWindowTitle;

    // The program's own folder in the user's application-data folder; empty before Opening.
    QString appSupportFolder() const;

    // The Opening event: the start-up load (failures shown as "Oops! App.Opening"), then the
    // default window winMain.
    void Opening();

    // The application's menu handlers, by item name; true when the item was handled.
    bool HasMenuHandler(const QString &itemName) const;
    bool HandleMenuItem(const QString &itemName);

    // Open the other browser layout at the frame of the one just closed.
    void ShowExpandFilter(qint64 left, qint64 top, qint64 width, qint64 height);
    void ShowMain(qint64 left, qint64 top, qint64 width, qint64 height);

    // Ends the program with the exit code; nothing is asked or saved.
    void Quit(int exitCode = 0);

    // Whether the platform keeps a menu bar on screen while no window is open (macOS).
    static bool hasGlobalMenuBar();

    // Called after a layout switch: when no browser window came up and there is no global menu
    // bar, the program must not linger invisibly, so it ends once the last window (a report
    // window, say) is closed, or at once when there is none.
    void endIfStranded();

    // Test seams: record quit requests instead of ending the event loop; make the next
    // ShowMain/ShowExpandFilter fail after its window was closed. Each returns what it replaced.
    using QuitHook = std::function<void(int exitCode)>;
    static QuitHook setQuitHookForTests(QuitHook hook);
    static void failNextShowForTests();

private:
    bool SampleSampleOne_Action();
    bool miAbout_Action();
    bool SampleSampleTwo_Action();

    QHash<QString, std::function<bool()>> m_menuHandlers;
};
