#pragma once
// For the screenshot programs (run under Xvfb): saves a picture of each modal window once it
// has painted, then lets the watcher close it.

#include "toolkit/Window.h"

#include <QEventLoop>
#include <QTimer>
#include <QWidget>

class ScreenshotOfModal
{
public:
    explicit ScreenshotOfModal(const QString &out)
        : m_watcher([this, out](QWidget *w) {
            QEventLoop loop;
            QTimer::singleShot(300, &loop, &QEventLoop::quit);
            loop.exec();
            m_saved = w->grab().save(out, "PNG");
        })
    {}

    bool saved() const { return m_saved; }

private:
    bool m_saved = false;
    Toolkit::ModalWatcher m_watcher;
};
