#include "playback_cpu.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace bench {
namespace {

// The stretch starts a second into the file in a window; full screen, once
// the player's controls have hidden themselves (two seconds of a still
// mouse), so that both players draw the picture alone.
double stretchStart(bool fullScreen)
{
    return fullScreen ? 3.5 : 1.0;
}

// The longest a measurement may take beyond its stretch: start-up, the
// first seconds of the file, a loaded machine.
int limitMs(double seconds)
{
    return int(seconds * 1000) + 60000;
}

struct Reading
{
    double client = 0;
    double server = 0;
    double position = 0;
};

Reading readNow(qint64 client, qint64 server, double position)
{
    return {processCpuSeconds(client), server ? processCpuSeconds(server) : 0, position};
}

PlaybackCpu between(const Reading &from, const Reading &to, QSize area)
{
    PlaybackCpu cpu;
    cpu.clientMs = (to.client - from.client) * 1000;
    cpu.serverMs = (to.server - from.server) * 1000;
    cpu.seconds = to.position - from.position;
    cpu.area = area;
    cpu.ok = from.client >= 0 && to.client >= 0 && cpu.seconds > 0;
    return cpu;
}

void endProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
    }
}

} // namespace

double processCpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    // The command name may hold blanks and parentheses: the fields follow
    // the last ')'. utime and stime are the 14th and 15th fields, counted
    // for every thread the process has had.
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    const double ticks = double(sysconf(_SC_CLK_TCK));
    return (fields[11].toDouble() + fields[12].toDouble()) / ticks;
}

qint64 xServerPid()
{
    const QByteArray display = qgetenv("DISPLAY").split('.').value(0);
    if (display.isEmpty())
        return 0;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (!number)
            continue;
        QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> args = file.readAll().split('\0');
        const QString program = QFileInfo(QString::fromLocal8Bit(args.value(0))).fileName();
        if ((program == "Xvfb" || program == "Xorg" || program == "X") && args.contains(display))
            return pid;
    }
    return 0;
}

PlaybackCpu measureApplication(const QString &probe, const QString &url, double seconds,
                               bool fullScreen, const QProcessEnvironment &environment)
{
    const qint64 server = xServerPid();
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QEventLoop loop;
    Reading from{-1, 0, 0}, to{-1, 0, 0};
    QSize area;
    int frames = -1;
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, [&] {
        while (process.canReadLine()) {
            // "figure <name> <value>" lines, as every probe mode prints them.
            const QList<QByteArray> words = process.readLine().trimmed().split(' ');
            if (words.size() != 3 || words[0] != "figure")
                continue;
            const double value = words[2].toDouble();
            if (words[1] == "video_width")
                area.setWidth(int(value));
            else if (words[1] == "video_height")
                area.setHeight(int(value));
            else if (words[1] == "frames")
                frames = int(value);
            else if (words[1] == "begin")
                from = readNow(process.processId(), server, value);
            else if (words[1] == "end") {
                to = readNow(process.processId(), server, value);
                loop.quit();
            }
        }
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(limitMs(seconds), &loop, &QEventLoop::quit);
    QStringList args{QStringLiteral("play-app"), url, QString::number(stretchStart(fullScreen)),
                     QString::number(seconds)};
    if (fullScreen)
        args << QStringLiteral("fullscreen");
    process.start(probe, args);
    loop.exec();
    endProcess(process);
    PlaybackCpu cpu = between(from, to, area);
    cpu.frames = frames;
    return cpu;
}

PlaybackCpu measureMpv(const QString &mpv, const QStringList &options, const QString &url,
                       double seconds, QSize area, bool fullScreen)
{
    const qint64 server = xServerPid();
    QTemporaryDir folder;
    const QString socketPath = folder.filePath(QStringLiteral("mpv"));
    QStringList args{QStringLiteral("--no-config"), QStringLiteral("--really-quiet"),
                     QStringLiteral("--input-ipc-server=") + socketPath};
    args << options;
    if (fullScreen)
        args << QStringLiteral("--fs");
    else
        args << QStringLiteral("--geometry=%1x%2+0+0").arg(area.width()).arg(area.height());
    args << url;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    QLocalSocket socket;
    QEventLoop loop;
    Reading from{-1, 0, 0}, to{-1, 0, 0};
    const double start = stretchStart(fullScreen);
    // The position is asked ten times a second; the asking costs mpv a
    // little, the application pays the same for its own position reports.
    QTimer ask;
    ask.setInterval(100);
    QObject::connect(&ask, &QTimer::timeout, &loop, [&] {
        if (socket.state() != QLocalSocket::ConnectedState) {
            if (QFileInfo::exists(socketPath) && socket.state() == QLocalSocket::UnconnectedState)
                socket.connectToServer(socketPath);
            return;
        }
        socket.write("{\"command\":[\"get_property\",\"playback-time\"]}\n");
    });
    QObject::connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
        while (socket.canReadLine()) {
            const QJsonObject reply = QJsonDocument::fromJson(socket.readLine()).object();
            if (!reply.contains(QStringLiteral("error")) || !reply.contains(QStringLiteral("data")))
                continue; // an event, or no position yet
            const double position = reply.value(QStringLiteral("data")).toDouble();
            if (from.client < 0 && position >= start) {
                from = readNow(process.processId(), server, position);
            } else if (from.client >= 0 && position >= from.position + seconds) {
                to = readNow(process.processId(), server, position);
                loop.quit();
            }
        }
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(limitMs(seconds), &loop, &QEventLoop::quit);
    process.start(mpv, args);
    ask.start();
    loop.exec();
    ask.stop();
    socket.abort();
    endProcess(process);
    return between(from, to, area);
}

} // namespace bench
