#include "player_widget.h"

#include "audio_card.h"
#include "control_bar.h"
#include "engine.h"
#include "logging.h"
#include "mpv_library.h"
#include "playback_rules.h"
#include "player_actions.h"
#include "player_keys.h"
#include "video_surface.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QVBoxLayout>
#include <memory>

namespace player {
namespace {

// Steps as mpv, VLC and Celluloid users know them.
constexpr double kButtonSeekSeconds = 10.0;
constexpr double kShortSeekSeconds = 5.0;
constexpr double kLongSeekSeconds = 60.0;
constexpr int kKeyVolumeStep = 2;
constexpr int kWheelVolumeStep = 5;
// Lecture listeners step through 1.25, 1.5, ... rather than mpv's 10 %.
constexpr double kSpeedStep = 0.25;
// How long the mouse rests in full screen before the controls go.
constexpr int kIdleMouseMilliseconds = 2000;

} // namespace

PlayerWidget::PlayerWidget(QWidget *parent) : QWidget(parent)
{
    // Where start-up has not done it already (a player made on its own).
    prepareProcessForMpv();
    setFocusPolicy(Qt::StrongFocus);
    // The player takes the focus for its keys: a screen reader says what it is.
    setAccessibleName(tr("Video player"));
    m_actions = new PlayerActions(this);
    // The engine holds the settings from the start; its mpv core comes with
    // the first URL.
    m_engine = new Engine(this);
    connect(m_engine, &Engine::stateChanged, this, &PlayerWidget::showState);
    // Opaque: what lies under the player (a window's picture) is not painted
    // again with every video frame.
    setAutoFillBackground(true);

    m_videoArea = new QWidget(this);
    m_videoArea->setObjectName(QStringLiteral("videoArea"));
    m_videoArea->setAutoFillBackground(true);
    QPalette black = m_videoArea->palette();
    black.setColor(QPalette::Window, Qt::black);
    m_videoArea->setPalette(black);
    auto *videoLayout = new QVBoxLayout(m_videoArea);
    videoLayout->setContentsMargins(0, 0, 0, 0);
    m_card = new AudioCard(m_videoArea);
    m_card->hide();
    videoLayout->addWidget(m_card);

    m_controls = new ControlBar(*m_actions, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_videoArea, 1);
    layout->addWidget(m_controls);
    // One Tab from the player reaches its controls.
    setTabOrder(this, m_controls->firstInTabOrder());
    connectActions();

    m_idleMouse.setSingleShot(true);
    m_idleMouse.setInterval(kIdleMouseMilliseconds);
    connect(&m_idleMouse, &QTimer::timeout, this, &PlayerWidget::hideControls);
    showState(m_engine->state());
}

PlayerWidget::~PlayerWidget()
{
    // Teardown order: the render context (inside the surface, freed with its
    // GL context current) before the engine; the core itself goes with the
    // last of the two.
    delete m_surface;
    m_surface = nullptr;
    delete m_engine;
    m_engine = nullptr;
}

void PlayerWidget::connectActions()
{
    connect(m_actions->playPause, &QAction::triggered, m_engine, &Engine::togglePause);
    connect(m_actions->stop, &QAction::triggered, this, &PlayerWidget::stop);
    const auto seekBy = [this](QAction *action, double seconds) {
        connect(action, &QAction::triggered, this, [this, seconds] { m_engine->seekBy(seconds); });
    };
    seekBy(m_actions->seekBack, -kButtonSeekSeconds);
    seekBy(m_actions->seekForward, kButtonSeekSeconds);
    seekBy(m_actions->stepBack, -kShortSeekSeconds);
    seekBy(m_actions->stepForward, kShortSeekSeconds);
    seekBy(m_actions->jumpBack, -kLongSeekSeconds);
    seekBy(m_actions->jumpForward, kLongSeekSeconds);
    connect(m_actions->mute, &QAction::triggered, m_engine, &Engine::setMuted);
    connect(m_actions->quieter, &QAction::triggered, this,
            [this] { changeVolume(-kKeyVolumeStep); });
    connect(m_actions->louder, &QAction::triggered, this, [this] { changeVolume(kKeyVolumeStep); });
    connect(m_actions->slower, &QAction::triggered, this, [this] { changeSpeed(-kSpeedStep); });
    connect(m_actions->faster, &QAction::triggered, this, [this] { changeSpeed(kSpeedStep); });
    connect(m_actions->normalSpeed, &QAction::triggered, this, [this] { m_engine->setSpeed(1.0); });
    connect(m_actions->fullScreen, &QAction::triggered, this, &PlayerWidget::fullScreenRequested);
    connect(m_actions->leaveFullScreen, &QAction::triggered, this,
            [this] { emit fullScreenRequested(false); });
    connect(m_controls, &ControlBar::seekRequested, m_engine, &Engine::seekTo);
    connect(m_controls, &ControlBar::volumeRequested, m_engine, &Engine::setVolume);
}

void PlayerWidget::setUrl(const QString &url)
{
    m_url = url;
    emit urlChanged(m_url);
    if (!m_engine->start()) // the core, on the first URL
        return;
    ensureSurface();
    m_card->setTitle(m_title);
    m_engine->open(m_url, m_title);
}

void PlayerWidget::prepare()
{
    if (!m_engine->hasStarted())
        preloadMpvLibrary();
}

void PlayerWidget::stop()
{
    m_engine->stop();
}

bool PlayerWidget::isAtRest() const
{
    return m_engine->isAtRest();
}

void PlayerWidget::setFullScreenShown(bool fullScreen)
{
    m_fullScreen = fullScreen;
    m_actions->setFullScreen(fullScreen);
    m_engine->setFitToArea(fullScreen);
    // Mouse moves anywhere over the player bring the controls back, over
    // whichever child they land.
    if (fullScreen) {
        qApp->installEventFilter(this);
        showControlsForAWhile();
    } else {
        qApp->removeEventFilter(this);
        m_idleMouse.stop();
        m_controls->show();
        unsetCursor();
    }
}

void PlayerWidget::showControlsForAWhile()
{
    m_controls->show();
    unsetCursor();
    m_idleMouse.start();
}

void PlayerWidget::hideControls()
{
    if (!m_fullScreen)
        return;
    // Not from under a pointer that rests on them.
    if (m_controls->underMouse()) {
        m_idleMouse.start();
        return;
    }
    m_controls->hide();
    setCursor(Qt::BlankCursor);
}

bool PlayerWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (m_fullScreen && event->type() == QEvent::MouseMove) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && (widget == this || isAncestorOf(widget)))
            showControlsForAWhile();
    }
    return QWidget::eventFilter(watched, event);
}

