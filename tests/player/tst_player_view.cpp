// The player as a person sees it, read from the X server rather than from
// the player's state: a clip whose quadrants tell up from down and left from
// right, compared with its own decoded first frame, in a window, in full
// screen and (run again by CTest) at a scale factor of 2; the picture cleared
// for a new choice and after a failure; the window as it was after full
// screen, its frame included.

#include "app/application.h"
#include "common/player_host.h"
#include "common/real_input.h"
#include "common/screen_pictures.h"
#include "common/x11_windows.h"
#include "media_server.h"
#include "player/audio_card.h"
#include "player/control_bar.h"
#include "player/engine.h"
#include "player/player_actions.h"
#include "player/player_widget.h"
#include "player/video_surface.h"
#include "resources/layouts/episode_layouts.h"
#include "windows/episode/episode_list.h"
#include "windows/episode/episode_window.h"

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QtMath>
#include <memory>

using player::Status;
using testing::PlayerHost;

namespace {

constexpr int kStartTimeout = 20000;
const QSize kOrientSize(640, 360);

QImage orientSource()
{
    return QImage(QDir(QStringLiteral(TEST_MEDIA_DIR)).filePath(QStringLiteral("orient.png")));
}

QWidget *videoAreaOf(player::PlayerWidget *player)
{
    return player->findChild<QWidget *>(QStringLiteral("videoArea"));
}

// Compares the video area on screen with the source frame, placed as the
// player places it. Returns a message on failure, an empty text on success.
QString compareWithSource(QWidget *videoArea, bool enlarge, const QString &saveAs)
{
    const QImage shot = testing::grabScreenOf(videoArea);
    shot.save(QDir(QStringLiteral(SCREENSHOT_DIR)).filePath(saveAs));
    // The video is drawn in device pixels, as is the grabbed picture.
    const QRect rect = testing::videoRect(kOrientSize, shot.size(), enlarge);
    const QImage onScreen = shot.copy(rect);
    const QImage expected = testing::scaledSource(orientSource(), rect.size());
    const double upright = testing::meanDifference(onScreen, expected);
    const double flipped = testing::meanDifference(onScreen, expected.mirrored(false, true));
    const double mirrored = testing::meanDifference(onScreen, expected.mirrored(true, false));
    if (upright < 16.0 && flipped > 60.0 && mirrored > 60.0)
        return {};
    return QStringLiteral("video %1x%2 at %3,%4 in %5x%6: differs by %7 from the source, "
                          "%8 flipped, %9 mirrored")
        .arg(rect.width())
        .arg(rect.height())
        .arg(rect.x())
        .arg(rect.y())
        .arg(shot.width())
        .arg(shot.height())
        .arg(upright, 0, 'f', 1)
        .arg(flipped, 0, 'f', 1)
        .arg(mirrored, 0, 'f', 1);
}

// How the widget on the X server's screen differs from its own drawing,
// with `hidden` (in its coordinates) left out of both, e.g. video that a
// surface draws in a native window; empty when they agree. The screen is
// saved under `saveAs`.
QString differsFromItsDrawing(QWidget *widget, const QRect &hidden, const QString &saveAs)
{
    QImage onScreen = testing::grabScreenOf(widget);
    QImage drawn = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    onScreen.save(QDir(QStringLiteral(SCREENSHOT_DIR)).filePath(saveAs));
    if (onScreen.size() != drawn.size())
        return QStringLiteral("%1x%2 on the screen, %3x%4 drawn")
            .arg(onScreen.width())
            .arg(onScreen.height())
            .arg(drawn.width())
            .arg(drawn.height());
    const qreal ratio = drawn.devicePixelRatio();
    for (QImage *image : {&onScreen, &drawn}) {
        image->setDevicePixelRatio(1); // painted in device pixels
        QPainter blank(image);
        blank.fillRect(QRectF(QPointF(hidden.topLeft()) * ratio, QSizeF(hidden.size()) * ratio),
                       Qt::black);
    }
    const double difference = testing::meanDifference(onScreen, drawn, 0);
    return difference < 2.0 ? QString() : QStringLiteral("differs by %1").arg(difference);
}

// Waits until playback is paused on a frame of the clip; the frame may
// reach the screen a little later, so screen checks after it retry.
bool playOrientAndPause(player::PlayerWidget *player, const QString &url)
{
    player->setUrl(url);
    if (!QTest::qWaitFor([player] { return player->engine()->position() > 0.5; }, kStartTimeout))
        return false;
    player->engine()->pause();
    return QTest::qWaitFor([player] { return player->engine()->status() == Status::Paused; });
}

// Shows an episode window active and plays the orientation clip in it, paused.
bool showPlayingAndPaused(windows::EpisodeWindow &window, const QString &url)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window) && playOrientAndPause(window.player(), url);
}

} // namespace

