#include "font_warm_up.h"

#include <QFontDatabase>
#include <QStringList>
#include <fontconfig/fontconfig.h>

namespace app {

FontWarmUp::FontWarmUp() : m_thread([this] { run(); }) {}

FontWarmUp::~FontWarmUp()
{
    release(Next::Stop);
    wait();
}

void FontWarmUp::applicationReady()
{
    release(Next::ListFaces);
}

void FontWarmUp::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

void FontWarmUp::release(Next next)
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_next != Next::Wait)
            return;
        m_next = next;
    }
    m_changed.notify_one();
}

void FontWarmUp::run()
{
    // fontconfig makes its one configuration once, whichever thread asks
    // first; Qt's own call later finds it made.
    FcInit();
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_next != Next::Wait; });
    if (m_next == Next::Stop)
        return;
    lock.unlock();
    // Qt's font database is shared by all threads behind its own lock; the
    // GUI thread's first text waits there for this list rather than making
    // it again.
    QFontDatabase::families();
}

} // namespace app
