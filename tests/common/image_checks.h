#pragma once

// Reading what a window drew: a window drawn empty has a colour or two, a
// drawn one has pictures, antialiased text and controls.

#include <QImage>
#include <QRect>
#include <QSet>

namespace testing {

// How many distinct colours a region of an image holds, sampled every other pixel.
inline int colourCount(const QImage &image, const QRect &region)
{
    QSet<QRgb> colours;
    const QRect r = region.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); y += 2) {
        for (int x = r.left(); x <= r.right(); x += 2)
            colours.insert(image.pixel(x, y));
    }
    return int(colours.size());
}

} // namespace testing
