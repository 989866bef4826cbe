#pragma once

// What the X server shows, compared with what should be there: a region of
// the screen grabbed in device pixels, the rectangle a video takes in its
// area, and how far two pictures differ.

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <cstdlib>

namespace testing {

// The screen under a widget, in device pixels, as the X server shows it
// (what is drawn over the widget included).
inline QImage grabScreenOf(const QWidget *widget)
{
    const QPoint topLeft = widget->mapToGlobal(QPoint(0, 0));
    QScreen *screen = widget->screen();
    return screen->grabWindow(0, topLeft.x(), topLeft.y(), widget->width(), widget->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Where a video of the given size is drawn in an area of the given size:
// centred, aspect kept, scaled down to fit, and scaled up only if enlarge.
inline QRect videoRect(QSize video, QSize area, bool enlarge)
{
    double scale =
        qMin(double(area.width()) / video.width(), double(area.height()) / video.height());
    if (!enlarge)
        scale = qMin(scale, 1.0);
    const QSize size(qRound(video.width() * scale), qRound(video.height() * scale));
    return QRect(QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2),
                 size);
}

// The mean difference per colour channel (0 to 255) between two pictures of
// the same size, leaving out a margin where scaling blurs the edges.
inline double meanDifference(const QImage &a, const QImage &b, int margin = 3)
{
    if (a.size() != b.size())
        return 255.0;
    long long sum = 0;
    long long count = 0;
    for (int y = margin; y < a.height() - margin; ++y) {
        for (int x = margin; x < a.width() - margin; ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
            count += 3;
        }
    }
    return count ? double(sum) / double(count) : 255.0;
}

// The source picture scaled to the rectangle it should fill on screen.
inline QImage scaledSource(const QImage &source, QSize size)
{
    return source.convertToFormat(QImage::Format_RGB32)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Whether every sampled pixel of a picture is near black, leaving out a
// margin that at a fractional scale may show the area's surroundings.
inline bool isBlack(const QImage &image, int margin = 3)
{
    for (int y = margin; y < image.height() - margin; y += 3) {
        for (int x = margin; x < image.width() - margin; x += 3) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) + qGreen(p) + qBlue(p) > 60)
                return false;
        }
    }
    return true;
}

} // namespace testing
