#pragma once

// How the picture of a file is shown, decided from its video track before
// decoding starts: turned upright as its rotation tag says, padded when its
// shape is too thin to be placed, or not decoded at all when its frames are
// far larger than any screen shows. Pure: the engine reads the track and
// carries out the plan.

#include <QByteArray>
#include <QSize>

namespace player {

struct VideoTrack
{
    QSize size;       // as stored, before rotation
    int rotation = 0; // degrees clockwise that the picture is turned to be upright
};

struct PicturePlan
{
    // False when the picture is not decoded: the file plays as sound only.
    bool shown = true;
    // The filter chain for the core's "vf" option; empty for none.
    QByteArray filters;
};

// Frames with more pixels than 3840×2160 are not decoded: no screen the
// program runs on shows more, and decoding 8K in software takes more than a
// core and hundreds of MiB for each playing window.
constexpr qint64 kLargestPicture = qint64(3840) * 2160;

// A picture longer than this many times its width (or wider than this many
// times its height) is padded with black to that shape: scaled into a video
// area it would be less than a pixel thick, and the core then draws it at the
// area's edge instead of its middle.
constexpr int kMostElongated = 32;

PicturePlan planPicture(const VideoTrack &track);

} // namespace player
