// Runs every measurement of tafsir-probe several times, each in a fresh
// process, and prints the figures beside their references and goals.
// Figures, not pass or fail: the numbers depend on the machine.

#include "first_map.h"
#include "media_server.h"
#include "playback_cpu.h"
#include "sound_server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <vector>

namespace {

// Milliseconds on the monotonic clock, which both processes share.
double monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

QString g_probe;
QString g_probeMpv; // the bare libmpv references

// The bare libmpv references run in a program that links libmpv; every
// other mode in one that does not, as the application does not.
QString probeFor(const QString &mode)
{
    return mode == "first-frame-bare" ? g_probeMpv : g_probe;
}

struct Run
{
    std::map<QString, double> figures;
    double elapsedMs = 0; // spawn to the first figure line
    double endedAtMs = 0; // monotonic time the process was seen to end
};

// The longest a probe may stay silent: the lecture-length memory run plays
// for two minutes before its one figure.
constexpr int kProbeSilenceMs = 300000;

Run runProbe(const QStringList &args,
             const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    Run run;
    QProcess probe;
    probe.setProcessChannelMode(QProcess::SeparateChannels);
    probe.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    probe.start(probeFor(args.value(0)), args);
    bool first = true;
    while (probe.state() != QProcess::NotRunning || probe.canReadLine()) {
        if (!probe.canReadLine() && !probe.waitForReadyRead(kProbeSilenceMs))
            break;
        while (probe.canReadLine()) {
            const QList<QByteArray> words = probe.readLine().trimmed().split(' ');
            if (words.size() == 3 && words[0] == "figure") {
                if (first)
                    run.elapsedMs = timer.nsecsElapsed() / 1e6;
                first = false;
                run.figures[QString::fromLatin1(words[1])] = words[2].toDouble();
            }
        }
    }
    probe.waitForFinished(kProbeSilenceMs);
    run.endedAtMs = monotonicMs();
    if (probe.exitCode() != 0)
        std::fprintf(stderr, "probe %s failed\n", qPrintable(args.join(' ')));
    return run;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename F> double medianOf(int times, F measure)
{
    std::vector<double> values;
    for (int i = 0; i < times; ++i)
        values.push_back(measure());
    return median(values);
}

void row(const char *name, double app, double reference, const char *unit, const char *goal)
{
    if (reference > 0)
        std::printf("%-44s %10.1f %-4s %10.1f %-4s %7.2fx   %s\n", name, app, unit, reference, unit,
                    app / reference, goal);
    else
        std::printf("%-44s %10.1f %-4s %10s %-4s %8s   %s\n", name, app, unit, "-", "", "", goal);
    std::fflush(stdout);
}

// One configuration of the CPU rows: a clip, shown in the episode window or
// full screen.
struct Playback
{
    const char *clip;
    const char *name;
    bool fullScreen;
};

// The application against mpv's own output, like with like: the same clip
// over http from the same server, the same video area, the same stretch of
// playback after its start, sound decoded to the same sound server, the X
// server's CPU counted on both sides. Rounds interleave the two; each
// round's ratio is printed, then the medians.
void cpuRow(const Playback &playback, const QString &mpv, const QStringList &mpvOptions,
            const char *reference, const MediaServer &server,
            const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    constexpr int rounds = 5;
    constexpr double seconds = 12;
    const QString url = server.url(QString::fromLatin1(playback.clip));
    std::vector<double> app, ref, ratios;
    QSize area;
    for (int round = 1; round <= rounds; ++round) {
        const bench::PlaybackCpu a =
            bench::measureApplication(g_probe, url, seconds, playback.fullScreen, environment);
        const bench::PlaybackCpu m =
            bench::measureMpv(mpv, mpvOptions, url, seconds, a.area, playback.fullScreen);
        if (!a.ok || !m.ok) {
            std::fprintf(stderr, "round %d of %s failed\n", round, playback.name);
            continue;
        }
        area = a.area;
        app.push_back(a.totalPerSecond());
        ref.push_back(m.totalPerSecond());
        ratios.push_back(a.totalPerSecond() / m.totalPerSecond());
        // The frames drawn tell a round that did more work from one that
        // the machine made slower.
        std::printf("  round %d: application %.1f ms (X %.1f) over %.1f s, %d frames; %s %.1f ms "
                    "(X %.1f) over %.1f s: %.2fx\n",
                    round, a.totalPerSecond(), a.serverMs / a.seconds, a.seconds, a.frames,
                    reference, m.totalPerSecond(), m.serverMs / m.seconds, m.seconds,
                    ratios.back());
        std::fflush(stdout);
    }
    const QByteArray name = QByteArray(playback.name) + " " + QByteArray::number(area.width()) +
                            "x" + QByteArray::number(area.height()) + " (" + reference + ")";
    row(name.constData(), median(app), median(ref), "ms", "<= 1.0x");
    std::printf("  median of the rounds' ratios %.2fx\n", median(ratios));
}

// Start-up from outside, the application's own program against a bare Qt
// window in a program of its own: from starting the program to its first
// window mapped on the X server, rounds interleaved.
void startupRow()
{
    constexpr int rounds = 7;
    const QString bin = QCoreApplication::applicationDirPath();
    std::vector<double> app, bare, ratios;
    for (int round = 1; round <= rounds; ++round) {
        const double a = bench::msToFirstMap(bin + "/tafsir-videos");
        const double b = bench::msToFirstMap(bin + "/tafsir-bare-window");
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "start-up round %d failed (%.0f, %.0f)\n", round, a, b);
            continue;
        }
        app.push_back(a);
        bare.push_back(b);
        ratios.push_back(a / b);
        std::printf("  round %d: application %.1f ms, bare window %.1f ms: %.2fx\n", round, a, b,
                    ratios.back());
    }
    row("start-up to the first window mapped (bare Qt window)", median(app), median(bare), "ms",
        "<= 1.2x");
    std::printf("  median of the rounds' ratios %.2fx\n", median(ratios));
}

