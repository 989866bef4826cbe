#pragma once

// The top-level window each form of the system is. Its controls ask for
// other windows through navigationRequested(); the application carries the
// request out. Once it has stayed
// hidden a while, it gives back its native window and the image it paints
// into, as large as the window and held in memory shared with the X
// server: with 66 windows those images are most of what hidden windows
// hold. Showing it again makes them anew.

#include "resources/layouts/window_id.h"

#include <QMainWindow>
#include <QTimer>
#include <chrono>

namespace windows {

class FormWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit FormWindow(layout::WindowId id, QWidget *parent = nullptr);

    // Which of the system's windows it is, from its making; its objectName
    // is the same id's name.
    layout::WindowId id() const { return m_id; }

    // A quick way back to a window just left costs nothing.
    static constexpr std::chrono::milliseconds kReleaseDelay{3000};

    // Whether it holds its native window and image now.
    bool holdsNativeWindow() const;
    // Whether it is hidden and the wait before giving them back still runs.
    bool releasePending() const { return m_release.isActive(); }

    // Asks for the target in place of this window: a command of one of its
    // option buttons or menu items, which the application carries out.
    void requestNavigation(layout::WindowId target) { emit navigationRequested(target); }

signals:
    void navigationRequested(layout::WindowId target);

protected:
    void hideEvent(QHideEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // Whether the native window may go. A window that holds a native child
    // (a video drawn with OpenGL) keeps it: the child's surface belongs to it.
    virtual bool canRelease() const;

private:
    void releaseIfHidden();

    const layout::WindowId m_id;
    QTimer m_release;
};

} // namespace windows
