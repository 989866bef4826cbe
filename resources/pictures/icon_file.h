#pragma once

// Reading the window icon file: one image at 24 bits per pixel with its
// 1-bit transparency mask. Qt's icon reader keeps the colours of such an
// image but drops its mask (it applies masks to palette images only), which
// would show the transparent corners black; this reader applies it.

#include <QByteArray>
#include <QImage>

namespace layout {

// The first image of the icon file, transparent where its mask says so; a
// null image if the file cannot be read.
QImage readIconImage(const QByteArray &file);

} // namespace layout
