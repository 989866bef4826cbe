#pragma once

// What the X server itself reports about top-level windows, for tests that
// start the application as a process of its own.

#include <QByteArray>
#include <QList>
#include <QProcess>
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
