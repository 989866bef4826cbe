// The player on the desktop, on a session bus of the test's own: the
// screensaver stays off while a video plays on screen, and the player that
// started playing last is remote-controlled over MPRIS. Real players play
// real media served on 127.0.0.1, in real top-level windows; a stand-in
// screensaver and a remote control talk to them through the bus daemon.

#include "app/application.h"
#include "catalogue/catalogue.h"
#include "common/player_host.h"
#include "common/window_names.h"
#include "fake_screensaver.h"
#include "media_server.h"
#include "mpris_client.h"
#include "player/desktop/desktop_session.h"
#include "player/engine.h"
#include "player/player_actions.h"
#include "private_bus.h"
#include "windows/episode/episode_list.h"
#include "windows/episode/episode_window.h"

#include <QAction>
#include <QApplication>
#include <QDBusObjectPath>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>

using player::Status;
using testing::FakeScreenSaver;
using testing::MprisClient;
using Host = testing::PlayerHost;

namespace {

constexpr int kStartTimeout = 20000;
const QString kTestConnection = QStringLiteral("test");
const QString kScreenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");

QDBusConnection testBus()
{
    return QDBusConnection(kTestConnection);
}

bool isPlaying(const Host &host)
{
    return host.status() == Status::Playing && host.position() > 0.3;
}

// Ways the video stops being worth keeping the screen awake for, and the
// status the player is left in.
struct Release
{
    const char *name;
    void (*apply)(Host &host, MediaServer &server);
    Status status;
};

const Release kReleases[] = {
    {"paused", [](Host &host, MediaServer &) { host.engine()->pause(); }, Status::Paused},
    {"paused with the button",
     [](Host &host, MediaServer &) { host.player->actions().playPause->trigger(); },
     Status::Paused},
    {"stopped", [](Host &host, MediaServer &) { host.player->stop(); }, Status::Stopped},
    {"window hidden", [](Host &host, MediaServer &) { host.window.hide(); }, Status::Playing},
    {"window minimised", [](Host &host, MediaServer &) { host.window.showMinimized(); },
     Status::Playing},
    {"played to its end",
     [](Host &host, MediaServer &) { host.engine()->seekTo(host.engine()->duration() - 1.0); },
     Status::Finished},
    {"a location that fails",
     [](Host &host, MediaServer &server) { host.player->setUrl(server.url("missing.mp4")); },
     Status::Failed},
};

// Releases, each with the way back to a video on screen.
struct Return
{
    const char *name;
    void (*release)(Host &host);
    void (*comeBack)(Host &host);
};

const Return kReturns[] = {
    {"resumed", [](Host &host) { host.engine()->pause(); },
     [](Host &host) {
         host.engine()->play();
     }},
    {"shown again", [](Host &host) { host.window.hide(); },
     [](Host &host) {
         host.window.show();
     }},
    {"restored", [](Host &host) { host.window.showMinimized(); },
     [](Host &host) {
         host.window.showNormal();
     }},
};

// Commands from the bus, each from a status it is given in, and the status
// it leaves the player in.
struct Command
{
    const char *method;
    bool fromPaused;
    Status status;
};

const Command kCommands[] = {
    {"Pause", false, Status::Paused},     {"PlayPause", false, Status::Paused},
    {"PlayPause", true, Status::Playing}, {"Play", true, Status::Playing},
    {"Stop", false, Status::Stopped},     {"Stop", true, Status::Stopped},
};

} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    // The screensaver.
    void inhibitsWhileVideoPlaysOnScreen_data();
    void inhibitsWhileVideoPlaysOnScreen();
    void releases_data();
    void releases();
    void inhibitsAgainWhenVideoIsBack_data();
    void inhibitsAgainWhenVideoIsBack();
    void noInhibitionForAudioOnly();
    void attachedBeforeTheWindowIsShown();
    void oneInhibitionForTwoPlayers();
    void releasesWhenPlayerIsDestroyed();
    void slowScreenSaver_data();
    void slowScreenSaver();

    // MPRIS.
    void publishedOnceAPlayerPlays();
    void describesThePlayer();
    void playbackStatusFollowsThePlayer();
    void metadataDescribesWhatPlays();
    void commandsDriveThePlayer_data();
    void commandsDriveThePlayer();
    void seekFromTheBus();
    void setPositionNamesTheItem();
    void seeksOnTheScreenAreAnnounced();
    void volumeBothWays();
    void commandsWithoutEffect();
    void publishesEveryPlayerThatPlays();
    void rateFollowsTheSpeed();
    void mediaKeysStepAndRaiseTheirWindow();

    // The application attaches a window's player once it has its engine.
    void applicationAttachesItsPlayers();
    // Last: the session stays shut down once the application quits.
    void quittingReleasesInhibition();

