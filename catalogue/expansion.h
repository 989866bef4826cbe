#pragma once

// Turns one row of the episode-list table into its label and location texts,
// at compile time: each window's texts become one constant character pool
// and an array of views into it, so the running program does no work to
// build them and looks an entry up by position alone.

#include "episode_lists.h"
#include "media_bases.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace catalogue::data {

// Counts the characters a text would take; the first of two passes.
struct Measure
{
    std::size_t size = 0;
    constexpr void put(char) { ++size; }
    constexpr void put(std::string_view text) { size += text.size(); }
};

// The texts of one window, end to end, and where each one ends.
template <std::size_t Bytes, std::size_t Count> struct Pool
{
    std::array<char, Bytes> text{};
    std::array<std::size_t, Count> ends{};
    std::size_t size = 0;

    constexpr void put(char c) { text[size++] = c; }
    constexpr void put(std::string_view s)
    {
        for (char c : s)
            put(c);
    }
    constexpr void endText(std::size_t i) { ends[i] = size; }
};

template <typename Out> constexpr void putBlanks(Out &out, int count)
{
    for (int i = 0; i < count; ++i)
        out.put(' ');
}

// Decimal digits of a non-negative number, padded with zeros to `digits`.
template <typename Out> constexpr void putNumber(Out &out, int number, int digits)
{
    char reversed[12]{};
    int length = 0;
    do {
        reversed[length++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    for (int i = length; i < digits; ++i)
        out.put('0');
    while (length > 0)
        out.put(reversed[--length]);
}

template <std::size_t Capacity>
constexpr int blanksOf(const List<Blanks, Capacity> &list, int entryNumber, int usual)
{
    for (const Blanks &b : list) {
        if (entryNumber >= b.first && entryNumber <= b.last)
            return b.count;
    }
    return usual;
}

constexpr int cycleBlanks(const WindowRow &w, int entryNumber)
{
    if (w.surah != 0)
        return kSurahLabelCycle[(entryNumber - 1) % kSurahLabelCycle.size()];
    return kProgrammeLabelCycle[(entryNumber - 1) % kProgrammeLabelCycle.size()];
}

template <typename Out> constexpr void putLabel(Out &out, const WindowRow &w, int entryNumber)
{
    const bool lags = w.labelsLagFrom != 0 && entryNumber >= w.labelsLagFrom;
    putNumber(out, lags ? entryNumber - 1 : entryNumber, 0);
    for (const AudioLabel &audio : w.audioLabels) {
        if (audio.entry == entryNumber) {
            putBlanks(out, audio.before);
            out.put(kAudioWord);
            putBlanks(out, audio.after);
            return;
        }
    }
    putBlanks(out, blanksOf(w.labelDepartures, entryNumber, cycleBlanks(w, entryNumber)));
}

// Calls visit(entryNumber, run, positionInRun) for every entry with a location.
template <typename Visit> constexpr void forEachLocated(const WindowRow &w, Visit visit)
{
    int entryNumber = 1;
    for (const Run &run : w.runs) {
        for (int i = 0; i < run.length(); ++i)
            visit(entryNumber++, run, i);
    }
}

constexpr std::size_t locatedCount(const WindowRow &w)
{
    std::size_t count = 0;
    forEachLocated(w, [&count](int, const Run &, int) { ++count; });
    return count;
}

template <typename Out>
constexpr void putLocation(Out &out, const WindowRow &w, int entryNumber, const Run &run, int i)
{
    const MediaBase &base = kMediaBases[static_cast<std::size_t>(run.base - 1)];
    putBlanks(out, blanksOf(w.leadingExcept, entryNumber, w.leading));
    out.put(base.text);
    out.put(run.prefix);
    if (run.first != kNoNumber)
        putNumber(out, run.number(i), run.prefix.empty() ? base.digits : 0);
    out.put(run.suffix);
    putBlanks(out, blanksOf(w.trailing, entryNumber, 0));
}

template <std::size_t I> consteval auto makeLabelPool()
{
    constexpr const WindowRow &w = kWindows[I];
    constexpr std::size_t bytes = [] {
        Measure m;
        for (int k = 1; k <= kWindows[I].entries; ++k)
            putLabel(m, kWindows[I], k);
        return m.size;
    }();
    Pool<bytes, static_cast<std::size_t>(w.entries)> pool;
    for (int k = 1; k <= w.entries; ++k) {
        putLabel(pool, w, k);
        pool.endText(static_cast<std::size_t>(k - 1));
    }
    return pool;
}

template <std::size_t I> consteval auto makeLocationPool()
{
    constexpr const WindowRow &w = kWindows[I];
    static_assert(locatedCount(w) <= static_cast<std::size_t>(w.entries),
                  "a window holds more locations than entries");
    constexpr std::size_t bytes = [] {
        Measure m;
        forEachLocated(kWindows[I], [&m](int k, const Run &run, int i) {
            putLocation(m, kWindows[I], k, run, i);
        });
        return m.size;
    }();
    Pool<bytes, locatedCount(w)> pool;
    forEachLocated(w, [&pool, &w](int k, const Run &run, int i) {
        putLocation(pool, w, k, run, i);
        pool.endText(static_cast<std::size_t>(k - 1));
    });
    return pool;
}

// Views of the texts of a pool with static storage.
template <std::size_t Bytes, std::size_t Count>
consteval std::array<std::string_view, Count> viewsOf(const Pool<Bytes, Count> &pool)
{
    std::array<std::string_view, Count> views{};
    std::size_t begin = 0;
    for (std::size_t i = 0; i < Count; ++i) {
        views[i] = std::string_view(pool.text.data() + begin, pool.ends[i] - begin);
        begin = pool.ends[i];
    }
    return views;
}

// The expanded texts of window I of the table.
template <std::size_t I> struct Expanded
{
    static constexpr auto labelPool = makeLabelPool<I>();
    static constexpr auto locationPool = makeLocationPool<I>();
    static constexpr auto labels = viewsOf(labelPool);
    static constexpr auto locations = viewsOf(locationPool);
};

} // namespace catalogue::data