void PlayerWidget::ensureSurface()
{
    if (m_surface)
        return;
    m_engine->setFitToArea(m_fullScreen);
    m_surface = VideoSurface::create(m_engine->handle(), m_videoArea);
    // Clicks, wheel and double-clicks on the video are the player's.
    m_surface->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_surface->setFocusProxy(this);
    connect(m_surface, &VideoSurface::renderReady, m_engine, &Engine::setRenderReady);
    connect(m_surface, &VideoSurface::renderFailed, m_engine, &Engine::setRenderFailed);
    m_videoArea->layout()->addWidget(m_surface);
    // With its size known, the surface sets up drawing as it is shown, so the
    // location opens now rather than after the next paint.
    m_videoArea->layout()->activate();
    m_surface->show();
    emit engineCreated();
}

void PlayerWidget::showState(const PlaybackState &state)
{
    m_actions->setState(state);
    m_controls->setState(state);
    // A picture is shown only while the current file has one: a new choice,
    // a failure or a stop never leave the last file's picture behind.
    const bool soundOnly = !state.hasVideo && isRunning(state.status);
    if (m_surface) {
        m_surface->setBlank(!state.hasVideo);
        m_surface->setVisible(!soundOnly);
    }
    m_card->setVisible(soundOnly);
}

void PlayerWidget::changeVolume(int delta)
{
    m_engine->setVolume(m_engine->state().volume + delta);
}

void PlayerWidget::changeSpeed(double step)
{
    m_engine->setSpeed(m_engine->state().speed + step);
}

bool PlayerWidget::isOverVideo(const QPoint &position) const
{
    return m_videoArea->geometry().contains(position);
}

void PlayerWidget::keyPressEvent(QKeyEvent *event)
{
    const KeyBinding *binding = bindingOfKey(event->key(), event->modifiers());
    if (!binding) {
        QWidget::keyPressEvent(event);
        return;
    }
    QAction *action = (*m_actions).*(binding->action);
    if (action->isEnabled())
        action->trigger();
    else if (binding->passedOnWhenDisabled)
        QWidget::keyPressEvent(event);
}

void PlayerWidget::wheelEvent(QWheelEvent *event)
{
    const int steps = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    if (steps == 0) {
        event->ignore();
        return;
    }
    changeVolume(steps * kWheelVolumeStep);
    event->accept();
}

void PlayerWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && isOverVideo(event->position().toPoint()))
        m_actions->fullScreen->trigger();
    else
        QWidget::mouseDoubleClickEvent(event);
}

void PlayerWidget::contextMenuEvent(QContextMenuEvent *event)
{
    if (!isOverVideo(event->pos())) {
        event->ignore();
        return;
    }
    const std::unique_ptr<QMenu> menu(m_actions->buildContextMenu(this));
    menu->exec(event->globalPos());
}

} // namespace player
