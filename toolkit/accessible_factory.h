#pragma once

// Gives a widget class of ours its own accessible interface: screen readers
// ask Qt's factories for one by class name, and a factory is installed once
// per process, with the first widget of the class.

#include <QAccessible>
#include <QString>

namespace toolkit {

template <typename Widget, typename Interface> void installAccessibleInterface()
{
    static const bool installed = [] {
        QAccessible::installFactory(
            [](const QString &className, QObject *object) -> QAccessibleInterface * {
                if (className == QLatin1String(Widget::staticMetaObject.className()))
                    return new Interface(static_cast<Widget *>(object));
                return nullptr;
            });
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace toolkit
