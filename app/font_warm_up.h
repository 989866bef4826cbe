#pragma once

// Reading the machine's font configuration while the rest of start-up goes
// on. The home window's first text waits for fontconfig to parse its
// configuration and load its caches, then for Qt to list every installed
// face: about a third of the time to the home window, all of it on the one
// thread that also connects to the X server. A thread of its own does that
// work beside it on a second core; with one core nothing is lost but the
// thread.

#include <condition_variable>
#include <mutex>
#include <thread>

namespace app {

class FontWarmUp
{
public:
    // Starts reading fontconfig's configuration; fontconfig needs no Qt.
    FontWarmUp();
    // Waits for the thread, and stops it before its second step when the
    // application was never made.
    ~FontWarmUp();

    // The QApplication exists: the thread goes on to fill Qt's list of
    // faces, which the first text would otherwise fill.
    void applicationReady();
    // Returns once the thread has ended; the font list is then complete.
    void wait();

    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

private:
    enum class Next { Wait, ListFaces, Stop };
    void run();
    void release(Next next);

    std::mutex m_mutex;
    std::condition_variable m_changed;
    Next m_next = Next::Wait;
    std::thread m_thread;
};

} // namespace app
