// The complete player: every container over http and https, the faults a
// stream meets (each a clear status, the next choice plays), the control bar,
// keys, mouse and context menu driving the real engine, and the properties
// the player starts with.

#include "common/closed_port.h"
#include "common/engine_property.h"
#include "common/player_host.h"
#include "https_media_server.h"
#include "media_server.h"
#include "player/control_bar.h"
#include "player/player_actions.h"
#include "player/translation.h"
#include "resources/layouts/episode_layouts.h"
#include "windows/episode/episode_list.h"
#include "windows/episode/episode_window.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <mpv/client.h>

using player::Fault;
using player::Status;
using testing::PlayerHost;

Q_DECLARE_METATYPE(player::Status)
Q_DECLARE_METATYPE(player::Fault)
Q_DECLARE_METATYPE(MediaServer::Mode)

namespace {

constexpr int kStartTimeout = 20000;

void clickButton(PlayerHost &host, const char *name)
{
    auto *button = host.player->findChild<QToolButton *>(name);
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class TestPlayback : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startingProperties();
    void everyContainer_data();
    void everyContainer();
    void httpsWithTrustedCertificate();
    void faultsGiveAStatusAndTheNextChoicePlays_data();
    void faultsGiveAStatusAndTheNextChoicePlays();
    void untrustedCertificateIsRefused();
    void stallShowsBufferingAndKeepsTheWindowResponsive();
    void fiftyQuickChoicesEndWithTheLast();
    void controlBarDrivesTheEngine();
    void volumeAndMute();
    void keysAndWheel();
    void contextMenuOffersTheActions();
    void fullScreenAndBack();
    void playersStartAndEndTogether();

private:
    MediaServer m_server;
    HttpsMediaServer m_secureServer;
    std::unique_ptr<PlayerHost> m_host;
};

void TestPlayback::initTestCase()
{
    player::installTranslation();
    QVERIFY(m_server.start(QStringLiteral(TEST_MEDIA_DIR)));
    QVERIFY(m_secureServer.start(QStringLiteral(TEST_MEDIA_DIR)));
}

void TestPlayback::init()
{
    m_host = std::make_unique<PlayerHost>();
    QVERIFY(m_host->show());
}

void TestPlayback::cleanup()
{
    m_host.reset();
    player::Engine::setCertificateBundle(QStringLiteral("/etc/ssl/certs/ca-certificates.crt"));
    for (const QString file : {"clip.mp4", "clip.mkv", "clip.ogv"})
        m_server.setMode(file, MediaServer::Mode::Normal);
}

void TestPlayback::startingProperties()
{
    PlayerHost &host = *m_host;
    QCOMPARE(host.statusLabel(), QString("جاهز")); // Arabic from the first moment
    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(host.status() == Status::Playing, kStartTimeout);
    QCOMPARE(testing::engineProperty(host, "volume").toDouble(), 50.0);
    QCOMPARE(testing::engineProperty(host, "speed").toDouble(), 1.0);
    QCOMPARE(testing::engineProperty(host, "mute"), "no");
    QCOMPARE(testing::engineProperty(host, "loop-file"), "no");
    QCOMPARE(testing::engineProperty(host, "loop-playlist"), "no");
    QCOMPARE(testing::engineProperty(host, "fullscreen"), "no");
    QCOMPARE(testing::engineProperty(host, "video-unscaled"), "downscale-big"); // never enlarged
    QCOMPARE(testing::engineProperty(host, "keepaspect"), "yes");
    QCOMPARE(testing::engineProperty(host, "ytdl"), "no");
    QCOMPARE(testing::engineProperty(host, "tls-verify"), "yes");
    QCOMPARE(host.player->findChild<QSlider *>("volumeSlider")->value(), 50);
    QVERIFY(!host.player->actions().mute->isChecked());
    QVERIFY(!host.player->actions().fullScreen->isChecked());
    QCOMPARE(host.statusLabel(), QString("قيد التشغيل"));
}

void TestPlayback::everyContainer_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("hasVideo");
    QTest::newRow("flv") << "clip.flv" << true;
    QTest::newRow("ogv") << "clip.ogv" << true;
    QTest::newRow("mkv") << "clip.mkv" << true;
    QTest::newRow("mp4") << "clip.mp4" << true;
    QTest::newRow("wmv") << "clip.wmv" << true;
    QTest::newRow("mp3") << "clip.mp3" << false;
}

