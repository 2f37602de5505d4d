#pragma once
// The application object: version data, the program's few global properties, the start-up
// load (Opening), the application's three menu handlers and the two methods that open a
// browser layout at a given frame. One instance lives from start to quit; App::instance()
// reaches it from anywhere.
//
// Closing the last window never ends the program by itself (a layout switch closes one window
// before it opens the other); quitting is always explicit, through Quit().
//
// App.cpp includes windows/BrowserWindow.h and the browser windows include this header: the
// application opens its windows and the windows reach the application, which is the program's
// own object model and the one include loop left.

#include "about/AboutBoxData.h"
#include "toolkit/Application.h"

#include <QString>
#include <QVector>

class App : public Toolkit::Application
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

    // Open the other browser layout at the frame of the one just closed.
    void ShowExpandFilter(qint64 left, qint64 top, qint64 width, qint64 height);
    void ShowMain(qint64 left, qint64 top, qint64 width, qint64 height);

    // Called after a layout switch: when no browser window came up and there is no global menu
    // bar, the program must not linger invisibly, so it ends once the last window (a report
    // window, say) is closed, or at once when there is none.
    void endIfStranded();

    // Test seam: makes the next ShowMain/ShowExpandFilter fail after its window was closed.
    // (Quitting has its seam in Toolkit::Application::setQuitHookForTests.)
    static void failNextShowForTests();

private:
    bool SampleSampleOne_Action();
    bool miAbout_Action();
    bool SampleSampleTwo_Action();
};
