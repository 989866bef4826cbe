#pragma once

// Stored texts are UTF-8 constants; Qt wants QString.

#include <QString>
#include <string_view>

namespace layout {

inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace layout
