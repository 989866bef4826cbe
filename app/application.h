#pragma once

// The running system: the window registry, the navigator, the link
// commands, the players' place on the desktop, and start-up, which creates
// and shows the home window and nothing else.

#include "navigator.h"
#include "window_registry.h"

namespace app {

class Application
{
public:
    Application();
    ~Application();

    // Creates and shows Form1.
    void start();

    WindowRegistry &registry() { return m_registry; }
    Navigator &navigator() { return m_navigator; }

private:
    WindowRegistry m_registry;
    Navigator m_navigator;
};

// Keeps the heaps of the players' threads few; first thing in main(),
// before any thread starts.
void limitHeaps();

// Process-wide settings that must be in place before any window exists.
void prepareQtApplication();

} // namespace app
