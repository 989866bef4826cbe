#pragma once

// The two MPRIS interfaces on /org/mpris/MediaPlayer2. They hold no state:
// the root interface is constant, and the player interface reads from and
// forwards to the MprisService it is attached to.

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>

namespace player {

class MprisService;

class MprisRootAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ canQuit)
    Q_PROPERTY(bool CanRaise READ canRaise)
    Q_PROPERTY(bool HasTrackList READ hasTrackList)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ supportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ supportedMimeTypes)

public:
    explicit MprisRootAdaptor(MprisService *service);

    // Closing the application is the user's; a remote control may bring
    // the player's window to the screen, as a navigation would.
    bool canQuit() const { return false; }
    bool canRaise() const { return true; }
    bool hasTrackList() const { return false; }
    QString identity() const;
    QString desktopEntry() const;
    // The player plays only what the catalogue offers.
    QStringList supportedUriSchemes() const { return {}; }
    QStringList supportedMimeTypes() const { return {}; }

public slots:
    void Raise();
    void Quit() {}

private:
    MprisService *m_service;
};

class MprisPlayerAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(QString LoopStatus READ loopStatus)
    Q_PROPERTY(double Rate READ rate WRITE setRate)
    Q_PROPERTY(bool Shuffle READ shuffle)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(double MinimumRate READ minimumRate)
    Q_PROPERTY(double MaximumRate READ maximumRate)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ canPlay)
    Q_PROPERTY(bool CanPause READ canPause)
    Q_PROPERTY(bool CanSeek READ canSeek)
    Q_PROPERTY(bool CanControl READ canControl)

public:
    explicit MprisPlayerAdaptor(MprisService *service);

    QString playbackStatus() const { return value("PlaybackStatus").toString(); }
    QString loopStatus() const { return value("LoopStatus").toString(); }
    double rate() const { return value("Rate").toDouble(); }
    bool shuffle() const { return value("Shuffle").toBool(); }
    QVariantMap metadata() const { return value("Metadata").toMap(); }
    double volume() const { return value("Volume").toDouble(); }
    void setVolume(double volume);
    void setRate(double rate);
    qlonglong position() const;
    double minimumRate() const { return value("MinimumRate").toDouble(); }
    double maximumRate() const { return value("MaximumRate").toDouble(); }
    bool canGoNext() const { return value("CanGoNext").toBool(); }
    bool canGoPrevious() const { return value("CanGoPrevious").toBool(); }
    bool canPlay() const { return value("CanPlay").toBool(); }
    bool canPause() const { return value("CanPause").toBool(); }
    bool canSeek() const { return value("CanSeek").toBool(); }
    bool canControl() const { return value("CanControl").toBool(); }

public slots:
    void PlayPause();
    void Play();
    void Pause();
    void Stop();
    // The window's next and previous episode, as its buttons step.
    void Next();
    void Previous();
    void Seek(qlonglong Offset);
    void SetPosition(const QDBusObjectPath &TrackId, qlonglong Position);
    void OpenUri(const QString &Uri);

signals:
    void Seeked(qlonglong Position);

private:
    QVariant value(const char *name) const;

    MprisService *m_service;
};

} // namespace player
