#include "link_commands.h"

#include "desktop_shell.h"
#include "link_launcher.h"
#include "link_table.h"
#include "windows/picture_control.h"

#include <QAction>
#include <QMainWindow>

namespace links {
namespace {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

void wireLinkCommands(QMainWindow *window)
{
    const QString name = window->objectName();
    for (const LinkCommand &command : kLinkCommands) {
        if (toQString(command.window) != name)
            continue;
        const QString control = toQString(command.control);
        const QString link = toQString(command.link);
        auto open = [window, link] {
            openLink(window, link);
        };
        if (auto *picture = window->findChild<windows::PictureControl *>(control)) {
            QObject::connect(picture, &windows::PictureControl::clicked, window, open);
        } else if (auto *item = window->findChild<QAction *>(control)) {
            QObject::connect(item, &QAction::triggered, window, open);
        } else {
            qCWarning(lcLinks) << "window" << name << "has no control" << control;
        }
    }
}

} // namespace links
