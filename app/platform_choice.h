#pragma once

// Which Qt platform the application asks for. The windows open at stored
// screen positions, and a Wayland compositor lets no client place its own
// windows; under a Wayland session that also runs XWayland the application
// therefore asks for the xcb platform, so that those positions hold. A
// platform the user chose (QT_QPA_PLATFORM or -platform) always stands.

#include <QByteArray>
#include <vector>

namespace app {

// What the choice depends on, read from the process environment.
struct SessionEnvironment
{
    QByteArray qpaPlatform;        // QT_QPA_PLATFORM
    QByteArray waylandDisplay;     // WAYLAND_DISPLAY
    QByteArray sessionType;        // XDG_SESSION_TYPE
    QByteArray x11Display;         // DISPLAY
    bool platformArgument = false; // -platform among the arguments

    static SessionEnvironment fromProcess(int argc, char **argv);
};

// The platform list to pass to Qt ("xcb;wayland": xcb first, Wayland if
// the X server cannot be reached), or empty when Qt's own choice stands.
QByteArray preferredPlatform(const SessionEnvironment &session);

// The program's arguments with "-platform <list>" added when a platform is
// preferred. Passing it as an argument rather than through the environment
// keeps it from reaching the programs the application starts, such as the
// web browser. Must outlive the QApplication built from it.
class PlatformArguments
{
public:
    PlatformArguments(int argc, char **argv);
    PlatformArguments(const PlatformArguments &) = delete;
    PlatformArguments &operator=(const PlatformArguments &) = delete;

    int &argc() { return m_argc; }
    char **argv() { return m_argv.data(); }

private:
    QByteArray m_platformOption = QByteArrayLiteral("-platform");
    QByteArray m_platform;
    std::vector<char *> m_argv;
    int m_argc = 0;
};

} // namespace app
