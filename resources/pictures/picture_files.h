#pragma once

// The embedded picture files: their resource paths, and loading them into
// what a window shows. Windows load their pictures when they are created, so
// that start-up decodes only the home window's.

#include "pictures.h"

#include <QLoggingCategory>
#include <QString>

class QIcon;
class QPixmap;

Q_DECLARE_LOGGING_CATEGORY(lcResources)

namespace layout {

// Makes the embedded files readable under ":/pictures/"; safe to call again.
void registerPictures();

QString resourcePath(const Picture &picture);

// The name of a picture's file drawn at twice its size: "name@2x.jpg".
QString doubleSizeFileName(const QString &fileName);

// The decoded picture; a null pixmap, logged, if it cannot be read. Where
// the screens have a device pixel ratio above 1, the picture drawn at twice
// its size, with a device pixel ratio of 2: the same size on screen,
// sharper.
QPixmap loadPixmap(const Picture &picture);

// The window icon; a null icon, logged, if it cannot be read.
QIcon loadIcon(const Picture &picture);

} // namespace layout
