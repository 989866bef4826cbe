#pragma once

// Start-up as a user sees it: from starting a program to the first window
// it maps on the X server, watched from outside through the X server's own
// notices, so that the program and its reference are timed the same way.

#include <QString>
#include <QStringList>

namespace bench {

// Milliseconds from starting `program` to the first window mapped on
// $DISPLAY after it; the program is ended once it has. -1 if nothing was
// mapped within 30 s or the X server cannot be reached.
double msToFirstMap(const QString &program, const QStringList &arguments = {});

} // namespace bench
