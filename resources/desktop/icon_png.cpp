// Writes the window icon as a PNG for the desktop's icon theme, which takes
// no Windows icon files. Run by the build; the icon itself is stored once.

#include "resources/picture_files.h"

#include <QGuiApplication>
#include <QIcon>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: icon-png OUTPUT.png\n");
        return 2;
    }
    layout::registerPictures();
    const QIcon icon = layout::loadIcon(layout::kWindowIcon);
    const QPixmap pixmap = icon.pixmap(32, 32);
    return !pixmap.isNull() && pixmap.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
