#pragma once

// Writes a Windows icon file holding one image at 24 bits per pixel with its
// 1-bit transparency mask: the classic format every Windows shell shows.
// Qt's own icon writer stores 32-bit images, hence this small writer.

#include <QByteArray>
#include <QImage>

namespace pictures {

// `image` is at most 255 pixels wide and high; pixels with alpha below half
// become transparent in the mask.
QByteArray iconFile(const QImage &image);

} // namespace pictures
