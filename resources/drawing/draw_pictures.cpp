// Draws the images of resources/pictures/ at their stored pixel sizes:
// eight baseline JFIF JPEGs with three colour components and the 32 x 32,
// 24-bit window icon with its mask; and each of the eight again at twice
// its size, NAME@2x.jpg, for screens with a device pixel ratio above 1.
// The drawing is deterministic, so the committed files change only when
// this program does.
//
// To regenerate (not part of the normal build):
//   cmake --build BUILD_DIR --target draw-pictures
//   BUILD_DIR/resources/draw-pictures resources/pictures [PREVIEW_DIR]
// PREVIEW_DIR, if given, receives enlarged PNG renders for looking at.

#include "drawings.h"
#include "ico_writer.h"
#include "resources/pictures/picture_files.h"
#include "resources/pictures/pictures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <array>
#include <cstdio>

namespace {

struct Drawing
{
    const layout::Picture *picture;
    QImage (*draw)(QSize, int);
};

QImage drawIcon(QSize size, int)
{
    return pictures::drawWindowIcon(size);
}

const std::array<Drawing, 9> kDrawings{{
    {&layout::kWindowIcon, drawIcon},
    {&layout::kSurahPortrait, pictures::drawSurahPortrait},
    {&layout::kProgrammePortrait, pictures::drawProgrammePortrait},
    {&layout::kHomeBackground, pictures::drawHomeBackground},
    {&layout::kProgrammesBackground, pictures::drawProgrammesBackground},
    {&layout::kCameraMark, pictures::drawCameraMark},
    {&layout::kSiteMark, pictures::drawSiteMark},
    {&layout::kSocialMark, pictures::drawSocialMark},
    {&layout::kVideoSiteMark, pictures::drawVideoSiteMark},
}};

QString fileNameOf(const layout::Picture &picture)
{
    return QString::fromLatin1(picture.fileName.data(), qsizetype(picture.fileName.size()));
}

bool writeJpeg(const QImage &image, const QString &path, bool small)
{
    QImageWriter writer(path, "jpeg");
    // Small marks keep their few pixels crisp; the large pictures need less.
    writer.setQuality(small ? 95 : 90);
    // Three colour components, also for the greyscale print.
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32))) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

bool writeIcon(const QImage &image, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pictures::iconFile(image)) < 0) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

// An enlarged render of the stored file, as the program will show it.
void writePreview(const QString &stored, const QDir &dir, const QString &name)
{
    const QImage image(stored);
    const int factor = image.width() < 64 ? 8 : 3;
    image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .save(dir.filePath(name + QStringLiteral(".png")));
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: draw-pictures OUTPUT_DIR [PREVIEW_DIR]\n");
        return 2;
    }
    const QDir output(arguments.at(1));
    const QString previewDir = arguments.value(2);
    if (!previewDir.isEmpty())
        QDir().mkpath(previewDir);

    bool ok = true;
    for (const Drawing &drawing : kDrawings) {
        const layout::Picture &picture = *drawing.picture;
        const QSize size(picture.width, picture.height);
        const QString name = fileNameOf(picture);
        const QString path = output.filePath(name);
        if (name.endsWith(QStringLiteral(".ico"))) {
            ok = writeIcon(drawing.draw(size, 1), path) && ok;
            continue;
        }
        ok = writeJpeg(drawing.draw(size, 1), path, picture.width < 64) && ok;
        const QString doubleName = layout::doubleSizeFileName(name);
        const QString doublePath = output.filePath(doubleName);
        ok = writeJpeg(drawing.draw(size, 2), doublePath, picture.width < 64) && ok;
        if (!previewDir.isEmpty()) {
            writePreview(path, QDir(previewDir), name);
            writePreview(doublePath, QDir(previewDir), doubleName);
        }
    }
    return ok ? 0 : 1;
}
