#include "picture_plan.h"

#include <QByteArrayList>

namespace player {
namespace {

// The rotation as one of the four quarter turns, the nearest one for a tag
// that is not a multiple of 90 degrees.
int quarterTurns(int degrees)
{
    const int normalised = ((degrees % 360) + 360) % 360;
    return ((normalised + 45) / 90) % 4;
}

QByteArray rotationFilter(int turns)
{
    switch (turns) {
    case 1:
        return "transpose=dir=clock";
    case 2:
        return "hflip,vflip";
    case 3:
        return "transpose=dir=cclock";
    default:
        return {};
    }
}

// Black added around a picture of the given (upright) size to bring it to
// kMostElongated at most. The expressions keep their meaning if the stream
// changes its size midway.
QByteArray paddingFilter(QSize upright)
{
    const qint64 w = upright.width();
    const qint64 h = upright.height();
    if (w > h * kMostElongated)
        return QByteArrayLiteral("pad=w=iw:h='max(ih,ceil(iw/%1/2)*2)':x=0:y=(oh-ih)/2")
            .replace("%1", QByteArray::number(kMostElongated));
    if (h > w * kMostElongated)
        return QByteArrayLiteral("pad=w='max(iw,ceil(ih/%1/2)*2)':h=ih:x=(ow-iw)/2:y=0")
            .replace("%1", QByteArray::number(kMostElongated));
    return {};
}

} // namespace

PicturePlan planPicture(const VideoTrack &track)
{
    PicturePlan plan;
    if (track.size.isEmpty())
        return plan;
    if (qint64(track.size.width()) * track.size.height() > kLargestPicture) {
        plan.shown = false;
        return plan;
    }
    const int turns = quarterTurns(track.rotation);
    const QSize upright = turns % 2 ? track.size.transposed() : track.size;
    QByteArrayList chain;
    if (const QByteArray rotate = rotationFilter(turns); !rotate.isEmpty())
        chain << rotate;
    if (const QByteArray pad = paddingFilter(upright); !pad.isEmpty())
        chain << pad;
    if (!chain.isEmpty())
        plan.filters = "lavfi=[" + chain.join(',') + ']';
    return plan;
}

} // namespace player
