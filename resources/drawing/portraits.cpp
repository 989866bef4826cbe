// The portraits: the surah windows' greyscale print, the programme windows'
// posterised print on black, the programmes window's colour portrait on
// white, and the window icon's medallion.

#include "drawings.h"
#include "effects.h"
#include "figure.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <array>

namespace pictures {
namespace {

// Pictures are drawn at twice their size and shrunk, for smooth edges.
constexpr int kOversample = 2;

// A figure box of the given height (the box is 100 wide for 120 high),
// centred at x.
QRectF figureBox(double centreX, double top, double height)
{
    const double width = height * 100.0 / 120.0;
    return {centreX - width / 2, top, width, height};
}

} // namespace

QImage drawSurahPortrait(QSize size, int ratio)
{
    const QSize big = size * ratio * kOversample;
    QImage image(big, QImage::Format_RGB32);
    QPainter painter(&image);
    // A studio backdrop, lighter behind the head.
    QRadialGradient backdrop(QPointF(big.width() * 0.5, big.height() * 0.32), big.width() * 0.6);
    backdrop.setColorAt(0, QColor(0xb9, 0xb4, 0xaa));
    backdrop.setColorAt(1, QColor(0x4a, 0x47, 0x42));
    painter.fillRect(image.rect(), backdrop);
    const double height = big.height() * 0.92;
    drawFigure(painter, figureBox(big.width() / 2.0, big.height() - height, height),
               naturalColours());
    painter.end();

    QRandomGenerator random(299204);
    image = toGreyscale(image);
    darkenEdges(image, 0.8, 16.0 * kOversample * ratio);
    brushEdges(image, random, QColor(12, 12, 12), 20.0 * kOversample * ratio, ratio);
    image = shrink(image, size * ratio);
    addGrain(image, random, 5);
    return image;
}

QImage drawProgrammePortrait(QSize size, int ratio)
{
    const QSize big = size * ratio * kOversample;
    QImage image(big, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    FigureColours colours = naturalColours();
    // Colours that fall into distinct tones of the print: the robe a deep
    // brown against the black, the face gold with dark shade, the white cloth
    // and beard the lightest tone.
    colours.robe = QColor(0x4e, 0x34, 0x21);
    colours.robeLight = QColor(0x66, 0x46, 0x2c);
    colours.skin = QColor(0xd2, 0xa2, 0x7a);
    colours.skinLight = colours.skin;
    colours.skinShade = colours.skinShade.darker(130);
    colours.trim = colours.trim.lighter(125);
    const double height = big.height() * 0.94;
    drawFigure(painter, figureBox(big.width() / 2.0, big.height() - height, height), colours);
    painter.end();

    const std::array levels{QColor(0x00, 0x00, 0x00), QColor(0x3b, 0x22, 0x10),
                            QColor(0x9c, 0x5f, 0x26), QColor(0xe2, 0xb5, 0x6a),
                            QColor(0xfb, 0xf2, 0xde)};
    return shrink(posterise(image, levels), size * ratio);
}

QImage drawProgrammesBackground(QSize size, int ratio)
{
    const QSize big = size * ratio * kOversample;
    QImage image(big, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double height = big.height() * 0.97;
    const QRectF box = figureBox(big.width() * 0.27, big.height() - height, height);
    // A soft shadow on the white wall behind the figure's right side.
    QRadialGradient shadow(box.center() + QPointF(box.width() * 0.12, 0), box.width() * 0.62);
    shadow.setColorAt(0, QColor(0, 0, 0, 40));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    painter.fillRect(image.rect(), shadow);
    drawFigure(painter, box, naturalColours());
    painter.end();

    QRandomGenerator random(304220);
    image = shrink(image, size * ratio);
    addGrain(image, random, 2);
    return image;
}

QImage drawWindowIcon(QSize size)
{
    constexpr int kScale = 8;
    const QSize big = size * kScale;
    QImage image(big, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disc = QRectF(QPointF(0, 0), big).adjusted(2, 2, -2, -2);
    QPainterPath medallion;
    medallion.addEllipse(disc);
    QRadialGradient ground(disc.center() - QPointF(0, disc.height() * 0.2), disc.width() * 0.7);
    ground.setColorAt(0, QColor(0x2f, 0x74, 0x5a));
    ground.setColorAt(1, QColor(0x12, 0x3a, 0x2c));
    painter.fillPath(medallion, ground);
    painter.save();
    painter.setClipPath(medallion);
    const double height = big.height() * 1.25;
    drawFigure(painter, figureBox(big.width() / 2.0, -big.height() * 0.02, height),
               naturalColours());
    painter.restore();
    painter.strokePath(medallion, QPen(QColor(0xd4, 0xaf, 0x5a), 2.2 * kScale));
    painter.end();
    return shrink(image.convertToFormat(QImage::Format_ARGB32), size);
}

} // namespace pictures
