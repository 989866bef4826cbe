// The embedded player with real media: libmpv playing files served over HTTP
// on 127.0.0.1, drawn through its render context in a real X window.

#include "app/application.h"
#include "common/player_host.h"
#include "common/screen_pictures.h"
#include "common/window_names.h"
#include "media_server.h"
#include "player/engine.h"
#include "player/player_widget.h"
#include "player/status_text.h"
#include "player/video_surface.h"
#include "windows/episode/episode_window.h"

#include <QApplication>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <clocale>
#include <memory>
#include <mpv/client.h>

using player::PlayerWidget;

namespace {

constexpr int kStartTimeout = 20000;

using Host = testing::PlayerHost;

qint64 engineCount(PlayerWidget *player, const char *property)
{
    qint64 value = -1;
    mpv_get_property(player->engine()->handle().get(), property, MPV_FORMAT_INT64, &value);
    return value;
}

// Off screen, every frame mpv offers must still be answered: unanswered
// frames make the video output wait for each one and then drop it.
void expectPlaysOffScreen(Host &host)
{
    const double from = host.position();
    const qint64 framesFrom = engineCount(host.player, "estimated-frame-number");
    const qint64 dropsFrom = engineCount(host.player, "frame-drop-count");
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > from + 2.0, 10000);
    const qint64 frames = engineCount(host.player, "estimated-frame-number") - framesFrom;
    const qint64 drops = engineCount(host.player, "frame-drop-count") - dropsFrom;
    QVERIFY2(frames >= 40, qPrintable(QString("frames shown: %1").arg(frames)));
    QVERIFY2(drops * 4 < frames,
             qPrintable(QString("%1 of %2 frames dropped").arg(drops).arg(frames)));
}

bool hasColouredPixels(const QImage &image)
{
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() + c.green() + c.blue() > 120)
                return true;
        }
    }
    return false;
}

} // namespace

class TestPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void playsLocationWithSurroundingBlanks();
    void noEngineBeforeTheFirstUrl();
    void enginesLeaveTheProcessLocaleAlone();
    void surfaceThatCannotDrawFailsAtOnce();
    void newUrlReplacesWhatPlays();
    void keepsPlayingWhileHidden();
    void keepsPlayingWhileMinimised();
    void quittingWhilePlayingStopsEveryPlayer();
    void timeText_data();
    void timeText();

private:
    MediaServer m_server;
};

void TestPlayer::initTestCase()
{
    QVERIFY(m_server.start(QStringLiteral(TEST_MEDIA_DIR)));
}

void TestPlayer::init()
{
    m_server.clearRequestedPaths();
}

void TestPlayer::playsLocationWithSurroundingBlanks()
{
    Host host;
    QVERIFY(host.show());
    const QString address = m_server.url("clip.mp4");
    const QString stored = "  " + address + " ";
    host.player->setUrl(stored);

    QCOMPARE(host.player->url(), stored); // the property keeps the exact text
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 1.0, kStartTimeout);
    QCOMPARE(host.player->engine()->openedLocation(), address);
    QVERIFY(host.player->engine()->isPlaying());
    QVERIFY(m_server.requestedPaths().contains("clip.mp4"));
    // The picture reaches the screen.
    QTRY_VERIFY(hasColouredPixels(testing::grabScreenOf(host.player->surface())));
}

void TestPlayer::noEngineBeforeTheFirstUrl()
{
    Host host;
    QVERIFY(host.show());
    QVERIFY(!host.player->engine()->hasStarted());
    QVERIFY(!host.player->engine()->isValid());
    QVERIFY(!host.player->surface());
    QVERIFY(host.player->url().isEmpty());
}

// The numeric locale is the process's, set once before any player thread
// runs: a new engine, made while others play, does not set it again.
void TestPlayer::enginesLeaveTheProcessLocaleAlone()
{
    Host host;
    QVERIFY(host.show());
    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 0.5, kStartTimeout);
    QCOMPARE(std::setlocale(LC_NUMERIC, nullptr), "C");

    // Another locale, as if something had set it since: a new engine
    // leaves it as it finds it.
    QVERIFY(std::setlocale(LC_NUMERIC, "C.UTF-8"));
    {
        player::Engine another;
        another.start(); // mpv refuses to make a core under this locale
        QVERIFY(another.hasStarted());
        QCOMPARE(std::setlocale(LC_NUMERIC, nullptr), "C.UTF-8");
    }
    std::setlocale(LC_NUMERIC, "C");
    QVERIFY(host.player->engine()->isPlaying());
}