void TestPlayback::everyContainer()
{
    QFETCH(QString, file);
    QFETCH(bool, hasVideo);
    PlayerHost &host = *m_host;
    host.player->setUrl(m_server.url(file));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 1.0, kStartTimeout);
    QCOMPARE(host.status(), Status::Playing);
    QCOMPARE(host.engine()->state().hasVideo, hasVideo);
    QCOMPARE(host.engine()->state().title, file);
    QVERIFY(qAbs(host.engine()->duration() - 8.0) < 0.5);
}

void TestPlayback::httpsWithTrustedCertificate()
{
    player::Engine::setCertificateBundle(HttpsMediaServer::certificateFile());
    PlayerHost &host = *m_host;
    const QString location = m_secureServer.url("clip.ogv");
    QVERIFY(location.startsWith("https://127.0.0.1:"));
    host.player->setUrl(location);
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 1.0, kStartTimeout);
    QCOMPARE(host.status(), Status::Playing);
}

void TestPlayback::faultsGiveAStatusAndTheNextChoicePlays_data()
{
    QTest::addColumn<QString>("location"); // %1: the server's address
    QTest::addColumn<MediaServer::Mode>("mode");
    QTest::addColumn<Status>("status");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("text");
    using M = MediaServer::Mode;
    QTest::newRow("404") << "%1/clip.mkv" << M::NotFound << Status::Failed << Fault::NotFound
                         << "الملف غير موجود على الخادم";
    QTest::newRow("missing file") << "%1/no-such-clip.mp4" << M::Normal << Status::Failed
                                  << Fault::NotFound << "الملف غير موجود على الخادم";
    QTest::newRow("garbage") << "%1/clip.mkv" << M::Garbage << Status::Failed
                             << Fault::UnsupportedMedia << "لا يمكن تشغيل هذا الملف";
    QTest::newRow("closed midway") << "%1/clip.mkv" << M::CloseMidway << Status::EndedEarly
                                   << Fault::None << "انقطع البث قبل نهايته";
    QTest::newRow("refused") << QString("http://127.0.0.1:%1/clip.mp4").arg(testing::closedPort())
                             << M::Normal << Status::Failed << Fault::ConnectionRefused
                             << "رفض الخادم الاتصال";
    QTest::newRow("unknown host") << "http://no-such-host.invalid/clip.mp4" << M::Normal
                                  << Status::Failed << Fault::UnknownHost
                                  << "عنوان الخادم غير معروف";
}

void TestPlayback::faultsGiveAStatusAndTheNextChoicePlays()
{
    QFETCH(QString, location);
    QFETCH(MediaServer::Mode, mode);
    QFETCH(Status, status);
    QFETCH(Fault, fault);
    QFETCH(QString, text);
    PlayerHost &host = *m_host;
    m_server.setMode("clip.mkv", mode);
    const QString base = m_server.url({}).chopped(1);
    host.player->setUrl(location.contains("%1") ? location.arg(base) : location);

    QTRY_COMPARE_WITH_TIMEOUT(host.status(), status, kStartTimeout);
    QTRY_COMPARE(host.engine()->state().fault, fault);
    QCOMPARE(host.statusLabel(), text);
    QVERIFY(host.window.isVisible());

    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 1.0, kStartTimeout);
    QCOMPARE(host.status(), Status::Playing);
    QCOMPARE(host.engine()->state().fault, Fault::None);
}

void TestPlayback::untrustedCertificateIsRefused()
{
    // The system's trusted certificates do not include the test server's.
    PlayerHost &host = *m_host;
    host.player->setUrl(m_secureServer.url("clip.mp4"));
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), Status::Failed, kStartTimeout);
    QTRY_COMPARE(host.engine()->state().fault, Fault::CertificateSelfSigned);
    QCOMPARE(host.statusLabel(), QString("شهادة الخادم موقَّعة ذاتيًا"));
    QVERIFY(!m_secureServer.requestedPaths().contains("clip.mp4")); // nothing was fetched
}

void TestPlayback::stallShowsBufferingAndKeepsTheWindowResponsive()
{
    PlayerHost &host = *m_host;
    m_server.setMode("clip.ogv", MediaServer::Mode::Stall);
    // The GUI thread goes on serving events while the stream stalls.
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(20);
    host.player->setUrl(m_server.url("clip.ogv"));
    QTRY_VERIFY_WITH_TIMEOUT(
        host.status() == Status::Connecting || host.status() == Status::Buffering, kStartTimeout);
    // The stream stalls for good: a GUI thread held by it would never tick
    // again, whatever the machine's load.
    const int ticksAtStall = ticks;
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= ticksAtStall + 25, 20000);
    QVERIFY(host.status() == Status::Connecting || host.status() == Status::Buffering);
    QVERIFY(host.statusLabel().startsWith("جارٍ"));

    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 1.0, kStartTimeout);
    QCOMPARE(host.status(), Status::Playing);
}

