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

template <std::size_t... I>
constexpr std::array<EpisodeWindow, sizeof...(I)> windowsOf(std::index_sequence<I...>)
{
    return {{EpisodeWindow{data::kWindows[I].name, data::kWindows[I].surah}...}};
}

constexpr auto kIndexes = std::make_index_sequence<data::kWindows.size()>{};
constexpr std::array<WindowTexts, data::kWindows.size()> kTexts = textsOf(kIndexes);
constexpr std::array<EpisodeWindow, data::kWindows.size()> kEpisodeWindows = windowsOf(kIndexes);

constexpr int kFirstWindow = 3;       // Form3
constexpr int kProgrammesWindow = 63; // Form63 is a hub window, not an episode window
constexpr int kLastWindow = 66;       // Form66

// Position of an episode window in the tables, from its name alone: "Form"
// and a window number written without leading zeros.
constexpr std::optional<std::size_t> slotOf(std::string_view name)
{
    constexpr std::string_view prefix = "Form";
    if (!name.starts_with(prefix))
        return std::nullopt;
    const std::string_view digits = name.substr(prefix.size());
    if (digits.empty() || digits.size() > 2 || digits.front() == '0')
        return std::nullopt;
    int number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (number < kFirstWindow || number > kLastWindow || number == kProgrammesWindow)
        return std::nullopt;
    const int slot = number < kProgrammesWindow ? number - kFirstWindow : number - kFirstWindow - 1;
    return static_cast<std::size_t>(slot);
}

// The table is in window-number order; slotOf relies on it.
constexpr bool tableInWindowOrder()
{
    for (std::size_t i = 0; i < data::kWindows.size(); ++i) {
        if (slotOf(data::kWindows[i].name) != i)
            return false;
    }
    return true;
}
static_assert(data::kWindows.size() == 63);
static_assert(tableInWindowOrder(), "episode windows must be listed Form3..Form62, Form64..Form66");

} // namespace

std::span<const EpisodeWindow> episodeWindows()
{
    return kEpisodeWindows;
}

const EpisodeWindow *findEpisodeWindow(std::string_view window)
{
    const auto slot = slotOf(window);
    return slot ? &kEpisodeWindows[*slot] : nullptr;
}

std::span<const std::string_view> labels(std::string_view window)
{
    const auto slot = slotOf(window);
    return slot ? kTexts[*slot].labels : std::span<const std::string_view>{};
}

std::span<const std::string_view> locations(std::string_view window)
{
    const auto slot = slotOf(window);
    return slot ? kTexts[*slot].locations : std::span<const std::string_view>{};
}

std::optional<std::string_view> location(std::string_view window, std::int16_t listIndex)
{
    const std::span<const std::string_view> all = locations(window);
    if (listIndex < 0 || static_cast<std::size_t>(listIndex) >= all.size())
        return std::nullopt;
    return all[static_cast<std::size_t>(listIndex)];
}

std::optional<std::int16_t> neighbourWithLocation(std::string_view window, std::int16_t listIndex,
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
