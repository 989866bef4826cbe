#include "control_bar.h"

#include "player_actions.h"
#include "spoken_slider.h"
#include "status_text.h"
#include "toolkit/process_style.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>
#include <cmath>
#include <limits>

namespace player {
namespace {

constexpr int kMillisecondsPerSecond = 1000;

// The seek bar counts milliseconds, which an int holds for 596 hours; a
// duration guessed from a file's size can be longer, and is then counted in
// seconds.
int seekStepsPerSecond(double duration)
{
    constexpr double kLongestInMilliseconds =
        double(std::numeric_limits<int>::max()) / kMillisecondsPerSecond / 2;
    return duration < kLongestInMilliseconds ? kMillisecondsPerSecond : 1;
}

// Seconds as steps of the seek bar, held within what it can count.
int toSteps(double seconds, int stepsPerSecond)
{
    return int(
        qBound(0.0, std::round(seconds * stepsPerSecond), double(std::numeric_limits<int>::max())));
}

// Sliders that jump to the clicked point, as the seek bar of every Linux
// player does, instead of moving a page towards it.
class ClickToJumpStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_Slider_AbsoluteSetButtons)
            return Qt::LeftButton | Qt::MiddleButton;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QToolButton *buttonFor(QAction *action, const char *name, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    // Reached with Tab; a click leaves the focus where it was, so that the
    // player's keys go on working after a click on a button.
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

ControlBar::ControlBar(PlayerActions &actions, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("controlBar"));
    setAutoFillBackground(true);
    createSeekBar();
    createVolume();
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusLabel"));
    m_status->setToolTip(tr("What the player is doing"));
    // Fault texts run to half the width of the narrowest player: the status
    // has a line of its own, as a status bar under the controls.
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    arrange(actions);
    setState(PlaybackState{});
}

void ControlBar::createSeekBar()
{
    m_seek = new SpokenSlider(
        kMillisecondsPerSecond,
        [this](int value) { return timeText(secondsAt(value), m_duration); }, this);
    m_seek->setObjectName(QStringLiteral("seekSlider"));
    m_seek->setToolTip(tr("Position"));
    m_seek->setAccessibleName(tr("Position"));
    m_seek->setFocusPolicy(Qt::TabFocus);
    setSeekUnit(kMillisecondsPerSecond);
    m_seek->setRange(0, 0);
    m_seek->setStyle(toolkit::processStyle<ClickToJumpStyle>());
    m_time = new QLabel(timeText(0, 0), this);
    m_time->setObjectName(QStringLiteral("timeLabel"));
    m_time->setToolTip(tr("Elapsed and total time"));

    connect(m_seek, &QSlider::sliderReleased, this, &ControlBar::emitSeek);
    // While the handle is dragged, the time shown is where it would go.
    connect(m_seek, &QSlider::sliderMoved, this,
            [this](int value) { m_time->setText(timeText(secondsAt(value), m_duration)); });
    connect(m_seek, &QSlider::actionTriggered, this, &ControlBar::onSeekAction);
}

void ControlBar::createVolume()
{
    m_volume = new SpokenSlider(
        1, [](int value) { return tr("%1 %").arg(value); }, this);
    m_volume->setObjectName(QStringLiteral("volumeSlider"));
    m_volume->setToolTip(tr("Volume"));
    m_volume->setAccessibleName(tr("Volume"));
    m_volume->setFocusPolicy(Qt::TabFocus);
    m_volume->setRange(0, 100);
    m_volume->setStyle(toolkit::processStyle<ClickToJumpStyle>());
    m_volume->setValue(PlaybackState{}.volume);
    m_volume->setFixedWidth(56);
    connect(m_volume, &QSlider::valueChanged, this, &ControlBar::volumeRequested);
}

// Three rows: the seek bar with the time, the buttons with the volume, the
// status. Tab goes through the controls as they are seen: the seek bar, then
// the row beneath it from left to right.
void ControlBar::arrange(PlayerActions &actions)
{
    auto *seekRow = new QHBoxLayout;
    seekRow->addWidget(m_seek, 1);
    seekRow->addWidget(m_time);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(0);
    const std::array transport{
        buttonFor(actions.playPause, "playPauseButton", this),
        buttonFor(actions.stop, "stopButton", this),
        buttonFor(actions.previousEpisode, "previousEpisodeButton", this),
        buttonFor(actions.seekBack, "seekBackButton", this),
        buttonFor(actions.seekForward, "seekForwardButton", this),
        buttonFor(actions.nextEpisode, "nextEpisodeButton", this),
    };
    for (QToolButton *button : transport)
        buttonRow->addWidget(button);
    buttonRow->addStretch(1);
    QToolButton *mute = buttonFor(actions.mute, "muteButton", this);
    buttonRow->addWidget(mute);
    buttonRow->addWidget(m_volume);
    QToolButton *fullScreen = buttonFor(actions.fullScreen, "fullScreenButton", this);
    buttonRow->addWidget(fullScreen);

    QList<QWidget *> order{m_seek};
    order.append(QList<QWidget *>(transport.begin(), transport.end()));
    order.append({mute, m_volume, fullScreen});
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    auto *rows = new QVBoxLayout(this);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->setSpacing(0);
    rows->addLayout(seekRow);
    rows->addLayout(buttonRow);
    rows->addWidget(m_status);
}

void ControlBar::setState(const PlaybackState &state)
{
    m_duration = state.duration;
    if (const int unit = seekStepsPerSecond(state.duration); unit != m_seek->unit())
        setSeekUnit(unit);
    const int length = toSteps(state.duration, m_seek->unit());
    if (m_seek->maximum() != length)
        m_seek->setMaximum(length);
    m_seek->setEnabled(state.duration > 0);
    if (!m_seek->isSliderDown()) {
        m_seek->setValue(toSteps(state.position, m_seek->unit()));
        m_time->setText(timeText(state.position, state.duration));
    }
    m_status->setText(statusText(state));
    if (!m_volume->isSliderDown() && m_volume->value() != state.volume) {
        const QSignalBlocker quiet(m_volume);
        m_volume->setValue(state.volume);
    }
}

QWidget *ControlBar::firstInTabOrder() const
{
    return m_seek;
}

void ControlBar::onSeekAction(int action)
{
    // A click on the groove or a wheel step moves the slider without a drag.
    if (action != QAbstractSlider::SliderMove)
        QMetaObject::invokeMethod(this, &ControlBar::emitSeek, Qt::QueuedConnection);
}

void ControlBar::emitSeek()
{
    emit seekRequested(secondsAt(m_seek->sliderPosition()));
}

void ControlBar::setSeekUnit(int stepsPerSecond)
{
    m_seek->setUnit(stepsPerSecond);
    // Arrow keys on the focused seek bar step as the player's arrow keys do.
    m_seek->setSingleStep(5 * stepsPerSecond);
    m_seek->setPageStep(60 * stepsPerSecond);
}

double ControlBar::secondsAt(int steps) const
{
    return double(steps) / m_seek->unit();
}

} // namespace player
