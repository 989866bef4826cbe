// The four small link marks of the home window, each drawn eight times
// larger and shrunk so that its few pixels stay clean.

#include "drawings.h"
#include "effects.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace pictures {
namespace {

constexpr int kScale = 8;

// A canvas eight times `size` times `ratio`, filled with `ground`, drawn on
// in units of the stored pixel.
class Canvas
{
public:
    Canvas(QSize size, int ratio, const QColor &ground)
        : m_size(size * ratio), m_image(size * kScale * ratio, QImage::Format_RGB32)
    {
        m_image.fill(ground);
        m_painter.begin(&m_image);
        m_painter.setRenderHint(QPainter::Antialiasing);
        m_painter.scale(kScale * ratio, kScale * ratio);
    }

    QPainter &painter() { return m_painter; }

    QImage finish()
    {
        m_painter.end();
        return shrink(m_image, m_size);
    }

private:
    QSize m_size;
    QImage m_image;
    QPainter m_painter;
};

} // namespace

QImage drawCameraMark(QSize size, int ratio)
{
    Canvas canvas(size, ratio, Qt::white);
    QPainter &p = canvas.painter();
    const QRectF square(0.5, (size.height() - 12.0) / 2, 12, 12);
    QLinearGradient tint(square.bottomLeft(), square.topRight());
    tint.setColorAt(0, QColor(0xf5, 0x5a, 0x8e));
    tint.setColorAt(0.5, QColor(0xc1, 0x35, 0x9a));
    tint.setColorAt(1, QColor(0x6e, 0x3c, 0xc4));
    QPainterPath body;
    body.addRoundedRect(square, 3.4, 3.4);
    p.fillPath(body, tint);
    const QPen white(Qt::white, 1.15);
    p.setPen(white);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(square.adjusted(2.3, 2.3, -2.3, -2.3), 2.0, 2.0);
    p.drawEllipse(square.center(), 2.1, 2.1);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(square.right() - 3.6, square.top() + 3.6), 0.65, 0.65);
    return canvas.finish();
}

QImage drawSiteMark(QSize size, int ratio)
{
    // A dark square in a light frame, an open book in it.
    Canvas canvas(size, ratio, QColor(0xef, 0xe7, 0xd0));
    QPainter &p = canvas.painter();
    const QRectF inner = QRectF(QPointF(0, 0), size).adjusted(1.5, 1.5, -1.5, -1.5);
    p.fillRect(inner, QColor(0x1b, 0x26, 0x33));
    const QPointF spine(size.width() / 2.0, size.height() * 0.72);
    QPainterPath book;
    book.moveTo(spine);
    book.cubicTo(spine + QPointF(-1.5, -1.2), spine + QPointF(-3.5, -1.2),
                 spine + QPointF(-5, -0.6));
    book.lineTo(spine + QPointF(-5, -6.2));
    book.cubicTo(spine + QPointF(-3.5, -6.8), spine + QPointF(-1.5, -6.6),
                 spine + QPointF(0, -5.4));
    book.cubicTo(spine + QPointF(1.5, -6.6), spine + QPointF(3.5, -6.8), spine + QPointF(5, -6.2));
    book.lineTo(spine + QPointF(5, -0.6));
    book.cubicTo(spine + QPointF(3.5, -1.2), spine + QPointF(1.5, -1.2), spine);
    book.closeSubpath();
    p.fillPath(book, QColor(0xd9, 0xb8, 0x5c));
    p.setPen(QPen(QColor(0x1b, 0x26, 0x33), 0.6));
    p.drawLine(spine, spine + QPointF(0, -5.4));
    return canvas.finish();
}

QImage drawSocialMark(QSize size, int ratio)
{
    // A blue square with a white lower-case "f" standing on its bottom edge.
    Canvas canvas(size, ratio, QColor(0x3b, 0x59, 0x98));
    QPainter &p = canvas.painter();
    QPainterPath stem;
    stem.moveTo(10.4, size.height() + 0.5);
    stem.lineTo(10.4, 6.4);
    stem.cubicTo(10.4, 4.0, 11.6, 3.2, 14.2, 3.3);
    p.strokePath(stem, QPen(Qt::white, 2.5, Qt::SolidLine, Qt::FlatCap));
    p.fillRect(QRectF(7.4, 7.3, 6.4, 2.0), Qt::white);
    return canvas.finish();
}

QImage drawVideoSiteMark(QSize size, int ratio)
{
    // A red rounded screen with a white play triangle.
    Canvas canvas(size, ratio, Qt::white);
    QPainter &p = canvas.painter();
    const QRectF screen = QRectF(QPointF(0, 0), size).adjusted(1, 1, -1, -1);
    QLinearGradient red(screen.topLeft(), screen.bottomLeft());
    red.setColorAt(0, QColor(0xf0, 0x3a, 0x2e));
    red.setColorAt(1, QColor(0xcc, 0x18, 0x12));
    QPainterPath body;
    body.addRoundedRect(screen, 5.5, 5.5);
    p.fillPath(body, red);
    const QPointF centre = screen.center();
    QPainterPath play;
    play.moveTo(centre + QPointF(-3.2, -4.4));
    play.lineTo(centre + QPointF(4.6, 0));
    play.lineTo(centre + QPointF(-3.2, 4.4));
    play.closeSubpath();
    p.fillPath(play, Qt::white);
    return canvas.finish();
}

} // namespace pictures