class TestPlayerView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void pictureIsUprightInTheWindow();
    void fullScreenFillsTheScreenAndHidesTheControls();
    void leavingFullScreenRestoresTheWindow();
    void newChoiceAndFailureClearThePicture();
    void soundOnlyFileShowsACard();
    void videoTakesRealClicks();
    void listStaysAboveTheVideo();

private:
    MediaServer m_server;
};

void TestPlayerView::initTestCase()
{
    QVERIFY(m_server.start(QStringLiteral(TEST_MEDIA_DIR)));
    QVERIFY(!orientSource().isNull());
    QCOMPARE(orientSource().size(), kOrientSize);
    QVERIFY(QDir().mkpath(QStringLiteral(SCREENSHOT_DIR)));
}

void TestPlayerView::pictureIsUprightInTheWindow()
{
    PlayerHost host;
    QVERIFY(host.show());
    QVERIFY(playOrientAndPause(host.player, m_server.url("orient.mp4")));
    // The run says which surface it means to see drawing.
    const QByteArray expected = qgetenv("TAFSIR_TEST_EXPECT_SURFACE");
    if (expected == "gl")
        QVERIFY(host.player->surface()->inherits("player::GlVideoSurface"));
    else if (expected == "software")
        QVERIFY(host.player->surface()->inherits("player::SoftwareVideoSurface"));
    QString fault;
    QTRY_VERIFY2(
        (fault = compareWithSource(videoAreaOf(host.player), false, "player-window.png")).isEmpty(),
        qPrintable(fault));
}

void TestPlayerView::fullScreenFillsTheScreenAndHidesTheControls()
{
    windows::EpisodeWindow window(layout::kEpisodeLayouts[0]);
    QVERIFY(showPlayingAndPaused(window, m_server.url("orient.mp4")));
    player::PlayerWidget *player = window.player();
    player->setFocus(); // as a click on the video gives it

    QTest::keyClick(window.windowHandle(), Qt::Key_F);
    QTRY_VERIFY(window.isFullScreen());
    // With OpenGL on a software rasteriser, beside another test, the window
    // manager's resize can take several seconds to arrive.
    QTRY_COMPARE_WITH_TIMEOUT(window.geometry(), window.screen()->geometry(), 15000);
    auto *controls = player->controlBar();
    QVERIFY(controls->isVisible());
    // The mouse rests: the controls and the pointer go, the video takes the
    // whole screen, enlarged with its aspect kept.
    QTRY_VERIFY_WITH_TIMEOUT(!controls->isVisible(), 4000);
    QCOMPARE(player->cursor().shape(), Qt::BlankCursor);
    QTRY_COMPARE(videoAreaOf(player)->size(), window.screen()->size());
    QString fault;
    QTRY_VERIFY2(
        (fault = compareWithSource(videoAreaOf(player), true, "player-fullscreen.png")).isEmpty(),
        qPrintable(fault));

    // Keys still work with the controls hidden.
    QTest::keyClick(window.windowHandle(), Qt::Key_Space);
    QTRY_COMPARE(player->engine()->status(), Status::Playing);
    QVERIFY(!controls->isVisible());

    // The mouse moves: the controls and the pointer come back.
    QTest::mouseMove(player, QPoint(200, 200));
    QTRY_VERIFY(controls->isVisible());
    QVERIFY(player->cursor().shape() != Qt::BlankCursor);

    // Back in the window, the video is not enlarged.
    QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
    QTRY_VERIFY(!window.isFullScreen());
    player->engine()->pause();
    QTRY_COMPARE(player->engine()->status(), Status::Paused);
    QVERIFY(controls->isVisible());
    QTRY_VERIFY2(
        (fault = compareWithSource(videoAreaOf(player), false, "player-after-fullscreen.png"))
            .isEmpty(),
        qPrintable(fault));
}

