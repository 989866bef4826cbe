#pragma once

// Wires the link commands of the link table to the controls of a window: the
// click of a picture or the choice of a menu item opens its link.

class QMainWindow;

namespace app {

// Binds every link command of this window (found by its objectName) to its
// control; a control the window lacks is logged and left out.
void wireLinkCommands(QMainWindow *window);

} // namespace app
