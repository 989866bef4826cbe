#pragma once

// The menu bar from the keyboard, as Linux desktops have it: Alt pressed
// and released alone puts the keys on the menu bar with its first entry
// highlighted; F10 opens the first menu (or highlights the first entry when
// it opens no drop-down). Arrows, Enter and Esc work from there. The stored
// captions carry no access keys and get none.

class QMainWindow;
class QMenuBar;

namespace windows {

void addMenuKeys(QMainWindow *window, QMenuBar *bar);

} // namespace windows
