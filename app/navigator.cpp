#include "navigator.h"

#include "navigation_table.h"
#include "resources/text.h"
#include "window_registry.h"

#include <QAbstractButton>
#include <QAction>
#include <QLoggingCategory>
#include <QMainWindow>

Q_DECLARE_LOGGING_CATEGORY(lcApp)

namespace app {

Navigator::Navigator(WindowRegistry &registry, QObject *parent)
    : QObject(parent), m_registry(registry)
{
    connect(&m_registry, &WindowRegistry::created, this, &Navigator::wire);
}

void Navigator::wire(QMainWindow *window)
{
    const QString name = window->objectName();
    for (const NavigationCommand &command : kNavigationTable) {
        if (layout::toQString(command.source) != name)
            continue;
        const QString control = layout::toQString(command.control);
        const QString target = layout::toQString(command.target);
        auto run = [this, name, target] {
            navigate(name, target);
        };
        if (auto *item = window->findChild<QAction *>(control)) {
            connect(item, &QAction::triggered, this, run);
        } else if (auto *button = window->findChild<QAbstractButton *>(control)) {
            connect(button, &QAbstractButton::clicked, this, run);
        } else {
            qCWarning(lcApp) << "window" << name << "has no control" << control;
        }
    }
}

void Navigator::navigate(QStringView source, QStringView target)
{
    QMainWindow *from = m_registry.window(source);
    if (!from)
        return;
    from->hide();
    if (from->isVisible()) {
        qCWarning(lcApp) << "cannot hide" << source;
        return;
    }
    QMainWindow *to = m_registry.window(target);
    if (!to)
        return;
    to->show();
    if (!to->isVisible())
        qCWarning(lcApp) << "cannot show" << target;
}

} // namespace app
