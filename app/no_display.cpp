#include "no_display.h"

#include "user_language.h"

#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace app {
namespace {

QtMessageHandler g_previous = nullptr;

void handleMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        if (g_previous)
            g_previous(type, context, message);
        return;
    }
    // Qt's own text names the platform plugin and suggests reinstalling;
    // the user needs to know that there was no display to show windows on.
    std::fprintf(stderr, "%s\n",
                 noDisplayMessage(qgetenv("LANGUAGE"), qgetenv("LC_ALL"), qgetenv("LC_MESSAGES"),
                                  qgetenv("LANG")));
    std::fflush(stderr);
    // Nothing of the application exists yet: nothing to save or tear down.
    std::_Exit(1);
}

} // namespace

const char *noDisplayMessage(const QByteArray &language, const QByteArray &lcAll,
                             const QByteArray &lcMessages, const QByteArray &lang)
{
    if (prefersArabic(language, lcAll, lcMessages, lang))
        return "تعذّر الوصول إلى شاشة لعرض النوافذ (DISPLAY).";
    return "Cannot reach a display to show the windows on (DISPLAY).";
}

NoDisplayGuard::NoDisplayGuard()
{
    g_previous = qInstallMessageHandler(&handleMessage);
    m_installed = true;
}

void NoDisplayGuard::release()
{
    if (!m_installed)
        return;
    m_installed = false;
    qInstallMessageHandler(g_previous);
    g_previous = nullptr;
}

} // namespace app
