#pragma once

// The 30 media bases: the fixed leading part of every media location, up to
// and including its last "/". Numbered in order of first use in the catalogue.
//
// Bases on the media archive address one item (a collection of files) by the
// archive's download path, or the same item by its item path on one of the
// archive's numbered mirror hosts; base 30 is a media folder on the
// publisher's own web site. The hosts are reserved example names: the
// catalogue's media are not ours to publish.

#include <array>
#include <string_view>

namespace catalogue::data {

struct MediaBase
{
    std::string_view text;
    // Digits to which a plain file number is padded with leading zeros;
    // 0 where the base holds no plainly numbered files.
    int digits = 0;
};

inline constexpr std::array<MediaBase, 30> kMediaBases{{
    /*  1 */ {"https://archive.example.org/download/tafsir-fatiha-maidah-anam/", 3},
    /*  2 */ {"https://archive.example.org/download/tafsir-anam-to-taha/", 3},
    /*  3 */ {"https://archive.example.org/download/tafsir-baqarah/", 3},
    /*  4 */ {"https://archive.example.org/download/tafsir-imran-nisa/", 3},
    /*  5 */ {"https://archive.example.org/download/tafsir-tur-to-mumtahanah/", 3},
    /*  6 */ {"https://archive.example.org/download/tafsir-isra-anbiya/", 3},
    /*  7 */ {"http://ia601.mirror.archive.example.org/7/items/tafsir-isra-audio/", 0},
    /*  8 */ {"http://ia802.mirror.archive.example.org/18/items/tafsir-isra-audio/", 0},
    /*  9 */ {"https://archive.example.org/download/tafsir-kahf/", 0},
    /* 10 */ {"https://archive.example.org/download/tafsir-maryam/", 0},
    /* 11 */ {"http://ia903.mirror.archive.example.org/24/items/tafsir-maryam-audio/", 0},
    /* 12 */ {"https://archive.example.org/download/tafsir-hajj-muminun-nur-furqan/", 3},
    /* 13 */
    {"https://ia604.mirror.archive.example.org/31/items/tafsir-hajj-muminun-nur-furqan/", 3},
    /* 14 */
    {"https://ia805.mirror.archive.example.org/9/items/tafsir-hajj-muminun-nur-furqan/", 3},
    /* 15 */ {"https://archive.example.org/download/tafsir-shuara-dukhan-ahqaf-muhammad/", 4},
    /* 16 */ {"https://archive.example.org/download/tafsir-naml/", 3},
    /* 17 */ {"https://archive.example.org/download/tafsir-qasas/", 0},
    /* 18 */ {"https://archive.example.org/download/tafsir-ankabut-to-saffat/", 4},
    /* 19 */ {"https://archive.example.org/download/tafsir-sad/", 2},
    /* 20 */ {"https://archive.example.org/download/tafsir-zumar/", 0},
    /* 21 */ {"https://archive.example.org/download/tafsir-ghafir/", 2},
    /* 22 */ {"https://archive.example.org/download/tafsir-fussilat/", 2},
    /* 23 */ {"https://archive.example.org/download/tafsir-shura/", 2},
    /* 24 */ {"https://archive.example.org/download/tafsir-zukhruf/", 2},
    /* 25 */ {"https://archive.example.org/download/tafsir-jathiyah/", 2},
    /* 26 */ {"https://archive.example.org/download/tafsir-fath-hujurat/", 2},
    /* 27 */ {"https://archive.example.org/download/tafsir-qaf/", 2},
    /* 28 */ {"https://archive.example.org/download/tafsir-dhariyat/", 2},
    /* 29 */ {"https://archive.example.org/download/qudsi-hadith/", 0},
    /* 30 */ {"http://media.publisher.example.net/videos/a-to-z/", 0},
}};

// The site name at the head of the one audio file of Form22 (entry 10).
inline constexpr std::string_view kMaryamAudioSite = "tafsir-audio.example.net";

} // namespace catalogue::data
