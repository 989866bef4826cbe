// The control bar as a person reads it, driven by real clicks and keys:
// the mute button's icon, tooltip and accessible name, the times after a
// stop and at the end, the seek bar under a click and a drag, the status
// while a seek waits for data, the playback speed, and settings made before
// the first choice.

#include "common/engine_property.h"
#include "common/player_host.h"
#include "media_server.h"
#include "player/control_bar.h"
#include "player/player_actions.h"
#include "player/status_text.h"
#include "player/translation.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QSlider>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <mpv/client.h>

using player::Status;
using testing::PlayerHost;

namespace {

constexpr int kStartTimeout = 20000;

QImage iconImage(const QIcon &icon)
{
    return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}

QString accessibleName(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// A point at this share of a slider's groove.
QPoint along(QSlider *slider, double share)
{
    return QPoint(int(slider->width() * share), slider->height() / 2);
}

// Counts, by name, the player's actions triggered while it lives.
class TriggerCount : public QObject
{
public:
    explicit TriggerCount(QWidget *player)
    {
        for (QAction *a : player->findChildren<QAction *>()) {
            if (!a->objectName().isEmpty())
                connect(a, &QAction::triggered, this, [this, a] { ++triggered[a->objectName()]; });
        }
    }
    QMap<QString, int> triggered;
};

// Counts the presses of a key (of every key, for 0) that reach a window.
struct KeyWatch : QObject
{
    explicit KeyWatch(int key = 0) : key(key) {}
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress &&
            (key == 0 || static_cast<QKeyEvent *>(event)->key() == key))
            ++presses;
        return false;
    }
    int key = 0;
    int presses = 0;
};

} // namespace

class TestPlayerControls : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void muteShowsOnTheButton_data();
    void muteShowsOnTheButton();
    void timesAfterStopAndAtTheEnd();
    void seekBarJumpsToTheClickAndFollowsADrag();
    void seekThatWaitsForDataShowsBuffering();
    void seekBarHoldsAGuessedLength();
    void pauseWhileConnectingHolds();
    void stopWhileTheLoadWaitsForItsSurface();
    void speedFromKeysAndMenu();
    void settingsBeforeTheFirstChoiceArePlayed();
    void eachKeyTriggersItsAction_data();
    void eachKeyTriggersItsAction();
    void keysWhoseActionCannotRun_data();
    void keysWhoseActionCannotRun();
    void keysWithModifiers_data();
    void keysWithModifiers();

private:
    MediaServer m_server;
    MediaServer m_slowServer;
    std::unique_ptr<PlayerHost> m_host;
};

void TestPlayerControls::initTestCase()
{
    player::installTranslation();
    QVERIFY(m_server.start(QStringLiteral(TEST_MEDIA_DIR)));
    QVERIFY(m_slowServer.start(QStringLiteral(TEST_MEDIA_DIR)));
}

void TestPlayerControls::init()
{
    m_host = std::make_unique<PlayerHost>();
    QVERIFY(m_host->show());
    m_host->player->setFocus();
}

void TestPlayerControls::cleanup()
{
    m_host.reset();
}

void TestPlayerControls::muteShowsOnTheButton_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("key m") << true;
    QTest::newRow("click") << false;
}

void TestPlayerControls::muteShowsOnTheButton()
{
    QFETCH(bool, byKey);
    PlayerHost &host = *m_host;
    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), Status::Playing, kStartTimeout);
    auto *button = host.player->findChild<QToolButton *>("muteButton");
    QStyle *style = QApplication::style();
    const QImage speaker = iconImage(style->standardIcon(QStyle::SP_MediaVolume));
    const QImage mutedSpeaker = iconImage(style->standardIcon(QStyle::SP_MediaVolumeMuted));
    QVERIFY(speaker != mutedSpeaker);
    QCOMPARE(iconImage(button->icon()), speaker);
    const QImage before = button->grab().toImage();

    const auto toggle = [&] {
        if (byKey)
            QTest::keyClick(host.player, Qt::Key_M);
        else
            QTest::mouseClick(button, Qt::LeftButton);
    };
    toggle();
    QTRY_COMPARE(testing::engineProperty(host, "mute"), QString("yes"));
    // mpv confirms each change later, possibly after the next one was given.
    QTRY_COMPARE(iconImage(button->icon()), mutedSpeaker);
    QVERIFY(button->grab().toImage() != before); // a person sees the change
    QCOMPARE(button->toolTip(), QString("إلغاء كتم الصوت"));
    QCOMPARE(accessibleName(button), QString("إلغاء كتم الصوت"));

    toggle();
    QTRY_COMPARE(testing::engineProperty(host, "mute"), QString("no"));
    QTRY_COMPARE(iconImage(button->icon()), speaker);
    QCOMPARE(button->toolTip(), QString("كتم الصوت"));
    QCOMPARE(accessibleName(button), QString("كتم الصوت"));
}

