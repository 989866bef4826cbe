#include "status_text.h"

#include "playback_rules.h"

#include <QCoreApplication>

namespace player {
namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("player::StatusText", text);
}

QString faultText(Fault fault)
{
    switch (fault) {
    case Fault::NotFound:
        return tr("File not found on the server");
    case Fault::ConnectionRefused:
        return tr("The server refused the connection");
    case Fault::UnknownHost:
        return tr("Unknown server address");
    case Fault::Forbidden:
        return tr("The server refuses access to the file");
    case Fault::ServerError:
        return tr("The server failed");
    case Fault::Certificate:
        return tr("The server's certificate is not trusted");
    case Fault::CertificateExpired:
        return tr("The server's certificate has expired");
    case Fault::CertificateSelfSigned:
        return tr("The server's certificate is self-signed");
    case Fault::CertificateWrongHost:
        return tr("The server's certificate is for another address");
    case Fault::UnsupportedMedia:
        return tr("This file cannot be played");
    case Fault::EngineUnavailable:
        return tr("The player cannot start");
    case Fault::TooSlow:
        return tr("The server is too slow to play this file");
    case Fault::Network:
    case Fault::None:
        break;
    }
    return tr("Network error");
}

QString clock(int seconds, bool withHours)
{
    const int h = seconds / 3600;
    const int m = (seconds / 60) % 60;
    const int s = seconds % 60;
    if (withHours)
        return QStringLiteral("%1:%2:%3")
            .arg(h)
            .arg(m, 2, 10, QLatin1Char('0'))
            .arg(s, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(m).arg(s, 2, 10, QLatin1Char('0'));
}

// What the player is doing, speed aside.
QString baseText(const PlaybackState &state)
{
    switch (state.status) {
    case Status::Idle:
        return tr("Ready");
    case Status::Connecting:
        // The seconds show that something is still happening on a slow link.
        if (state.waitSeconds > 0)
            return tr("Connecting… %1 s").arg(state.waitSeconds);
        return tr("Connecting…");
    case Status::Buffering:
        return tr("Buffering %1%").arg(state.bufferingPercent);
    case Status::Playing:
        return tr("Playing");
    case Status::Paused:
        return tr("Paused");
    case Status::Stopped:
        return tr("Stopped");
    case Status::Finished:
        return tr("Finished");
    case Status::EndedEarly:
        return tr("The stream ended early");
    case Status::Failed:
        return faultText(state.fault);
    }
    return {};
}

} // namespace

QString statusText(const PlaybackState &state)
{
    QString text = baseText(state);
    if (!isRunning(state.status))
        return text;
    // A speed other than normal is part of what the player is doing.
    if (!qFuzzyCompare(state.speed, 1.0))
        text = tr("%1 · %2×").arg(text, QString::number(state.speed, 'g', 3));
    // So is sound that goes nowhere while the sound server is away.
    if (state.soundLost)
        text = tr("%1 · no sound output").arg(text);
    // So is a picture left out: the user hears a video and sees none. (The
    // line has room for no more than this in an episode window.)
    if (!state.refusedPicture.isEmpty())
        text = tr("%1 · sound only, the picture is too large").arg(text);
    return text;
}

QString timeText(double position, double duration)
{
    const int total = qMax(0, int(duration));
    // mpv reports a position a little before the start after a seek back,
    // and none beyond the end is shown; with no duration known, no bound.
    const int elapsed = qMax(0, total > 0 ? qMin(int(position), total) : int(position));
    const bool withHours = total >= 3600 || elapsed >= 3600;
    return clock(elapsed, withHours) + QStringLiteral(" / ") + clock(total, withHours);
}

} // namespace player
