#pragma once

// The window registry: one slot per window name, Form1 to Form66. A window is
// created on its first reference and kept until the registry goes; the system
// never destroys or re-creates one.

#include "resources/layouts/window_id.h"

#include <QList>
#include <QObject>
#include <array>
#include <memory>

class QMainWindow;

namespace player {
class PlayerWidget;
}

namespace app {

class WindowRegistry : public QObject
{
    Q_OBJECT

public:
    static constexpr int kWindowCount = layout::kWindowCount;

    explicit WindowRegistry(QObject *parent = nullptr);
    ~WindowRegistry() override;

    // The window of that id, created (not yet loaded, not visible) if its
    // slot is empty; nullptr for no window.
    QMainWindow *window(layout::WindowId id);
    // The window of that id if it exists already.
    QMainWindow *existing(layout::WindowId id) const;
    // Every window created so far, and the players in them.
    QList<QMainWindow *> windows() const;
    QList<player::PlayerWidget *> players() const;

signals:
    void created(QMainWindow *window);

private:
    std::array<std::unique_ptr<QMainWindow>, kWindowCount> m_slots;
};

} // namespace app