void TestPlayerControls::timesAfterStopAndAtTheEnd()
{
    PlayerHost &host = *m_host;
    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 0.5, kStartTimeout);
    QTest::keyClick(host.player, Qt::Key_Right);
    QTRY_VERIFY(host.position() > 4.0);

    QTest::mouseClick(host.player->findChild<QToolButton *>("stopButton"), Qt::LeftButton);
    QTRY_COMPARE(host.status(), Status::Stopped);
    QTRY_COMPARE(host.labelText("timeLabel"), QString("0:00 / 0:08"));

    QTest::keyClick(host.player, Qt::Key_Space); // plays the same file again
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 0.5, kStartTimeout);
    QTest::keyClick(host.player, Qt::Key_Right);
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), Status::Finished, kStartTimeout);
    QTRY_COMPARE(host.labelText("timeLabel"), QString("0:08 / 0:08"));
}

void TestPlayerControls::seekBarJumpsToTheClickAndFollowsADrag()
{
    PlayerHost &host = *m_host;
    host.player->setUrl(m_server.url("clip.ogv"));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 0.5, kStartTimeout);
    QTest::keyClick(host.player, Qt::Key_Space);
    QTRY_COMPARE(host.status(), Status::Paused);
    auto *seek = host.player->findChild<QSlider *>("seekSlider");

    // A click lands where it was clicked: three quarters of 8 s is 6 s.
    QTest::mouseClick(seek, Qt::LeftButton, {}, along(seek, 0.75));
    QTRY_VERIFY2(qAbs(host.position() - 6.0) < 0.7, qPrintable(QString::number(host.position())));

    // A drag: the time shown follows the handle, the position follows on release.
    QSignalSpy seeks(host.player->controlBar(), &player::ControlBar::seekRequested);
    const double from = host.position();
    QTest::mousePress(seek, Qt::LeftButton, {}, along(seek, 0.25));
    QTest::mouseMove(seek, along(seek, 0.4));
    QTest::mouseMove(seek, along(seek, 0.5));
    const double handle = seek->sliderPosition() / 1000.0;
    QVERIFY2(qAbs(handle - 4.0) < 0.7, qPrintable(QString::number(handle)));
    QCOMPARE(host.labelText("timeLabel"), player::timeText(handle, 8.0));
    QCOMPARE(seeks.count(), 0); // nothing asked of the engine yet
    QVERIFY(qAbs(host.position() - from) < 0.1);
    QTest::mouseRelease(seek, Qt::LeftButton, {}, along(seek, 0.5));
    QCOMPARE(seeks.count(), 1);
    QTRY_VERIFY2(qAbs(host.position() - handle) < 0.5,
                 qPrintable(QString::number(host.position())));
}