private:
    // Opens the clip, shows the window and attaches the player, as the
    // widget does itself once it has its engine; attaching again is harmless.
    bool startPlaying(Host &host, const QString &clip);
    // Every call the application made so far has reached the screensaver.
    bool flushApplicationCalls();

    MediaServer m_server;
    std::unique_ptr<FakeScreenSaver> m_saver;
    std::unique_ptr<MprisClient> m_remote;
};

bool TestDesktop::startPlaying(Host &host, const QString &clip)
{
    if (!host.window.isVisible() && !host.show())
        return false;
    host.player->setUrl(m_server.url(clip));
    player::attachToDesktop(host.player);
    return QTest::qWaitFor([&host] { return isPlaying(host); }, kStartTimeout);
}

bool TestDesktop::flushApplicationCalls()
{
    // Updates the session put off until the event loop came back are done.
    QCoreApplication::processEvents();
    const int before = m_saver->pings();
    const QString name = QStringLiteral("org.freedesktop.ScreenSaver");
    QDBusConnection::sessionBus().send(
        QDBusMessage::createMethodCall(name, kScreenSaverPath, name, QStringLiteral("Ping")));
    return QTest::qWaitFor([this, before] { return m_saver->pings() > before; }, 10000);
}

void TestDesktop::initTestCase()
{
    QVERIFY(m_server.start(QStringLiteral(TEST_MEDIA_DIR)));
    QVERIFY(QDBusConnection::sessionBus().isConnected());
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    QVERIFY(QDBusConnection::connectToBus(address, kTestConnection).isConnected());
    m_remote = std::make_unique<MprisClient>(testBus());
}

void TestDesktop::init()
{
    m_saver = std::make_unique<FakeScreenSaver>(testBus(), kScreenSaverPath);
    QVERIFY(m_saver->isRegistered());
    m_remote->clearSignals();
}

void TestDesktop::cleanup()
{
    // Gone however the checks end, so that the next test can register its own.
    const std::unique_ptr<FakeScreenSaver> saver = std::move(m_saver);
    // Each test's players are gone: nothing is held, nothing published.
    QTRY_COMPARE(saver->activeInhibitions(), 0);
    QCOMPARE(saver->strayUnInhibitCalls(), 0);
    QTRY_VERIFY(!m_remote->isPublished());
}

void TestDesktop::inhibitsWhileVideoPlaysOnScreen_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("freedesktop path") << kScreenSaverPath;
    QTest::newRow("short path") << QStringLiteral("/ScreenSaver");
}

void TestDesktop::inhibitsWhileVideoPlaysOnScreen()
{
    QFETCH(QString, path);
    m_saver.reset();
    m_saver = std::make_unique<FakeScreenSaver>(testBus(), path);
    QVERIFY(m_saver->isRegistered());

    Host host;
    QVERIFY(startPlaying(host, "clip.mp4"));
    QTRY_COMPARE(m_saver->activeInhibitions(), 1);
    QCOMPARE(m_saver->inhibitCalls(), 1);
    QCOMPARE(m_saver->applications(), QStringList{"tafsir-videos"});
    QVERIFY(!m_saver->reasons().constFirst().isEmpty());
}

void TestDesktop::releases_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(std::size(kReleases)); ++row)
        QTest::newRow(kReleases[row].name) << row;
}

void TestDesktop::releases()
{
    QFETCH(int, row);
    const Release &release = kReleases[row];
    Host host;
    QVERIFY(startPlaying(host, "clip.mp4"));
    QTRY_COMPARE(m_saver->activeInhibitions(), 1);

    release.apply(host, m_server);
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), release.status, kStartTimeout);
    QTRY_COMPARE(m_saver->activeInhibitions(), 0);
    QVERIFY(flushApplicationCalls());
    QCOMPARE(m_saver->inhibitCalls(), 1);
    QCOMPARE(m_saver->unInhibitCalls(), 1);
}

void TestDesktop::inhibitsAgainWhenVideoIsBack_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(std::size(kReturns)); ++row)
        QTest::newRow(kReturns[row].name) << row;
}

