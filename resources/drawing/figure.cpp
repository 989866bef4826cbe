#include "figure.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace pictures {
namespace {

// All shapes are given in a box 100 wide and 120 high: the turban's top near
// y 7, the eyes at y 42.5, the beard's tip at y 88, the robe down to 120.
constexpr QPointF kLeftEye{43.0, 42.5};
constexpr QPointF kRightEye{57.0, 42.5};

QColor withAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

void drawShawl(QPainter &p, const FigureColours &c)
{
    // The shawl falls straight from under the turban, then spreads over
    // both shoulders; its front edges frame the beard.
    QPainterPath shawl;
    shawl.moveTo(30, 34);
    shawl.cubicTo(27, 50, 25, 66, 8, 88);
    shawl.cubicTo(20, 86, 31, 81, 39, 75);
    shawl.lineTo(61, 75);
    shawl.cubicTo(69, 81, 80, 86, 92, 88);
    shawl.cubicTo(75, 66, 73, 50, 70, 34);
    shawl.closeSubpath();
    QLinearGradient light(0, 0, 100, 0);
    light.setColorAt(0.05, c.garmentShade);
    light.setColorAt(0.3, c.garment);
    light.setColorAt(0.7, c.garment);
    light.setColorAt(0.95, c.garmentShade);
    p.fillPath(shawl, light);
    // The inside of the cloth, in shade beside the face.
    QPainterPath inside;
    inside.moveTo(31, 38);
    inside.cubicTo(30, 52, 31, 64, 37, 76);
    inside.lineTo(63, 76);
    inside.cubicTo(69, 64, 70, 52, 69, 38);
    inside.closeSubpath();
    p.fillPath(inside, withAlpha(c.garmentShade.darker(120), 150));
    p.strokePath(shawl, QPen(withAlpha(c.garmentShade.darker(125), 170), 0.6));
    // Soft folds where the cloth turns over the shoulders.
    QPainterPath folds;
    folds.moveTo(27, 52);
    folds.cubicTo(25, 64, 21, 74, 14, 84);
    folds.moveTo(73, 52);
    folds.cubicTo(75, 64, 79, 74, 86, 84);
    p.strokePath(
        folds, QPen(withAlpha(c.garmentShade.darker(115), 140), 0.8, Qt::SolidLine, Qt::RoundCap));
}

void drawRobe(QPainter &p, const FigureColours &c)
{
    QPainterPath robe;
    robe.moveTo(-2, 121);
    robe.lineTo(-1, 104);
    robe.cubicTo(2, 90, 14, 82, 28, 78);
    robe.cubicTo(33, 76, 37, 73, 40, 70);
    robe.lineTo(60, 70);
    robe.cubicTo(63, 73, 67, 76, 72, 78);
    robe.cubicTo(86, 82, 98, 90, 101, 104);
    robe.lineTo(102, 121);
    robe.closeSubpath();
    QLinearGradient shade(0, 0, 100, 0);
    shade.setColorAt(0, c.robe);
    shade.setColorAt(0.35, c.robeLight);
    shade.setColorAt(0.7, c.robe);
    shade.setColorAt(1, c.robe.darker(130));
    p.fillPath(robe, shade);
    QPainterPath folds;
    folds.moveTo(20, 88);
    folds.cubicTo(18, 98, 17, 108, 16, 120);
    folds.moveTo(31, 86);
    folds.cubicTo(29, 98, 28, 110, 28, 120);
    folds.moveTo(80, 88);
    folds.cubicTo(82, 98, 83, 108, 84, 120);
    folds.moveTo(69, 86);
    folds.cubicTo(71, 98, 72, 110, 72, 120);
    p.strokePath(folds, QPen(c.robe.darker(150), 0.9, Qt::SolidLine, Qt::RoundCap));
}

void drawGarment(QPainter &p, const FigureColours &c)
{
    QPainterPath opening;
    opening.moveTo(39, 70);
    opening.lineTo(61, 70);
    opening.lineTo(58, 121);
    opening.lineTo(42, 121);
    opening.closeSubpath();
    QLinearGradient shade(40, 0, 60, 0);
    shade.setColorAt(0, c.garmentShade);
    shade.setColorAt(0.4, c.garment);
    shade.setColorAt(1, c.garmentShade);
    p.fillPath(opening, shade);
    // The gold trim along both edges of the robe's opening.
    p.setPen(QPen(c.trim, 2.4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QLineF(39.2, 70, 42.2, 121));
    p.drawLine(QLineF(60.8, 70, 57.8, 121));
    p.setPen(QPen(c.trim.darker(140), 0.5));
    p.drawLine(QLineF(40.6, 70, 43.6, 121));
    p.drawLine(QLineF(59.4, 70, 56.4, 121));
}

void drawHead(QPainter &p, const FigureColours &c)
{
    p.setPen(QPen(c.skinShade, 0.6));
    for (const QPointF &centre : {QPointF(32.6, 46), QPointF(67.4, 46)}) {
        p.setBrush(c.skin);
        p.drawEllipse(centre, 3.0, 5.5);
    }
    QRadialGradient face(QPointF(50, 42), 24, QPointF(44, 36));
    face.setColorAt(0, c.skinLight);
    face.setColorAt(0.55, c.skin);
    face.setColorAt(1, c.skinShade);
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawEllipse(QPointF(50, 45), 17, 21);
}

void drawEyes(QPainter &p, const FigureColours &c)
{
    for (const QPointF &eye : {kLeftEye, kRightEye}) {
        QPainterPath almond;
        almond.moveTo(eye.x() - 4, eye.y());
        almond.quadTo(eye.x(), eye.y() - 2.7, eye.x() + 4, eye.y());
        almond.quadTo(eye.x(), eye.y() + 2.2, eye.x() - 4, eye.y());
        p.fillPath(almond, c.garment);
        p.save();
        p.setClipPath(almond);
        p.setPen(Qt::NoPen);
        p.setBrush(c.features.lighter(150));
        p.drawEllipse(QPointF(eye.x() + 0.3, eye.y() - 0.1), 1.7, 1.7);
        p.setBrush(c.features);
        p.drawEllipse(QPointF(eye.x() + 0.3, eye.y() - 0.1), 0.8, 0.8);
        p.restore();
        QPainterPath lid;
        lid.moveTo(eye.x() - 4.3, eye.y() + 0.2);
        lid.quadTo(eye.x(), eye.y() - 3.0, eye.x() + 4.3, eye.y() + 0.2);
        p.strokePath(lid, QPen(c.features, 0.8, Qt::SolidLine, Qt::RoundCap));
        QPainterPath brow;
        const double side = eye.x() < 50 ? -1 : 1;
        brow.moveTo(eye.x() + side * 5, eye.y() - 4.0);
        brow.quadTo(eye.x(), eye.y() - 7.0, eye.x() - side * 4.5, eye.y() - 4.8);
        p.strokePath(brow, QPen(c.beardShade, 1.5, Qt::SolidLine, Qt::RoundCap));
    }
}

void drawNose(QPainter &p, const FigureColours &c)
{
    QPainterPath shadow;
    shadow.moveTo(50.5, 39);
    shadow.cubicTo(51.5, 44, 53.5, 48, 53.5, 50);
    shadow.lineTo(50.5, 51);
    shadow.closeSubpath();
    p.fillPath(shadow, withAlpha(c.skinShade, 90));
    QPainterPath line;
    line.moveTo(49.6, 39.5);
    line.cubicTo(49.2, 44.5, 47.6, 48, 46.6, 50);
    line.cubicTo(48, 51.7, 52, 51.7, 53.6, 50);
    p.strokePath(line, QPen(c.skinShade.darker(115), 0.9, Qt::SolidLine, Qt::RoundCap));
}

void drawBeard(QPainter &p, const FigureColours &c)
{
    QPainterPath beard;
    beard.moveTo(33, 44);
    beard.cubicTo(32, 60, 38, 80, 50, 88);
    beard.cubicTo(62, 80, 68, 60, 67, 44);
    beard.cubicTo(66, 50, 63, 53, 60, 54);
    beard.cubicTo(57, 55, 54, 53, 50, 53.5);
    beard.cubicTo(46, 53, 43, 55, 40, 54);
    beard.cubicTo(37, 53, 34, 50, 33, 44);
    beard.closeSubpath();
    QRadialGradient light(QPointF(47, 60), 30);
    light.setColorAt(0, c.beard);
    light.setColorAt(0.6, c.beard);
    light.setColorAt(1, c.beardShade);
    p.fillPath(beard, light);

    // Strands flowing down towards the tip.
    p.save();
    p.setClipPath(beard);
    const QPen strandPen(withAlpha(c.beardShade, 150), 0.45, Qt::SolidLine, Qt::RoundCap);
    for (int i = 0; i <= 16; ++i) {
        const double x = 34 + i * 2.0;
        const double sway = (i % 3 - 1) * 1.2;
        QPainterPath strand;
        strand.moveTo(x, 50 + (i % 4));
        strand.cubicTo(x + sway, 64, 50 + (x - 50) * 0.45, 78, 50 + (x - 50) * 0.12, 88);
        p.strokePath(strand, strandPen);
    }
    p.restore();

    // The mouth under the moustache.
    QPainterPath mouth;
    mouth.moveTo(46.5, 59.6);
    mouth.quadTo(50, 61, 53.5, 59.6);
    p.strokePath(mouth, QPen(withAlpha(c.features, 170), 0.9, Qt::SolidLine, Qt::RoundCap));

    QPainterPath moustache;
    moustache.moveTo(41, 57.5);
    moustache.cubicTo(44, 53.5, 48, 53, 50, 54.8);
    moustache.cubicTo(52, 53, 56, 53.5, 59, 57.5);
    moustache.cubicTo(56, 56.8, 53, 57.4, 50, 57.9);
    moustache.cubicTo(47, 57.4, 44, 56.8, 41, 57.5);
    moustache.closeSubpath();
    p.fillPath(moustache, c.beard);
    p.strokePath(moustache, QPen(withAlpha(c.beardShade, 160), 0.4));
}

void drawGlasses(QPainter &p, const FigureColours &c)
{
    p.setPen(QPen(c.glasses, 0.6));
    p.setBrush(withAlpha(c.garment, 25));
    p.drawEllipse(kLeftEye, 5.3, 4.9);
    p.drawEllipse(kRightEye, 5.3, 4.9);
    QPainterPath bridge;
    bridge.moveTo(48.3, 42);
    bridge.quadTo(50, 40.6, 51.7, 42);
    bridge.moveTo(37.7, 42);
    bridge.lineTo(33.6, 43);
    bridge.moveTo(62.3, 42);
    bridge.lineTo(66.4, 43);
    p.strokePath(bridge, QPen(c.glasses, 0.6));
}

void drawTurban(QPainter &p, const FigureColours &c)
{
    // Its shadow on the forehead first.
    QPainterPath shadow;
    shadow.moveTo(32, 41);
    shadow.cubicTo(37, 36.5, 44, 35.5, 50, 35.5);
    shadow.cubicTo(56, 35.5, 63, 36.5, 68, 41);
    shadow.lineTo(68, 37);
    shadow.lineTo(32, 37);
    shadow.closeSubpath();
    p.fillPath(shadow, withAlpha(c.skinShade, 120));

    QPainterPath turban;
    turban.moveTo(30.5, 40);
    turban.cubicTo(25, 28, 31, 10.5, 50, 10);
    turban.cubicTo(69, 10.5, 75, 28, 69.5, 40);
    turban.cubicTo(64, 35.5, 57, 33.5, 50, 33.5);
    turban.cubicTo(43, 33.5, 36, 35.5, 30.5, 40);
    turban.closeSubpath();
    QRadialGradient light(QPointF(50, 22), 26, QPointF(42, 14));
    light.setColorAt(0, c.turban.lighter(104));
    light.setColorAt(0.6, c.turban);
    light.setColorAt(1, c.turbanShade);
    p.fillPath(turban, light);

    // The wraps of the cloth, crossing the turban diagonally.
    p.save();
    p.setClipPath(turban);
    QPainterPath wraps;
    wraps.moveTo(30, 35);
    wraps.cubicTo(40, 27, 60, 23, 72, 30);
    wraps.moveTo(29, 28);
    wraps.cubicTo(40, 20, 60, 17, 71, 22);
    wraps.moveTo(31, 21);
    wraps.cubicTo(41, 14, 57, 12, 67, 15);
    wraps.moveTo(37, 14);
    wraps.cubicTo(44, 11, 52, 10, 59, 11);
    p.strokePath(wraps, QPen(c.turbanShade, 0.9, Qt::SolidLine, Qt::RoundCap));
    p.restore();
    p.strokePath(turban, QPen(c.turbanShade.darker(125), 0.6));
}

} // namespace

FigureColours naturalColours()
{
    return {
        .robe = QColor(0x2a, 0x20, 0x1a),
        .robeLight = QColor(0x4a, 0x3a, 0x2e),
        .trim = QColor(0xc9, 0xa2, 0x4a),
        .garment = QColor(0xf4, 0xf1, 0xea),
        .garmentShade = QColor(0xc9, 0xc3, 0xb6),
        .skin = QColor(0xc6, 0x95, 0x6e),
        .skinLight = QColor(0xdd, 0xb0, 0x8c),
        .skinShade = QColor(0x94, 0x66, 0x47),
        .beard = QColor(0xee, 0xeb, 0xe4),
        .beardShade = QColor(0xa8, 0xa2, 0x98),
        .turban = QColor(0xf7, 0xf5, 0xf0),
        .turbanShade = QColor(0xc4, 0xbf, 0xb4),
        .features = QColor(0x33, 0x24, 0x1b),
        .glasses = QColor(0x6b, 0x55, 0x2e),
    };
}

void drawFigure(QPainter &painter, const QRectF &box, const FigureColours &colours)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.topLeft());
    painter.scale(box.width() / 100.0, box.height() / 120.0);
    drawRobe(painter, colours);
    drawGarment(painter, colours);
    drawShawl(painter, colours);
    drawHead(painter, colours);
    drawNose(painter, colours);
    drawEyes(painter, colours);
    drawBeard(painter, colours);
    drawGlasses(painter, colours);
    drawTurban(painter, colours);
    painter.restore();
}

QImage figureImage(QSize size, const QRectF &box, const FigureColours &colours)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawFigure(painter, box, colours);
    return image;
}

} // namespace pictures