void TestPlayerControls::seekThatWaitsForDataShowsBuffering()
{
    PlayerHost &host = *m_host;
    // A link about as fast as the clip (58 KB/s) has little of it ahead at
    // any time, however slowly the player starts; the request after a seek
    // gets a little data and then nothing.
    m_slowServer.setBytesPerSecond(48 * 1024);
    host.player->setUrl(m_slowServer.url("clip.mkv"));
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 1.0, kStartTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), Status::Playing, kStartTimeout);
    m_slowServer.setBytesPerSecond(0);
    m_slowServer.setMode("clip.mkv", MediaServer::Mode::Stall);

    // The seek waits for data that does not come: the player says that it
    // waits, in its status and on its label, as the core reports it.
    bool sawWaiting = false;
    QString label;
    const QMetaObject::Connection watch =
        connect(host.engine(), &player::Engine::stateChanged, this,
                [&host, &sawWaiting, &label](const player::PlaybackState &state) {
                    label = host.labelText("statusLabel");
                    if (state.status == Status::Buffering && label.startsWith("جارٍ التحميل"))
                        sawWaiting = true;
                });
    QTest::keyClick(host.player, Qt::Key_Right);
    QTRY_VERIFY2_WITH_TIMEOUT(sawWaiting, qPrintable(label), kStartTimeout);
    disconnect(watch);
    m_slowServer.setMode("clip.mkv", MediaServer::Mode::Normal);
}

// A duration guessed from the size of a broken file can run to thousands of
// hours: the seek bar still shows where the position stands, and a step on
// it asks for the time it shows.
void TestPlayerControls::seekBarHoldsAGuessedLength()
{
    player::ControlBar *bar = m_host->player->controlBar();
    auto *seek = m_host->player->findChild<QSlider *>("seekSlider");
    QSignalSpy requests(bar, &player::ControlBar::seekRequested);
    player::PlaybackState state;
    state.status = Status::Playing;
    state.duration = 3000.0 * 3600;
    state.position = 2000.0 * 3600;
    bar->setState(state);
    QVERIFY(seek->isEnabled());
    QVERIFY(seek->maximum() > 0);
    QCOMPARE(double(seek->value()) / seek->maximum(), 2.0 / 3.0);
    QCOMPARE(m_host->labelText("timeLabel"), QStringLiteral("2000:00:00 / 3000:00:00"));
    seek->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QTRY_COMPARE(requests.count(), 1);
    QCOMPARE(requests.at(0).at(0).toDouble(), state.position + 60.0);
}

// Pause pressed while a choice still connects holds: the file opens paused,
// and the button offers Play meanwhile.
void TestPlayerControls::pauseWhileConnectingHolds()
{
    PlayerHost &host = *m_host;
    QAction *playPause = host.player->actions().playPause;
    const QString playText = playPause->text(); // nothing chosen yet
    m_slowServer.setBytesPerSecond(16 * 1024);
    host.player->setUrl(m_slowServer.url("clip.mp4"));
    QCOMPARE(host.status(), Status::Connecting);
    const QString pauseText = playPause->text();
    QVERIFY(pauseText != playText);
    QTest::keyClick(host.player, Qt::Key_Space);
    QCOMPARE(playPause->text(), playText);
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), Status::Paused, kStartTimeout);
    QVERIFY2(host.position() < 0.5, qPrintable(QString::number(host.position())));
    m_slowServer.setBytesPerSecond(0);

    QTest::keyClick(host.player, Qt::Key_Space);
    QTRY_COMPARE(host.status(), Status::Playing);
    QCOMPARE(playPause->text(), pauseText);
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 0.5, kStartTimeout);
}

// The first choice waits a moment for its video surface before it reaches
// the core; a Stop meanwhile stops it, and Play opens it again.
void TestPlayerControls::stopWhileTheLoadWaitsForItsSurface()
{
    PlayerHost &host = *m_host;
    host.player->setUrl(m_server.url("clip.mp4"));
    QCOMPARE(host.status(), Status::Connecting);
    host.player->actions().stop->trigger();
    QTRY_COMPARE(host.status(), Status::Stopped);
    QCOMPARE(host.statusLabel(), player::statusText(host.engine()->state()));
    QTest::keyClick(host.player, Qt::Key_Space);
    QTRY_VERIFY_WITH_TIMEOUT(host.position() > 0.5, kStartTimeout);
    QCOMPARE(host.status(), Status::Playing);
}

