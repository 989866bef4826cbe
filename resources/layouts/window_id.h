#pragma once

// Window ids as Qt text: the name a window carries as its objectName, and
// the id of a name read at run time (tests, the bench).

#include "ids/window_id.h"

#include <QString>
#include <QStringView>

namespace layout {

inline std::optional<WindowId> windowIdOf(QStringView name)
{
    return windowIdOf(std::u16string_view(name.utf16(), std::size_t(name.size())));
}

inline QString nameOf(WindowId id)
{
    return QStringLiteral("Form%1").arg(id.number());
}

} // namespace layout
