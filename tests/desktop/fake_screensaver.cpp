#include "fake_screensaver.h"

namespace testing {
namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");

// Cookies are unique across every fake of the test run, so that a cookie
// handed out by an earlier one counts as stray here.
uint nextCookie()
{
    static uint cookie = 1000;
    return ++cookie;
}

} // namespace

FakeScreenSaver::FakeScreenSaver(const QDBusConnection &bus, const QString &path)
    : m_bus(bus), m_path(path)
{
    m_registered = m_bus.registerObject(m_path, this, QDBusConnection::ExportAllSlots) &&
                   m_bus.registerService(kService);
}

FakeScreenSaver::~FakeScreenSaver()
{
    m_bus.unregisterService(kService);
    m_bus.unregisterObject(m_path);
}

uint FakeScreenSaver::Inhibit(const QString &application, const QString &reason)
{
    ++m_inhibitCalls;
    m_applications.append(application);
    m_reasons.append(reason);
    if (!m_holding)
        return grant();
    setDelayedReply(true);
    m_held.append(message());
    return 0;
}

void FakeScreenSaver::answerHeld()
{
    for (const QDBusMessage &call : std::as_const(m_held))
        m_bus.send(call.createReply(grant()));
    m_held.clear();
}

uint FakeScreenSaver::grant()
{
    const uint cookie = nextCookie();
    m_active.insert(cookie);
    return cookie;
}

void FakeScreenSaver::UnInhibit(uint cookie)
{
    ++m_unInhibitCalls;
    if (!m_active.remove(cookie))
        ++m_strayUnInhibitCalls;
}

} // namespace testing
