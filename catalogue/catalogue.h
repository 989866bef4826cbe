#pragma once

// The episode catalogue: for each of the 63 episode windows, its ordered
// entries, each a label shown in the window's list and, for all entries but
// two, the media location that the window hands to its player.
//
// Everything here is constant data expanded by the compiler; every question
// is answered in constant time, without any window or Qt object.

#include "ids/window_id.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace catalogue {

// An episode window as the catalogue lists it, and what it serves.
struct ListedWindow
{
    layout::WindowId id;   // Form3 to Form62, Form64 to Form66
    std::string_view name; // its name, "Form3" and so on
    int surah = 0;         // 1 to 60 for a surah window, 0 for a programme window
};

// The 63 episode windows in the order Form3 to Form62, Form64, Form65, Form66.
std::span<const ListedWindow> episodeWindows();

// The episode window of that id, or nullptr for any other window (and for
// no window).
const ListedWindow *findEpisodeWindow(layout::WindowId window);

// The labels of a window in list order (UTF-8, trailing blanks kept); the
// label at position p is the one the list shows at list index p. Empty for a
// window that is not an episode window.
std::span<const std::string_view> labels(layout::WindowId window);

// The media locations of a window in list order (ASCII, leading and trailing
// blanks kept). A window may hold fewer locations than labels.
std::span<const std::string_view> locations(layout::WindowId window);

// The media location for a list index as the list reports it (-1: nothing
// selected). None for a negative index, an index past the window's entries,
// an entry without a location, or a window that is not an episode window.
std::optional<std::string_view> location(layout::WindowId window, std::int16_t listIndex);

// The list index of the nearest entry before (step -1) or after (step +1)
// listIndex that has a location, skipping entries without one. From -1
// (nothing selected), the next entry is the first with a location and there
// is no previous one. None when there is no such entry.
std::optional<std::int16_t> neighbourWithLocation(layout::WindowId window, std::int16_t listIndex,
                                                  int step);

} // namespace catalogue