// A video surface that cannot draw is the player's own fault, named at once
// rather than as a server too slow when the opening's time limit runs out.
void TestPlayer::surfaceThatCannotDrawFailsAtOnce()
{
    player::Engine engine;
    QVERIFY(engine.start());
    engine.open(m_server.url("clip.mp4"));
    QCOMPARE(engine.status(), player::Status::Connecting);
    engine.setRenderFailed();
    QCOMPARE(engine.status(), player::Status::Failed);
    QCOMPARE(engine.state().fault, player::Fault::EngineUnavailable);
    engine.open(m_server.url("clip.mkv"));
    QCOMPARE(engine.status(), player::Status::Failed);
    QCOMPARE(engine.state().fault, player::Fault::EngineUnavailable);

    // A core has one render context: a second surface for a player's core
    // cannot make one, and says so.
    Host host;
    QVERIFY(host.show());
    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 0.5, kStartTimeout);
    if (!host.player->surface()->inherits("player::SoftwareVideoSurface"))
        QSKIP("an OpenGL surface makes its render context only once it is shown");
    std::unique_ptr<player::VideoSurface> second(
        player::VideoSurface::create(host.engine()->handle(), nullptr));
    QSignalSpy failed(second.get(), &player::VideoSurface::renderFailed);
    QTRY_COMPARE(failed.count(), 1);
    QVERIFY(host.engine()->isPlaying());
}

void TestPlayer::newUrlReplacesWhatPlays()
{
    Host host;
    QVERIFY(host.show());
    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 1.0, kStartTimeout);
    host.player->setUrl(m_server.url("clip.mkv"));
    QCOMPARE(host.player->engine()->openedLocation(), m_server.url("clip.mkv"));
    QTRY_VERIFY_WITH_TIMEOUT(m_server.requestedPaths().contains("clip.mkv"), kStartTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(host.position() < 1.0, kStartTimeout); // started over
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 1.0, kStartTimeout);
}

void TestPlayer::keepsPlayingWhileHidden()
{
    Host host;
    QVERIFY(host.show());
    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 0.5, kStartTimeout);
    host.window.hide();
    expectPlaysOffScreen(host);
    QVERIFY(!host.window.isVisible());
}

void TestPlayer::keepsPlayingWhileMinimised()
{
    Host host;
    QVERIFY(host.show());
    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 0.5, kStartTimeout);
    host.window.showMinimized();
    QTRY_VERIFY(!host.window.windowHandle()->isExposed());
    expectPlaysOffScreen(host);
    QVERIFY(!host.window.windowHandle()->isExposed());
}

void TestPlayer::quittingWhilePlayingStopsEveryPlayer()
{
    app::prepareQtApplication();
    auto application = std::make_unique<app::Application>();
    app::WindowRegistry &registry = application->registry();
    // Two episode windows play, one of them hidden; the other is the visible one.
    QList<PlayerWidget *> players;
    for (const QString name : {"Form4", "Form3"}) {
        auto *window = qobject_cast<windows::EpisodeWindow *>(registry.window(testing::idOf(name)));
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->player()->setUrl(m_server.url(name == "Form4" ? "clip.mkv" : "clip.mp4"));
        players.append(window->player());
        QTRY_VERIFY_WITH_TIMEOUT(window->player()->engine()->position() > 0.5, kStartTimeout);
        if (name == "Form4")
            window->hide();
    }
    QMainWindow *visible = registry.existing(layout::form(3));
    QTimer::singleShot(0, visible, [visible] { visible->close(); });
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    for (PlayerWidget *player : players)
        QTRY_VERIFY(!player->engine()->isPlaying());
    application.reset(); // tears every player down
}

void TestPlayer::timeText_data()
{
    QTest::addColumn<double>("position");
    QTest::addColumn<double>("duration");
    QTest::addColumn<QString>("text");
    QTest::newRow("start") << 0.0 << 8.0 << "0:00 / 0:08";
    QTest::newRow("middle") << 61.7 << 125.0 << "1:01 / 2:05";
    QTest::newRow("past the end") << 130.0 << 125.0 << "2:05 / 2:05";
    QTest::newRow("before the start") << -7.0 << 125.0 << "0:00 / 2:05";
    QTest::newRow("before the start, no duration") << -7.0 << 0.0 << "0:00 / 0:00";
    QTest::newRow("no duration yet") << 42.0 << 0.0 << "0:42 / 0:00";
    QTest::newRow("hours") << 3725.0 << 7200.0 << "1:02:05 / 2:00:00";
}

void TestPlayer::timeText()
{
    QFETCH(double, position);
    QFETCH(double, duration);
    QFETCH(QString, text);
    QCOMPARE(player::timeText(position, duration), text);
}

QTEST_MAIN(TestPlayer)
#include "tst_player.moc"
