#pragma once

// Mouse and key input through the X server itself (its XTEST extension),
// as a person's hand gives it: the server picks the window under the
// pointer, or the one with the focus, native child windows and other
// processes' windows included, where QTest hands its events to a widget
// chosen by Qt in this process. The libraries are loaded at run time: the client libraries
// of every X desktop, no development files needed.

#include <QPoint>
#include <QThread>
#include <dlfcn.h>
#include <initializer_list>
#include <iterator>

namespace testing {

class RealInput
{
public:
    RealInput()
    {
        m_x11 = dlopen("libX11.so.6", RTLD_NOW);
        m_xtst = dlopen("libXtst.so.6", RTLD_NOW);
        if (!m_x11 || !m_xtst)
            return;
        m_open = reinterpret_cast<OpenDisplay>(dlsym(m_x11, "XOpenDisplay"));
        m_close = reinterpret_cast<CloseDisplay>(dlsym(m_x11, "XCloseDisplay"));
        m_flush = reinterpret_cast<Flush>(dlsym(m_x11, "XFlush"));
        m_motion = reinterpret_cast<FakeMotion>(dlsym(m_xtst, "XTestFakeMotionEvent"));
        m_button = reinterpret_cast<FakeButton>(dlsym(m_xtst, "XTestFakeButtonEvent"));
        m_key = reinterpret_cast<FakeKey>(dlsym(m_xtst, "XTestFakeKeyEvent"));
        m_keycode = reinterpret_cast<KeysymToKeycode>(dlsym(m_x11, "XKeysymToKeycode"));
        if (m_open && m_close && m_flush && m_motion && m_button && m_key && m_keycode)
            m_display = m_open(nullptr);
    }
    ~RealInput()
    {
        if (m_display)
            m_close(m_display);
        if (m_xtst)
            dlclose(m_xtst);
        if (m_x11)
            dlclose(m_x11);
    }
    RealInput(const RealInput &) = delete;
    RealInput &operator=(const RealInput &) = delete;

    bool isReady() const { return m_display; }

    // Clicks `count` times at a point of the screen, in device pixels;
    // button 1 is the left, 3 the right.
    void click(QPoint device, int button = 1, int count = 1)
    {
        m_motion(m_display, -1, device.x(), device.y(), 0);
        for (int i = 0; i < count; ++i) {
            m_button(m_display, unsigned(button), 1, 0);
            m_button(m_display, unsigned(button), 0, 0);
        }
        m_flush(m_display);
        // The server has the events; Qt reads them from its own connection.
        QThread::msleep(50);
    }

    // Presses the keys in order and lets them go in reverse, as a chord
    // (XK_Control_L, then 'q', for Ctrl+Q); the window with the focus gets it.
    void chord(std::initializer_list<unsigned long> keysyms)
    {
        for (unsigned long keysym : keysyms)
            m_key(m_display, m_keycode(m_display, keysym), 1, 0);
        for (auto it = std::rbegin(keysyms); it != std::rend(keysyms); ++it)
            m_key(m_display, m_keycode(m_display, *it), 0, 0);
        m_flush(m_display);
    }

private:
    using OpenDisplay = void *(*)(const char *);
    using CloseDisplay = int (*)(void *);
    using Flush = int (*)(void *);
    using FakeMotion = int (*)(void *, int, int, int, unsigned long);
    using FakeButton = int (*)(void *, unsigned, int, unsigned long);
    using FakeKey = int (*)(void *, unsigned, int, unsigned long);
    using KeysymToKeycode = unsigned char (*)(void *, unsigned long);

    void *m_x11 = nullptr;
    void *m_xtst = nullptr;
    void *m_display = nullptr;
    OpenDisplay m_open = nullptr;
    CloseDisplay m_close = nullptr;
    Flush m_flush = nullptr;
    FakeMotion m_motion = nullptr;
    FakeButton m_button = nullptr;
    FakeKey m_key = nullptr;
    KeysymToKeycode m_keycode = nullptr;
};

} // namespace testing