void TestPlayerView::leavingFullScreenRestoresTheWindow()
{
    app::prepareQtApplication();
    auto application = std::make_unique<app::Application>();
    auto *window =
        qobject_cast<windows::EpisodeWindow *>(application->registry().window(layout::form(5)));
    QVERIFY(window);
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QVERIFY(playOrientAndPause(window->player(), m_server.url("orient.mp4")));
    window->player()->setFocus();
    const QRect frameBefore = testing::frameOnScreen(window->winId());
    QVERIFY(frameBefore.isValid());

    QTest::keyClick(window->windowHandle(), Qt::Key_F);
    QTRY_VERIFY(window->isFullScreen());
    // Full screen reached, as the window manager has it, before leaving it.
    QTRY_COMPARE_WITH_TIMEOUT(window->geometry(), window->screen()->geometry(), 15000);
    QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
    QTRY_VERIFY(!window->isFullScreen());

    // Where it was, frame and all, as the X server has it: to the device
    // pixel, or at a scale factor of 2 to the nearest logical pixel, as a
    // window manager may have placed the frame at an odd device position.
    const int slack = qCeil(window->devicePixelRatio()) - 1;
    const auto sameFrame = [&] {
        const QRect now = testing::frameOnScreen(window->winId());
        return now.size() == frameBefore.size() && qAbs(now.x() - frameBefore.x()) <= slack &&
               qAbs(now.y() - frameBefore.y()) <= slack;
    };
    QTRY_VERIFY2(sameFrame(), qPrintable(QStringLiteral("before: %1,%2 %3x%4")
                                             .arg(frameBefore.x())
                                             .arg(frameBefore.y())
                                             .arg(frameBefore.width())
                                             .arg(frameBefore.height())));
    // And drawn as it draws itself: no strip of full screen's pixels left.
    // The video is compared with its source; the rest with the window's own
    // drawing, which holds no video where a surface draws in a native window.
    QString fault;
    QTRY_VERIFY2((fault = compareWithSource(videoAreaOf(window->player()), false,
                                            QStringLiteral("Form5-video-after-fullscreen.png")))
                     .isEmpty(),
                 qPrintable(fault));
    QWidget *video = videoAreaOf(window->player());
    const QRect videoPlace(video->mapTo(window, QPoint(0, 0)), video->size());
    QTRY_VERIFY2(
        (fault = differsFromItsDrawing(window, videoPlace, "Form5-after-fullscreen.png")).isEmpty(),
        qPrintable(fault));
    application.reset();
}

void TestPlayerView::newChoiceAndFailureClearThePicture()
{
    PlayerHost host;
    QVERIFY(host.show());
    QWidget *area = videoAreaOf(host.player);
    QVERIFY(playOrientAndPause(host.player, m_server.url("orient.mp4")));
    QTRY_VERIFY(!testing::isBlack(testing::grabScreenOf(area)));

    // A server that takes the connection and never answers.
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    host.player->setUrl(QStringLiteral("http://127.0.0.1:%1/clip.mp4").arg(silent.serverPort()));
    QCOMPARE(host.status(), Status::Connecting);
    QTRY_VERIFY_WITH_TIMEOUT(testing::isBlack(testing::grabScreenOf(area)), 1000);

    // Back to the clip, then a file the server does not have.
    // A new choice plays, though the last one was paused.
    QVERIFY(playOrientAndPause(host.player, m_server.url("orient.mp4")));
    QTRY_VERIFY(!testing::isBlack(testing::grabScreenOf(area)));
    host.player->setUrl(m_server.url("no-such-clip.mp4"));
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), Status::Failed, kStartTimeout);
    QTRY_VERIFY(testing::isBlack(testing::grabScreenOf(area)));
}

