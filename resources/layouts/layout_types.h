#pragma once

// The vocabulary of the stored window layouts: lengths in twips (1/1440 inch,
// 15 twips to a pixel at 96 dpi), controls listed from top to bottom of the
// stacking order, and menu trees. The tables in this folder use it; the
// generic code in windows/ reads it.

#include "resources/pictures/pictures.h"
#include "window_id.h"

#include <optional>
#include <span>
#include <string_view>

namespace layout {

inline constexpr int kTwipsPerPixel = 15;

struct Rect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Point
{
    int x = 0;
    int y = 0;
};

enum class ControlKind {
    OptionButton,
    Picture,
};

struct Control
{
    ControlKind kind = ControlKind::OptionButton;
    std::string_view name{};
    std::string_view caption{}; // option buttons; the stored text of a list
    Rect geometry{};
    int tabIndex = -1; // -1: takes no focus
    std::string_view tooltip{};
    const Picture *picture = nullptr; // pictures: the image shown
    // What a screen reader calls a picture that shows no text and has no
    // tooltip to name it.
    std::string_view spokenName{};
    // Option buttons: the window a click hides this one for and shows.
    WindowId target{};
};

// One entry of a menu tree, in stored order. Depth 0 is an entry of the menu
// bar; depth 1 an item in the drop-down of the depth-0 entry above it. A
// caption of "-" is a separator. An item with a target hides its window and
// shows the target.
struct MenuEntry
{
    std::string_view name{};
    std::string_view caption{};
    int depth = 0;
    WindowId target{};
};

inline constexpr std::string_view kSeparator = "-";

enum class Background {
    Default,    // the toolkit's window colour
    TextWindow, // the platform's colour for window backgrounds (white in most themes)
};

struct WindowLayout
{
    std::string_view name{};
    std::string_view caption{};
    int clientWidth = 0;
    int clientHeight = 0;
    std::optional<Point> position{};     // top-left of the client area on screen
    std::span<const Control> controls{}; // topmost first
    std::span<const MenuEntry> menu{};
    Background background = Background::Default;

    constexpr WindowId id() const { return *windowIdOf(name); }
};

constexpr Control option(std::string_view name, std::string_view caption, int left, int top,
                         int width, int height, int tabIndex, WindowId target = {})
{
    return {ControlKind::OptionButton,
            name,
            caption,
            {left, top, width, height},
            tabIndex,
            {},
            {},
            {},
            target};
}

// A picture control: shown at its image's own pixel size, which the stored
// width and height equal; pictures lie beneath every other control.
constexpr Control picture(std::string_view name, const Picture &image, int left, int top, int width,
                          int height, std::string_view tooltip = {})
{
    return {ControlKind::Picture, name, {}, {left, top, width, height}, -1, tooltip, &image};
}

// A picture that opens a link: it takes the focus at its place in the tab
// order and is named by its tooltip, or else by `spokenName`.
constexpr Control linkPicture(std::string_view name, const Picture &image, int left, int top,
                              int width, int height, int tabIndex, std::string_view tooltip,
                              std::string_view spokenName = {})
{
    return {ControlKind::Picture,
            name,
            {},
            {left, top, width, height},
            tabIndex,
            tooltip,
            &image,
            spokenName};
}

// Whether every picture's stored size is its image's pixel size in twips.
constexpr bool picturesFitImages(std::span<const Control> controls)
{
    for (const Control &control : controls) {
        if (control.kind != ControlKind::Picture)
            continue;
        // A picture control without its image stops compilation here: the
        // constant evaluator refuses to follow a null pointer. (No explicit
        // null test: GCC cannot evaluate one on sanitized globals.)
        if (control.geometry.width != control.picture->width * kTwipsPerPixel ||
            control.geometry.height != control.picture->height * kTwipsPerPixel)
            return false;
    }
    return true;
}

} // namespace layout
