#include "hub_window.h"

#include "resources/text.h"
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

    std::vector<QWidget *> stacking;
    std::vector<std::pair<int, QWidget *>> tabOrder;
    for (const layout::Control &control : layout.controls) {
        if (control.kind != layout::ControlKind::OptionButton) {
            qCWarning(lcWindows) << "hub windows hold no control of this kind:"
                                 << layout::toQString(control.name);
            continue;
        }
        QRadioButton *button = addOptionButton(client, m_options, control);
        stacking.push_back(button);
        tabOrder.emplace_back(control.tabIndex, button);
    }
    stackTopmostFirst(stacking);
    applyTabOrder(std::move(tabOrder));
    buildMenuBar(this, layout.menu);
}

} // namespace windows
