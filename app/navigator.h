#pragma once

// Carries out the navigation requests of every window the registry creates:
// hide the source window, then show the target.

#include "resources/layouts/window_id.h"

#include <QObject>
#include <QStringView>

class QMainWindow;

namespace app {

class WindowRegistry;

class Navigator : public QObject
{
    Q_OBJECT

public:
    explicit Navigator(WindowRegistry &registry, QObject *parent = nullptr);

    // Hides the source window, then shows the target, creating it first if
    // needed; a failed step is logged and ends the command.
    void navigate(layout::WindowId source, layout::WindowId target);
    // Brings a window to the screen as the one visible window, from
    // outside the windows' own navigation (the desktop's media controls):
    // whichever window is visible now is hidden.
    void bringForward(QMainWindow *target);

private:
    void follow(QMainWindow *window);

    WindowRegistry &m_registry;
};

} // namespace app
