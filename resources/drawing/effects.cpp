#include "effects.h"

#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace pictures {
namespace {

int clampChannel(int value)
{
    return std::clamp(value, 0, 255);
}

double smoothStep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

double uniform(QRandomGenerator &random, double low, double high)
{
    return low + random.generateDouble() * (high - low);
}

// Distance to the nearest edge of the image.
double edgeDistance(const QPointF &at, const QSizeF &size)
{
    return std::min({at.x(), at.y(), size.width() - at.x(), size.height() - at.y()});
}

int lightness(QRgb pixel)
{
    return (qRed(pixel) * 30 + qGreen(pixel) * 59 + qBlue(pixel) * 11) / 100;
}

} // namespace

QImage toGreyscale(const QImage &image)
{
    QImage grey = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int g = lightness(line[x]);
            line[x] = qRgb(g, g, g);
        }
    }
    return grey;
}

void addGrain(QImage &image, QRandomGenerator &random, int amount)
{
    image = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int d = random.bounded(-amount, amount + 1);
            const QRgb p = line[x];
            line[x] = qRgb(clampChannel(qRed(p) + d), clampChannel(qGreen(p) + d),
                           clampChannel(qBlue(p) + d));
        }
    }
}

void darkenEdges(QImage &image, double strength, double band)
{
    image = image.convertToFormat(QImage::Format_RGB32);
    const QSizeF size = image.size();
    const QPointF centre(size.width() / 2, size.height() / 2);
    const double reach = std::hypot(centre.x(), centre.y());
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QPointF at(x + 0.5, y + 0.5);
            const double round = std::hypot(at.x() - centre.x(), at.y() - centre.y()) / reach;
            const double border = 1 - smoothStep(0, band, edgeDistance(at, size));
            const double keep = 1 - strength * std::max(smoothStep(0.45, 1.0, round), border);
            const QRgb p = line[x];
            line[x] = qRgb(int(qRed(p) * keep), int(qGreen(p) * keep), int(qBlue(p) * keep));
        }
    }
}

void brushEdges(QImage &image, QRandomGenerator &random, const QColor &ink, double band,
                double scale)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Strokes are drawn in units of the picture at its plain detail.
    painter.scale(scale, scale);
    const QSizeF size = QSizeF(image.size()) / scale;
    band /= scale;
    const int strokes = int((size.width() + size.height()) * 3.0);
    for (int i = 0; i < strokes; ++i) {
        // A point near one of the four edges, the stroke running along it.
        const int side = random.bounded(4);
        const double depth = band * std::pow(random.generateDouble(), 1.7);
        const bool horizontal = side < 2;
        const double along = uniform(random, -10, (horizontal ? size.width() : size.height()) + 10);
        QPointF start = horizontal ? QPointF(along, side == 0 ? depth : size.height() - depth)
                                   : QPointF(side == 2 ? depth : size.width() - depth, along);
        const double length = uniform(random, 18, 55);
        const double tilt = uniform(random, -0.25, 0.25);
        const QPointF direction = horizontal ? QPointF(std::cos(tilt), std::sin(tilt))
                                             : QPointF(std::sin(tilt), std::cos(tilt));
        const QPointF bend(uniform(random, -4, 4), uniform(random, -4, 4));
        QPainterPath stroke(start);
        stroke.quadTo(start + direction * length / 2 + bend, start + direction * length);
        QColor colour = ink;
        colour.setAlphaF(float(uniform(random, 0.06, 0.3)));
        painter.strokePath(stroke,
                           QPen(colour, uniform(random, 1.5, 5.0), Qt::SolidLine, Qt::RoundCap));
    }
}

QImage posterise(const QImage &image, std::span<const QColor> levels)
{
    QImage result = image.convertToFormat(QImage::Format_RGB32);
    const int count = int(levels.size());
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const int level = std::min(count - 1, lightness(line[x]) * count / 256);
            line[x] = levels[std::size_t(level)].rgb();
        }
    }
    return result;
}

void drawInPencil(QImage &target, const QRect &area, const QImage &source, QRandomGenerator &random)
{
    const QImage picture =
        source.scaled(area.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32);
    QPainter painter(&target);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(area.topLeft());

    // Three layers of hatching, each at its own angle, coloured by the drawing.
    const double angles[] = {qDegreesToRadians(62.0), qDegreesToRadians(118.0),
                             qDegreesToRadians(75.0)};
    const int perLayer = area.width() * area.height() * 7 / 10;
    for (double angle : angles) {
        const QPointF direction(std::cos(angle), -std::sin(angle));
        for (int i = 0; i < perLayer; ++i) {
            const QPointF at(uniform(random, 0, area.width()), uniform(random, 0, area.height()));
            const QRgb pixel = picture.pixel(std::min(int(at.x()), area.width() - 1),
                                             std::min(int(at.y()), area.height() - 1));
            if (qAlpha(pixel) < 40)
                continue;
            const double darkness = 1 - lightness(pixel) / 255.0;
            QColor colour(pixel);
            colour.setAlphaF(float((0.1 + 0.38 * darkness) * qAlpha(pixel) / 255));
            const double half = uniform(random, 1.5, 4.0);
            painter.setPen(QPen(colour, uniform(random, 0.5, 0.9), Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(at - direction * half, at + direction * half);
        }
    }

    // Graphite along the edges of the drawing.
    for (int y = 1; y + 1 < area.height(); ++y) {
        for (int x = 1; x + 1 < area.width(); ++x) {
            const auto value = [&](int dx, int dy) {
                const QRgb p = picture.pixel(x + dx, y + dy);
                return lightness(p) * qAlpha(p) / 255 + (255 - qAlpha(p));
            };
            const int gx = value(1, 0) - value(-1, 0);
            const int gy = value(0, 1) - value(0, -1);
            const double edge = std::hypot(gx, gy) / 255.0;
            if (edge < 0.18 || random.generateDouble() > 0.7)
                continue;
            painter.setPen(QPen(QColor(60, 58, 62, int(std::min(1.0, edge) * 150)), 0.7));
            painter.drawPoint(QPointF(x + 0.5, y + 0.5));
        }
    }
}

QImage shrink(const QImage &image, QSize size)
{
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace pictures
