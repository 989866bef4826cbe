#pragma once

// Generic pieces every window of the system is built from, read from the
// stored layout tables: the fixed frame with its caption and client area,
// controls placed by their stored geometry, and the menu bar.

#include "resources/layouts/layout_types.h"

#include <QRect>
#include <span>
#include <utility>
#include <vector>

class QAction;
class QButtonGroup;
class QMainWindow;
class QRadioButton;
class QWidget;

namespace windows {

class FormWindow;
class PictureControl;

inline constexpr char16_t kLeftToRightMark = u'\u200E';

int toPixels(int twips);
QRect toPixels(const layout::Rect &rect);

// Gives the window its caption, a frame the user cannot resize or maximise,
// and a client area of exactly the stored size; returns the client area, the
// parent of the window's controls.
QWidget *setUpFrame(QMainWindow *window, const QString &caption, int clientWidth, int clientHeight);

// Puts the top-left corner of the window's client area (below the menu
// bar) at a stored screen position; call once the menu bar is built.
void placeClientArea(QMainWindow *window, const layout::Point &position);

// Gives the client area the platform's colour for window backgrounds, while
// its option buttons keep the colour of buttons.
void useTextWindowBackground(QWidget *client);

// Builds the menu bar from its stored tree. Every entry carries its stored
// name: items as QAction, drop-down menus as QMenu. An item with a target
// asks the window for it when chosen.
void buildMenuBar(FormWindow *window, std::span<const layout::MenuEntry> entries);

// An option button at its stored place; one with a target asks the window
// for it when clicked.
QRadioButton *addOptionButton(FormWindow *window, QWidget *client, QButtonGroup *group,
                              const layout::Control &control);

// A picture control at its stored place, its image read now, when its window
// is created; it carries its stored name and tooltip.
PictureControl *addPicture(QWidget *client, const layout::Control &control);

// The window icon, shown in the title bar and the task bar entry. Set per
// window: the one window without it must show the platform's own.
void applyWindowIcon(QWidget *window);

// Stacks controls listed topmost first, as stored. Pictures are painted on
// the window's background: they go beneath every other control wherever they
// stand in the list, in list order among themselves.
void stackTopmostFirst(std::vector<QWidget *> controls);

// Stored boxes of option buttons may overlap a neighbour's by a pixel; the
// circle that shows the choice stays whole, its button lying above any
// neighbour whose box would cover it.
void uncoverOptionCircles(QWidget *client);

// Sets the tab order from stored tab indexes, and gives the first the focus.
void applyTabOrder(std::vector<std::pair<int, QWidget *>> controls);

} // namespace windows