void TestPlayerControls::speedFromKeysAndMenu()
{
    PlayerHost &host = *m_host;
    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), Status::Playing, kStartTimeout);
    QCOMPARE(testing::engineProperty(host, "speed").toDouble(), 1.0);
    QCOMPARE(host.labelText("statusLabel"), QString("قيد التشغيل"));

    QTest::keyClick(host.player, Qt::Key_BracketRight);
    QTest::keyClick(host.player, Qt::Key_BracketRight);
    QTRY_COMPARE(testing::engineProperty(host, "speed").toDouble(), 1.5);
    QCOMPARE(host.labelText("statusLabel"), QString("قيد التشغيل · ×1.5"));
    QCOMPARE(testing::engineProperty(host, "audio-pitch-correction"), QString("yes"));

    for (int i = 0; i < 5; ++i)
        QTest::keyClick(host.player, Qt::Key_BracketRight);
    QTRY_COMPARE(testing::engineProperty(host, "speed").toDouble(), 2.0); // the upper bound

    QTest::keyClick(host.player, Qt::Key_Backspace);
    QTRY_COMPARE(testing::engineProperty(host, "speed").toDouble(), 1.0);
    QCOMPARE(host.labelText("statusLabel"), QString("قيد التشغيل"));

    for (int i = 0; i < 4; ++i)
        QTest::keyClick(host.player, Qt::Key_BracketLeft);
    QTRY_COMPARE(testing::engineProperty(host, "speed").toDouble(), 0.5); // the lower bound

    // The context menu's speed submenu: Faster.
    const std::unique_ptr<QMenu> menu(host.player->actions().buildContextMenu(host.player));
    auto *speedMenu = menu->findChild<QMenu *>("speedMenu");
    QVERIFY(speedMenu);
    QAction *faster = nullptr;
    for (QAction *a : speedMenu->actions()) {
        if (a->objectName() == "fasterAction")
            faster = a;
    }
    QVERIFY(faster && faster->isEnabled());
    faster->trigger(); // as a click on it does
    QTRY_COMPARE(testing::engineProperty(host, "speed").toDouble(), 0.75);
}

void TestPlayerControls::settingsBeforeTheFirstChoiceArePlayed()
{
    PlayerHost &host = *m_host;
    QVERIFY(!host.engine()->hasStarted());
    QTest::keyClick(host.player, Qt::Key_M);
    auto *volume = host.player->findChild<QSlider *>("volumeSlider");
    QTest::mouseClick(volume, Qt::LeftButton, {}, QPoint(1, volume->height() / 2));
    QTest::keyClick(host.player, Qt::Key_BracketRight);
    QVERIFY(host.player->actions().mute->isChecked());
    QCOMPARE(volume->value(), 0);

    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), Status::Playing, kStartTimeout);
    QCOMPARE(testing::engineProperty(host, "mute"), QString("yes"));
    QCOMPARE(testing::engineProperty(host, "volume").toDouble(), 0.0);
    QCOMPARE(testing::engineProperty(host, "speed").toDouble(), 1.25);
    // And the controls still show it.
    QVERIFY(host.player->actions().mute->isChecked());
    QCOMPARE(volume->value(), 0);
    QCOMPARE(host.player->findChild<QToolButton *>("muteButton")->toolTip(),
             QString("إلغاء كتم الصوت"));
}

void TestPlayerControls::eachKeyTriggersItsAction_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("fullScreen");
    const QList<std::pair<int, const char *>> keys{
        {Qt::Key_Space, "playPauseAction"},
        {Qt::Key_F, "fullScreenAction"},
        {Qt::Key_M, "muteAction"},
        {Qt::Key_9, "quieterAction"},
        {Qt::Key_0, "louderAction"},
        {Qt::Key_Left, "stepBackAction"},
        {Qt::Key_Right, "stepForwardAction"},
        {Qt::Key_Down, "jumpBackAction"},
        {Qt::Key_Up, "jumpForwardAction"},
        {Qt::Key_BracketLeft, "slowerAction"},
        {Qt::Key_BracketRight, "fasterAction"},
        {Qt::Key_Backspace, "normalSpeedAction"},
        {Qt::Key_P, "previousEpisodeAction"},
        {Qt::Key_Less, "previousEpisodeAction"},
        {Qt::Key_N, "nextEpisodeAction"},
        {Qt::Key_Greater, "nextEpisodeAction"},
    };
    for (const auto &[key, action] : keys) {
        QTest::newRow(qPrintable(QKeySequence(key).toString())) << key << QString(action) << false;
    }
    QTest::newRow("Esc in full screen") << int(Qt::Key_Escape) << "leaveFullScreenAction" << true;
}

