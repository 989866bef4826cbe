#pragma once

// What the MPRIS interfaces say about a player, as plain functions of its
// state: the names the service goes by and the values of the properties of
// org.mpris.MediaPlayer2.Player. Times on the bus are in microseconds.

#include "player/playback_state.h"

#include <QDBusObjectPath>
#include <QString>
#include <QVariantMap>

namespace player::mpris {

inline const QString rootInterface = QStringLiteral("org.mpris.MediaPlayer2");
inline const QString playerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
inline const QString objectPath = QStringLiteral("/org/mpris/MediaPlayer2");
inline const QString identity = QStringLiteral("Tafsir Videos");
inline const QString desktopEntry = QStringLiteral("tafsir-videos");

// org.mpris.MediaPlayer2.tafsir_videos.instance<pid> for the first player
// of a process that is published, instance<pid>_<slot> for the others (slot
// 2, 3, ...): one name per player, so that several players and several
// running copies never take a name from each other.
QString serviceName(qint64 processId, int slot = 1);

// The item a player has open; number 0 when it has none. Every location the
// player opens is a new item with a new number, even one opened before.
struct Track
{
    quint64 number = 0;
    QString location;
    QString title;
    double duration = 0.0; // seconds; 0 while unknown
};

qlonglong microseconds(double seconds);
QString playbackStatus(const PlaybackState &state);
QDBusObjectPath trackId(quint64 number);
QVariantMap metadata(const Track &track);
// Every property of the Player interface but Position, which changes all the
// time and which clients extrapolate instead of being told.
// Whether the player has an episode before and after the one it plays.
struct Neighbours
{
    bool previous = false;
    bool next = false;
};
QVariantMap playerProperties(const PlaybackState &state, const Track &track,
                             Neighbours neighbours = {});

} // namespace player::mpris
