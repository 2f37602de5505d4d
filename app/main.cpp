// Vantrel: look up which Xojo API elements were deprecated, removed or de-emphasised, and what
// replaces them.

#include "app/App.h"
#include "errors/winReportError.h"
#include "help/HelpWindows.h"
#include "toolkit/Desktop.h"
#include "toolkit/Style.h"
#include "toolkit/UserFolders.h"
#include "windows/BrowserWindow.h"

#include <QApplication>

#include <cstdio>

#ifdef VANTREL_BENCH_FIRST_PAINT_EXIT
#include "app/QuitAfterFirstPaint.h"
#include "toolkit/ListBox.h"

#include <memory>
#endif

int main(int argc, char *argv[])
{
#if defined(Q_OS_LINUX)
    // Without a display Qt would abort with a long message about platform plugins.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("vantrel: no display found; start it on a desktop, or under Xvfb: xvfb-run -a vantrel\n", stderr);
        return 1;
    }
#endif
    // Started without its environment (a service, "env -i"), the program still finds the user's
    // folders; with no home at all, the start-up load reports it.
    Toolkit::SpecialFolder::UseAccountHomeWhenUnset();
    QApplication application(argc, argv);
    Toolkit::useDeferredStandardIcons();
    Toolkit::installDesktopServices();
    winReportError::installAsReportOpener();
    HelpWindows::install();

    App app;
    app.Opening();

#ifdef VANTREL_BENCH_FIRST_PAINT_EXIT
    // Benchmark builds only (CMake option VANTREL_BENCH_FIRST_PAINT_EXIT): end once both
    // catalogue lists have been painted, so that a timer around the process measures start-up.
    std::unique_ptr<QuitAfterFirstPaint> quitAfterPaint;
    {
        BrowserWindow *main = BrowserWindow::existing(BrowserWindow::Layout::Main);
        QList<QWidget *> lists;
        if (main) {
            for (Toolkit::ListBox *list : {main->lbRecent(), main->lbHistory()})
                lists << list->viewport();
        }
        if (lists.isEmpty())
            return 1;
        quitAfterPaint = std::make_unique<QuitAfterFirstPaint>(lists);
    }
#endif

    const int exitCode = QApplication::exec();

    // The windows are closed, not deleted, when the program quits; end them before the
    // application object goes.
    for (auto layout : {BrowserWindow::Layout::Main, BrowserWindow::Layout::ExpandFilter})
        delete BrowserWindow::existing(layout);
    return exitCode;
}
