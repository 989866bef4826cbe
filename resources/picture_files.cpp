#include "picture_files.h"

#include "icon_file.h"

#include <QFile>
#include <QIcon>
#include <QPixmap>

Q_LOGGING_CATEGORY(lcResources, "tafsir.resources")

// The resource file is compiled into a static library, whose registration the
// linker would drop unless something refers to it; Q_INIT_RESOURCE is that
// reference, and it must stand outside any namespace.
static void initPictureResources()
{
    Q_INIT_RESOURCE(pictures);
}

namespace layout {

void registerPictures()
{
    static const bool registered = [] {
        initPictureResources();
        return true;
    }();
    Q_UNUSED(registered);
}

QString resourcePath(const Picture &picture)
{
    return QStringLiteral(":/pictures/") +
           QString::fromLatin1(picture.fileName.data(), qsizetype(picture.fileName.size()));
}

QPixmap loadPixmap(const Picture &picture)
{
    registerPictures();
    const QString path = resourcePath(picture);
    QPixmap pixmap(path);
    if (pixmap.isNull())
        qCWarning(lcResources) << "cannot read picture" << path;
    return pixmap;
}

QIcon loadIcon(const Picture &picture)
{
    registerPictures();
    const QString path = resourcePath(picture);
    QFile file(path);
    const QImage image = file.open(QIODevice::ReadOnly) ? readIconImage(file.readAll()) : QImage();
    if (image.isNull()) {
        qCWarning(lcResources) << "cannot read icon" << path;
        return {};
    }
    return QIcon(QPixmap::fromImage(image));
}

} // namespace layout