void TestDesktop::inhibitsAgainWhenVideoIsBack()
{
    QFETCH(int, row);
    Host host;
    QVERIFY(startPlaying(host, "clip.mp4"));
    QTRY_COMPARE(m_saver->activeInhibitions(), 1);
    kReturns[row].release(host);
    QTRY_COMPARE(m_saver->activeInhibitions(), 0);

    kReturns[row].comeBack(host);
    QTRY_COMPARE(m_saver->activeInhibitions(), 1);
    QCOMPARE(m_saver->inhibitCalls(), 2);
    QVERIFY(host.engine()->isPlaying());
}

void TestDesktop::noInhibitionForAudioOnly()
{
    Host host;
    QVERIFY(startPlaying(host, "clip.mp3"));
    QTRY_VERIFY(host.position() > 1.0);
    QVERIFY(flushApplicationCalls());
    QCOMPARE(m_saver->inhibitCalls(), 0);

    // The same window with a picture keeps the screen awake.
    QVERIFY(startPlaying(host, "clip.mp4"));
    QTRY_COMPARE(m_saver->activeInhibitions(), 1);
}

// A player attached with its first location, which may come before its
// window is first shown and has its QWindow.
void TestDesktop::attachedBeforeTheWindowIsShown()
{
    Host host;
    host.player->setUrl(m_server.url("clip.mp4"));
    player::attachToDesktop(host.player);
    QVERIFY(flushApplicationCalls());
    QCOMPARE(m_saver->inhibitCalls(), 0);

    QVERIFY(host.show());
    QTRY_VERIFY_WITH_TIMEOUT(isPlaying(host), kStartTimeout);
    QTRY_COMPARE(m_saver->activeInhibitions(), 1);
    host.window.showMinimized();
    QTRY_COMPARE(m_saver->activeInhibitions(), 0);
}

void TestDesktop::oneInhibitionForTwoPlayers()
{
    Host first;
    Host second;
    second.window.move(400, 0);
    QVERIFY(startPlaying(first, "clip.mp4"));
    QVERIFY(startPlaying(second, "clip.mkv"));
    QTRY_COMPARE(m_saver->activeInhibitions(), 1);
    QVERIFY(flushApplicationCalls());
    QCOMPARE(m_saver->inhibitCalls(), 1);

    // One still plays on screen.
    first.engine()->pause();
    QTRY_COMPARE(first.status(), Status::Paused);
    QVERIFY(flushApplicationCalls());
    QCOMPARE(m_saver->activeInhibitions(), 1);
    QCOMPARE(m_saver->unInhibitCalls(), 0);

    second.engine()->pause();
    QTRY_COMPARE(m_saver->activeInhibitions(), 0);
    QCOMPARE(m_saver->inhibitCalls(), 1);
}

void TestDesktop::releasesWhenPlayerIsDestroyed()
{
    auto host = std::make_unique<Host>();
    QVERIFY(startPlaying(*host, "clip.mp4"));
    QTRY_COMPARE(m_saver->activeInhibitions(), 1);
    host.reset();
    QTRY_COMPARE(m_saver->activeInhibitions(), 0);
    QCOMPARE(m_saver->unInhibitCalls(), 1);
}

void TestDesktop::slowScreenSaver_data()
{
    QTest::addColumn<bool>("resumed");
    QTest::addColumn<int>("inhibitions");
    QTest::newRow("paused before the cookie came") << false << 0;
    QTest::newRow("paused and resumed before the cookie came") << true << 1;
}

// The application never waits for the screensaver's answer; what it wants
// by the time the answer comes is what it gets.
void TestDesktop::slowScreenSaver()
{
    QFETCH(bool, resumed);
    QFETCH(int, inhibitions);
    m_saver->setHolding(true);
    Host host;
    QVERIFY(startPlaying(host, "clip.mp4"));
    QTRY_COMPARE(m_saver->heldCalls(), 1);

    host.engine()->pause();
    QTRY_COMPARE(host.status(), Status::Paused);
    if (resumed) {
        host.engine()->play();
        QTRY_VERIFY(isPlaying(host));
    }
    QVERIFY(flushApplicationCalls());
    QCOMPARE(m_saver->inhibitCalls(), 1); // one call in flight is enough

    m_saver->answerHeld();
    QTRY_COMPARE(m_saver->activeInhibitions(), inhibitions);
    QVERIFY(flushApplicationCalls());
    QCOMPARE(m_saver->activeInhibitions(), inhibitions);
    QCOMPARE(m_saver->inhibitCalls(), 1);
}

