#include "link_wiring.h"

#include "links/link_opener.h"
#include "links/link_table.h"
#include "logging.h"
#include "resources/layouts/hub_layouts.h"
#include "resources/layouts/text.h"
#include "windows/form_window.h"
#include "windows/picture_control.h"

#include <QAction>
#include <QMainWindow>
#include <algorithm>

namespace app {
namespace {

constexpr std::string_view tooltipOf(std::string_view control)
{
    const auto *found =
        std::find_if(layout::kHomeControls.begin(), layout::kHomeControls.end(),
                     [control](const layout::Control &c) { return c.name == control; });
    return found == layout::kHomeControls.end() ? std::string_view{} : found->tooltip;
}

constexpr std::string_view linkOf(std::string_view control)
{
    const auto *found =
        std::find_if(links::kLinkCommands.begin(), links::kLinkCommands.end(),
                     [control](const links::LinkCommand &c) {
                         return c.window == layout::kHomeLayout.id() && c.control == control;
                     });
    return found == links::kLinkCommands.end() ? std::string_view{} : found->link;
}

// The home window names the site its mark opens by the site's domain.
static_assert(linkOf("Image6") == links::kSiteLink);
static_assert(tooltipOf("Image6") == links::kSiteDomain);

} // namespace

void wireLinkCommands(QMainWindow *window)
{
    auto *form = qobject_cast<windows::FormWindow *>(window);
    if (!form)
        return;
    for (const links::LinkCommand &command : links::kLinkCommands) {
        if (command.window != form->id())
            continue;
        const QString control = layout::toQString(command.control);
        const QString link = layout::toQString(command.link);
        auto open = [link] {
            links::openLink(link);
        };
        if (auto *picture = window->findChild<windows::PictureControl *>(control)) {
            QObject::connect(picture, &windows::PictureControl::clicked, window, open);
        } else if (auto *item = window->findChild<QAction *>(control)) {
            QObject::connect(item, &QAction::triggered, window, open);
        } else {
            qCWarning(lcApp) << "window" << window->objectName() << "has no control" << control;
        }
    }
}

} // namespace app
