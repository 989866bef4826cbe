#pragma once

// The lecturer's figure as every portrait picture shows it: a stylised bust of
// an elderly scholar in a white turban and shawl, a dark robe with a gold
// trim, a white beard and round glasses. Drawn, never photographed, so that
// no real person is shown. Every picture that shows him draws this figure in
// its own colours and then treats the result (pencil, greyscale, posterised).

#include <QColor>
#include <QImage>
#include <QRectF>

class QPainter;

namespace pictures {

struct FigureColours
{
    QColor robe;
    QColor robeLight;
    QColor trim;
    QColor garment; // the white inner garment and the shawl
    QColor garmentShade;
    QColor skin;
    QColor skinLight;
    QColor skinShade;
    QColor beard;
    QColor beardShade;
    QColor turban;
    QColor turbanShade;
    QColor features; // eyes, lids, mouth
    QColor glasses;
};

FigureColours naturalColours();

// Draws the figure into `box`, which it fills from the top of the turban to
// the chest; the box is meant to be 100 wide for 120 high.
void drawFigure(QPainter &painter, const QRectF &box, const FigureColours &colours);

// The figure alone on a transparent image of `size`.
QImage figureImage(QSize size, const QRectF &box, const FigureColours &colours);

} // namespace pictures