void TestDesktop::publishedOnceAPlayerPlays()
{
    auto host = std::make_unique<Host>();
    QVERIFY(host->show());
    QVERIFY(!m_remote->isPublished());
    QVERIFY(startPlaying(*host, "clip.mp4"));
    QTRY_VERIFY(m_remote->isPublished());
    host.reset();
    QTRY_VERIFY(!m_remote->isPublished());
}

void TestDesktop::describesThePlayer()
{
    Host host;
    QVERIFY(startPlaying(host, "clip.mp4"));
    QTRY_VERIFY(m_remote->isPublished());

    const QVariantMap root = m_remote->properties(MprisClient::rootInterface());
    const QVariantMap expectedRoot{
        {"Identity", "Tafsir Videos"},
        {"DesktopEntry", "tafsir-videos"},
        {"CanQuit", false},
        {"CanRaise", true},
        {"HasTrackList", false},
        {"SupportedUriSchemes", QStringList()},
        {"SupportedMimeTypes", QStringList()},
    };
    const QVariantMap player = m_remote->properties(MprisClient::playerInterface());
    const QVariantMap expectedPlayer{
        {"PlaybackStatus", "Playing"},
        {"LoopStatus", "None"},
        {"Rate", 1.0},
        {"Shuffle", false},
        {"Volume", 0.5},
        {"MinimumRate", 0.5},
        {"MaximumRate", 2.0},
        {"CanGoNext", false},
        {"CanGoPrevious", false},
        {"CanPlay", true},
        {"CanPause", true},
        {"CanSeek", true},
        {"CanControl", true},
    };
    const std::pair<QVariantMap, QVariantMap> tables[] = {{root, expectedRoot},
                                                          {player, expectedPlayer}};
    for (const auto &[actual, expected] : tables) {
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            QVERIFY2(actual.contains(it.key()), qPrintable(it.key()));
            QCOMPARE(actual.value(it.key()), it.value());
        }
    }
    QVERIFY(player.contains("Metadata"));
    const qlonglong position = player.value("Position").toLongLong();
    QVERIFY2(position > 300000 && position < 8000000, qPrintable(QString::number(position)));
}

void TestDesktop::playbackStatusFollowsThePlayer()
{
    Host host;
    QVERIFY(startPlaying(host, "clip.mp4"));
    QTRY_COMPARE(m_remote->property("PlaybackStatus").toString(), QStringLiteral("Playing"));
    QTRY_VERIFY(m_remote->announced("PlaybackStatus").contains("Playing"));

    const std::pair<void (*)(Host &), QString> steps[] = {
        {[](Host &h) { h.engine()->pause(); }, "Paused"},
        {[](Host &h) { h.engine()->play(); }, "Playing"},
        {[](Host &h) { h.player->stop(); }, "Stopped"},
    };
    for (const auto &[step, status] : steps) {
        m_remote->clearSignals();
        step(host);
        QTRY_COMPARE(m_remote->announced("PlaybackStatus").value(0).toString(), status);
        if (status != "Stopped")
            QCOMPARE(m_remote->property("PlaybackStatus").toString(), status);
    }
    // A player the user stops leaves the desktop's media controls.
    QTRY_VERIFY(!m_remote->isPublished());
}

void TestDesktop::metadataDescribesWhatPlays()
{
    Host host;
    QVERIFY(startPlaying(host, "clip.mp4"));
    QTRY_VERIFY(m_remote->metadata().contains("mpris:length"));
    const QVariantMap first = m_remote->metadata();
    QCOMPARE(first.value("xesam:url").toString(), m_server.url("clip.mp4"));
    QVERIFY(!first.value("xesam:title").toString().isEmpty());
    QVERIFY(qAbs(first.value("mpris:length").toLongLong() - 8000000) < 500000);
    const auto firstTrack = first.value("mpris:trackid").value<QDBusObjectPath>();
    QVERIFY(firstTrack.path().startsWith('/'));
    QVERIFY(!firstTrack.path().endsWith("NoTrack"));

    // Playing on, only the position changes, which is never announced.
    m_remote->clearSignals();
    const double from = host.position();
    QTRY_VERIFY(host.position() > from + 1.0);
    QVERIFY(flushApplicationCalls());
    QCOMPARE(m_remote->announced("Metadata"), QVariantList());
    QCOMPARE(m_remote->announced("PlaybackStatus"), QVariantList());
    QCOMPARE(m_remote->announced("Position"), QVariantList());

    m_remote->clearSignals();
    QVERIFY(startPlaying(host, "clip.mkv"));
    QTRY_VERIFY(!m_remote->announced("Metadata").isEmpty());
    const QVariantMap second = m_remote->metadata();
    QCOMPARE(second.value("xesam:url").toString(), m_server.url("clip.mkv"));
    QVERIFY(second.value("mpris:trackid").value<QDBusObjectPath>() != firstTrack);
}

