#pragma once

// Windows named as a test names them, "Form5": the system knows its windows
// by id only, and parses a name in one place (windowIdOf).

#include "resources/layouts/window_id.h"

#include <QStringView>

namespace testing {

// The id of that name; no window (an invalid id) for any other text.
inline layout::WindowId idOf(QStringView name)
{
    return layout::windowIdOf(name).value_or(layout::WindowId{});
}

} // namespace testing
