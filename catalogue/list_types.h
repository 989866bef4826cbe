#pragma once

// The vocabulary of the episode-list table (episode_lists.h): runs of file
// names, blank counts and label departures, written the way a reviewer reads
// them, and turned into texts by expansion.h at compile time.

#include "catalogue.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string_view>

namespace catalogue::data {

// A constant list of at most Capacity items, written as a braced list.
template <typename T, std::size_t Capacity> struct List
{
    std::array<T, Capacity> items{};
    std::size_t count = 0;

    constexpr List() = default;
    constexpr List(std::initializer_list<T> init)
    {
        for (const T &item : init) {
            if (count == Capacity)
                throw "List: more items than its capacity"; // stops compilation
            items[count++] = item;
        }
    }
    constexpr const T *begin() const { return items.data(); }
    constexpr const T *end() const { return items.data() + count; }
    constexpr std::size_t size() const { return count; }
};

inline constexpr int kNoNumber = -1;

// Consecutive entries whose file names are the numbers first, first -/+ 1, ...,
// last, each between prefix and suffix. A run without numbers is one entry
// whose file name is prefix and suffix.
struct Run
{
    int base = 0; // media base, 1 to 30
    int first = kNoNumber;
    int last = kNoNumber;
    std::string_view suffix;
    std::string_view prefix; // when set, numbers carry no leading zeros

    constexpr int length() const
    {
        if (first == kNoNumber)
            return 1;
        return (first > last ? first - last : last - first) + 1;
    }
    constexpr int number(int i) const { return first > last ? first - i : first + i; }
};

// Files "first" down (or up) to "last", padded as the base pads its numbers.
constexpr Run files(int base, int first, int last, std::string_view suffix)
{
    return {base, first, last, suffix, {}};
}
constexpr Run file(int base, int number, std::string_view suffix)
{
    return files(base, number, number, suffix);
}
// Files prefix + k + suffix for k from first to last, k without leading zeros.
constexpr Run numbered(int base, std::string_view prefix, int first, int last,
                       std::string_view suffix)
{
    return {base, first, last, suffix, prefix};
}
// One file with a name of its own.
constexpr Run named(int base, std::string_view name)
{
    return {base, kNoNumber, kNoNumber, name, {}};
}
constexpr Run named(int base, std::string_view head, std::string_view tail)
{
    return {base, kNoNumber, kNoNumber, tail, head};
}

// Entries first to last (1-based, inclusive) carry count blanks.
struct Blanks
{
    int first = 0;
    int last = 0;
    int count = 0;
};
constexpr Blanks entries(int first, int last, int count)
{
    return {first, last, count};
}
constexpr Blanks entry(int number, int count)
{
    return {number, number, count};
}

// An audio label: the number, `before` blanks, the word for audio, `after` blanks.
struct AudioLabel
{
    int entry = 0;
    int before = 0;
    int after = 0;
};

// One row of the episode-list table.
struct WindowRow
{
    std::string_view name{};
    int surah = 0;   // 0 for a programme window
    int entries = 0; // N; entries past the runs have no location
    List<Run, 16> runs{};
    int leading = 0;                    // the window's usual count of leading blanks
    List<Blanks, 12> leadingExcept{};   // entries whose count differs
    List<Blanks, 4> trailing{};         // trailing blanks of locations (none elsewhere)
    List<Blanks, 40> labelDepartures{}; // labels whose trailing blanks leave the cycle
    List<AudioLabel, 13> audioLabels{};
    int labelsLagFrom = 0; // from this entry on, entry k shows k - 1
};

// Trailing blanks of labels, by (entry - 1) mod the cycle length.
inline constexpr std::array<int, 25> kSurahLabelCycle{4, 4, 3, 3, 3, 3, 4, 3, 3, 2, 1, 2, 2,
                                                      2, 2, 2, 2, 2, 3, 2, 2, 3, 3, 3, 3};
inline constexpr std::array<int, 4> kProgrammeLabelCycle{10, 6, 4, 3};

inline constexpr std::string_view kAudioWord = "صوتى";

} // namespace catalogue::data