// Each key does what its button or menu item does: it triggers the same
// action, once, and no other.
void TestPlayerControls::eachKeyTriggersItsAction()
{
    QFETCH(int, key);
    QFETCH(QString, action);
    QFETCH(bool, fullScreen);
    PlayerHost &host = *m_host;
    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), Status::Playing, kStartTimeout);
    host.player->actions().setNeighbours(true, true);
    // What the host window tells a player it shows full screen.
    host.player->setFullScreenShown(fullScreen);

    const TriggerCount count(host.player);
    QTest::keyClick(host.player, Qt::Key(key));
    QCOMPARE(count.triggered, (QMap<QString, int>{{action, 1}}));
}

void TestPlayerControls::keysWhoseActionCannotRun_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("reachesTheWindow");
    QTest::newRow("Left") << int(Qt::Key_Left) << false;
    QTest::newRow("Up") << int(Qt::Key_Up) << false;
    QTest::newRow("n") << int(Qt::Key_N) << false;
    QTest::newRow("Esc") << int(Qt::Key_Escape) << true;
    QTest::newRow("a key the player has no use for") << int(Qt::Key_A) << true;
}

// Before anything plays, nothing can seek, and without a list there are
// no neighbours: the player keeps those keys all the same, so that what it
// cannot do now does something else nowhere. Esc outside full screen, and
// keys it has no use for, go on to the window.
void TestPlayerControls::keysWhoseActionCannotRun()
{
    QFETCH(int, key);
    QFETCH(bool, reachesTheWindow);
    PlayerHost &host = *m_host;
    KeyWatch watch;
    host.window.installEventFilter(&watch);
    QTest::keyClick(host.player, Qt::Key(key));
    QCOMPARE(watch.presses, reachesTheWindow ? 1 : 0);
}

void TestPlayerControls::keysWithModifiers_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("action"); // empty: none, and the window gets the key
    const auto row = [](int key, Qt::KeyboardModifiers modifiers, const char *action) {
        QTest::newRow(qPrintable(QKeySequence(key | int(modifiers)).toString()))
            << key << int(modifiers) << QString::fromLatin1(action);
    };
    row(Qt::Key_N, Qt::ControlModifier, "");
    row(Qt::Key_F, Qt::ControlModifier, "");
    row(Qt::Key_M, Qt::AltModifier, "");
    row(Qt::Key_Space, Qt::ControlModifier, "");
    row(Qt::Key_N, Qt::ShiftModifier, "");
    row(Qt::Key_Left, Qt::ShiftModifier, "");
    row(Qt::Key_Less, Qt::ControlModifier | Qt::ShiftModifier, "");
    // How these are typed: < and > with Shift, digits on the keypad.
    row(Qt::Key_Less, Qt::ShiftModifier, "previousEpisodeAction");
    row(Qt::Key_Greater, Qt::ShiftModifier, "nextEpisodeAction");
    row(Qt::Key_9, Qt::KeypadModifier, "quieterAction");
}

// A binding fires for its own key alone: the same key with Ctrl or Alt is
// another key, which goes on to the window where shortcuts and menus live.
void TestPlayerControls::keysWithModifiers()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, action);
    PlayerHost &host = *m_host;
    host.player->setUrl(m_server.url("clip.mp4"));
    QTRY_COMPARE_WITH_TIMEOUT(host.status(), Status::Playing, kStartTimeout);
    host.player->actions().setNeighbours(true, true);
    const TriggerCount count(host.player);
    // Presses of the key itself; those of the modifiers go on too.
    KeyWatch watch(key);
    host.window.installEventFilter(&watch);
    QTest::keyClick(host.player, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (action.isEmpty()) {
        QVERIFY(count.triggered.isEmpty());
        QCOMPARE(watch.presses, 1);
    } else {
        QCOMPARE(count.triggered, (QMap<QString, int>{{action, 1}}));
        QCOMPARE(watch.presses, 0);
    }
}

QTEST_MAIN(TestPlayerControls)
#include "tst_player_controls.moc"
