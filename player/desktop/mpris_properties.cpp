#include "mpris_properties.h"

#include "player/engine.h"
#include "player/playback_rules.h"

#include <QtMath>

namespace player::mpris {

QString serviceName(qint64 processId, int slot)
{
    const QString name = QStringLiteral("org.mpris.MediaPlayer2.tafsir_videos.instance%1");
    if (slot <= 1)
        return name.arg(processId);
    return name.arg(processId) + QStringLiteral("_%1").arg(slot);
}

qlonglong microseconds(double seconds)
{
    return qRound64(seconds * 1e6);
}

QString playbackStatus(const PlaybackState &state)
{
    // Connecting and buffering are the start or a stall of playback the user
    // asked for: to a remote control the player plays, unless paused.
    if (pausesNow(state))
        return QStringLiteral("Playing");
    if (state.status == Status::Paused || (isUnderway(state.status) && state.paused))
        return QStringLiteral("Paused");
    return QStringLiteral("Stopped");
}

QDBusObjectPath trackId(quint64 number)
{
    if (number == 0)
        return QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
    return QDBusObjectPath(QStringLiteral("/org/tafsir_videos/track/%1").arg(number));
}

QVariantMap metadata(const Track &track)
{
    QVariantMap map{{QStringLiteral("mpris:trackid"), QVariant::fromValue(trackId(track.number))}};
    if (track.number == 0)
        return map;
    if (track.duration > 0.0)
        map.insert(QStringLiteral("mpris:length"), microseconds(track.duration));
    if (!track.title.isEmpty())
        map.insert(QStringLiteral("xesam:title"), track.title);
    map.insert(QStringLiteral("xesam:url"), track.location);
    return map;
}

QVariantMap playerProperties(const PlaybackState &state, const Track &track, Neighbours neighbours)
{
    return {
        {QStringLiteral("PlaybackStatus"), playbackStatus(state)},
        {QStringLiteral("LoopStatus"), QStringLiteral("None")},
        {QStringLiteral("Rate"), state.speed},
        {QStringLiteral("Shuffle"), false},
        {QStringLiteral("Metadata"), metadata(track)},
        {QStringLiteral("Volume"), state.volume / 100.0},
        {QStringLiteral("MinimumRate"), Engine::kMinimumSpeed},
        {QStringLiteral("MaximumRate"), Engine::kMaximumSpeed},
        {QStringLiteral("CanGoNext"), neighbours.next},
        {QStringLiteral("CanGoPrevious"), neighbours.previous},
        {QStringLiteral("CanPlay"), true},
        {QStringLiteral("CanPause"), true},
        {QStringLiteral("CanSeek"), true},
        {QStringLiteral("CanControl"), true},
    };
}

} // namespace player::mpris
