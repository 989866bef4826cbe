#include "hub_window.h"

#include "resources/text.h"
#include "windows/picture_control.h"
#include "windows/window_frame.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace windows {

HubWindow::HubWindow(const layout::WindowLayout &layout, QWidget *parent) : QMainWindow(parent)
{
    QWidget *client = setUpFrame(this, layout.name, layout::toQString(layout.caption),
                                 layout.clientWidth, layout.clientHeight);
    m_options = new QButtonGroup(this);
    m_options->setExclusive(true);

    applyWindowIcon(this);

    std::vector<QWidget *> stacking;
    std::vector<std::pair<int, QWidget *>> tabOrder;
    for (const layout::Control &control : layout.controls) {
        switch (control.kind) {
        case layout::ControlKind::OptionButton: {
            QRadioButton *button = addOptionButton(client, m_options, control);
            stacking.push_back(button);
            tabOrder.emplace_back(control.tabIndex, button);
            break;
        }
        case layout::ControlKind::Picture:
            stacking.push_back(addPicture(client, control));
            break;
        default:
            qCWarning(lcWindows) << "hub windows hold no control of this kind:"
                                 << layout::toQString(control.name);
            break;
        }
    }
    stackTopmostFirst(std::move(stacking));
    applyTabOrder(std::move(tabOrder));
    buildMenuBar(this, layout.menu);
    if (layout.background == layout::Background::TextWindow)
        useTextWindowBackground(client);
    if (layout.position)
        placeClientArea(this, *layout.position);
}

} // namespace windows
