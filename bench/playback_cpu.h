#pragma once

// CPU time of a player over a steady stretch of playback, read from outside
// for the application and for a reference player alike: the player's whole
// process (every thread) and the X server, from /proc, between two
// positions of the playback, so that starting and ending a process are not
// counted.

#include <QProcessEnvironment>
#include <QSize>
#include <QString>
#include <QStringList>

namespace bench {

struct PlaybackCpu
{
    double clientMs = 0; // CPU milliseconds of the player's process
    double serverMs = 0; // of the X server over the same stretch
    double seconds = 0;  // playback seconds in the stretch
    QSize area;          // the video's area on the screen
    int frames = -1;     // frames the application drew in the stretch
    bool ok = false;

    double clientPerSecond() const { return seconds > 0 ? clientMs / seconds : 0; }
    double totalPerSecond() const { return seconds > 0 ? (clientMs + serverMs) / seconds : 0; }
};

// The application (tafsir-probe play-app) playing `url` in an episode
// window, full screen if asked, for `seconds` after the first second.
PlaybackCpu measureApplication(
    const QString &probe, const QString &url, double seconds, bool fullScreen,
    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

// mpv with `options` playing `url` in a window whose video area is `area`
// (full screen if asked), over the same stretch, its position read through
// its IPC socket.
PlaybackCpu measureMpv(const QString &mpv, const QStringList &options, const QString &url,
                       double seconds, QSize area, bool fullScreen);

// CPU seconds a process has used so far, every thread counted; -1 if it is gone.
double processCpuSeconds(qint64 pid);

// The X server drawing on $DISPLAY, or 0 if it cannot be found here.
qint64 xServerPid();

} // namespace bench
