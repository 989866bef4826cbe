#pragma once

// One drawing function per picture; each returns an image of exactly `size`.
// The icon keeps an alpha channel (its transparency mask); every other
// picture is opaque.

#include <QImage>

namespace pictures {

QImage drawSurahPortrait(QSize size);
QImage drawProgrammePortrait(QSize size);
QImage drawHomeBackground(QSize size);
QImage drawProgrammesBackground(QSize size);
QImage drawWindowIcon(QSize size);

QImage drawCameraMark(QSize size);
QImage drawSiteMark(QSize size);
QImage drawSocialMark(QSize size);
QImage drawVideoSiteMark(QSize size);

} // namespace pictures
