#pragma once

// What the X server itself reports about top-level windows, for tests that
// start the application as a process of its own.

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QRect>
#include <QString>

namespace testing {

// Whether a top-level window of the given WM_CLASS is mapped on this
// test's X server.
inline bool windowOfClassMapped(const QByteArray &wmClass)
{
    QProcess tree;
    tree.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    if (!tree.waitForFinished(5000))
        return false;
    const QByteArray pattern = "(\"" + wmClass + "\" ";
    const QList<QByteArray> lines = tree.readAllStandardOutput().split('\n');
    for (const QByteArray &line : lines) {
        if (!line.contains(pattern))
            continue;
        // xwininfo lists unmapped windows too; a mapped top level has a size
        // larger than Qt's 1x1 helper windows.
        if (!line.contains(" 1x1+"))
            return true;
    }
    return false;
}

} // namespace testing

namespace testing {

// A top-level window's frame on screen, decorations included, as the X
// server reports it: the client window's absolute position (xwininfo) grown
// by the frame extents the window manager set (_NET_FRAME_EXTENTS).
inline QRect frameOnScreen(unsigned long windowId)
{
    const QString id = QStringLiteral("0x%1").arg(windowId, 0, 16);
    QProcess info;
    info.start(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
    if (!info.waitForFinished(5000))
        return {};
    int x = 0, y = 0, width = 0, height = 0;
    for (const QByteArray &line : info.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(':');
        if (parts.size() != 2)
            continue;
        const int value = parts[1].trimmed().toInt();
        if (parts[0] == "Absolute upper-left X")
            x = value;
        else if (parts[0] == "Absolute upper-left Y")
            y = value;
        else if (parts[0] == "Width")
            width = value;
        else if (parts[0] == "Height")
            height = value;
    }
    QProcess extents;
    extents.start(QStringLiteral("xprop"),
                  {QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")});
    if (!extents.waitForFinished(5000))
        return {};
    // "_NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom"
    const QByteArray text = extents.readAllStandardOutput();
    const QList<QByteArray> numbers = text.mid(text.indexOf('=') + 1).split(',');
    if (numbers.size() != 4)
        return QRect(x, y, width, height);
    const int left = numbers[0].trimmed().toInt();
    const int right = numbers[1].trimmed().toInt();
    const int top = numbers[2].trimmed().toInt();
    const int bottom = numbers[3].trimmed().toInt();
    return QRect(x - left, y - top, width + left + right, height + top + bottom);
}

} // namespace testing
