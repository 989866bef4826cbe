// The home window's background: a photograph of a coloured-pencil drawing
// of the lecturer on a spiral sketch pad, lying on red cloth with a few
// pencils beside it. The pad's blank lower right is where the window's four
// small link pictures sit.

#include "drawings.h"
#include "effects.h"
#include "figure.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTransform>
#include <cmath>

namespace pictures {
namespace {

constexpr int kOversample = 2;

// Red cloth with soft diagonal folds and a fine weave; `ratio` image pixels
// to the unit of the drawing.
void drawCloth(QImage &image, int ratio)
{
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int pixel = 0; pixel < image.width(); ++pixel) {
            const double x = double(pixel) / ratio;
            const double row = double(y) / ratio;
            const double fold = std::sin(0.021 * x + 0.016 * row + 0.7 * std::sin(0.009 * row));
            const double ripple = std::sin(0.06 * x - 0.035 * row);
            const double weave = ((pixel / ratio / 2 + y / ratio / 2) % 2) ? 1.0 : 0.94;
            const double light = (0.78 + 0.2 * fold + 0.06 * ripple) * weave;
            line[pixel] = qRgb(int(std::min(255.0, 168 * light)), int(24 * light), int(34 * light));
        }
    }
}

// Where the pad lies on the picture: its own rectangle, turned slightly.
QTransform padPlacement(const QSizeF &picture, const QSizeF &pad)
{
    QTransform placement;
    placement.translate(picture.width() * 0.59, picture.height() * 0.56);
    placement.rotate(3.5);
    placement.translate(-pad.width() / 2, -pad.height() / 2);
    return placement;
}

void drawPadShadow(QPainter &painter, const QRectF &pad)
{
    // Layers of faint shadow, widening outwards, for a soft edge.
    for (int i = 0; i < 12; ++i) {
        QPainterPath outline;
        outline.addRoundedRect(pad.translated(6, 8).adjusted(-i, -i, i, i), 6 + i, 6 + i);
        painter.fillPath(outline, QColor(20, 0, 0, 9));
    }
}

void drawPaper(QPainter &painter, const QRectF &pad, QRandomGenerator &random)
{
    QLinearGradient paper(pad.topLeft(), pad.bottomRight());
    paper.setColorAt(0, QColor(0xfa, 0xf8, 0xf1));
    paper.setColorAt(1, QColor(0xec, 0xe8, 0xdc));
    painter.fillRect(pad, paper);
    // The paper's tooth.
    for (int i = 0; i < int(pad.width() * pad.height() / 9); ++i) {
        const QPointF at(pad.left() + random.generateDouble() * pad.width(),
                         pad.top() + random.generateDouble() * pad.height());
        painter.setPen(QPen(QColor(120, 110, 90, 14 + random.bounded(14)), 1.0));
        painter.drawPoint(at);
    }
}

void drawSpiral(QPainter &painter, const QRectF &pad)
{
    const double step = 24;
    for (double x = pad.left() + 18; x < pad.right() - 12; x += step) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x5a, 0x1a, 0x1e));
        painter.drawEllipse(QPointF(x, pad.top() + 14), 4.5, 4.5);
        QLinearGradient wire(x - 6, 0, x + 6, 0);
        wire.setColorAt(0, QColor(0x70, 0x70, 0x74));
        wire.setColorAt(0.5, QColor(0xee, 0xee, 0xf0));
        wire.setColorAt(1, QColor(0x60, 0x60, 0x66));
        QPainterPath loop;
        loop.moveTo(x - 1, pad.top() + 14);
        loop.cubicTo(x - 4, pad.top() - 2, x + 8, pad.top() - 12, x + 6, pad.top() + 2);
        painter.strokePath(loop, QPen(QBrush(wire), 3.4, Qt::SolidLine, Qt::RoundCap));
    }
}

