#include "navigator.h"

#include "logging.h"
#include "window_registry.h"
#include "windows/form_window.h"

#include <QMainWindow>

namespace app {

Navigator::Navigator(WindowRegistry &registry, QObject *parent)
    : QObject(parent), m_registry(registry)
{
    connect(&m_registry, &WindowRegistry::created, this, &Navigator::follow);
}

void Navigator::follow(QMainWindow *window)
{
    auto *form = qobject_cast<windows::FormWindow *>(window);
    if (!form) {
        qCWarning(lcApp) << "window" << window->objectName() << "takes no navigation";
        return;
    }
    connect(form, &windows::FormWindow::navigationRequested, this,
            [this, source = form->id()](layout::WindowId target) { navigate(source, target); });
}

void Navigator::bringForward(QMainWindow *target)
{
    for (QMainWindow *window : m_registry.windows()) {
        if (window != target && window->isVisible())
            window->hide();
    }
    target->show();
    target->raise();
    target->activateWindow();
}

void Navigator::navigate(layout::WindowId source, layout::WindowId target)
{
    QMainWindow *from = m_registry.window(source);
    if (!from)
        return;
    from->hide();
    if (from->isVisible()) {
        qCWarning(lcApp) << "cannot hide" << layout::nameOf(source);
        return;
    }
    QMainWindow *to = m_registry.window(target);
    if (!to)
        return;
    to->show();
    if (!to->isVisible())
        qCWarning(lcApp) << "cannot show" << layout::nameOf(target);
}

} // namespace app
