// Screenshots of each kind of window as the X server shows it, title bar and
// all, taken from the screen rather than from the widgets, and kept in
// build/screenshots for people to look at. A window must show on screen what
// it draws: a window that reaches the screen empty, or a player that shows
// no picture, fails.

#include "app/application.h"
#include "common/gui_actions.h"
#include "common/image_checks.h"
#include "common/window_names.h"
#include "media_server.h"
#include "player/engine.h"
#include "player/player_widget.h"
#include "player/video_surface.h"
#include "windows/episode/episode_list.h"
#include "windows/episode/episode_window.h"
#include "windows/form_window.h"

#include <QDir>
#include <QMainWindow>
#include <QScreen>
#include <QTest>
#include <memory>

namespace {

// The share of pixels in a region that are the same in both images.
double agreement(const QImage &a, const QImage &b, const QRect &region)
{
    long same = 0;
    long all = 0;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            ++all;
            same += a.pixel(x, y) == b.pixel(x, y) ? 1 : 0;
        }
    }
    return all ? double(same) / double(all) : 0.0;
}

} // namespace

class TestScreenshots : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void windowReachesTheScreen_data();
    void windowReachesTheScreen();
    void episodeWindowShowsItsVideo();
    void playingPaintsOnlyTheVideo();
    void windowComesBackWholeAfterGivingBackItsImage();

private:
    QMainWindow *showOnly(const QString &name);
    // The window's frame, decorations included, as the screen shows it.
    QImage screenshot(QMainWindow *window, const QString &file);

    MediaServer m_server;
    std::unique_ptr<app::Application> m_app;
};

void TestScreenshots::initTestCase()
{
    app::prepareQtApplication();
    QVERIFY(m_server.start(QStringLiteral(TEST_MEDIA_DIR)));
    QVERIFY(QDir().mkpath(QStringLiteral(SCREENSHOT_DIR)));
}

void TestScreenshots::init()
{
    m_app = std::make_unique<app::Application>();
}

void TestScreenshots::cleanup()
{
    m_app.reset();
}

QMainWindow *TestScreenshots::showOnly(const QString &name)
{
    QMainWindow *window = m_app->registry().window(testing::idOf(name));
    for (QMainWindow *other : testing::visibleWindows()) {
        if (other != window)
            other->hide();
    }
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowExposed(window) || !QTest::qWaitForWindowActive(window))
        return nullptr;
    // The window manager has framed it; what it paints, checks retry.
    if (!QTest::qWaitFor([window] { return window->frameGeometry() != window->geometry(); }))
        return nullptr;
    return window;
}

QImage TestScreenshots::screenshot(QMainWindow *window, const QString &file)
{
    const QRect frame = window->frameGeometry();
    QImage shot = window->screen()
                      ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                      .toImage()
                      .convertToFormat(QImage::Format_RGB32);
    shot.save(QDir(QStringLiteral(SCREENSHOT_DIR)).filePath(file));
    return shot;
}

void TestScreenshots::windowReachesTheScreen_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("home") << "Form1";
    QTest::newRow("surah index") << "Form2";
    QTest::newRow("programmes") << "Form63";
    QTest::newRow("episode window") << "Form5";
    QTest::newRow("episode window, larger font") << "Form18";
}

void TestScreenshots::windowReachesTheScreen()
{
    QFETCH(QString, window);
    QMainWindow *w = showOnly(window);
    QVERIFY(w);
    QImage shot = screenshot(w, window + QStringLiteral(".png"));
    QVERIFY(qFuzzyCompare(shot.devicePixelRatio(), 1.0));
    const QRect frame = w->frameGeometry();
    QCOMPARE(shot.size(), frame.size());

    // The client area on screen is what the window draws, pixel for pixel,
    // apart from what changes between two paints (a blinking caret).
    const QImage drawn = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint clientOffset = w->geometry().topLeft() - frame.topLeft();
    QImage onScreen;
    double same = 0;
    QTRY_VERIFY2((onScreen = (shot = screenshot(w, window + QStringLiteral(".png")))
                                 .copy(QRect(clientOffset, w->size())),
                  same = agreement(onScreen, drawn, drawn.rect())) > 0.98,
                 qPrintable(QString::number(same)));
    QCOMPARE(onScreen.size(), drawn.size());
    QVERIFY2(testing::colourCount(onScreen, onScreen.rect()) > 40,
             "the window reached the screen empty");
}

void TestScreenshots::episodeWindowShowsItsVideo()
{
    auto *w = qobject_cast<windows::EpisodeWindow *>(showOnly(QStringLiteral("Form5")));
    QVERIFY(w);
    QVERIFY(testing::chooseWithKeyboard(w->list(), 3));
    // The catalogue's locations are on the web; play a local clip instead.
    w->player()->setUrl(m_server.url(QStringLiteral("clip.mp4")));
    player::Engine *engine = w->player()->engine();
    QVERIFY(engine);
    QTRY_VERIFY_WITH_TIMEOUT(engine->position() > 1.0, 15000);
    engine->pause();
    QTRY_COMPARE(engine->status(), player::Status::Paused);

    const QRect frame = w->frameGeometry();
    player::VideoSurface *surface = w->player()->surface();
    QVERIFY(surface);
    const QRect video(surface->mapTo(w, QPoint(0, 0)) + (w->geometry().topLeft() - frame.topLeft()),
                      surface->size());
    // The test clip is colour bars: a picture on screen has many colours
    // where an empty or black surface has one or two.
    int colours = 0;
    QTRY_VERIFY2((colours = testing::colourCount(screenshot(w, QStringLiteral("Form5-playing.png")),
                                                 video)) > 20,
                 qPrintable(QString::number(colours)));
}

