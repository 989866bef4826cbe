#pragma once

// The 63 episode lists. One row per window, in the order of the episode
// layouts (checked where the two meet, in the episode window): the surah it
// serves (none for a lecture programme), the number N of entries, the file names of its
// entries in list order as runs (each run names its media base, see
// media_bases.h), the blanks around its media locations, and where its labels
// leave the usual pattern.
//
// Labels: entry k shows the number k and trailing blanks from the label cycle
// (list_types.h), except for the departures listed here. Locations: leading
// blanks, media base, file name, trailing blanks.

#include "list_types.h"
#include "media_bases.h"

namespace catalogue::data {

// clang-format off
inline constexpr std::array<WindowRow, 63> kWindows{{
    {.name = "Form3", .surah = 1, .entries = 24,
     .runs = {files(1, 886, 867, "___.flv"), files(1, 865, 863, "___.flv"), file(1, 866, "___.flv")},
     .leadingExcept = {entry(4, 1)}},

    {.name = "Form4", .surah = 15, .entries = 13,
     .runs = {files(2, 172, 160, "_.flv")}},

    {.name = "Form5", .surah = 2, .entries = 459,
     .runs = {files(3, 862, 600, "___.flv"), file(3, 500, "___.flv"), files(3, 599, 574, "___.flv"),
              files(3, 572, 495, "___.flv"), file(3, 594, "___.flv"), files(3, 493, 489, "___.flv"),
              files(3, 487, 474, "___.flv"), files(3, 472, 402, "___.flv")},
     .leading = 2,
     .leadingExcept = {entry(1, 0), entry(15, 0), entry(8, 1), entry(16, 1), entry(22, 1),
                       entries(23, 24, 3)},
     .labelDepartures = {entry(154, 2), entry(204, 2), entry(207, 3), entry(279, 2), entry(305, 2),
                         entry(328, 2), entry(329, 1), entry(332, 3), entry(350, 2), entry(354, 2),
                         entry(379, 2), entry(401, 3), entry(402, 2), entry(405, 4), entry(407, 3),
                         entry(408, 2), entry(409, 1), entry(411, 2), entry(417, 3), entry(419, 2),
                         entry(420, 3), entry(421, 3), entry(425, 2), entry(426, 3), entry(427, 3),
                         entry(428, 4), entry(431, 2), entry(432, 1), entry(433, 2), entry(434, 2),
                         entry(436, 2), entry(440, 3), entry(443, 3), entry(445, 3), entry(446, 3),
                         entry(448, 2), entry(449, 2), entry(451, 3), entry(452, 3), entry(457, 3)},
     .labelsLagFrom = 193},

    {.name = "Form6", .surah = 3, .entries = 184,
     .runs = {files(3, 414, 401, "___.flv"), files(4, 400, 337, "___.flv"), files(4, 335, 230, "___.flv")},
     .leading = 1,
     .leadingExcept = {entries(1, 24, 2), entry(28, 2), entry(45, 2), entry(56, 2),
                       entry(32, 0), entry(44, 0), entry(127, 0)},
     .labelDepartures = {entry(126, 3), entry(127, 3), entry(128, 4), entry(129, 4), entry(132, 3),
                         entry(134, 4), entry(135, 3), entry(136, 3), entry(138, 1), entry(144, 2),
                         entry(146, 3), entry(147, 2), entry(148, 2), entry(151, 3), entry(152, 3),
                         entry(176, 2), entry(177, 3), entry(182, 3)}},

    {.name = "Form7", .surah = 4, .entries = 125,
     .runs = {files(4, 230, 217, "___.flv"), files(4, 219, 218, "___.flv"), files(4, 214, 106, "___.flv")}},

    {.name = "Form8", .surah = 5, .entries = 81,
     .runs = {file(1, 105, "___.flv"), files(1, 103, 24, "___.flv")},
     .labelDepartures = {entry(51, 1), entry(52, 2), entry(53, 2), entry(54, 2), entry(55, 2),
                         entry(56, 1), entry(57, 2), entry(58, 2), entry(61, 2), entry(62, 3),
                         entry(63, 3), entry(64, 3), entry(65, 3), entry(66, 3), entry(67, 3),
                         entry(68, 1), entry(69, 1), entry(73, 2), entry(74, 2), entry(76, 2),
                         entry(77, 3), entry(80, 2), entry(81, 2)}},

    {.name = "Form9", .surah = 6, .entries = 67,
     .runs = {files(1, 23, 1, "___.flv"), files(2, 490, 487, "___.flv"), files(2, 485, 454, "___.flv"),
              files(2, 453, 452, "_.flv"), files(2, 445, 440, "_.flv")},
     .leadingExcept = {entry(4, 1)},
     .labelDepartures = {entry(51, 1), entry(52, 2), entry(53, 2), entry(54, 2), entry(55, 2),
                         entry(56, 1), entry(57, 2), entry(58, 2), entry(61, 2), entry(62, 3),
                         entry(63, 3), entry(64, 3), entry(65, 3), entry(66, 3), entry(67, 3)}},

    {.name = "Form10", .surah = 7, .entries = 63,
     .runs = {files(2, 439, 424, "_.flv"), files(2, 423, 420, "___.flv"), file(2, 419, "_.flv"),
              files(2, 418, 413, "___.flv"), file(2, 412, "_.flv"), files(2, 411, 408, "___.flv"),
              files(2, 407, 406, "_.flv"), files(2, 405, 402, "___.flv"), file(2, 401, "_.flv"),
              files(2, 400, 387, "___.flv"), files(2, 386, 382, "_.flv"), files(2, 381, 380, "___.flv"),
              files(2, 379, 377, "_.flv")}},

    {.name = "Form11", .surah = 8, .entries = 22,
     .runs = {files(2, 376, 373, "___.flv"), files(2, 372, 371, "_.flv"), files(2, 370, 369, "___.flv"),
              files(2, 368, 367, "_.flv"), files(2, 366, 363, "___.flv"), file(2, 362, "_.flv"),
              files(2, 361, 356, "___.flv"), file(2, 355, "_.flv")}},

    {.name = "Form12", .surah = 9, .entries = 58,
     .runs = {files(2, 354, 325, "_.flv"), files(2, 324, 323, "___.flv"), files(2, 322, 321, "_.flv"),
              files(2, 320, 319, "___.flv"), files(2, 318, 314, "_.flv"), file(2, 310, "_.flv"),
              files(2, 309, 296, "___.flv"), files(2, 295, 294, "_.flv")},
     .labelDepartures = {entry(51, 3), entry(52, 3), entry(57, 3)}},

    {.name = "Form13", .surah = 10, .entries = 40,
     .runs = {files(2, 292, 279, "_.flv"), files(2, 278, 277, "___.flv"), files(2, 276, 253, "_.flv")}},

    {.name = "Form14", .surah = 11, .entries = 36,
     .runs = {files(2, 252, 238, "_.flv"), files(2, 237, 234, "___.flv"), files(2, 233, 230, "_.flv"),
              files(2, 229, 228, "___.flv"), files(2, 227, 226, "_.flv"), files(2, 225, 224, "___.flv"),
              file(2, 223, "_.flv"), files(2, 222, 219, "___.flv"), files(2, 218, 217, "_.flv")}},

    {.name = "Form15", .surah = 12, .entries = 15,
     .runs = {file(2, 216, "_.flv"), files(2, 215, 214, "___.flv"), files(2, 213, 202, "_.flv")}},

    {.name = "Form16", .surah = 13, .entries = 13,
     .runs = {file(2, 180, "_.flv"), files(2, 201, 196, "_.flv"), files(2, 195, 194, "___.flv"),
              files(2, 193, 190, "_.flv")}},

    {.name = "Form17", .surah = 14, .entries = 17,
     .runs = {files(2, 189, 173, "_.flv")},
     .labelDepartures = {entry(14, 1)}},

    {.name = "Form18", .surah = 60, .entries = 2,
     .runs = {file(5, 946, "_.flv"), file(5, 945, "___.flv")}},

    {.name = "Form19", .surah = 16, .entries = 47,
     .runs = {file(2, 159, "_.flv"), files(2, 158, 157, "___.flv"), files(2, 156, 150, "_.flv"),
              files(2, 149, 113, "___.flv")}},

    {.name = "Form20", .surah = 17, .entries = 28,
     .runs = {files(6, 197, 182, "_.flv"),
              named(7, "017_Alisraa_056_060.mp3"), named(7, "017_Alisraa_060_061.mp3"),
              named(7, "017_Alisraa_061_066.mp3"),
              file(6, 196, "_.flv"),
              named(7, "017_Alisraa_066_073.mp3"),
              named(8, "017_Alisraa_073_079.mp3"),
              named(7, "017_Alisraa_079_085.mp3"), named(7, "017_Alisraa_085_090.mp3"),
              named(7, "017_Alisraa_090_097.mp3"), named(7, "017_Alisraa_097_101.mp3"),
              named(7, "017_Alisraa_101_105.mp3"),
              named(8, "017_Alisraa_105_110.mp3")},
     .audioLabels = {{16, 1, 1}, {17, 2, 0}, {18, 1, 1}, {19, 1, 2}, {20, 2, 0}, {21, 2, 0}, {22, 2, 1},
                     {23, 3, 0}, {24, 3, 0}, {25, 2, 1}, {26, 2, 1}, {27, 1, 3}, {28, 3, 0}}},

    {.name = "Form21", .surah = 18, .entries = 13,
     .runs = {numbered(9, "18_Alkahf_", 9, 3, ".ogv"), numbered(9, "18_Alkahf_", 14, 10, ".ogv"),
              numbered(9, "18_Alkahf_", 1, 1, ".ogv")}},

    {.name = "Form22", .surah = 19, .entries = 12,
     .runs = {numbered(10, "19_maryam_", 1, 9, ".ogv"), named(11, kMaryamAudioSite, "_maryam_10.mp3"),
              numbered(10, "19_maryam_", 11, 12, ".ogv")},
     .audioLabels = {{10, 1, 1}}},

    {.name = "Form23", .surah = 20, .entries = 33,
     .runs = {file(2, 39, "_.flv"), files(2, 38, 34, "___.flv"), files(2, 34, 9, "___.flv"),
              file(2, 8, "_.flv")}},

    {.name = "Form24", .surah = 21, .entries = 10,
     .runs = {files(6, 162, 153, "_.flv")}},

    {.name = "Form25", .surah = 22, .entries = 24,
     .runs = {files(12, 84, 61, "_.flv")}},

    {.name = "Form26", .surah = 23, .entries = 12,
     .runs = {files(12, 60, 49, "_.flv")}},

    {.name = "Form27", .surah = 24, .entries = 19,
     .runs = {files(12, 48, 41, "___.flv"), files(12, 40, 37, "_.flv"), files(12, 36, 33, "___.flv"),
              files(12, 32, 30, "_.flv")}},

    {.name = "Form28", .surah = 25, .entries = 23,
     .runs = {file(13, 30, "_.flv"), files(14, 29, 28, "___.flv"), file(13, 27, "___.flv"),
              file(14, 26, "___.flv"), files(13, 25, 23, "___.flv"), file(14, 22, "___.flv"),
              file(13, 21, "___.flv"), files(14, 20, 19, "___.flv"), files(13, 18, 15, "___.flv"),
              files(14, 14, 13, "___.flv"), files(13, 12, 10, "___.flv"), file(14, 9, "___.flv"),
              file(13, 8, "___.flv")}},

    {.name = "Form29", .surah = 26, .entries = 16,
     .runs = {files(15, 747, 732, "_up_by_varnek.mkv")}},

    {.name = "Form30", .surah = 27, .entries = 11,
     .runs = {files(16, 21, 11, "_.flv")}},

    {.name = "Form31", .surah = 28, .entries = 16,
     .runs = {numbered(17, "28_qasas_", 1, 16, ".ogv")},
     .leading = 1},

    {.name = "Form32", .surah = 29, .entries = 33,
     .runs = {file(18, 1351, "_.flv"), files(18, 1350, 1338, "___.flv"), files(18, 1333, 1315, "___.flv")}},

    {.name = "Form33", .surah = 30, .entries = 33,
     .runs = {files(18, 1314, 1313, "___.flv"), files(18, 1311, 1305, "___.flv"), file(18, 1304, "_.flv"),
              file(18, 1303, "___.flv"), file(18, 1300, "_.flv"), files(18, 1299, 1296, "___.flv"),
              file(18, 1295, "_.flv"), files(18, 1294, 1281, "___.flv"), files(18, 1280, 1279, "_.flv")}},

    {.name = "Form34", .surah = 31, .entries = 21,
     .runs = {files(18, 1278, 1267, "_.flv"), files(18, 1266, 1265, "___.flv"), files(18, 1264, 1258, "_.flv")}},

    {.name = "Form35", .surah = 32, .entries = 12,
     .runs = {files(18, 1257, 1250, "_.flv"), files(18, 1249, 1246, "___.flv")}},

    {.name = "Form36", .surah = 33, .entries = 36,
     .runs = {files(18, 1245, 1222, "___.flv"), files(18, 1221, 1218, "_.flv"), files(18, 1217, 1216, "___.flv"),
              files(18, 1215, 1210, "_.flv")}},

    {.name = "Form37", .surah = 34, .entries = 22,
     .runs = {file(18, 1209, "_.flv"), files(18, 1208, 1189, "___.flv"), file(18, 1188, "_.flv")}},

    {.name = "Form38", .surah = 35, .entries = 18,
     .runs = {file(18, 1287, "_.flv"), files(18, 1286, 1282, "___.flv"), file(18, 1181, "___.flv"),
              file(18, 1180, "_.flv"), files(18, 1179, 1170, "___.flv")}},

    // Entry 14 has a label but no location.
    {.name = "Form39", .surah = 36, .entries = 14,
     .runs = {file(18, 1269, "_.flv"), files(18, 1268, 1267, "___.flv"), files(18, 1266, 1264, "_.flv"),
              files(18, 1163, 1158, "_.flv"), file(18, 1156, "_.flv")}},

    {.name = "Form40", .surah = 37, .entries = 8,
     .runs = {file(18, 1155, "_.flv"), file(18, 1154, "___.flv"), files(18, 1145, 1141, "_.flv"),
              file(18, 1140, "___.flv")}},

    {.name = "Form41", .surah = 38, .entries = 12,
     .runs = {files(19, 1, 12, "_up_by_varnek.ogv")},
     .leading = 2,
     .leadingExcept = {entries(2, 3, 1), entry(6, 1), entry(9, 1)}},

    // Entry 20 has a label but no location.
    {.name = "Form42", .surah = 39, .entries = 20,
     .runs = {numbered(20, "39_zumar_", 1, 19, ".mp4")},
     .leading = 2,
     .leadingExcept = {entry(13, 0), entries(2, 3, 1), entry(6, 1), entries(10, 11, 1),
                       entries(14, 15, 1), entry(19, 1)}},

    {.name = "Form43", .surah = 40, .entries = 11,
     .runs = {files(21, 1, 11, "_up_by_varnek.mkv")},
     .leading = 2,
     .leadingExcept = {entry(1, 0), entry(4, 0), entry(3, 1), entries(5, 6, 1), entry(11, 1)}},

    {.name = "Form44", .surah = 41, .entries = 11,
     .runs = {files(22, 1, 11, "_up_by_varnek.mkv")},
     .leading = 2,
     .leadingExcept = {entry(1, 0), entries(4, 5, 1), entry(11, 1)}},

    {.name = "Form45", .surah = 42, .entries = 19,
     .runs = {files(23, 1, 19, "_up_by_varnek.ogv")},
     .leading = 1,
     .leadingExcept = {entry(15, 0), entry(6, 2), entries(8, 10, 2), entries(12, 13, 2),
                       entries(17, 19, 2)},
     .labelDepartures = {entry(14, 1), entry(18, 1), entry(19, 2)}},

    {.name = "Form46", .surah = 43, .entries = 15,
     .runs = {files(24, 1, 15, "_up_by_varnek.mkv")},
     .leading = 2,
     .leadingExcept = {entry(1, 0), entry(2, 1), entry(5, 1), entry(10, 1), entries(12, 13, 1),
                       entry(15, 1)},
     .labelDepartures = {entry(14, 1)}},

    {.name = "Form47", .surah = 44, .entries = 5,
     .runs = {files(15, 1004, 1000, "_up_by_varnek.mkv")}},

    {.name = "Form48", .surah = 45, .entries = 8,
     .runs = {files(25, 1, 8, "_up_by_varnek.ogv")},
     .leading = 2,
     .leadingExcept = {entry(3, 1), entries(5, 6, 1)},
     .labelDepartures = {entry(7, 3)}},

    {.name = "Form49", .surah = 46, .entries = 9,
     .runs = {files(15, 1021, 1013, "_up_by_varnek.mkv")},
     .labelDepartures = {entry(7, 3)}},

    {.name = "Form50", .surah = 47, .entries = 7,
     .runs = {files(15, 1028, 1022, "_up_by_varnek.mkv")},
     .labelDepartures = {entry(7, 3)}},

    {.name = "Form51", .surah = 48, .entries = 5,
     .runs = {files(26, 1, 5, "_up_by_varnek.ogv")},
     .leading = 1,
     .leadingExcept = {entries(3, 4, 2)}},

    // The same five locations as Form51.
    {.name = "Form52", .surah = 49, .entries = 5,
     .runs = {files(26, 1, 5, "_up_by_varnek.ogv")},
     .leading = 1,
     .leadingExcept = {entries(3, 4, 2)}},

    {.name = "Form53", .surah = 50, .entries = 6,
     .runs = {files(27, 1, 6, "_up_by_varnek.ogv")},
     .leading = 1,
     .leadingExcept = {entry(2, 2), entry(3, 0)}},

    {.name = "Form54", .surah = 51, .entries = 6,
     .runs = {files(28, 1, 6, "_up_by_varnek.ogv")},
     .leading = 1,
     .leadingExcept = {entry(3, 2), entry(5, 2), entry(6, 0)}},

    {.name = "Form55", .surah = 52, .entries = 4,
     .runs = {files(5, 995, 992, "_.flv")}},

    {.name = "Form56", .surah = 53, .entries = 8,
     .runs = {files(5, 991, 984, "_.flv")},
     .labelDepartures = {entry(7, 3)}},

    {.name = "Form57", .surah = 54, .entries = 4,
     .runs = {files(5, 983, 980, "_.flv")}},

    {.name = "Form58", .surah = 55, .entries = 4,
     .runs = {files(5, 979, 976, "_.flv")}},

    {.name = "Form59", .surah = 56, .entries = 5,
     .runs = {files(5, 975, 971, "_.flv")}},

    {.name = "Form60", .surah = 57, .entries = 7,
     .runs = {files(5, 970, 967, "_.flv"), files(5, 965, 963, "_.flv")},
     .labelDepartures = {entry(7, 3)}},

    {.name = "Form61", .surah = 58, .entries = 7,
     .runs = {file(5, 962, "_.flv"), files(5, 961, 956, "___.flv")},
     .labelDepartures = {entry(7, 3)}},

    {.name = "Form62", .surah = 59, .entries = 9,
     .runs = {files(5, 955, 948, "___.flv"), file(5, 947, "_.flv")}},

    {.name = "Form64", .entries = 24,
     .runs = {files(5, 884, 880, "___.flv"), files(5, 879, 864, "_.flv"), files(5, 863, 861, "___.flv")},
     .labelDepartures = {entry(11, 3)}},

    {.name = "Form65", .entries = 4,
     .runs = {numbered(29, "qodisi_", 1, 4, ".wmv")},
     .leading = 1,
     .trailing = {entry(2, 1), entry(4, 1)}},

    {.name = "Form66", .entries = 4,
     .runs = {numbered(30, "az", 1, 4, "_v.wmv")},
     .trailing = {entry(1, 1), entry(2, 2), entry(4, 2)}},
}};
// clang-format on

} // namespace catalogue::data