void TestPlayback::fiftyQuickChoicesEndWithTheLast()
{
    PlayerHost &host = *m_host;
    const QStringList files{"clip.flv", "clip.ogv", "no-such-clip.mp4", "clip.wmv", "clip.mp3"};
    for (int i = 0; i < 49; ++i)
        host.player->setUrl(m_server.url(files[i % files.size()]));
    host.player->setUrl(m_server.url("clip.mkv"));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 1.0, kStartTimeout);
    QCOMPARE(host.status(), Status::Playing);
    QCOMPARE(host.engine()->state().title, QString("clip.mkv"));
    QCOMPARE(host.engine()->openedLocation(), m_server.url("clip.mkv"));
}

void TestPlayback::controlBarDrivesTheEngine()
{
    PlayerHost &host = *m_host;
    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 0.5, kStartTimeout);

    clickButton(host, "playPauseButton");
    QTRY_COMPARE(host.status(), Status::Paused);
    QCOMPARE(host.statusLabel(), QString("متوقف مؤقتًا"));
    // The core itself is paused where the position stands.
    QCOMPARE(testing::engineProperty(host, "pause"), QString("yes"));
    const double pausedAt = testing::engineProperty(host, "time-pos").toDouble();
    QVERIFY2(qAbs(host.position() - pausedAt) < 0.3,
             qPrintable(QStringLiteral("%1 / %2").arg(host.position()).arg(pausedAt)));

    clickButton(host, "playPauseButton");
    QTRY_COMPARE(host.status(), Status::Playing);

    // The seek bar: a click on its groove moves the position.
    auto *seek = host.player->findChild<QSlider *>("seekSlider");
    QTRY_VERIFY(seek->maximum() > 7000);
    QTest::mouseClick(seek, Qt::LeftButton, {}, QPoint(seek->width() * 3 / 4, seek->height() / 2));
    QTRY_VERIFY(host.position() > pausedAt + 2.0);
    QVERIFY2(host.player->findChild<QLabel *>("timeLabel")->text().endsWith(" / 0:08"),
             qPrintable(host.player->findChild<QLabel *>("timeLabel")->text()));

    clickButton(host, "seekBackButton");
    QTRY_VERIFY(host.position() < 2.0);

    clickButton(host, "stopButton");
    QTRY_COMPARE(host.status(), Status::Stopped);
    QCOMPARE(host.statusLabel(), QString("متوقف"));

    clickButton(host, "playPauseButton"); // plays the same location again
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 0.5, kStartTimeout);
    QCOMPARE(host.status(), Status::Playing);

    // To the end: finished.
    QTest::keyClick(host.player, Qt::Key_Up);
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), Status::Finished, kStartTimeout);
    QCOMPARE(host.statusLabel(), QString("انتهى"));
}

void TestPlayback::volumeAndMute()
{
    PlayerHost &host = *m_host;
    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), Status::Playing, kStartTimeout);

    clickButton(host, "muteButton");
    QTRY_VERIFY(host.engine()->state().muted);
    QTRY_COMPARE(testing::engineProperty(host, "mute"), QString("yes"));
    clickButton(host, "muteButton");
    QTRY_VERIFY(!host.engine()->state().muted);

    auto *volume = host.player->findChild<QSlider *>("volumeSlider");
    QTest::mouseClick(volume, Qt::LeftButton, {},
                      QPoint(volume->width() - 2, volume->height() / 2));
    QTRY_VERIFY(host.engine()->state().volume > 50);
    QTRY_COMPARE(testing::engineProperty(host, "volume").toDouble(),
                 double(host.engine()->state().volume));
}

