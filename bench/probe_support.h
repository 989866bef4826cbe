#pragma once

// What every probe mode shares: the clock, figure lines, waiting without
// spinning.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <functional>

namespace bench {

// Milliseconds on the monotonic clock, which both processes share.
inline double monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

inline void figure(const char *name, double value)
{
    std::printf("figure %s %.3f\n", name, value);
    std::fflush(stdout);
}

// Runs the event loop until `done` holds or the time is up. The loop sleeps
// between checks: a spinning wait would count as the application's CPU.
inline bool waitFor(const std::function<bool()> &done, int timeoutMs = 30000)
{
    QElapsedTimer timer;
    timer.start();
    QEventLoop loop;
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || timer.elapsed() > timeoutMs)
            loop.quit();
    });
    poll.start(2);
    if (!done())
        loop.exec();
    return done();
}

inline bool exposed(QWidget *w)
{
    return w->windowHandle() && w->windowHandle()->isExposed();
}

} // namespace bench