void cpuRows(const QString &mpv)
{
    if (mpv.isEmpty()) {
        std::printf("CPU rows need mpv, the reference (scripts/bench installs it)\n");
        return;
    }
    // Both sides decode their sound and hand it to a sound server, as on a
    // desktop; without one the application would keep looking for it.
    testing::SoundServer sound;
    if (!sound.start())
        std::printf("no sound server: both players play without sound\n");
    MediaServer server;
    server.start(QStringLiteral(BENCH_MEDIA_DIR));
    std::printf("CPU ms per playback second, player and X server, %s\n",
                bench::xServerPid() ? "X server found" : "X server NOT found (client only)");
    const QStringList x11{QStringLiteral("--vo=x11")};
    const Playback playbacks[] = {
        {"clip640.mp4", "640x360 in the window", false},
        {"clip640.mp4", "640x360 full screen", true},
        {"clip1280.mp4", "1280x720 in the window", false},
        {"clip1280.mp4", "1280x720 full screen", true},
    };
    for (const Playback &playback : playbacks)
        cpuRow(playback, mpv, x11, "mpv --vo=x11", server);
    // mpv's default output, which falls back to SDL on a machine without a GPU.
    cpuRow(playbacks[0], mpv, {}, "mpv", server);
    // The OpenGL surface, which a machine with a GPU chooses, against mpv's
    // OpenGL output.
    QProcessEnvironment withGl = QProcessEnvironment::systemEnvironment();
    withGl.insert(QStringLiteral("TAFSIR_VIDEO_SURFACE"), QStringLiteral("gl"));
    const Playback gl{"clip640.mp4", "OpenGL surface, 640x360 in the window", false};
    cpuRow(gl, mpv, {QStringLiteral("--vo=gpu"), QStringLiteral("--gpu-sw")}, "mpv --vo=gpu",
           server, withGl);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    g_probe =
        QFileInfo(QCoreApplication::applicationDirPath() + "/tafsir-probe").absoluteFilePath();
    g_probeMpv =
        QFileInfo(QCoreApplication::applicationDirPath() + "/tafsir-probe-mpv").absoluteFilePath();
    const int runs = 5;
    // One part alone when named: startup, switching, memory, first-frame,
    // cpu or quit.
    const QString only = app.arguments().value(1);
    const auto part = [&only](const char *name) {
        return only.isEmpty() || only == name;
    };
    std::printf("%-44s %15s %15s %8s   %s\n", "figure", "application", "reference", "ratio",
                "goal");

    if (part("startup"))
        startupRow();

    if (part("switching")) {
        std::vector<double> first, later, released;
        for (int i = 0; i < runs; ++i) {
            const Run r = runProbe({"switching"});
            first.push_back(r.figures.at("first_show_ms"));
            later.push_back(r.figures.at("later_show_ms"));
            released.push_back(r.figures.at("released_show_exposed_ms"));
        }
        row("first show of Form5 (459 entries)", median(first), 0, "ms", "< 15 ms");
        row("later show of Form5", median(later), 0, "ms", "< 2 ms");
        row("show of Form5 after it gave back its image, to exposed", median(released), 0, "ms",
            "");
    }

    if (part("memory")) {
        const auto rss = [](QStringList args) {
            return medianOf(3, [&] { return runProbe(args).figures.at("resident_kib") / 1024.0; });
        };
        const double bareRss = rss({"memory-bare"});
        row("resident, 66 windows shown (66 plain windows)", rss({"memory-app", "0"}), bareRss,
            "MiB", "<= 1.2x");
        row("resident, 66 windows, one playing", rss({"memory-app", "1"}), bareRss, "MiB",
            "<= 120 MiB");
        row("resident, 66 windows, eight playing", rss({"memory-app", "8"}), bareRss, "MiB", "");
        // A lecture-length file streamed for two minutes: each player's
        // read-ahead fills to its bound (16 MiB ahead, 8 MiB behind).
        const QString lecture = QStringLiteral(BENCH_MEDIA_DIR "/lecture.mp4");
        row("resident, eight playing a 20-min file for 2 min",
            runProbe({"memory-app", "8", lecture, "120"}).figures.at("resident_kib") / 1024.0,
            bareRss, "MiB", "cache <= 8 x 24 MiB");
    }

    if (part("first-frame")) {
        std::map<QString, std::vector<double>> frames;
        for (int i = 0; i < runs; ++i) {
            for (const char *mode : {"first-frame-app", "first-frame-bare"}) {
                const Run r = runProbe({mode, "clip.mp4", "clip.mkv"});
                frames[QString(mode) + "/first"].push_back(r.figures.at("first_choice_ms"));
                frames[QString(mode) + "/later"].push_back(r.figures.at("later_choice_ms"));
            }
        }
        row("first choice to first frame, http (bare libmpv)",
            median(frames["first-frame-app/first"]), median(frames["first-frame-bare/first"]), "ms",
            "<= 1.2x");
        row("later choice to first frame, http (bare libmpv)",
            median(frames["first-frame-app/later"]), median(frames["first-frame-bare/later"]), "ms",
            "<= 1.2x");
    }

    if (part("cpu"))
        cpuRows(QStandardPaths::findExecutable("mpv"));

    for (const int playing : {8, 30}) {
        if (!part("quit"))
            break;
        const double exitMs = medianOf(3, [playing] {
            const Run r = runProbe({"exit-app", QString::number(playing)});
            return r.endedAtMs - r.figures.at("quit_at_ms");
        });
        const QByteArray name =
            "quit to process end, 63 windows, " + QByteArray::number(playing) + " playing";
        row(name.constData(), exitMs, 0, "ms", "< 300 ms");
    }
    return 0;
}
