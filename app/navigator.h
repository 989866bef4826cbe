#pragma once

// Runs the navigation commands: wires the controls of every window the
// registry creates to the commands of the navigation table, and carries a
// command out: hide the source window, then show the target.

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
    void navigate(QStringView source, QStringView target);

private:
    void wire(QMainWindow *window);

    WindowRegistry &m_registry;
};

} // namespace app
