// The bare libmpv references of the benchmark: the same measurements as
// tafsir-probe's player modes, made on a bare render loop. A program of its
// own, because it links libmpv, which the application loads only when its
// first player is created.

#include "bare_player.h"
#include "media_server.h"
#include "probe_support.h"

#include <QApplication>

using namespace bench;

namespace {

int firstFrameBare(const QString &first, const QString &later)
{
    MediaServer server;
    server.start(QStringLiteral(TEST_MEDIA_DIR));
    bench::BarePlayer window;
    window.resize(329, 385);
    window.show();
    waitFor([&window] { return window.isExposed(); });
    QElapsedTimer timer;
    timer.start();
    window.open(server.url(first));
    if (!waitFor([&window] { return window.framesShown() > 0; }))
        return 1;
    figure("first_choice_ms", timer.nsecsElapsed() / 1e6);
    waitFor([&window] { return window.position() > 1.5; });
    timer.restart();
    window.open(server.url(later));
    if (!waitFor([&window] { return window.position() < 1.0; }))
        return 1;
    const int shown = window.framesShown();
    if (!waitFor([&window, shown] { return window.framesShown() > shown; }))
        return 1;
    figure("later_choice_ms", timer.nsecsElapsed() / 1e6);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication qtApp(argc, argv);
    const QStringList args = qtApp.arguments();
    const QString mode = args.value(1);
    if (mode == "first-frame-bare")
        return firstFrameBare(args.value(2), args.value(3));
    std::fprintf(stderr, "unknown mode\n");
    return 2;
}
