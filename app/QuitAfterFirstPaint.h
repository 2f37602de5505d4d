#pragma once
// Benchmark aid, not a setting: ends the program once each watched widget has been painted,
// so that a timer around the whole process measures start-up to first paint. Compiled into the
// program and the bare-window benchmark only when the CMake option
// VANTREL_BENCH_FIRST_PAINT_EXIT is on (the bench preset); the shipped program has no such exit.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

class QuitAfterFirstPaint : public QObject
{
public:
    explicit QuitAfterFirstPaint(const QList<QWidget *> &watched)
        : m_waiting(int(watched.size()))
    {
        for (QWidget *w : watched)
            w->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            if (--m_waiting == 0)
                QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    int m_waiting;
};
