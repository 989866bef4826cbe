#include "window_frame.h"

#include "form_window.h"
#include "logging.h"
#include "menu_keys.h"
#include "option_button.h"
#include "picture_control.h"
#include "resources/layouts/text.h"
#include "resources/pictures/picture_files.h"

#include <QAction>
#include <QButtonGroup>
#include <QIcon>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <cmath>

namespace windows {

int toPixels(int twips)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / layout::kTwipsPerPixel));
}

QRect toPixels(const layout::Rect &rect)
{
    return {toPixels(rect.left), toPixels(rect.top), toPixels(rect.width), toPixels(rect.height)};
}

QWidget *setUpFrame(QMainWindow *window, const QString &caption, int clientWidth, int clientHeight)
{
    // Window managers pick a title's direction from its first strong letter,
    // which is Arabic; a left-to-right mark keeps the stored direction, so
    // leading blanks push the text right as they should.
    window->setWindowTitle(QChar(kLeftToRightMark) + caption);
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint);
    auto *client = new QWidget(window);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(toPixels(clientWidth), toPixels(clientHeight));
    window->setCentralWidget(client);
    // The frame follows the client area and the menu bar; the user cannot resize it.
    window->layout()->setSizeConstraint(QLayout::SetFixedSize);
    return client;
}

void placeClientArea(QMainWindow *window, const layout::Point &position)
{
    window->adjustSize();
    const int menuHeight = window->menuWidget() ? window->menuWidget()->sizeHint().height() : 0;
    // A top-level geometry excludes the frame, and the menu bar lies above the client area.
    window->setGeometry(
        QRect(QPoint(toPixels(position.x), toPixels(position.y) - menuHeight), window->size()));
}

void useTextWindowBackground(QWidget *client)
{
    const QColor buttonFace = client->palette().color(QPalette::Window);
    QPalette background = client->palette();
    background.setColor(QPalette::Window, client->palette().color(QPalette::Base));
    client->setPalette(background);
    client->setAutoFillBackground(true);
    for (QRadioButton *button : client->findChildren<QRadioButton *>()) {
        QPalette face = button->palette();
        face.setColor(QPalette::Window, buttonFace);
        button->setPalette(face);
    }
}

void buildMenuBar(FormWindow *window, std::span<const layout::MenuEntry> entries)
{
    if (entries.empty())
        return;
    QMenuBar *bar = window->menuBar();
    QMenu *dropDown = nullptr;
    for (const layout::MenuEntry &entry : entries) {
        const QString name = layout::toQString(entry.name);
        const QString caption = layout::toQString(entry.caption);
        const bool opensDropDown =
            entry.depth == 0 && &entry != &entries.back() && (&entry + 1)->depth > 0;
        QAction *item = nullptr;
        if (entry.depth == 0 && opensDropDown) {
            dropDown = bar->addMenu(caption);
            dropDown->setObjectName(name);
        } else if (entry.depth == 0) {
            dropDown = nullptr;
            item = bar->addAction(caption);
        } else if (!dropDown) {
            qCWarning(lcWindows) << "menu item without a drop-down:" << name;
        } else if (entry.caption == layout::kSeparator) {
            dropDown->addSeparator()->setObjectName(name);
        } else {
            item = dropDown->addAction(caption);
        }
        if (!item)
            continue;
        item->setObjectName(name);
        if (const layout::WindowId target = entry.target; target.isValid()) {
            QObject::connect(item, &QAction::triggered, window,
                             [window, target] { window->requestNavigation(target); });
        }
    }
    addMenuKeys(window, bar);
}

QRadioButton *addOptionButton(FormWindow *window, QWidget *client, QButtonGroup *group,
                              const layout::Control &control)
{
    auto *button = new OptionButton(layout::toQString(control.caption), client);
    button->setObjectName(layout::toQString(control.name));
    button->setGeometry(toPixels(control.geometry));
    // An option button is a button: its whole box has the button face,
    // over whatever picture lies beneath it.
    button->setAutoFillBackground(true);
    group->addButton(button);
    if (const layout::WindowId target = control.target; target.isValid()) {
        QObject::connect(button, &QAbstractButton::clicked, window,
                         [window, target] { window->requestNavigation(target); });
    }
    return button;
}

PictureControl *addPicture(QWidget *client, const layout::Control &control)
{
    const QString name = layout::toQString(control.name);
    QPixmap pixmap;
    if (control.picture)
        pixmap = layout::loadPixmap(*control.picture);
    else
        qCWarning(lcWindows) << "picture control without an image:" << name;
    auto *picture = new PictureControl(pixmap, client);
    picture->setObjectName(name);
    // The stored width and height are the image's own; only the place is read.
    picture->move(toPixels(control.geometry.left), toPixels(control.geometry.top));
    if (!control.tooltip.empty())
        picture->setToolTip(layout::toQString(control.tooltip));
    if (!control.spokenName.empty())
        picture->setSpokenName(layout::toQString(control.spokenName));
    picture->setActivatable(control.tabIndex >= 0);
    return picture;
}

void applyWindowIcon(QWidget *window)
{
    window->setWindowIcon(layout::loadIcon(layout::kWindowIcon));
}

void stackTopmostFirst(std::vector<QWidget *> controls)
{
    std::stable_partition(controls.begin(), controls.end(), [](QWidget *control) {
        return !qobject_cast<PictureControl *>(control);
    });
    // raise() puts a widget on top, so raise from the bottom up.
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
        (*it)->raise();
}

void uncoverOptionCircles(QWidget *client)
{
    const QList<QRadioButton *> buttons =
        client->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly);
    for (QRadioButton *button : buttons) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect circle = button->style()
                                 ->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button)
                                 .translated(button->pos());
        for (QRadioButton *other : buttons) {
            // children() lists siblings from the bottom of the stack up.
            const bool above =
                client->children().indexOf(other) > client->children().indexOf(button);
            if (other != button && above && other->geometry().intersects(circle))
                other->stackUnder(button);
        }
    }
}

void applyTabOrder(std::vector<std::pair<int, QWidget *>> controls)
{
    std::erase_if(controls, [](const auto &c) { return c.first < 0; });
    std::sort(controls.begin(), controls.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls[i - 1].second, controls[i].second);
    // The window opens with the focus on its first control; set now, it
    // takes effect when the window is first shown.
    if (!controls.empty())
        controls.front().second->setFocus(Qt::OtherFocusReason);
}

} // namespace windows
