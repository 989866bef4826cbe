#include "catalogue.h"

#include "expansion.h"

#include <array>
#include <utility>

namespace catalogue {
namespace {

struct WindowTexts
{
    std::span<const std::string_view> labels;
    std::span<const std::string_view> locations;
};

template <std::size_t... I>
constexpr std::array<WindowTexts, sizeof...(I)> textsOf(std::index_sequence<I...>)
{
    return {{WindowTexts{data::Expanded<I>::labels, data::Expanded<I>::locations}...}};
}

// The rows name their windows; a name that is not a window's does not compile.
constexpr layout::WindowId idOfRow(std::size_t row)
{
    const std::optional<layout::WindowId> id = layout::windowIdOf(data::kWindows[row].name);
    if (!id)
        throw "an episode list names no window";
    return *id;
}

template <std::size_t... I>
constexpr std::array<ListedWindow, sizeof...(I)> windowsOf(std::index_sequence<I...>)
{
    return {{ListedWindow{idOfRow(I), data::kWindows[I].name, data::kWindows[I].surah}...}};
}

constexpr auto kIndexes = std::make_index_sequence<data::kWindows.size()>{};
constexpr std::array<WindowTexts, data::kWindows.size()> kTexts = textsOf(kIndexes);
constexpr std::array<ListedWindow, data::kWindows.size()> kListedWindows = windowsOf(kIndexes);

// Position of each episode window in the tables, by window number.
constexpr std::array<std::optional<std::size_t>, layout::kWindowCount + 1> kSlotByNumber = [] {
    std::array<std::optional<std::size_t>, layout::kWindowCount + 1> slots{};
    for (std::size_t row = 0; row < data::kWindows.size(); ++row)
        slots[std::size_t(idOfRow(row).number())] = row;
    return slots;
}();

constexpr std::optional<std::size_t> slotOf(layout::WindowId window)
{
    return window.isValid() ? kSlotByNumber[std::size_t(window.number())] : std::nullopt;
}

// The table is in window-number order, each window once.
constexpr bool tableInWindowOrder()
{
    for (std::size_t row = 1; row < data::kWindows.size(); ++row) {
        if (idOfRow(row - 1).number() >= idOfRow(row).number())
            return false;
    }
    return true;
}
static_assert(data::kWindows.size() == 63);
static_assert(tableInWindowOrder(), "episode windows must be listed Form3..Form62, Form64..Form66");

} // namespace

std::span<const ListedWindow> episodeWindows()
{
    return kListedWindows;
}

const ListedWindow *findEpisodeWindow(layout::WindowId window)
{
    const auto slot = slotOf(window);
    return slot ? &kListedWindows[*slot] : nullptr;
}

std::span<const std::string_view> labels(layout::WindowId window)
{
    const auto slot = slotOf(window);
    return slot ? kTexts[*slot].labels : std::span<const std::string_view>{};
}

std::span<const std::string_view> locations(layout::WindowId window)
{
    const auto slot = slotOf(window);
    return slot ? kTexts[*slot].locations : std::span<const std::string_view>{};
}

std::optional<std::string_view> location(layout::WindowId window, std::int16_t listIndex)
{
    const std::span<const std::string_view> all = locations(window);
    if (listIndex < 0 || static_cast<std::size_t>(listIndex) >= all.size())
        return std::nullopt;
    return all[static_cast<std::size_t>(listIndex)];
}

std::optional<std::int16_t> neighbourWithLocation(layout::WindowId window, std::int16_t listIndex,
                                                  int step)
{
    if (step != -1 && step != 1)
        return std::nullopt;
    const auto count = static_cast<int>(labels(window).size());
    if (listIndex < 0 && step < 0)
        return std::nullopt;
    for (int i = listIndex + step; i >= 0 && i < count; i += step) {
        if (location(window, static_cast<std::int16_t>(i)))
            return static_cast<std::int16_t>(i);
    }
    return std::nullopt;
}

} // namespace catalogue
