// Runs every measurement of tafsir-probe several times, each in a fresh
// process, and prints the figures beside their references and goals.
// Figures, not pass or fail: the numbers depend on the machine.

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
#include <sys/resource.h>
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
    return mode == "first-frame-bare" || mode == "cpu-bare" ? g_probeMpv : g_probe;
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

double childCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
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
    std::printf("%-44s %15s %15s %8s   %s\n", "figure", "application", "reference", "ratio",
                "goal");

    const double startApp = medianOf(runs, [] { return runProbe({"startup-app"}).elapsedMs; });
    const double startBare = medianOf(runs, [] { return runProbe({"startup-bare"}).elapsedMs; });
    row("start-up to Form1 exposed (bare Qt window)", startApp, startBare, "ms", "<= 1.5x");

    std::vector<double> first, later, released;
    for (int i = 0; i < runs; ++i) {
        const Run r = runProbe({"switching"});
        first.push_back(r.figures.at("first_show_ms"));
        later.push_back(r.figures.at("later_show_ms"));
        released.push_back(r.figures.at("released_show_exposed_ms"));
    }
    row("first show of Form5 (459 entries)", median(first), 0, "ms", "< 15 ms");
    row("later show of Form5", median(later), 0, "ms", "< 2 ms");
    row("show of Form5 after it gave back its image, to exposed", median(released), 0, "ms", "");

    const auto rss = [](QStringList args) {
        return medianOf(3, [&] { return runProbe(args).figures.at("resident_kib") / 1024.0; });
    };
    const double bareRss = rss({"memory-bare"});
    row("resident, 66 windows shown (66 plain windows)", rss({"memory-app", "0"}), bareRss, "MiB",
        "<= 1.2x");
    row("resident, 66 windows, one playing", rss({"memory-app", "1"}), bareRss, "MiB",
        "<= 120 MiB");
    row("resident, 66 windows, eight playing", rss({"memory-app", "8"}), bareRss, "MiB", "");
    // A lecture-length file streamed for two minutes: each player's
    // read-ahead fills to its bound (16 MiB ahead, 8 MiB behind).
    const QString lecture = QStringLiteral(BENCH_MEDIA_DIR "/lecture.mp4");
    row("resident, eight playing a 20-min file for 2 min",
        runProbe({"memory-app", "8", lecture, "120"}).figures.at("resident_kib") / 1024.0, bareRss,
        "MiB", "cache <= 8 x 24 MiB");

    std::map<QString, std::vector<double>> frames;
    for (int i = 0; i < runs; ++i) {
        for (const char *mode : {"first-frame-app", "first-frame-bare"}) {
            const Run r = runProbe({mode, "clip.mp4", "clip.mkv"});
            frames[QString(mode) + "/first"].push_back(r.figures.at("first_choice_ms"));
            frames[QString(mode) + "/later"].push_back(r.figures.at("later_choice_ms"));
        }
    }
    row("first choice to first frame, http (bare libmpv)", median(frames["first-frame-app/first"]),
        median(frames["first-frame-bare/first"]), "ms", "<= 1.2x");
    row("later choice to first frame, http (bare libmpv)", median(frames["first-frame-app/later"]),
        median(frames["first-frame-bare/later"]), "ms", "<= 1.2x");

    const QString clip = QStringLiteral(BENCH_MEDIA_DIR "/clip640.mp4");
    const double seconds = 8;
    const double appCpu = medianOf(3, [&] {
        return runProbe({"cpu-app", clip, QString::number(seconds)}).figures.at("cpu_per_second");
    });
    double mpvCpu = 0;
    const QString mpv = QStandardPaths::findExecutable("mpv");
    if (!mpv.isEmpty()) {
        mpvCpu = medianOf(3, [&] {
            const double before = childCpuSeconds();
            QProcess::execute(mpv,
                              {"--no-config", "--really-quiet", "--ao=null", "--geometry=680x460",
                               "--length=" + QString::number(seconds), clip});
            return (childCpuSeconds() - before) / seconds;
        });
    }
    const double bareCpu = medianOf(3, [&] {
        return runProbe({"cpu-bare", clip, QString::number(seconds)}).figures.at("cpu_per_second");
    });
    // The same with the OpenGL surface, which a machine with a GPU chooses.
    QProcessEnvironment withGl = QProcessEnvironment::systemEnvironment();
    withGl.insert(QStringLiteral("TAFSIR_VIDEO_SURFACE"), QStringLiteral("gl"));
    const double glCpu = medianOf(3, [&] {
        return runProbe({"cpu-app", clip, QString::number(seconds)}, withGl)
            .figures.at("cpu_per_second");
    });
    row("CPU ms per playback s, 640x360 (mpv --no-config)", appCpu * 1000, mpvCpu * 1000, "ms",
        "<= 1.0x");
    row("  the same, OpenGL surface (mpv --no-config)", glCpu * 1000, mpvCpu * 1000, "ms", "");
    row("CPU ms per playback s, 640x360 (bare libmpv)", appCpu * 1000, bareCpu * 1000, "ms", "");

    for (const int playing : {8, 30}) {
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
