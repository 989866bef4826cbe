#include "hub_window.h"

#include "option_navigation.h"
#include "resources/layouts/text.h"
#include "windows/picture_control.h"
#include "windows/window_frame.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QRadioButton>
#include <optional>
#include <vector>

namespace windows {
namespace {

std::optional<Direction> arrowDirection(int key)
{
    switch (key) {
    case Qt::Key_Left:
        return Direction::Left;
    case Qt::Key_Right:
        return Direction::Right;
    case Qt::Key_Up:
        return Direction::Up;
    case Qt::Key_Down:
        return Direction::Down;
    default:
        return std::nullopt;
    }
}

} // namespace

HubWindow::HubWindow(const layout::WindowLayout &layout, QWidget *parent)
    : FormWindow(layout.id(), parent)
{
    QWidget *client = setUpFrame(this, layout::toQString(layout.caption), layout.clientWidth,
                                 layout.clientHeight);
    m_options = new QButtonGroup(this);
    m_options->setExclusive(true);

    applyWindowIcon(this);

    std::vector<QWidget *> stacking;
    std::vector<std::pair<int, QWidget *>> tabOrder;
    for (const layout::Control &control : layout.controls) {
        switch (control.kind) {
        case layout::ControlKind::OptionButton: {
            QRadioButton *button = addOptionButton(this, client, m_options, control);
            button->installEventFilter(this);
            stacking.push_back(button);
            tabOrder.emplace_back(control.tabIndex, button);
            break;
        }
        case layout::ControlKind::Picture: {
            PictureControl *picture = addPicture(client, control);
            stacking.push_back(picture);
            if (control.tabIndex >= 0)
                tabOrder.emplace_back(control.tabIndex, picture);
            break;
        }
        }
    }
    stackTopmostFirst(std::move(stacking));
    uncoverOptionCircles(client);
    applyTabOrder(std::move(tabOrder));
    buildMenuBar(this, layout.menu);
    if (layout.background == layout::Background::TextWindow)
        useTextWindowBackground(client);
    if (layout.position)
        placeClientArea(this, *layout.position);
}

bool HubWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (button && m_options->buttons().contains(button) &&
            handleOptionKey(button, *static_cast<QKeyEvent *>(event)))
            return true;
    }
    return FormWindow::eventFilter(watched, event);
}

bool HubWindow::handleOptionKey(QAbstractButton *button, const QKeyEvent &key)
{
    if (key.modifiers() & ~Qt::KeypadModifier)
        return false;
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        button->click();
        return true;
    }
    const std::optional<Direction> direction = arrowDirection(key.key());
    if (!direction)
        return false;
    // Buttons placed out of sight are left out, unless the focus is there.
    const QRect client = button->parentWidget()->rect();
    std::vector<QAbstractButton *> buttons;
    std::vector<QRect> places;
    for (QAbstractButton *candidate : m_options->buttons()) {
        if (candidate == button || client.intersects(candidate->geometry())) {
            buttons.push_back(candidate);
            places.push_back(candidate->geometry());
        }
    }
    const auto from = std::find(buttons.begin(), buttons.end(), button) - buttons.begin();
    const int to = neighbourInDirection(places, int(from), *direction);
    if (to >= 0)
        buttons[std::size_t(to)]->setFocus(Qt::TabFocusReason);
    // At the edge the key does nothing, rather than what the platform's
    // option buttons do with it (choose the next one).
    return true;
}

} // namespace windows
