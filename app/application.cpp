#include "application.h"

#include "link_wiring.h"
#include "logging.h"
#include "player/desktop/desktop_session.h"
#include "player/mpv_library.h"
#include "player/player_widget.h"
#include "player/translation.h"
#include "quitting.h"
#include "resources/layouts/hub_layouts.h"

#include <QAction>
#include <QApplication>
#include <QFont>
#include <QMainWindow>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace app {
namespace {

// Media keys, the desktop's media controls and the screensaver follow every
// player of the window once it plays.
void attachPlayersToDesktop(QMainWindow *window)
{
    for (player::PlayerWidget *p : window->findChildren<player::PlayerWidget *>()) {
        QObject::connect(p, &player::PlayerWidget::engineCreated, p,
                         [p] { player::attachToDesktop(p); });
    }
}

// Ctrl+Q ends the application from every window, as closing the visible
// window does; the players stop as the event loop ends.
void addQuitShortcut(QMainWindow *window)
{
    auto *quit = new QAction(window);
    quit->setObjectName(QStringLiteral("quitAction"));
    quit->setShortcut(QKeySequence::Quit);
    quit->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(quit, &QAction::triggered, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    window->addAction(quit);
}

} // namespace

Application::Application() : m_navigator(m_registry)
{
    // Every window gets its link commands as it is created, and its player
    // its place on the desktop.
    QObject::connect(&m_registry, &WindowRegistry::created, &m_registry, &wireLinkCommands);
    QObject::connect(&m_registry, &WindowRegistry::created, &m_registry, &attachPlayersToDesktop);
    QObject::connect(&m_registry, &WindowRegistry::created, &m_registry, &addQuitShortcut);
    // A player asked for from the desktop brings its window forward.
    QObject::connect(
        &m_registry, &WindowRegistry::created, &m_navigator, [this](QMainWindow *window) {
            for (auto *p : window->findChildren<player::PlayerWidget *>()) {
                QObject::connect(p, &player::PlayerWidget::raiseRequested, &m_navigator,
                                 [this, window] { m_navigator.bringForward(window); });
            }
        });
    // Players stop before the event loop ends, so that quitting is quick
    // however many of them play.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &m_registry,
                     [this] { stopPlayersTogether(m_registry.players()); });
}

Application::~Application() = default;

void Application::start()
{
    if (QMainWindow *home = m_registry.window(layout::kHomeLayout.id())) {
        home->show();
        qCDebug(lcApp).noquote() << "home window shown on" << QGuiApplication::platformName();
    }
}

void limitHeaps()
{
#ifdef __GLIBC__
    // Each playing player runs a dozen threads of its own (network,
    // demuxer, decoders, audio, video), which allocate in one thread what
    // another frees. glibc gives threads up to eight heaps per core, each
    // holding on to what was freed in it: about 9 MiB per playing player
    // after two minutes of a lecture, measured. Two heaps cost no CPU that
    // could be measured here. glibc fixes its limit once threads have made
    // more than a few heaps, so this comes before any thread is started.
    // An allocator other than glibc's (a sanitizer's) refuses: nothing a
    // user could act on.
    if (mallopt(M_ARENA_MAX, 2) == 0)
        qCDebug(lcApp) << "cannot limit the heaps of threads";
#endif
}

void prepareQtApplication()
{
    // Every window lays out left to right; Arabic words inside run right to left.
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    // Closing the visible window ends the application: the other windows are hidden.
    QGuiApplication::setQuitOnLastWindowClosed(true);
    player::installTranslation();
    // Before any thread of libmpv's or of its loading exists.
    player::prepareProcessForMpv();
    // Arabic with proper joining and a real tatweel, from a font the set-up
    // installs, rather than whatever fallback the machine happens to have.
    // Noto Naskh Arabic is the installed face whose metrics let every stored
    // caption and list text fit its stored box at scale factors 1, 1.5 and
    // 2 (measured against Noto Sans Arabic, its UI and condensed cuts, Kufi,
    // DejaVu Sans and a dozen packaged Arabic faces).
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Noto Sans"), QStringLiteral("Noto Naskh Arabic")});
    QApplication::setFont(font);
}

} // namespace app
