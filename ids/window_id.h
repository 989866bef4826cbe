#pragma once

// The system's windows are Form1 to Form66, and a window id is that number.
// Written in a table as form(n), a number out of range does not compile; a
// name read at run time is parsed in one place, here. No other way makes an
// id, so a valid id always names a window. Below every other folder and
// free of Qt, so that the catalogue, the layouts and the link table all key
// their rows by it.

#include <optional>
#include <string_view>

namespace layout {

inline constexpr int kWindowCount = 66;

// Made only by form() and windowIdOf(), so that every id names a window.
class WindowId
{
public:
    constexpr WindowId() = default; // no window

    constexpr int number() const { return m_number; }
    constexpr bool isValid() const { return m_number != 0; }
    constexpr bool operator==(const WindowId &) const = default;

    static constexpr bool inRange(int number) { return number >= 1 && number <= kWindowCount; }

private:
    constexpr explicit WindowId(int number) : m_number(number) {}

    friend consteval WindowId form(int number);
    template <typename Char>
    friend constexpr std::optional<WindowId> windowIdOf(std::basic_string_view<Char> name);

    int m_number = 0;
};

consteval WindowId form(int number)
{
    if (!WindowId::inRange(number))
        throw "no such window";
    return WindowId(number);
}

// The id of "FormN" (N from 1 to 66, no leading zero); none for any other text.
template <typename Char>
constexpr std::optional<WindowId> windowIdOf(std::basic_string_view<Char> name)
{
    constexpr std::string_view prefix = "Form";
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 2)
        return std::nullopt;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (name[i] != Char(prefix[i]))
            return std::nullopt;
    }
    int number = 0;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < Char('0') || name[i] > Char('9'))
            return std::nullopt;
        number = number * 10 + int(name[i] - Char('0'));
    }
    if (name[prefix.size()] == Char('0') || !WindowId::inRange(number))
        return std::nullopt;
    return WindowId(number);
}

static_assert(windowIdOf(std::string_view("Form1")) == form(1));
static_assert(windowIdOf(std::string_view("Form66")) == form(66));
static_assert(!windowIdOf(std::string_view("Form0")) && !windowIdOf(std::string_view("Form67")) &&
              !windowIdOf(std::string_view("Form07")) && !windowIdOf(std::string_view("form1")) &&
              !windowIdOf(std::string_view("Form")) && !windowIdOf(std::string_view("Form100")));

} // namespace layout
