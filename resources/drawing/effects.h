#pragma once

// Treatments that turn a drawn image into the look of each picture: a
// photograph's grain, darkened and brushed-out edges, a posterised print, a
// coloured-pencil drawing. Randomness comes from a generator the caller
// seeds, so that drawing the pictures again gives the same files.

#include <QColor>
#include <QImage>
#include <span>

class QRandomGenerator;

namespace pictures {

// Grey values in an RGB image: a JPEG of it keeps three colour components.
QImage toGreyscale(const QImage &image);

// Adds film grain of up to +-amount to every channel alike.
void addGrain(QImage &image, QRandomGenerator &random, int amount);

// Darkens the image towards its edges, more within `band` pixels of them.
void darkenEdges(QImage &image, double strength, double band);

// Broad dark brush strokes along the edges, as if the print's border had
// been painted out by hand; `scale` times the stroke sizes, for a picture
// drawn at that many times the detail.
void brushEdges(QImage &image, QRandomGenerator &random, const QColor &ink, double band,
                double scale = 1.0);

// Maps the lightness of every pixel to one of `levels`, dark to light.
QImage posterise(const QImage &image, std::span<const QColor> levels);

// Redraws `source` (transparent where there is nothing) as coloured-pencil
// hatching with graphite outlines onto `target`, inside `area`.
void drawInPencil(QImage &target, const QRect &area, const QImage &source,
                  QRandomGenerator &random);

// Scales down with area averaging, for clean edges at small sizes.
QImage shrink(const QImage &image, QSize size);

} // namespace pictures
