#pragma once

// The player's control bar under the video: transport buttons, a seek bar
// with elapsed and total time, mute and volume, full screen, and a status
// line. Buttons trigger the player's shared actions; the sliders say what
// the user asks for through intent signals. State comes in through
// setState() and never fights a slider the user is dragging.

#include "playback_state.h"

#include <QWidget>

class QLabel;

namespace player {

class PlayerActions;
class SpokenSlider;

class ControlBar : public QWidget
{
    Q_OBJECT

public:
    ControlBar(PlayerActions &actions, QWidget *parent = nullptr);

    void setState(const PlaybackState &state);

    // The control that Tab reaches first.
    QWidget *firstInTabOrder() const;

signals:
    void seekRequested(double seconds);
    void volumeRequested(int volume);

private:
    void createSeekBar();
    void createVolume();
    void arrange(PlayerActions &actions);
    void onSeekAction(int action);
    void emitSeek();
    // The seek bar counts this many steps a second.
    void setSeekUnit(int stepsPerSecond);
    double secondsAt(int steps) const;

    SpokenSlider *m_seek = nullptr;
    SpokenSlider *m_volume = nullptr;
    QLabel *m_time = nullptr;
    QLabel *m_status = nullptr;
    double m_duration = 0.0;
};

} // namespace player
