// Draws the desktop icon for the desktop's icon theme, which takes no
// Windows icon files, at each size asked for: the window icon's own drawing
// at that size, so that large icons are as sharp as small ones.

#include "resources/drawing/drawings.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: icon-png THEME_DIR SIZE...\n");
        return 2;
    }
    const QDir theme(arguments.at(1));
    for (const QString &argument : arguments.mid(2)) {
        const int size = argument.toInt();
        const QString dir = QStringLiteral("%1x%1/apps").arg(size);
        if (size <= 0 || !theme.mkpath(dir)) {
            std::fprintf(stderr, "icon-png: cannot make %s\n", qPrintable(dir));
            return 1;
        }
        const QImage icon = pictures::drawWindowIcon(QSize(size, size));
        const QString path = theme.filePath(dir + QStringLiteral("/tafsir-videos.png"));
        if (icon.size() != QSize(size, size) || !icon.save(path, "PNG")) {
            std::fprintf(stderr, "icon-png: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