void TestDesktop::commandsDriveThePlayer_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(std::size(kCommands)); ++row) {
        const Command &command = kCommands[row];
        QTest::addRow("%s while %s", command.method, command.fromPaused ? "paused" : "playing")
            << row;
    }
}

void TestDesktop::commandsDriveThePlayer()
{
    QFETCH(int, row);
    const Command &command = kCommands[row];
    Host host;
    QVERIFY(startPlaying(host, "clip.mp4"));
    QTRY_VERIFY(m_remote->isPublished());
    if (command.fromPaused) {
        host.engine()->pause();
        QTRY_COMPARE(host.status(), Status::Paused);
    }
    const QDBusMessage reply = m_remote->call(command.method);
    QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), command.status, kStartTimeout);
}

void TestDesktop::seekFromTheBus()
{
    Host host;
    QVERIFY(startPlaying(host, "clip.mp4"));
    // Paused, the position moves only by seeks; from a key frame (one a
    // second) a whole number of seconds lands on another, as asked.
    host.engine()->pause();
    QTRY_COMPARE(host.status(), Status::Paused);
    host.engine()->seekTo(1.0);
    QTRY_VERIFY(qAbs(host.position() - 1.0) < 0.05);
    QVERIFY(flushApplicationCalls());
    m_remote->clearSignals();

    QCOMPARE(m_remote->call("Seek", {qlonglong(3000000)}).type(), QDBusMessage::ReplyMessage);
    QTRY_VERIFY(host.position() > 3.5);
    QVERIFY2(qAbs(host.position() - 4.0) < 0.05, qPrintable(QString::number(host.position())));
    QTRY_COMPARE(m_remote->seeks().size(), 1);
    QVERIFY(qAbs(m_remote->seeks().constFirst() - 4000000) < 50000);
}

void TestDesktop::setPositionNamesTheItem()
{
    Host host;
    QVERIFY(startPlaying(host, "clip.mp4"));
    host.engine()->pause();
    QTRY_COMPARE(host.status(), Status::Paused);
    QTRY_VERIFY(m_remote->metadata().contains("mpris:length"));
    const QVariant track = m_remote->metadata().value("mpris:trackid");
    m_remote->clearSignals();

    // Another item's id, and a place past the end, move nothing.
    const QVariant otherTrack = QVariant::fromValue(QDBusObjectPath("/org/tafsir_videos/other"));
    m_remote->call("SetPosition", {otherTrack, qlonglong(2000000)});
    m_remote->call("SetPosition", {track, qlonglong(60000000)});
    m_remote->call("SetPosition", {track, qlonglong(6000000)});
    QTRY_VERIFY(host.position() > 5.9);
    QVERIFY(host.position() < 6.1);
    QTRY_COMPARE(m_remote->seeks().size(), 1);
    QVERIFY(qAbs(m_remote->seeks().constFirst() - 6000000) < 100000);
}

void TestDesktop::seeksOnTheScreenAreAnnounced()
{
    Host host;
    QVERIFY(startPlaying(host, "clip.mp4"));
    QTRY_VERIFY(m_remote->isPublished());
    m_remote->clearSignals();
    host.engine()->seekTo(5.0); // as the seek bar does
    QTRY_VERIFY(host.position() >= 5.0);
    QTRY_COMPARE(m_remote->seeks().size(), 1);
    QVERIFY(qAbs(m_remote->seeks().constFirst() - 5000000) < 500000);
}

