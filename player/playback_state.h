#pragma once

// What a player is doing, as the engine reports it to the control bar and
// to the desktop.

#include <QMetaType>
#include <QSize>
#include <QString>

namespace player {

enum class Status {
    Idle,       // nothing opened yet
    Connecting, // a location was opened and nothing has arrived yet; waitSeconds tells how long
    Buffering,  // waiting for data (after a seek or a stall); bufferingPercent tells how far
    Playing,
    Paused,
    Stopped,    // the user stopped it
    Finished,   // played to its end
    EndedEarly, // the stream ended before the media did
    Failed,     // could not be played; fault tells why
};

enum class Fault {
    None,
    NotFound,              // the server has no such file (404, 410)
    Forbidden,             // the server refuses the file (401, 403)
    ServerError,           // the server failed (5xx)
    ConnectionRefused,     // nothing listens at the address
    UnknownHost,           // the host name does not resolve
    Certificate,           // the https certificate is not trusted
    CertificateExpired,    // ... has expired or is not valid yet
    CertificateSelfSigned, // ... is signed by itself
    CertificateWrongHost,  // ... is for another address
    UnsupportedMedia,      // the data is no media mpv can play
    Network,               // another network or server failure
    TooSlow,               // the server sent too little to ever start playing
    EngineUnavailable,     // the playback engine could not start
};

struct PlaybackState
{
    Status status = Status::Idle;
    Fault fault = Fault::None;
    int bufferingPercent = 0;
    int waitSeconds = 0;   // whole seconds spent connecting so far
    double position = 0.0; // seconds
    double duration = 0.0; // seconds; 0 while unknown
    int volume = 50;       // 0 to 100
    bool muted = false;
    double speed = 1.0; // playback speed, pitch kept
    bool hasVideo = false;
    // The user paused: shown as Paused once the file is open; while it is
    // connecting, the pause holds and the file opens paused.
    bool paused = false;
    // The size of a picture too large to decode, which plays as sound only;
    // empty for any other file.
    QSize refusedPicture;
    // The sound server went away while this player played: its sound goes
    // nowhere until the server is back.
    bool soundLost = false;
    QString title;

    bool operator==(const PlaybackState &) const = default;
};

} // namespace player

Q_DECLARE_METATYPE(player::PlaybackState)
