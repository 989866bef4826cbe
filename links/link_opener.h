#pragma once

// Opens a link text of the link table in the program the desktop chooses
// for it, a web browser for a web link. A text with a scheme is opened as it
// is; a text without one ("host/path") is taken for a web address, as a
// browser's address bar takes it. Nothing goes through a shell command line.

#include <QLoggingCategory>
#include <QStringView>
#include <QUrl>

Q_DECLARE_LOGGING_CATEGORY(lcLinks)

namespace links {

// The address a link text stands for.
QUrl addressOf(QStringView link);

// Asks the desktop to open the link's address. Returns whether an opener
// took it; where there is none, nothing is shown and the failure is logged.
bool openLink(QStringView link);

} // namespace links