void TestDesktop::volumeBothWays()
{
    Host host;
    QVERIFY(startPlaying(host, "clip.mp4"));
    QTRY_VERIFY(m_remote->isPublished());
    m_remote->clearSignals();

    QCOMPARE(m_remote->setProperty("Volume", 0.3).type(), QDBusMessage::ReplyMessage);
    QTRY_COMPARE(host.engine()->state().volume, 30);
    QTRY_COMPARE(m_remote->announced("Volume"), QVariantList{0.3});

    host.engine()->setVolume(70); // as the volume slider does
    QTRY_COMPARE(m_remote->announced("Volume"), (QVariantList{0.3, 0.7}));
    QCOMPARE(m_remote->property("Volume").toDouble(), 0.7);

    // Beyond the ends is the end.
    m_remote->setProperty("Volume", 1.8);
    QTRY_COMPARE(host.engine()->state().volume, 100);
}

void TestDesktop::commandsWithoutEffect()
{
    Host host;
    QVERIFY(startPlaying(host, "clip.mp4"));
    QTRY_VERIFY(m_remote->isPublished());
    const QString location = host.engine()->openedLocation();

    for (const char *method : {"Next", "Previous"})
        QCOMPARE(m_remote->call(method).type(), QDBusMessage::ReplyMessage);
    for (const char *method : {"Raise", "Quit"})
        QCOMPARE(m_remote->callRoot(method).type(), QDBusMessage::ReplyMessage);
    const QDBusMessage refused = m_remote->call("OpenUri", {m_server.url("clip.mkv")});
    QCOMPARE(refused.type(), QDBusMessage::ErrorMessage);
    QCOMPARE(refused.errorName(), QStringLiteral("org.freedesktop.DBus.Error.NotSupported"));

    QCOMPARE(host.engine()->openedLocation(), location);
    QVERIFY(host.window.isVisible());
    QVERIFY(host.engine()->isPlaying());
}

// Every player that plays is an instance of its own, named by the stored
// texts its window gave it; commands from the bus reach that player only; a
// player the user stops is withdrawn, and its name goes to the next one.
void TestDesktop::publishesEveryPlayerThatPlays()
{
    auto first = std::make_unique<Host>();
    auto second = std::make_unique<Host>();
    second->window.move(400, 0);
    first->player->setTitle(QStringLiteral("ســــورة  البقـــرة - 1"));
    second->player->setTitle(QStringLiteral("ســــورة  يـــس - 12"));
    QVERIFY(startPlaying(*first, "clip.mp4"));
    QVERIFY(startPlaying(*second, "clip.mkv"));
    MprisClient secondRemote(testBus(), 2);
    QTRY_VERIFY(m_remote->isPublished());
    QTRY_VERIFY(secondRemote.isPublished());
    QCOMPARE(m_remote->metadata().value("xesam:title").toString(),
             QStringLiteral("ســــورة  البقـــرة - 1"));
    QCOMPARE(secondRemote.metadata().value("xesam:title").toString(),
             QStringLiteral("ســــورة  يـــس - 12"));
    QCOMPARE(secondRemote.metadata().value("xesam:url").toString(), m_server.url("clip.mkv"));

    // Pause from the bus reaches the right window.
    secondRemote.call("Pause");
    QTRY_COMPARE(second->status(), Status::Paused);
    QVERIFY(first->engine()->isPlaying());
    QTRY_COMPARE(secondRemote.property("PlaybackStatus").toString(), QStringLiteral("Paused"));
    QCOMPARE(m_remote->property("PlaybackStatus").toString(), QStringLiteral("Playing"));
    m_remote->call("Pause");
    QTRY_COMPARE(first->status(), Status::Paused);

    // Stopped by the user: withdrawn; played again: published again.
    first->engine()->stop();
    QTRY_COMPARE(first->status(), Status::Stopped);
    QTRY_VERIFY(!m_remote->isPublished());
    QVERIFY(secondRemote.isPublished());
    first->engine()->play();
    QTRY_VERIFY_WITH_TIMEOUT(m_remote->isPublished(), kStartTimeout);

    // A player that goes is withdrawn.
    second.reset();
    QTRY_VERIFY(!secondRemote.isPublished());
    QVERIFY(m_remote->isPublished());
}

// The playback speed is the MPRIS rate, both ways.
void TestDesktop::rateFollowsTheSpeed()
{
    Host host;
    QVERIFY(startPlaying(host, "clip.mp4"));
    QTRY_VERIFY(m_remote->isPublished());
    QTest::keyClick(host.player, Qt::Key_BracketRight);
    QTRY_COMPARE(m_remote->property("Rate").toDouble(), 1.25);
    QTRY_VERIFY(m_remote->announced("Rate").contains(1.25));
    m_remote->setProperty("Rate", 1.75);
    QTRY_COMPARE(host.engine()->state().speed, 1.75);
    m_remote->setProperty("Rate", 0.0); // MPRIS: a pause
    QTRY_COMPARE(host.status(), Status::Paused);
}

