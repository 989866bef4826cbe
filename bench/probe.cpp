// One measurement per run, in a process of its own, printed as
// "figure <name> <value>" lines for the benchmark driver. Each mode that
// measures the application has a reference mode measured the same way: the
// bare Qt references here (this program does not link libmpv, as the
// application does not), the bare libmpv ones in probe_mpv.cpp.

#include "app/application.h"
#include "common/process_memory.h"
#include "common/window_names.h"
#include "media_server.h"
#include "player/engine.h"
#include "player/player_actions.h"
#include "player/player_widget.h"
#include "player/video_surface.h"
#include "probe_support.h"
#include "windows/episode/episode_window.h"
#include "windows/form_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QMainWindow>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <functional>

using namespace bench;

namespace {

const QStringList kEpisodeWindows = [] {
    QStringList names;
    for (int n = 3; n <= 66; ++n) {
        if (n != 63)
            names.append(QString("Form%1").arg(n));
    }
    return names;
}();

int switching()
{
    app::prepareQtApplication();
    app::Application application;
    app::WindowRegistry &registry = application.registry();
    QMainWindow *index = registry.window(layout::form(2));
    index->show();
    waitFor([index] { return exposed(index); });
    QElapsedTimer timer;
    timer.start();
    application.navigator().navigate(layout::form(2), layout::form(5));
    QMainWindow *surah = registry.existing(layout::form(5));
    figure("first_show_ms", timer.nsecsElapsed() / 1e6);
    waitFor([surah] { return exposed(surah); });
    figure("first_show_exposed_ms", timer.nsecsElapsed() / 1e6);
    application.navigator().navigate(layout::form(5), layout::form(2));
    waitFor([index] { return exposed(index); });
    timer.restart();
    application.navigator().navigate(layout::form(2), layout::form(5));
    figure("later_show_ms", timer.nsecsElapsed() / 1e6);
    waitFor([surah] { return exposed(surah); });
    figure("later_show_exposed_ms", timer.nsecsElapsed() / 1e6);
    // Back once Form5 has given back its native window and image.
    application.navigator().navigate(layout::form(5), layout::form(2));
    waitFor([index] { return exposed(index); });
    waitFor([] { return false; }, int(windows::FormWindow::kReleaseDelay.count()) + 500);
    timer.restart();
    application.navigator().navigate(layout::form(2), layout::form(5));
    figure("released_show_ms", timer.nsecsElapsed() / 1e6);
    waitFor([surah] { return exposed(surah); });
    figure("released_show_exposed_ms", timer.nsecsElapsed() / 1e6);
    return 0;
}

// Every window shown once, in turn; then `players` episode windows play
// `file` (a path under the test media, or an absolute one), and the
// resident size is read `playSeconds` after the last has started, and not
// before the windows left have given back their images.
int memoryApp(int players, const QString &file, int playSeconds)
{
    app::prepareQtApplication();
    app::Application application;
    app::WindowRegistry &registry = application.registry();
    MediaServer server;
    const QFileInfo media(file);
    server.start(media.isAbsolute() ? media.absolutePath() : QStringLiteral(TEST_MEDIA_DIR));
    QMainWindow *previous = nullptr;
    for (int n = 1; n <= 66; ++n) {
        QMainWindow *w = registry.window(testing::idOf(QString("Form%1").arg(n)));
        if (previous)
            previous->hide();
        w->show();
        waitFor([w] { return exposed(w); });
        previous = w;
    }
    for (int i = 0; i < players; ++i) {
        auto *episode = qobject_cast<windows::EpisodeWindow *>(
            registry.existing(testing::idOf(kEpisodeWindows[i])));
        previous->hide();
        episode->show();
        waitFor([episode] { return exposed(episode); });
        episode->player()->setUrl(server.url(media.fileName()));
        player::PlayerWidget *p = episode->player();
        waitFor([p] { return p->engine()->position() > 0.5; });
        previous = episode;
    }
    // Hidden windows give back their images a while after they were left:
    // the figure is the one a user's session settles at.
    const int settle = int(windows::FormWindow::kReleaseDelay.count()) + 1000;
    waitFor([] { return false; }, qMax(playSeconds * 1000, settle));
    figure("resident_kib", testing::residentKiB());
    return 0;
}

int memoryBare()
{
    std::vector<std::unique_ptr<QMainWindow>> windows;
    QMainWindow *previous = nullptr;
    for (int n = 1; n <= 66; ++n) {
        auto w = std::make_unique<QMainWindow>();
        w->resize(n == 1 ? 391 : 329, n == 1 ? 245 : 405);
        if (previous)
            previous->hide();
        w->show();
        waitFor([&w] { return exposed(w.get()); });
        previous = w.get();
        windows.push_back(std::move(w));
    }
    waitFor([] { return false; }, 1000);
    figure("resident_kib", testing::residentKiB());
    return 0;
}

// Choice to first frame: the first choice in a window (it creates the
// engine), then a later one in the same window.
int firstFrameApp(const QString &first, const QString &later)
{
    MediaServer server;
    server.start(QStringLiteral(TEST_MEDIA_DIR));
    QWidget window;
    window.resize(329, 385);
    auto *player = new player::PlayerWidget(&window);
    player->setGeometry(0, 0, 329, 385);
    window.show();
    waitFor([&window] { return exposed(&window); });
    int frames = 0;
    QElapsedTimer timer;
    timer.start();
    player->setUrl(server.url(first));
    QObject::connect(player->surface(), &player::VideoSurface::framePresented,
                     [&frames] { ++frames; });
    if (!waitFor([&frames] { return frames > 0; }))
        return 1;
    figure("first_choice_ms", timer.nsecsElapsed() / 1e6);
    waitFor([player] { return player->engine()->position() > 1.5; });
    timer.restart();
    player->setUrl(server.url(later));
    // A frame of the new file: wait until the engine tells the new file is
    // loaded (its title; the old one plays on until then), then for a frame.
    const QString laterTitle = QUrl(later).fileName();
    if (!waitFor([&] {
            const player::PlaybackState &state = player->engine()->state();
            return state.title == laterTitle && state.position < 1.0;
        }))
        return 1;
    frames = 0;
    if (!waitFor([&frames] { return frames > 0; }))
        return 1;
    figure("later_choice_ms", timer.nsecsElapsed() / 1e6);
    return 0;
}

// Playback for the driver to measure from outside: the application as a
// user meets it, `url` chosen in Form5 (full screen if asked). Prints the
// size of the video's area and "begin" with the position once playback
// reaches `startAt` (and, full screen, the controls have hidden
// themselves), then "end" `seconds` of playback later; the driver reads
// the CPU time of this process and of the X server at those lines. Nothing
// here wakes while it waits: the marks follow the engine's own reports.
int playApp(const QString &url, double startAt, double seconds, bool fullScreen)
{
    app::prepareQtApplication();
    app::Application application;
    application.start();
    application.navigator().navigate(layout::form(1), layout::form(5));
    auto *episode =
        qobject_cast<windows::EpisodeWindow *>(application.registry().existing(layout::form(5)));
    if (!episode || !waitFor([episode] { return exposed(episode); }))
        return 1;
    player::PlayerWidget *player = episode->player();
    if (fullScreen)
        player->actions().fullScreen->trigger();
    const QWidget *controls = player->findChild<QWidget *>(QStringLiteral("controlBar"));
    // The engine exists from the first choice on.
    player->setUrl(url);
    double begin = -1;
    bool ended = false;
    // Frames drawn over the stretch: a player that draws more than the
    // file's frames shows it here.
    int frames = 0;
    QObject::connect(player->surface(), &player::VideoSurface::framePresented,
                     [&] { frames += begin >= 0 ? 1 : 0; });
    QObject::connect(
        player->engine(), &player::Engine::stateChanged, [&](const player::PlaybackState &state) {
            const bool drawingAlone = !fullScreen || (controls && controls->isHidden());
            if (begin < 0 && state.position >= startAt && drawingAlone) {
                begin = state.position;
                figure("video_width", player->surface()->width());
                figure("video_height", player->surface()->height());
                figure("begin", begin);
            } else if (!ended && begin >= 0 && state.position >= begin + seconds) {
                ended = true;
                figure("frames", frames);
                figure("end", state.position);
                QCoreApplication::quit();
            }
        });
    return QApplication::exec();
}

// Exit with 63 windows created and `playing` of them playing: the driver
// times from the printed moment to the end of the process.
int exitApp(int playing)
{
    app::prepareQtApplication();
    app::Application application;
    app::WindowRegistry &registry = application.registry();
    MediaServer server;
    server.start(QStringLiteral(TEST_MEDIA_DIR));
    for (const QString &name : kEpisodeWindows)
        registry.window(testing::idOf(name));
    QMainWindow *previous = nullptr;
    for (int i = 0; i < playing; ++i) {
        auto *episode = qobject_cast<windows::EpisodeWindow *>(
            registry.existing(testing::idOf(kEpisodeWindows[i])));
        if (previous)
            previous->hide();
        episode->show();
        waitFor([episode] { return exposed(episode); });
        episode->player()->setUrl(server.url(i % 2 ? "clip.mkv" : "clip.mp4"));
        player::PlayerWidget *p = episode->player();
        waitFor([p] { return p->engine()->position() > 0.3; });
        previous = episode;
    }
    QTimer::singleShot(0, [] {
        figure("quit_at_ms", monotonicMs());
        QCoreApplication::quit();
    });
    return QApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    app::limitHeaps();
    QApplication qtApp(argc, argv);
    const QStringList args = qtApp.arguments();
    const QString mode = args.value(1);
    if (mode == "switching")
        return switching();
    if (mode == "memory-app")
        return memoryApp(args.value(2).toInt(), args.value(3, QStringLiteral("clip.mp4")),
                         args.value(4, QStringLiteral("1")).toInt());
    if (mode == "memory-bare")
        return memoryBare();
    if (mode == "first-frame-app")
        return firstFrameApp(args.value(2), args.value(3));
    if (mode == "play-app")
        return playApp(args.value(2), args.value(3).toDouble(), args.value(4).toDouble(),
                       args.value(5) == "fullscreen");
    if (mode == "exit-app")
        return exitApp(args.value(2, QStringLiteral("8")).toInt());
    std::fprintf(stderr, "unknown mode\n");
    return 2;
}