void drawPencil(QPainter &painter, const QPointF &tip, double angle, const QColor &colour)
{
    painter.save();
    painter.translate(tip);
    painter.rotate(angle);
    const double length = 170;
    const double width = 14;
    // Shadow on the paper, then the painted body, the wood and the lead.
    painter.fillRect(QRectF(26, -width / 2 + 5, length, width), QColor(40, 20, 10, 50));
    QLinearGradient body(0, -width / 2, 0, width / 2);
    body.setColorAt(0, colour.lighter(135));
    body.setColorAt(0.45, colour);
    body.setColorAt(1, colour.darker(160));
    painter.fillRect(QRectF(24, -width / 2, length, width), body);
    QPainterPath wood;
    wood.moveTo(24, -width / 2);
    wood.lineTo(4, -1.6);
    wood.lineTo(4, 1.6);
    wood.lineTo(24, width / 2);
    wood.closeSubpath();
    painter.fillPath(wood, QColor(0xe3, 0xbf, 0x8e));
    QPainterPath lead;
    lead.moveTo(4, -1.6);
    lead.lineTo(-2, 0);
    lead.lineTo(4, 1.6);
    lead.closeSubpath();
    painter.fillPath(lead, colour.darker(120));
    painter.restore();
}

// A light sketched ground behind the figure, as an artist blocks it in.
QImage sketchGround(QSize size)
{
    QImage ground(size, QImage::Format_ARGB32_Premultiplied);
    ground.fill(Qt::transparent);
    QPainter painter(&ground);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient wash(QPointF(size.width() * 0.5, size.height() * 0.42), size.width() * 0.5);
    wash.setColorAt(0, QColor(0x8e, 0xb6, 0xd4, 200));
    wash.setColorAt(0.75, QColor(0x9f, 0xc4, 0xb6, 120));
    wash.setColorAt(1, QColor(0x9f, 0xc4, 0xb6, 0));
    painter.fillRect(ground.rect(), wash);
    painter.end();
    return ground;
}

} // namespace

QImage drawHomeBackground(QSize size, int ratio)
{
    // Drawn in units of the oversampled picture, `ratio` pixels to the unit.
    const QSize big = size * kOversample;
    QImage image(big * ratio, QImage::Format_RGB32);
    drawCloth(image, ratio);
    QRandomGenerator random(408245);
    const QTransform toPixels = QTransform::fromScale(ratio, ratio);

    const QRectF pad(0, 0, big.width() * 0.84, big.height() * 1.05);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(padPlacement(big, pad.size()) * toPixels);
    drawPadShadow(painter, pad);
    drawPaper(painter, pad, random);

    // The drawing: the figure over its sketched ground, in pencil.
    const QRect area(int(pad.width() * 0.06), int(pad.height() * 0.1), int(pad.width() * 0.6),
                     int(pad.height() * 0.78));
    QImage drawing = sketchGround(area.size() * ratio);
    {
        QPainter onDrawing(&drawing);
        onDrawing.scale(ratio, ratio);
        const double height = area.height() * 0.98;
        const double width = height * 100.0 / 120.0;
        drawFigure(onDrawing,
                   QRectF((area.width() - width) / 2, area.height() - height, width, height),
                   naturalColours());
    }
    painter.end();
    QImage padImage(pad.size().toSize() * ratio, QImage::Format_ARGB32_Premultiplied);
    padImage.fill(Qt::transparent);
    drawInPencil(padImage, QRect(area.topLeft() * ratio, area.size() * ratio), drawing, random);

    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setTransform(padPlacement(big, pad.size()) * toPixels);
    // At the pad's own size in the drawing's units.
    padImage.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(0, 0), padImage);
    drawSpiral(painter, pad);
    drawPencil(painter, QPointF(pad.width() * 0.72, pad.height() * 0.24), -8,
               QColor(0x1f, 0x5f, 0xb0));
    drawPencil(painter, QPointF(pad.width() * 0.70, pad.height() * 0.36), 4,
               QColor(0xc2, 0x2a, 0x2a));
    drawPencil(painter, QPointF(pad.width() * 0.74, pad.height() * 0.47), 14,
               QColor(0x2e, 0x8b, 0x3e));
    painter.end();

    image = shrink(image, size * ratio);
    addGrain(image, random, 3);
    return image;
}

} // namespace pictures
