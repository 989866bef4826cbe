#include "core_ending.h"

#include <atomic>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace player {
namespace {

struct Ending
{
    std::thread thread;
    std::atomic<bool> done{false};
};

class CoreEnding
{
public:
    // Static: its destructor runs at exit, before libmpv's own exit handlers
    // (registered earlier, as libmpv was loaded before the first core).
    static CoreEnding &instance()
    {
        static CoreEnding ending;
        return ending;
    }

    ~CoreEnding() { waitForAll(); }

    void end(const MpvLibrary &library, mpv_handle *core)
    {
        const std::lock_guard lock(m_mutex);
        joinFinished();
        auto ending = std::make_unique<Ending>();
        Ending *raw = ending.get();
        raw->thread = std::thread([&library, core, raw] {
            library.terminateDestroy(core);
            raw->done = true;
        });
        m_endings.push_back(std::move(ending));
    }

    void waitForAll()
    {
        std::list<std::unique_ptr<Ending>> endings;
        {
            const std::lock_guard lock(m_mutex);
            endings.swap(m_endings);
        }
        for (const auto &ending : endings)
            ending->thread.join();
    }

private:
    // Threads of cores that have ended are joined as new ones start, so
    // that a long session does not collect them.
    void joinFinished()
    {
        m_endings.remove_if([](const std::unique_ptr<Ending> &ending) {
            if (!ending->done)
                return false;
            ending->thread.join();
            return true;
        });
    }

    std::mutex m_mutex;
    std::list<std::unique_ptr<Ending>> m_endings;
};

} // namespace

void endCoreInBackground(const MpvLibrary &library, mpv_handle *core)
{
    CoreEnding::instance().end(library, core);
}

} // namespace player
