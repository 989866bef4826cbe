#pragma once

// One drawing function per picture; each returns an image of exactly `size`
// times `ratio`: the same picture with `ratio` times the detail, for screens
// of that device pixel ratio. The icon keeps an alpha channel (its
// transparency mask); every other picture is opaque.

#include <QImage>

namespace pictures {

QImage drawSurahPortrait(QSize size, int ratio = 1);
QImage drawProgrammePortrait(QSize size, int ratio = 1);
QImage drawHomeBackground(QSize size, int ratio = 1);
QImage drawProgrammesBackground(QSize size, int ratio = 1);
QImage drawWindowIcon(QSize size);

QImage drawCameraMark(QSize size, int ratio = 1);
QImage drawSiteMark(QSize size, int ratio = 1);
QImage drawSocialMark(QSize size, int ratio = 1);
QImage drawVideoSiteMark(QSize size, int ratio = 1);

} // namespace pictures
