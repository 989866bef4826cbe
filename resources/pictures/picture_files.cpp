#include "picture_files.h"

#include "icon_file.h"

#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

// Warnings only unless QT_LOGGING_RULES asks for more ("tafsir.*.debug=true").
Q_LOGGING_CATEGORY(lcResources, "tafsir.resources", QtWarningMsg)

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

QString doubleSizeFileName(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? fileName + QStringLiteral("@2x")
                   : fileName.first(dot) + QStringLiteral("@2x") + fileName.sliced(dot);
}

QPixmap loadPixmap(const Picture &picture)
{
    registerPictures();
    const QString path = resourcePath(picture);
    if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0) {
        const QString doublePath =
            QStringLiteral(":/pictures/") +
            doubleSizeFileName(
                QString::fromLatin1(picture.fileName.data(), qsizetype(picture.fileName.size())));
        QPixmap sharp(doublePath);
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
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