void TestPlayerView::soundOnlyFileShowsACard()
{
    PlayerHost host;
    QVERIFY(host.show());
    host.player->setTitle(QStringLiteral("سورة البقرة - الحلقة 1"));
    host.player->setUrl(m_server.url("clip.mp3"));
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), Status::Playing, kStartTimeout);
    QWidget *area = videoAreaOf(host.player);
    // A card with its title, not a black area.
    QTRY_VERIFY(!testing::isBlack(testing::grabScreenOf(area)));
    testing::grabScreenOf(area).save(
        QDir(QStringLiteral(SCREENSHOT_DIR)).filePath("player-sound-only.png"));
    auto *card = host.player->findChild<player::AudioCard *>("audioCard");
    QVERIFY(card && card->isVisible());
    QCOMPARE(card->title(), QStringLiteral("سورة البقرة - الحلقة 1"));
    QCOMPARE(host.engine()->state().title, QStringLiteral("سورة البقرة - الحلقة 1"));

    // A video after it: the card goes.
    QVERIFY(playOrientAndPause(host.player, m_server.url("orient.mp4")));
    QVERIFY(!card->isVisible());
    QString fault;
    QTRY_VERIFY2((fault = compareWithSource(area, false, "player-after-sound-only.png")).isEmpty(),
                 qPrintable(fault));
}

void TestPlayerView::videoTakesRealClicks()
{
    // Clicks through the X server on the picture reach the player, whether
    // the picture is drawn in the window or in a native window of its own.
    testing::RealInput mouse;
    QVERIFY(mouse.isReady());
    windows::EpisodeWindow window(layout::kEpisodeLayouts[0]);
    QVERIFY(showPlayingAndPaused(window, m_server.url("orient.mp4")));
    player::PlayerWidget *player = window.player();
    QWidget *video = videoAreaOf(player);
    const QPoint centre =
        (QPointF(video->mapToGlobal(video->rect().center())) * window.devicePixelRatio()).toPoint();

    // A click gives the player the focus, and its keys work after it.
    window.list()->setFocus();
    QTRY_VERIFY(window.list()->hasFocus());
    mouse.click(centre);
    QTRY_VERIFY(player->hasFocus());
    QVERIFY(!player->actions().mute->isChecked());
    QTest::keyClick(window.windowHandle(), Qt::Key_M);
    QTRY_VERIFY(player->actions().mute->isChecked());

    // The right button opens the player's menu, in a loop of its own: a
    // timer sees it and closes it.
    QString menuSeen;
    QTimer closer;
    closer.setInterval(50);
    connect(&closer, &QTimer::timeout, [&menuSeen] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            menuSeen = menu->objectName();
            menu->close();
        }
    });
    closer.start();
    mouse.click(centre, 3);
    QTRY_COMPARE(menuSeen, QStringLiteral("playerContextMenu"));
    closer.stop();

    // A double click takes the player full screen.
    mouse.click(centre, 1, 2);
    QTRY_VERIFY(window.isFullScreen());
    // The window manager's resize may take seconds beside other tests.
    QTRY_COMPARE_WITH_TIMEOUT(window.geometry(), window.screen()->geometry(), 15000);
    QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!window.isFullScreen(), 15000);
}

void TestPlayerView::listStaysAboveTheVideo()
{
    // The list lies on the player near its top edge: seen whole over the
    // picture, and it opens under a real click.
    testing::RealInput mouse;
    QVERIFY(mouse.isReady());
    windows::EpisodeWindow window(layout::kEpisodeLayouts[0]);
    QVERIFY(showPlayingAndPaused(window, m_server.url("orient.mp4")));
    windows::EpisodeList *list = window.list();
    QString fault;
    QTRY_VERIFY2((fault = differsFromItsDrawing(list, {}, "list-over-video.png")).isEmpty(),
                 qPrintable(fault));

    // Its arrow button, at its right end: the text field takes clicks elsewhere.
    const QPoint arrow(list->width() - 8, list->height() / 2);
    mouse.click((QPointF(list->mapToGlobal(arrow)) * window.devicePixelRatio()).toPoint());
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!QApplication::activePopupWidget());
}

QTEST_MAIN(TestPlayerView)
#include "tst_player_view.moc"
