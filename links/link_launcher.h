#pragma once

// The link launcher: opens a link text in the user's browser through the
// desktop shell, on behalf of the window that carries the command. It keeps
// no state; the shell's answer is not looked at.

#include <QStringView>

class QWidget;

namespace links {

// Reads the window's native handle, then hands the link text, unchanged and
// in the system's 8-bit encoding, to the desktop shell. A failed read of the
// handle is logged and ends the command before the shell is asked.
void openLink(QWidget *window, QStringView link);

} // namespace links
