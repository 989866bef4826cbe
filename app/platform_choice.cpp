#include "platform_choice.h"

#include <QLoggingCategory>
#include <QtGlobal>
#include <cstring>

// Warnings only unless QT_LOGGING_RULES asks for more ("tafsir.*.debug=true").
Q_LOGGING_CATEGORY(lcPlatform, "tafsir.app.platform", QtWarningMsg)

namespace app {

SessionEnvironment SessionEnvironment::fromProcess(int argc, char **argv)
{
    SessionEnvironment session;
    session.qpaPlatform = qgetenv("QT_QPA_PLATFORM");
    session.waylandDisplay = qgetenv("WAYLAND_DISPLAY");
    session.sessionType = qgetenv("XDG_SESSION_TYPE");
    session.x11Display = qgetenv("DISPLAY");
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            session.platformArgument = true;
    }
    return session;
}

QByteArray preferredPlatform(const SessionEnvironment &session)
{
    if (!session.qpaPlatform.isEmpty() || session.platformArgument)
        return {};
    const bool wayland = !session.waylandDisplay.isEmpty() || session.sessionType == "wayland";
    // Without an X server (no XWayland) there is nothing to prefer.
    if (!wayland || session.x11Display.isEmpty())
        return {};
    return QByteArrayLiteral("xcb;wayland");
}

PlatformArguments::PlatformArguments(int argc, char **argv)
    : m_platform(preferredPlatform(SessionEnvironment::fromProcess(argc, argv)))
{
    m_argv.assign(argv, argv + argc);
    if (!m_platform.isEmpty()) {
        qCDebug(lcPlatform) << "Wayland session with an X server: asking for" << m_platform;
        m_argv.push_back(m_platformOption.data());
        m_argv.push_back(m_platform.data());
    }
    m_argc = int(m_argv.size());
    // argv is null-terminated by convention, and Qt may rely on it.
    m_argv.push_back(nullptr);
}

} // namespace app