void TestPlayback::keysAndWheel()
{
    PlayerHost &host = *m_host;
    host.player->setUrl(m_server.url("clip.ogv"));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 0.5, kStartTimeout);

    QTest::keyClick(host.player, Qt::Key_Space);
    QTRY_COMPARE(host.status(), Status::Paused);
    QTest::keyClick(host.player, Qt::Key_Right);
    QTRY_VERIFY(host.position() > 5.0);
    QTest::keyClick(host.player, Qt::Key_Left);
    QTRY_VERIFY(host.position() < 2.5);
    QTest::keyClick(host.player, Qt::Key_Space);
    QTRY_COMPARE(host.status(), Status::Playing);

    QTest::keyClick(host.player, Qt::Key_M);
    QTRY_VERIFY(host.engine()->state().muted);
    QTest::keyClick(host.player, Qt::Key_M);
    QTRY_VERIFY(!host.engine()->state().muted);

    QTest::keyClick(host.player, Qt::Key_0);
    QTRY_COMPARE(host.engine()->state().volume, 52);
    QTest::keyClick(host.player, Qt::Key_9);
    QTest::keyClick(host.player, Qt::Key_9);
    QTRY_COMPARE(host.engine()->state().volume, 48);

    // One wheel notch up over the video.
    const QPoint atVideo(100, 100);
    QWheelEvent wheel(atVideo, host.player->mapToGlobal(atVideo), {},
                      {0, QWheelEvent::DefaultDeltasPerStep}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(host.player, &wheel);
    QTRY_COMPARE(host.engine()->state().volume, 53);
}

void TestPlayback::contextMenuOffersTheActions()
{
    PlayerHost &host = *m_host;
    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), Status::Playing, kStartTimeout);
    // The menu the player shows on a right click over the video (a real
    // one opens it in tst_player_view).
    const std::unique_ptr<QMenu> menu(host.player->actions().buildContextMenu(host.player));
    QStringList offered;
    QAction *playPause = nullptr;
    for (QAction *a : menu->actions()) {
        if (!a->isSeparator())
            offered.append(a->menu() ? a->menu()->objectName() : a->objectName());
        if (a->objectName() == "playPauseAction")
            playPause = a;
    }
    QCOMPARE(offered,
             (QStringList{"playPauseAction", "stopAction", "seekBackAction", "seekForwardAction",
                          "previousEpisodeAction", "nextEpisodeAction", "speedMenu", "muteAction",
                          "fullScreenAction"}));
    QVERIFY(playPause && playPause->isEnabled());
    playPause->trigger(); // as a click on it does
    QTRY_COMPARE(host.status(), Status::Paused);
}

void TestPlayback::fullScreenAndBack()
{
    const auto &layout = layout::kEpisodeLayouts[0];
    windows::EpisodeWindow window(layout);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize normalSize = window.size();
    const QRect playerGeometry = window.player()->geometry();
    window.player()->setUrl(m_server.url("clip.mp4"));
    QTRY_COMPARE_WITH_TIMEOUT(window.player()->engine()->status(), Status::Playing, kStartTimeout);

    QTest::mouseClick(window.player()->findChild<QToolButton *>("fullScreenButton"),
                      Qt::LeftButton);
    QTRY_VERIFY(window.isFullScreen());
    QTRY_VERIFY(window.player()->width() > playerGeometry.width());
    QVERIFY(window.player()->actions().fullScreen->isChecked());
    QVERIFY(!window.list()->isVisible());

    QTest::keyClick(window.player(), Qt::Key_Escape);
    QTRY_VERIFY(!window.isFullScreen());
    QTRY_COMPARE(window.size(), normalSize);
    QCOMPARE(window.player()->geometry(), playerGeometry);
    QVERIFY(window.list()->isVisible());
    QVERIFY(!window.player()->actions().fullScreen->isChecked());

    // f and a double-click on the video do the same.
    QTest::keyClick(window.player(), Qt::Key_F);
    QTRY_VERIFY(window.isFullScreen());
    QTest::mouseDClick(window.player(), Qt::LeftButton, {}, QPoint(100, 100));
    QTRY_VERIFY(!window.isFullScreen());
    // Playback goes on (a slow build may buffer a moment after the resizes).
    QTRY_COMPARE_WITH_TIMEOUT(window.player()->engine()->status(), Status::Playing, 10000);
}

// Several players in one process start, play and end at the same moments,
// round after round, on a machine without a sound server or device (as
// here): each core looks for a sound output on its own thread, and none may
// crash or hang the process while another starts or ends.
void TestPlayback::playersStartAndEndTogether()
{
    m_host.reset();
    for (int round = 0; round < 8; ++round) {
        std::vector<std::unique_ptr<PlayerHost>> hosts;
        for (int i = 0; i < 3; ++i) {
            hosts.push_back(std::make_unique<PlayerHost>());
            QVERIFY(hosts.back()->show());
            hosts.back()->player->setUrl(m_server.url(i % 2 ? "clip.mkv" : "clip.mp4"));
        }
        for (const auto &host : hosts)
            QTRY_VERIFY_WITH_TIMEOUT(host->position() > 0.3, kStartTimeout);
        hosts.clear();
    }
}

QTEST_MAIN(TestPlayback)
#include "tst_playback.moc"
