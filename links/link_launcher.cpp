#include "link_launcher.h"

#include "desktop_shell.h"

#include <QWidget>

namespace links {

void openLink(QWidget *window, QStringView link)
{
    const WId handle = window ? window->winId() : 0;
    if (!handle) {
        qCWarning(lcLinks) << "no native handle for the window of link" << link;
        return;
    }
    shellOpen(handle, link.toLocal8Bit());
}

} // namespace links