// Media keys and the desktop's media applet: Next and Previous from the bus
// step the episodes of the window whose player they name, as its buttons
// do, and Raise brings that window back as the one visible window.
void TestDesktop::mediaKeysStepAndRaiseTheirWindow()
{
    app::Application application;
    const auto playing = [&](QStringView name) -> windows::EpisodeWindow * {
        auto *window = qobject_cast<windows::EpisodeWindow *>(
            application.registry().window(testing::idOf(name)));
        if (!window)
            return nullptr;
        window->show();
        if (!QTest::qWaitForWindowExposed(window))
            return nullptr;
        window->player()->setUrl(m_server.url("clip.mp4"));
        const bool plays = QTest::qWaitFor(
            [window] {
                return window->player()->engine() &&
                       window->player()->engine()->state().status == Status::Playing;
            },
            kStartTimeout);
        return plays ? window : nullptr;
    };
    windows::EpisodeWindow *first = playing(u"Form5");
    QVERIFY(first);
    QTRY_VERIFY(m_remote->isPublished());
    windows::EpisodeWindow *second = playing(u"Form39");
    QVERIFY(second);
    MprisClient secondRemote(testBus(), 2);
    QTRY_VERIFY(secondRemote.isPublished());
    QCOMPARE(secondRemote.propertyOf(MprisClient::rootInterface(), "CanRaise").toBool(), true);

    // Nothing chosen in the list yet: the first episode comes next.
    QTRY_VERIFY(secondRemote.property("CanGoNext").toBool());
    QVERIFY(!secondRemote.property("CanGoPrevious").toBool());
    const qint16 firstIndex = first->list()->listIndex();
    secondRemote.call("Next");
    QTRY_COMPARE(second->list()->listIndex(), qint16(0));
    secondRemote.call("Next");
    QTRY_COMPARE(second->list()->listIndex(), qint16(1));
    const std::string_view location = *catalogue::location(layout::form(39), 1);
    QCOMPARE(second->player()->url(), QString::fromUtf8(location.data(), location.size()));
    QTRY_VERIFY(secondRemote.property("CanGoPrevious").toBool());
    QVERIFY(secondRemote.announced("CanGoPrevious").contains(true));
    secondRemote.call("Previous");
    QTRY_COMPARE(second->list()->listIndex(), qint16(0));
    QCOMPARE(first->list()->listIndex(), firstIndex);

    // The window the applet names comes back; the one shown goes.
    second->hide();
    first->show();
    QVERIFY(QTest::qWaitForWindowExposed(first));
    secondRemote.callRoot("Raise");
    QTRY_VERIFY(second->isVisible());
    QVERIFY(!first->isVisible());
}

void TestDesktop::applicationAttachesItsPlayers()
{
    app::Application application;
    auto *window =
        qobject_cast<windows::EpisodeWindow *>(application.registry().window(layout::form(5)));
    QVERIFY(window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->player()->setUrl(m_server.url("clip.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(window->player()->engine() &&
                                 window->player()->engine()->state().status == Status::Playing,
                             kStartTimeout);
    QTRY_COMPARE(m_saver->activeInhibitions(), 1);
    QTRY_VERIFY(m_remote->isPublished());
}

void TestDesktop::quittingReleasesInhibition()
{
    Host host;
    QVERIFY(startPlaying(host, "clip.mp4"));
    QTRY_COMPARE(m_saver->activeInhibitions(), 1);

    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCOMPARE(QApplication::exec(), 0);
    QTRY_COMPARE(m_saver->activeInhibitions(), 0);
    // Nothing else stopped the player here; the session let go for itself.
    QVERIFY(host.engine()->isPlaying());
}

int main(int argc, char *argv[])
{
    testing::PrivateBus bus;
    if (!bus.start()) {
        qCritical("cannot start a dbus-daemon of the test's own");
        return 1;
    }
    // Qt connects to the session bus once per process, possibly while the
    // application object is being made: the address must be set before.
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toUtf8());
    QApplication application(argc, argv);
    TestDesktop test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktop.moc"