// Counts the paint events of the widgets it watches.
class PaintCounter : public QObject
{
public:
    void watch(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// Each video frame paints the video alone: the list lying on the player and
// the picture under it are not painted again 25 times a second (they were,
// and cost a third more CPU than mpv's own output). The list still shows on
// the screen, whole, over the playing video.
void TestScreenshots::playingPaintsOnlyTheVideo()
{
    auto *w = qobject_cast<windows::EpisodeWindow *>(showOnly(QStringLiteral("Form5")));
    QVERIFY(w);
    auto *picture = w->findChild<QWidget *>(QStringLiteral("Image1"));
    QVERIFY(picture);
    w->player()->setUrl(m_server.url(QStringLiteral("clip.mp4")));
    QTRY_VERIFY_WITH_TIMEOUT(w->player()->engine()->position() > 0.5, 15000);

    PaintCounter list, under;
    list.watch(w->list());
    for (QWidget *child : w->list()->findChildren<QWidget *>())
        list.watch(child);
    under.watch(picture);
    int frames = 0;
    connect(w->player()->surface(), &player::VideoSurface::framePresented, this,
            [&frames] { ++frames; });
    QTRY_VERIFY_WITH_TIMEOUT(frames >= 25, 15000);
    QVERIFY2(list.count <= 2, qPrintable(QString::number(list.count)));
    QVERIFY2(under.count <= 2, qPrintable(QString::number(under.count)));

    const QImage shot = screenshot(w, QStringLiteral("Form5-list-over-video.png"));
    const QImage drawn = w->list()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint at = w->list()->mapTo(w, QPoint(0, 0)) +
                      (w->geometry().topLeft() - w->frameGeometry().topLeft());
    const double same = agreement(shot.copy(QRect(at, drawn.size())), drawn, drawn.rect());
    QVERIFY2(same > 0.98, qPrintable(QString::number(same)));
}

void TestScreenshots::windowComesBackWholeAfterGivingBackItsImage()
{
    auto *index = qobject_cast<windows::FormWindow *>(showOnly(QStringLiteral("Form2")));
    QVERIFY(index);
    const QImage before = screenshot(index, QStringLiteral("Form2-before-release.png"));
    // The focus moved by a key, so that its frame shows.
    index->findChild<QWidget *>(QStringLiteral("Option29"))->setFocus(Qt::TabFocusReason);
    QTest::keyClick(index->windowHandle(), Qt::Key_Down);
    auto *option = index->findChild<QWidget *>(QStringLiteral("Option30"));
    QTRY_VERIFY(option->hasFocus());
    QImage focused;
    QTRY_VERIFY((focused = screenshot(index, QStringLiteral("Form2-focused.png"))) != before);
    const QRect place = index->geometry();

    // Away to an episode window, long enough for the index to give back its
    // native window and image.
    auto *episode = qobject_cast<windows::EpisodeWindow *>(showOnly(QStringLiteral("Form5")));
    QVERIFY(episode);
    QTRY_VERIFY_WITH_TIMEOUT(!index->holdsNativeWindow(),
                             windows::FormWindow::kReleaseDelay.count() * 2);
    QVERIFY(!index->windowHandle());

    QCOMPARE(showOnly(QStringLiteral("Form2")), index);
    QVERIFY(index->holdsNativeWindow());
    // The same place, the same picture, the focus where it was.
    QTRY_VERIFY(option->hasFocus());
    QCOMPARE(index->geometry(), place);
    QImage after;
    double same = 0;
    QTRY_VERIFY2((after = screenshot(index, QStringLiteral("Form2-after-release.png")),
                  same = after.size() == focused.size() ? agreement(after, focused, focused.rect())
                                                        : 0.0) > 0.98,
                 qPrintable(QString::number(same)));

    // The episode window that played keeps its own: its video surface
    // watches it.
    QVERIFY(testing::chooseWithKeyboard(episode->list(), 3));
    episode->player()->setUrl(m_server.url(QStringLiteral("clip.mp4")));
    QTRY_VERIFY(episode->player()->surface());
    index->hide();
    showOnly(QStringLiteral("Form1"));
    // Once their own waits are over, both hidden windows have decided.
    QTRY_VERIFY_WITH_TIMEOUT(!episode->releasePending() && !index->releasePending(),
                             int(windows::FormWindow::kReleaseDelay.count() * 3));
    QVERIFY(episode->holdsNativeWindow());
    QVERIFY(!index->holdsNativeWindow());
}

QTEST_MAIN(TestScreenshots)
#include "tst_screenshots.moc"
