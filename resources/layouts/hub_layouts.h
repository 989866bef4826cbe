#pragma once

// Stored layouts of the three hub windows: the home window Form1, the surah
// index Form2 and the programmes window Form63.

#include "layout_types.h"

#include <array>

namespace layout {

// clang-format off
inline constexpr std::array<MenuEntry, 9> kHomeMenu{{
    {"منوع", "برامج فديوهات منوعة", 0},
    {"وصايا", "برنامج من وصايا الرسول", 1, form(64)},
    {"سسس", kSeparator, 1},
    {"قق", "برنامج الاحاديث القدسية", 1, form(65)},
    {"اااا", kSeparator, 1},
    {"ي", "برنامج من الالف الى الياء ", 1, form(66)},
    {"بببب", "تفسير القرآن فديو", 0, form(2)},
    {"ب", "برنامج اندرويد", 0},
    {"بب", "تلاوات الشيخ طلنديم", 1},
}};

// The background fills the window from 240 twips left of it; the four link
// marks sit in a row over its lower right corner, and the keyboard visits
// them from left to right. The site mark's tooltip is the domain of the
// site it opens (checked where links are wired to their controls); the
// camera mark has no tooltip and is named by its site.
inline constexpr std::array<Control, 5> kHomeControls{{
    linkPicture("Image1", kCameraMark, 4920, 3240, 195, 240, 2, {}, "Instagram"),
    linkPicture("Image6", kSiteMark, 4560, 3240, 240, 240, 1, "www.nofarth-foundation.org"),
    linkPicture("Image4", kVideoSiteMark, 5160, 3240, 630, 315, 3, "You Tube"),
    linkPicture("Image3", kSocialMark, 4200, 3240, 240, 240, 0, "Face Book"),
    picture("Image2", kHomeBackground, -240, 0, 6120, 3675),
}};
static_assert(picturesFitImages(kHomeControls));

inline constexpr WindowLayout kHomeLayout{
    .name = "Form1",
    .caption = "                  فديـــوهات،، الشيـــخ النوفـــارث",
    .clientWidth = 5865,
    .clientHeight = 3675,
    .controls = kHomeControls,
    .menu = kHomeMenu,
};

// Four overlapping columns of fifteen rows; the first row reaches above the
// client area and Option15 lies below it, out of sight.
inline constexpr std::array<Control, 61> kSurahIndexControls{{
    option("Option61", "الحجــر", 120, 4920, 1215, 495, 60, form(4)),
    option("Option60", "الممتحنـة", 3360, 4920, 1215, 495, 59, form(18)),
    option("Option59", "الحشـر", 3360, 4560, 1215, 495, 58, form(62)),
    option("Option58", "المجادلـة", 3360, 4200, 1215, 495, 57, form(61)),
    option("Option57", "الحديـد", 3360, 3840, 1215, 495, 56, form(60)),
    option("Option56", "الواقعـة", 3360, 3480, 1215, 495, 55, form(59)),
    option("Option55", "الرحمـن", 3360, 3120, 1215, 495, 54, form(58)),
    option("Option54", "القمـر", 3360, 2760, 1215, 495, 53, form(57)),
    option("Option53", "النجـم ", 3360, 2400, 1215, 495, 52, form(56)),
    option("Option52", "الطـور", 3360, 2040, 1215, 495, 51, form(55)),
    option("Option51", "الذاريـات", 3360, 1680, 1215, 495, 50, form(54)),
    option("Option50", "   ق", 3360, 1320, 1215, 495, 49, form(53)),
    option("Option49", "الحجـرات", 3360, 960, 1215, 495, 48, form(52)),
    option("Option48", "الفتـح", 3360, 600, 1215, 495, 47, form(51)),
    option("Option47", "محمـد", 3360, 240, 1215, 495, 46, form(50)),
    option("Option46", "الأحقـاق", 3360, -120, 1215, 495, 45, form(49)),
    option("Option45", "الجـاثية", 2280, 4920, 1215, 495, 44, form(48)),
    option("Option44", "الدخـان", 2280, 4560, 1215, 495, 43, form(47)),
    option("Option43", "الزخـرف", 2280, 4200, 1215, 495, 42, form(46)),
    option("Option42", "الشـورى", 2280, 3840, 1215, 495, 41, form(45)),
    option("Option41", "فصلـت", 2280, 3480, 1215, 495, 40, form(44)),
    option("Option40", "غافـر", 2280, 3120, 1215, 495, 39, form(43)),
    option("Option39", "الزمـر", 2280, 2760, 1215, 495, 38, form(42)),
    option("Option38", "   ص  ", 2280, 2400, 1215, 495, 37, form(41)),
    option("Option37", "الصـافات", 2280, 2040, 1215, 495, 36, form(40)),
    option("Option36", "يـس", 2280, 1680, 1215, 495, 35, form(39)),
    option("Option35", "فاطـر", 2280, 1320, 1215, 495, 34, form(38)),
    option("Option34", "سبـا", 2280, 960, 1215, 495, 33, form(37)),
    option("Option33", "الأحـزاب", 2280, 600, 1215, 495, 32, form(36)),
    option("Option32", "السجـدة", 2280, 240, 1215, 495, 31, form(35)),
    option("Option31", "لقمـان", 2280, -120, 1215, 495, 30, form(34)),
    option("Option30", "الـروم", 1320, 4920, 1335, 495, 29, form(33)),
    option("Option29", "العنكبـوت", 1200, 4560, 1215, 495, 28, form(32)),
    option("Option28", "القصـص", 1200, 4200, 1215, 495, 27, form(31)),
    option("Option27", "النمـل", 1200, 3840, 1215, 495, 26, form(30)),
    option("Option26", "الشعـراء", 1200, 3480, 1215, 495, 25, form(29)),
    option("Option25", "الفـرقان", 1200, 3120, 1215, 495, 24, form(28)),
    option("Option24", "النـور", 1200, 2760, 1215, 495, 23, form(27)),
    option("Option23", "المـؤمنون", 1200, 2400, 1215, 495, 22, form(26)),
    option("Option22", "الحـج", 1200, 2040, 1215, 495, 21, form(25)),
    option("Option21", "الأنبيـاء", 1200, 1680, 1215, 495, 20, form(24)),
    option("Option20", "طـه", 1200, 1320, 1215, 495, 19, form(23)),
    option("Option19", "مريـم", 1200, 960, 1215, 495, 18, form(22)),
    option("Option18", "الكهـف", 1200, 600, 1215, 495, 17, form(21)),
    option("Option17", "الاسـراء", 1200, 240, 1215, 495, 16, form(20)),
    option("Option16", "النحـل", 1200, -120, 1215, 495, 15, form(19)),
    option("Option1", "الفـاتحـة", 120, -120, 1215, 495, 14, form(3)),
    option("Option2", "الـبقـرة", 120, 240, 1215, 495, 13, form(5)),
    option("Option3", "ال عمـران", 120, 600, 1215, 495, 12, form(6)),
    option("Option4", "النســاء", 120, 960, 1215, 495, 11, form(7)),
    option("Option5", "المـائدة", 120, 1320, 1215, 495, 10, form(8)),
    option("Option6", "الأنعـام", 120, 1680, 1215, 495, 9, form(9)),
    option("Option7", "الاعـراف", 120, 2040, 1215, 495, 8, form(10)),
    option("Option8", "الأنفـال", 120, 2400, 1215, 495, 7, form(11)),
    option("Option9", "التـوبة", 120, 2760, 1215, 495, 6, form(12)),
    option("Option10", "يـونس", 120, 3120, 1215, 495, 5, form(13)),
    option("Option11", "هـود", 120, 3480, 1215, 495, 4, form(14)),
    option("Option12", "يوسف", 120, 3840, 1215, 495, 3, form(15)),
    option("Option13", "الـرعد", 120, 4200, 1215, 495, 2, form(16)),
    option("Option14", "ابراهيـم", 120, 4560, 1215, 495, 1, form(17)),
    option("Option15", "الحجـر", 240, 6600, 1215, 495, 0),
}};

inline constexpr std::array<MenuEntry, 1> kSurahIndexMenu{{
    {"منوعة", "برامــــج فــــديو منــــوعة", 0, form(63)},
}};

inline constexpr WindowLayout kSurahIndexLayout{
    .name = "Form2",
    .caption = "            تفسيــر القـرآن فديو   ",
    .clientWidth = 4650,
    .clientHeight = 5430,
    .position = Point{2355, 2460},
    .controls = kSurahIndexControls,
    .menu = kSurahIndexMenu,
    .background = Background::TextWindow,
};

inline constexpr std::array<Control, 5> kProgrammesControls{{
    option("Option4", " برنامج من الالف الى الياء", 2400, 1680, 2055, 495, 3, form(66)),
    option("Option3", "  تفسير القرآن فديو ", 2400, 2160, 1935, 495, 2, form(2)),
    option("Option2", "برنامج الاحاديث القدسية", 2400, 1200, 2055, 495, 1, form(65)),
    option("Option1", "برنامج من وصايا الرسول ", 2400, 720, 2175, 495, 0, form(64)),
    picture("Image1", kProgrammesBackground, 0, 0, 4560, 3300),
}};
static_assert(picturesFitImages(kProgrammesControls));

inline constexpr WindowLayout kProgrammesLayout{
    .name = "Form63",
    .caption = "             الشيـــخ النوفـــارث",
    .clientWidth = 4560,
    .clientHeight = 3285,
    .controls = kProgrammesControls,
};
// clang-format on

} // namespace layout
