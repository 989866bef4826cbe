#pragma once

// The desktop shell's "open", as the system asks it of the platform: given a
// text in the system's 8-bit encoding, open it in the program the desktop
// chooses for it, a web browser for a web link. A text with a scheme is
// opened as it is; a text without one ("host/path") is opened as a web
// address, as the Windows shell does with it. Nothing goes through a shell
// command line.

#include <QByteArray>
#include <QLoggingCategory>
#include <QWidget>

Q_DECLARE_LOGGING_CATEGORY(lcLinks)

namespace links {

// Asks the desktop to open `file`; `owner` is the window the request comes
// from. Returns whether an opener took the request; where there is none,
// nothing is shown and the failure is logged at debug level.
bool shellOpen(WId owner, const QByteArray &file);

} // namespace links
