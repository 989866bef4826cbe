#pragma once

// Stored layouts of the 63 episode windows: one template, a row per window
// with what every window sets for itself (caption blanks, client size, the
// text its list shows before the user chooses), and the few departures from
// the template. Menus: the usual pair of items and the windows whose items
// carry other names, captions or order.

#include "layout_types.h"

#include <array>

namespace layout {

// What an episode window serves: a surah, or one of the lecture programmes
// (a taller player over another portrait).
enum class EpisodeKind { Surah, Programme };

struct EpisodeLayout
{
    std::string_view name{};
    EpisodeKind kind = EpisodeKind::Surah;
    int captionBlanks = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    int listLeadingBlanks = 0;
    std::string_view listText{};
    int listTrailingBlanks = 0;
    // Departures from the template.
    std::optional<Rect> listGeometry{};
    std::optional<Point> position{};
    bool listTabFirst = false;
    std::string_view captionText{};
    bool hasLargeFont = false; // a larger font (stored: 13.5 points) for the window and its list
    bool hasIcon = true;

    constexpr WindowId id() const { return *windowIdOf(name); }

    constexpr EpisodeLayout at(int x, int y) const
    {
        return with(&EpisodeLayout::position, Point{x, y});
    }
    constexpr EpisodeLayout list(int left, int top, int width, int height) const
    {
        return with(&EpisodeLayout::listGeometry, Rect{left, top, width, height});
    }
    constexpr EpisodeLayout listFirstInTabOrder() const
    {
        return with(&EpisodeLayout::listTabFirst, true);
    }
    constexpr EpisodeLayout caption(std::string_view text) const
    {
        return with(&EpisodeLayout::captionText, text);
    }
    constexpr EpisodeLayout largeFont() const { return with(&EpisodeLayout::hasLargeFont, true); }
    constexpr EpisodeLayout withoutIcon() const { return with(&EpisodeLayout::hasIcon, false); }
    constexpr EpisodeLayout programme() const
    {
        return with(&EpisodeLayout::kind, EpisodeKind::Programme);
    }

private:
    template <typename Member, typename Value>
    constexpr EpisodeLayout with(Member member, Value value) const
    {
        EpisodeLayout copy = *this;
        copy.*member = value;
        return copy;
    }
};

constexpr EpisodeLayout row(std::string_view name, int captionBlanks, int clientWidth,
                            int clientHeight, int listLeadingBlanks, std::string_view listText,
                            int listTrailingBlanks)
{
    EpisodeLayout layout;
    layout.name = name;
    layout.captionBlanks = captionBlanks;
    layout.clientWidth = clientWidth;
    layout.clientHeight = clientHeight;
    layout.listLeadingBlanks = listLeadingBlanks;
    layout.listText = listText;
    layout.listTrailingBlanks = listTrailingBlanks;
    return layout;
}

inline constexpr std::string_view kEpisodeCaptionText = "الشيـــخ النوفـــارث";
// The names of the two controls every episode window holds.
inline constexpr std::string_view kEpisodeListName = "Combo1";
inline constexpr std::string_view kPlayerName = "WindowsMediaPlayer1";
inline constexpr Rect kEpisodeListGeometry{960, 120, 2775, 315};
inline constexpr Rect kSurahPlayerGeometry{0, 0, 4935, 5775};
inline constexpr Rect kProgrammePlayerGeometry{0, 0, 4815, 6495};
// The portrait on the window's background, beneath the player, which covers it.
inline constexpr Control kSurahPicture = picture("Image1", kSurahPortrait, 240, 840, 4485, 3060);
inline constexpr Control kProgrammePicture =
    picture("Image1", kProgrammePortrait, 840, 960, 3045, 3600);
static_assert(picturesFitImages(std::array{kSurahPicture, kProgrammePicture}));

// clang-format off
inline constexpr std::array<EpisodeLayout, 63> kEpisodeLayouts{{
    row("Form3", 14, 4950, 5760, 15, "ســــورة  الفاتحـــة", 0).at(150, 780),
    row("Form4", 14, 4920, 5760, 15, "ســــورة  الحجـــر", 0),
    row("Form5", 15, 4920, 5760, 17, "ســــورة  البقـــرة", 0),
    row("Form6", 14, 4905, 5760, 15, "ســــورة  ال عمـران", 0),
    row("Form7", 14, 4920, 5775, 15, "ســــورة  النسـاء", 0),
    row("Form8", 15, 4935, 5775, 15, "ســــورة  المــائدة", 0),
    row("Form9", 15, 4920, 5775, 15, "ســــورة  الأنعــام", 0),
    row("Form10", 14, 4935, 5790, 12, "ســــورة  الاعــــراف", 0),
    row("Form11", 14, 4935, 5775, 18, "ســـورة الانفــــال", 0),
    row("Form12", 14, 4935, 5775, 19, "ســـورة التـــوبة", 0).listFirstInTabOrder(),
    row("Form13", 14, 4920, 5760, 20, "ســـورة يونـــس", 0),
    row("Form14", 14, 4935, 5775, 18, "ســــورة  هــــود", 0),
    row("Form15", 15, 4935, 5775, 17, "ســــورة  يوســف", 7),
    row("Form16", 14, 4935, 5760, 16, "ســــورة  الــرعـــد", 0),
    row("Form17", 14, 4935, 5760, 13, "ســــورة  ابــراهــيم", 0),
    row("Form18", 14, 4920, 5790, 3, "ســـورة الممتحنــة", 0).list(1320, 0, 2295, 480).largeFont(),
    row("Form19", 14, 4920, 5775, 15, "ســــورة  النحــــل", 0),
    row("Form20", 15, 4935, 5775, 15, "ســــورة  الاســراء", 0).at(1320, 1950),
    row("Form21", 14, 4935, 5760, 15, "ســــورة  الكهــــف", 0),
    row("Form22", 14, 4935, 5775, 16, "ســــورة  مريــــــم", 0),
    row("Form23", 14, 4935, 5760, 19, "ســــورة  طـــه", 0),
    row("Form24", 14, 4935, 5775, 16, "ســــورة  الانبيــاء", 0),
    row("Form25", 14, 4920, 5760, 17, "ســــورة  الحـــج", 0),
    row("Form26", 14, 4920, 5760, 13, "ســــورة  المؤمنـــون", 0),
    row("Form27", 14, 4935, 5790, 18, "ســــورة  النـــور", 0),
    row("Form28", 14, 4935, 5775, 15, "ســــورة  الفرقـــان", 0),
    row("Form29", 14, 4920, 5760, 14, "ســــورة  الشعـــراء", 0),
    row("Form30", 15, 4950, 5775, 16, "ســــورة  النمــــل", 0),
    row("Form31", 14, 4935, 5775, 15, "ســــورة  القصـــص", 0),
    row("Form32", 15, 4920, 5775, 14, "ســــورة  العنكبــوت", 0),
    row("Form33", 14, 4935, 5760, 17, "ســــورة  الـــروم", 0),
    row("Form34", 15, 4950, 5775, 15, "ســــورة  لقمــــان", 0),
    row("Form35", 15, 4920, 5745, 15, "ســــورة  السجـــدة", 0).list(1080, 120, 2775, 315),
    row("Form36", 14, 4920, 5745, 16, "ســــورة  الاحــزاب", 0).at(1830, 2205),
    row("Form37", 14, 4935, 5775, 15, "ســــورة  سبــــأ", 0),
    row("Form38", 14, 4935, 5775, 18, "ســــورة  فــاطــر", 0),
    row("Form39", 14, 4920, 5775, 20, "ســــورة  يـــس", 0),
    row("Form40", 15, 4920, 5775, 15, "ســــورة  الصـافـات", 0),
    row("Form41", 14, 4920, 5760, 22, "ســــورة  ص", 0),
    row("Form42", 15, 4920, 5745, 15, "ســــورة  الزمـــر", 0),
    row("Form43", 14, 4935, 5775, 18, "ســــورة  غافـــر", 0),
    row("Form44", 14, 4920, 5760, 15, "ســــورة  فصلـــت", 0),
    row("Form45", 14, 4920, 5775, 15, "ســــورة  الشـــورى", 0),
    row("Form46", 15, 4920, 5775, 15, "ســــورة  الزخــرف", 0),
    row("Form47", 14, 4905, 5760, 15, "ســــورة  الدخـــان", 0),
    row("Form48", 14, 4950, 5760, 15, "ســــورة  الجاثيــة", 0),
    row("Form49", 15, 4935, 5775, 15, "ســــورة  الاحقـــاق", 0),
    row("Form50", 14, 4935, 5775, 16, "ســــورة  محمــد", 0),
    row("Form51", 15, 4920, 5775, 16, "ســــورة  الفتـــح", 0),
    row("Form52", 15, 4935, 5760, 15, "ســــورة  الحجــرات", 0),
    row("Form53", 15, 4920, 5775, 23, "ســــورة  ق", 0),
    row("Form54", 14, 4935, 5760, 15, "ســــورة  الذاريـــات", 0),
    row("Form55", 14, 4905, 5760, 15, "ســــورة  الطـور", 0),
    row("Form56", 14, 4935, 5775, 15, "ســــورة  النجـــم", 0),
    row("Form57", 15, 4950, 5745, 15, "ســــورة  القمـــر", 0),
    row("Form58", 14, 4935, 5760, 15, "ســــورة  الـــرحمـن", 0),
    row("Form59", 14, 4950, 5760, 15, "ســــورة  الواقعـــة", 0),
    row("Form60", 15, 4920, 5775, 15, "ســــورة  الحديــد", 0),
    row("Form61", 14, 4935, 5775, 15, "ســــورة  المجادلــة", 0),
    row("Form62", 14, 4950, 5790, 10, "ســــورة  الحــــشـــر", 7),
    row("Form64", 14, 4800, 6510, 11, "برنامج من وصايا الرسول", 0).programme(),
    row("Form65", 15, 4815, 6480, 11, "برنامج الاحاديث القدسية", 7).programme().list(960, 240, 2775, 315),
    row("Form66", 10, 4815, 6450, 11, "برنامج من الالف الى الياء", 0).programme().list(840, 240, 2775, 315).caption("الشيخ النوفارث").withoutIcon(),
}};

struct EpisodeMenu
{
    WindowId window{};
    std::array<MenuEntry, 2> items{};
};

// Every episode window's menu leads to the programmes window and to the
// surah index; Form10's item "v" carries the same surah-index command as
// every other window's: an item that does nothing would be a dead end.
inline constexpr std::array<MenuEntry, 2> kEpisodeMenu{{
    {"m", "برامج فديو منوعة", 0, form(63)},
    {"v", "تفسير القرآن فديو", 0, form(2)},
}};

inline constexpr std::array<EpisodeMenu, 6> kEpisodeMenuVariants{{
    {form(5), {{{"قفي", "برامج فديو منوعة", 0, form(63)}, {"يبي", "تفسير القرآن فديو", 0, form(2)}}}},
    {form(6), {{{"بي", "برامج فديو منوعة", 0, form(63)}, {"يبي", "تفسير القرآن فديو", 0, form(2)}}}},
    {form(7), {{{"منوعة", "برامج فديو منوعة", 0, form(63)}, {"بي", "تفسير القرآن فديو", 0, form(2)}}}},
    {form(64), {{{"فديو", "تفسير القرآن فديو", 0, form(2)}, {"ننو", "برامج فديو منوعة", 0, form(63)}}}},
    {form(65), {{{"فديو", "تفسير  القرآن فديو", 0, form(2)}, {"ببب", "برامج فديو منوعة", 0, form(63)}}}},
    {form(66), {{{"تف", "تفسير القرآن فديو", 0, form(2)}, {"منو", "برامج فديوهات منوعة", 0, form(63)}}}},
}};
// clang-format on

// The menu of an episode window: its own variant, or the common one.
constexpr std::span<const MenuEntry> episodeMenuOf(WindowId window)
{
    for (const EpisodeMenu &variant : kEpisodeMenuVariants) {
        if (variant.window == window)
            return variant.items;
    }
    return kEpisodeMenu;
}

// The layout of each episode window by its number; null for the others.
inline constexpr std::array<const EpisodeLayout *, kWindowCount + 1> kEpisodeLayoutById = [] {
    std::array<const EpisodeLayout *, kWindowCount + 1> byId{};
    for (const EpisodeLayout &episode : kEpisodeLayouts)
        byId[std::size_t(episode.id().number())] = &episode;
    return byId;
}();

constexpr const EpisodeLayout *episodeLayoutOf(WindowId id)
{
    return id.isValid() ? kEpisodeLayoutById[std::size_t(id.number())] : nullptr;
}

} // namespace layout
