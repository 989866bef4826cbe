#pragma once

// The nine images the windows show: one window icon and eight pictures, each
// stored once under resources/pictures/ and embedded in the program. A
// picture is shown at its natural size, one image pixel per screen pixel at
// 96 dpi; the pixel sizes here are what the drawing program makes and what
// the layouts place.

#include <string_view>

namespace layout {

struct Picture
{
    std::string_view fileName{}; // in resources/pictures/ and under ":/pictures/"
    int width = 0;               // pixels
    int height = 0;
};

// clang-format off
inline constexpr Picture kWindowIcon{"window_icon.ico", 32, 32};
inline constexpr Picture kSurahPortrait{"surah_portrait.jpg", 299, 204};
inline constexpr Picture kProgrammePortrait{"programme_portrait.jpg", 203, 240};
inline constexpr Picture kHomeBackground{"home_background.jpg", 408, 245};
inline constexpr Picture kProgrammesBackground{"programmes_background.jpg", 304, 220};
inline constexpr Picture kCameraMark{"camera_mark.jpg", 13, 16};
inline constexpr Picture kSiteMark{"site_mark.jpg", 16, 16};
inline constexpr Picture kSocialMark{"social_mark.jpg", 16, 16};
inline constexpr Picture kVideoSiteMark{"video_site_mark.jpg", 42, 21};
// clang-format on

} // namespace layout
