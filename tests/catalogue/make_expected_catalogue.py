#!/usr/bin/env python3
# An independent transcription of the catalogue, used to produce expected_catalogue.tsv; run by hand, not by the build.
#
# It is kept apart from the catalogue's own code on purpose: the tests compare the
# two, so a slip in either shows up as a difference. Before writing anything the
# script checks its own data against the facts the catalogue is known to satisfy
# (entry and location counts, schemes, file types, which windows use which media
# base, which entries share a location) and stops on the first mismatch.
#
# Output: one line per entry, windows in catalogue order, entries in list order:
#   window TAB entry number (1-based) TAB label TAB location
# with an empty location field for an entry without a location. UTF-8, "\n" endings,
# texts exactly as stored (blanks kept).
#
# Usage: python3 make_expected_catalogue.py [output path]
#        (default: expected_catalogue.tsv next to this script)

import collections
import os
import sys

# --------------------------------------------------------------------------------------
# Media bases. The texts are our own choice (copied from catalogue/media_bases.h); the
# numbering (order of first use) and the scheme of each base are fixed by the catalogue.

MEDIA_BASES = {
    1: "https://archive.example.org/download/tafsir-fatiha-maidah-anam/",
    2: "https://archive.example.org/download/tafsir-anam-to-taha/",
    3: "https://archive.example.org/download/tafsir-baqarah/",
    4: "https://archive.example.org/download/tafsir-imran-nisa/",
    5: "https://archive.example.org/download/tafsir-tur-to-mumtahanah/",
    6: "https://archive.example.org/download/tafsir-isra-anbiya/",
    7: "http://ia601.mirror.archive.example.org/7/items/tafsir-isra-audio/",
    8: "http://ia802.mirror.archive.example.org/18/items/tafsir-isra-audio/",
    9: "https://archive.example.org/download/tafsir-kahf/",
    10: "https://archive.example.org/download/tafsir-maryam/",
    11: "http://ia903.mirror.archive.example.org/24/items/tafsir-maryam-audio/",
    12: "https://archive.example.org/download/tafsir-hajj-muminun-nur-furqan/",
    13: "https://ia604.mirror.archive.example.org/31/items/tafsir-hajj-muminun-nur-furqan/",
    14: "https://ia805.mirror.archive.example.org/9/items/tafsir-hajj-muminun-nur-furqan/",
    15: "https://archive.example.org/download/tafsir-shuara-dukhan-ahqaf-muhammad/",
    16: "https://archive.example.org/download/tafsir-naml/",
    17: "https://archive.example.org/download/tafsir-qasas/",
    18: "https://archive.example.org/download/tafsir-ankabut-to-saffat/",
    19: "https://archive.example.org/download/tafsir-sad/",
    20: "https://archive.example.org/download/tafsir-zumar/",
    21: "https://archive.example.org/download/tafsir-ghafir/",
    22: "https://archive.example.org/download/tafsir-fussilat/",
    23: "https://archive.example.org/download/tafsir-shura/",
    24: "https://archive.example.org/download/tafsir-zukhruf/",
    25: "https://archive.example.org/download/tafsir-jathiyah/",
    26: "https://archive.example.org/download/tafsir-fath-hujurat/",
    27: "https://archive.example.org/download/tafsir-qaf/",
    28: "https://archive.example.org/download/tafsir-dhariyat/",
    29: "https://archive.example.org/download/qudsi-hadith/",
    30: "http://media.publisher.example.net/videos/a-to-z/",
}

# The site name at the head of the file name of Form22 entry 10 (also our own choice).
MARYAM_AUDIO_SITE = "tafsir-audio.example.net"

# Bases reached over plain http; all others use https.
HTTP_BASES = {7, 8, 11, 30}

# Digits to which a plain file number is padded, per base. Base 18 numbers are
# always four digits long (checked below rather than padded).
BASE_DIGITS = {}
for _b in (1, 2, 3, 4, 5, 6, 12, 13, 14, 16):
    BASE_DIGITS[_b] = 3
BASE_DIGITS[15] = 4
for _b in (19, 21, 22, 23, 24, 25, 26, 27, 28):
    BASE_DIGITS[_b] = 2
BASE_DIGITS[18] = 4

# --------------------------------------------------------------------------------------
# File-name runs. A window's file names are a sequence of these items, read in order:
#   B(n)                 media base n holds for the following runs
#   N(a, b, s)           numbers a..b (down or up, inclusive), padded per base, then s
#   K(prefix, a, b, s)   prefix + k + s for k = a..b, k without leading zeros
#   L(name)              one literal file name
#   NO                   one entry without a location


def B(n):
    return ("base", n)


def N(a, b, suffix):
    return ("num", a, b, suffix)


def K(prefix, a, b, suffix):
    return ("named", prefix, a, b, suffix)


def L(name):
    return ("lit", name)


NO = ("none",)


def steps(a, b):
    return range(a, b - 1, -1) if a > b else range(a, b + 1)


# --------------------------------------------------------------------------------------
# The 63 episode windows: name, surah (none for a programme), N, file-name runs.

SURAH_WINDOWS = [
    ("Form3", 1, 24, [B(1), N(886, 867, "___.flv"), N(865, 863, "___.flv"), N(866, 866, "___.flv")]),
    ("Form4", 15, 13, [B(2), N(172, 160, "_.flv")]),
    ("Form5", 2, 459, [B(3), N(862, 600, "___.flv"), N(500, 500, "___.flv"),
                       N(599, 574, "___.flv"), N(572, 495, "___.flv"), N(594, 594, "___.flv"),
                       N(493, 489, "___.flv"), N(487, 474, "___.flv"), N(472, 402, "___.flv")]),
    ("Form6", 3, 184, [B(3), N(414, 401, "___.flv"), B(4), N(400, 337, "___.flv"),
                       N(335, 230, "___.flv")]),
    ("Form7", 4, 125, [B(4), N(230, 217, "___.flv"), N(219, 218, "___.flv"),
                       N(214, 106, "___.flv")]),
    ("Form8", 5, 81, [B(1), N(105, 105, "___.flv"), N(103, 24, "___.flv")]),
    ("Form9", 6, 67, [B(1), N(23, 1, "___.flv"), B(2), N(490, 487, "___.flv"),
                      N(485, 454, "___.flv"), N(453, 452, "_.flv"), N(445, 440, "_.flv")]),
    ("Form10", 7, 63, [B(2), N(439, 424, "_.flv"), N(423, 420, "___.flv"), N(419, 419, "_.flv"),
                       N(418, 413, "___.flv"), N(412, 412, "_.flv"), N(411, 408, "___.flv"),
                       N(407, 406, "_.flv"), N(405, 402, "___.flv"), N(401, 401, "_.flv"),
                       N(400, 387, "___.flv"), N(386, 382, "_.flv"), N(381, 380, "___.flv"),
                       N(379, 377, "_.flv")]),
    ("Form11", 8, 22, [B(2), N(376, 373, "___.flv"), N(372, 371, "_.flv"),
                       N(370, 369, "___.flv"), N(368, 367, "_.flv"), N(366, 363, "___.flv"),
                       N(362, 362, "_.flv"), N(361, 356, "___.flv"), N(355, 355, "_.flv")]),
    ("Form12", 9, 58, [B(2), N(354, 325, "_.flv"), N(324, 323, "___.flv"), N(322, 321, "_.flv"),
                       N(320, 319, "___.flv"), N(318, 314, "_.flv"), N(310, 310, "_.flv"),
                       N(309, 296, "___.flv"), N(295, 294, "_.flv")]),
    ("Form13", 10, 40, [B(2), N(292, 279, "_.flv"), N(278, 277, "___.flv"),
                        N(276, 253, "_.flv")]),
    ("Form14", 11, 36, [B(2), N(252, 238, "_.flv"), N(237, 234, "___.flv"), N(233, 230, "_.flv"),
                        N(229, 228, "___.flv"), N(227, 226, "_.flv"), N(225, 224, "___.flv"),
                        N(223, 223, "_.flv"), N(222, 219, "___.flv"), N(218, 217, "_.flv")]),
    ("Form15", 12, 15, [B(2), N(216, 216, "_.flv"), N(215, 214, "___.flv"),
                        N(213, 202, "_.flv")]),
    ("Form16", 13, 13, [B(2), N(180, 180, "_.flv"), N(201, 196, "_.flv"),
                        N(195, 194, "___.flv"), N(193, 190, "_.flv")]),
    ("Form17", 14, 17, [B(2), N(189, 173, "_.flv")]),
    ("Form18", 60, 2, [B(5), N(946, 946, "_.flv"), N(945, 945, "___.flv")]),
    ("Form19", 16, 47, [B(2), N(159, 159, "_.flv"), N(158, 157, "___.flv"), N(156, 150, "_.flv"),
                        N(149, 113, "___.flv")]),
    ("Form20", 17, 28, [B(6), N(197, 182, "_.flv"),
                        B(7), L("017_Alisraa_056_060.mp3"), L("017_Alisraa_060_061.mp3"),
                        L("017_Alisraa_061_066.mp3"),
                        B(6), N(196, 196, "_.flv"),
                        B(7), L("017_Alisraa_066_073.mp3"),
                        B(8), L("017_Alisraa_073_079.mp3"),
                        B(7), L("017_Alisraa_079_085.mp3"), L("017_Alisraa_085_090.mp3"),
                        L("017_Alisraa_090_097.mp3"), L("017_Alisraa_097_101.mp3"),
                        L("017_Alisraa_101_105.mp3"),
                        B(8), L("017_Alisraa_105_110.mp3")]),
    ("Form21", 18, 13, [B(9), K("18_Alkahf_", 9, 3, ".ogv"), K("18_Alkahf_", 14, 10, ".ogv"),
                        K("18_Alkahf_", 1, 1, ".ogv")]),
    ("Form22", 19, 12, [B(10), K("19_maryam_", 1, 9, ".ogv"),
                        B(11), L(MARYAM_AUDIO_SITE + "_maryam_10.mp3"),
                        B(10), K("19_maryam_", 11, 12, ".ogv")]),
    ("Form23", 20, 33, [B(2), N(39, 39, "_.flv"), N(38, 34, "___.flv"), N(34, 9, "___.flv"),
                        N(8, 8, "_.flv")]),
    ("Form24", 21, 10, [B(6), N(162, 153, "_.flv")]),
    ("Form25", 22, 24, [B(12), N(84, 61, "_.flv")]),
    ("Form26", 23, 12, [B(12), N(60, 49, "_.flv")]),
    ("Form27", 24, 19, [B(12), N(48, 41, "___.flv"), N(40, 37, "_.flv"), N(36, 33, "___.flv"),
                        N(32, 30, "_.flv")]),
    ("Form28", 25, 23, [B(13), N(30, 30, "_.flv"), B(14), N(29, 28, "___.flv"),
                        B(13), N(27, 27, "___.flv"), B(14), N(26, 26, "___.flv"),
                        B(13), N(25, 23, "___.flv"), B(14), N(22, 22, "___.flv"),
                        B(13), N(21, 21, "___.flv"), B(14), N(20, 19, "___.flv"),
                        B(13), N(18, 15, "___.flv"), B(14), N(14, 13, "___.flv"),
                        B(13), N(12, 10, "___.flv"), B(14), N(9, 9, "___.flv"),
                        B(13), N(8, 8, "___.flv")]),
    ("Form29", 26, 16, [B(15), N(747, 732, "_up_by_varnek.mkv")]),
    ("Form30", 27, 11, [B(16), N(21, 11, "_.flv")]),
    ("Form31", 28, 16, [B(17), K("28_qasas_", 1, 16, ".ogv")]),
    ("Form32", 29, 33, [B(18), N(1351, 1351, "_.flv"), N(1350, 1338, "___.flv"),
                        N(1333, 1315, "___.flv")]),
    ("Form33", 30, 33, [B(18), N(1314, 1313, "___.flv"), N(1311, 1305, "___.flv"),
                        N(1304, 1304, "_.flv"), N(1303, 1303, "___.flv"), N(1300, 1300, "_.flv"),
                        N(1299, 1296, "___.flv"), N(1295, 1295, "_.flv"),
                        N(1294, 1281, "___.flv"), N(1280, 1279, "_.flv")]),
    ("Form34", 31, 21, [B(18), N(1278, 1267, "_.flv"), N(1266, 1265, "___.flv"),
                        N(1264, 1258, "_.flv")]),
    ("Form35", 32, 12, [B(18), N(1257, 1250, "_.flv"), N(1249, 1246, "___.flv")]),
    ("Form36", 33, 36, [B(18), N(1245, 1222, "___.flv"), N(1221, 1218, "_.flv"),
                        N(1217, 1216, "___.flv"), N(1215, 1210, "_.flv")]),
    ("Form37", 34, 22, [B(18), N(1209, 1209, "_.flv"), N(1208, 1189, "___.flv"),
                        N(1188, 1188, "_.flv")]),
    ("Form38", 35, 18, [B(18), N(1287, 1287, "_.flv"), N(1286, 1282, "___.flv"),
                        N(1181, 1181, "___.flv"), N(1180, 1180, "_.flv"),
                        N(1179, 1170, "___.flv")]),
    ("Form39", 36, 14, [B(18), N(1269, 1269, "_.flv"), N(1268, 1267, "___.flv"),
                        N(1266, 1264, "_.flv"), N(1163, 1158, "_.flv"), N(1156, 1156, "_.flv"),
                        NO]),
    ("Form40", 37, 8, [B(18), N(1155, 1155, "_.flv"), N(1154, 1154, "___.flv"),
                       N(1145, 1141, "_.flv"), N(1140, 1140, "___.flv")]),
    ("Form41", 38, 12, [B(19), N(1, 12, "_up_by_varnek.ogv")]),
    ("Form42", 39, 20, [B(20), K("39_zumar_", 1, 19, ".mp4"), NO]),
    ("Form43", 40, 11, [B(21), N(1, 11, "_up_by_varnek.mkv")]),
    ("Form44", 41, 11, [B(22), N(1, 11, "_up_by_varnek.mkv")]),
    ("Form45", 42, 19, [B(23), N(1, 19, "_up_by_varnek.ogv")]),
    ("Form46", 43, 15, [B(24), N(1, 15, "_up_by_varnek.mkv")]),
    ("Form47", 44, 5, [B(15), N(1004, 1000, "_up_by_varnek.mkv")]),
    ("Form48", 45, 8, [B(25), N(1, 8, "_up_by_varnek.ogv")]),
    ("Form49", 46, 9, [B(15), N(1021, 1013, "_up_by_varnek.mkv")]),
    ("Form50", 47, 7, [B(15), N(1028, 1022, "_up_by_varnek.mkv")]),
    ("Form51", 48, 5, [B(26), N(1, 5, "_up_by_varnek.ogv")]),
    ("Form52", 49, 5, [B(26), N(1, 5, "_up_by_varnek.ogv")]),
    ("Form53", 50, 6, [B(27), N(1, 6, "_up_by_varnek.ogv")]),
    ("Form54", 51, 6, [B(28), N(1, 6, "_up_by_varnek.ogv")]),
    ("Form55", 52, 4, [B(5), N(995, 992, "_.flv")]),
    ("Form56", 53, 8, [B(5), N(991, 984, "_.flv")]),
    ("Form57", 54, 4, [B(5), N(983, 980, "_.flv")]),
    ("Form58", 55, 4, [B(5), N(979, 976, "_.flv")]),
    ("Form59", 56, 5, [B(5), N(975, 971, "_.flv")]),
    ("Form60", 57, 7, [B(5), N(970, 967, "_.flv"), N(965, 963, "_.flv")]),
    ("Form61", 58, 7, [B(5), N(962, 962, "_.flv"), N(961, 956, "___.flv")]),
    ("Form62", 59, 9, [B(5), N(955, 948, "___.flv"), N(947, 947, "_.flv")]),
]

PROGRAMME_WINDOWS = [
    ("Form64", 24, [B(5), N(884, 880, "___.flv"), N(879, 864, "_.flv"), N(863, 861, "___.flv")]),
    ("Form65", 4, [B(29), K("qodisi_", 1, 4, ".wmv")]),
    ("Form66", 4, [B(30), K("az", 1, 4, "_v.wmv")]),
]

# --------------------------------------------------------------------------------------
# Labels.

SURAH_BLANK_CYCLE = [4, 4, 3, 3, 3, 3, 4, 3, 3, 2, 1, 2, 2, 2, 2, 2, 2, 2, 3, 2, 2, 3, 3, 3, 3]
PROGRAMME_BLANK_CYCLE = [10, 6, 4, 3]

# Trailing blanks of labels that leave the cycle: window -> {entry: blanks}.
LABEL_DEPARTURES = {
    "Form5": {154: 2, 204: 2, 207: 3, 279: 2, 305: 2, 328: 2, 329: 1, 332: 3, 350: 2, 354: 2,
              379: 2, 401: 3, 402: 2, 405: 4, 407: 3, 408: 2, 409: 1, 411: 2, 417: 3, 419: 2,
              420: 3, 421: 3, 425: 2, 426: 3, 427: 3, 428: 4, 431: 2, 432: 1, 433: 2, 434: 2,
              436: 2, 440: 3, 443: 3, 445: 3, 446: 3, 448: 2, 449: 2, 451: 3, 452: 3, 457: 3},
    "Form6": {126: 3, 127: 3, 128: 4, 129: 4, 132: 3, 134: 4, 135: 3, 136: 3, 138: 1, 144: 2,
              146: 3, 147: 2, 148: 2, 151: 3, 152: 3, 176: 2, 177: 3, 182: 3},
    "Form8": {51: 1, 52: 2, 53: 2, 54: 2, 55: 2, 56: 1, 57: 2, 58: 2, 61: 2, 62: 3, 63: 3,
              64: 3, 65: 3, 66: 3, 67: 3, 68: 1, 69: 1, 73: 2, 74: 2, 76: 2, 77: 3, 80: 2,
              81: 2},
    "Form9": {51: 1, 52: 2, 53: 2, 54: 2, 55: 2, 56: 1, 57: 2, 58: 2, 61: 2, 62: 3, 63: 3,
              64: 3, 65: 3, 66: 3, 67: 3},
    "Form12": {51: 3, 52: 3, 57: 3},
    "Form17": {14: 1},
    "Form45": {14: 1, 18: 1, 19: 2},
    "Form46": {14: 1},
    "Form48": {7: 3},
    "Form49": {7: 3},
    "Form50": {7: 3},
    "Form56": {7: 3},
    "Form60": {7: 3},
    "Form61": {7: 3},
    "Form64": {11: 3},
}

AUDIO_WORD = "\u0635\u0648\u062a\u0649"  # "صوتى"

# Audio labels: window -> {entry: (blanks before the word, blanks after it)}.
AUDIO_LABELS = {
    "Form20": {16: (1, 1), 17: (2, 0), 18: (1, 1), 19: (1, 2), 20: (2, 0), 21: (2, 0),
               22: (2, 1), 23: (3, 0), 24: (3, 0), 25: (2, 1), 26: (2, 1), 27: (1, 3),
               28: (3, 0)},
    "Form22": {10: (1, 1)},
}


def shown_number(window, k):
    # Form5 repeats 192 at entry 193 and so shows k - 1 from there on.
    if window == "Form5" and k >= 193:
        return k - 1
    return k


def label(window, is_programme, k):
    number = str(shown_number(window, k))
    audio = AUDIO_LABELS.get(window, {}).get(k)
    if audio is not None:
        b1, b2 = audio
        return number + " " * b1 + AUDIO_WORD + " " * b2
    blanks = LABEL_DEPARTURES.get(window, {}).get(k)
    if blanks is None:
        if is_programme:
            blanks = PROGRAMME_BLANK_CYCLE[(k - 1) % 4]
        else:
            blanks = SURAH_BLANK_CYCLE[(k - 1) % 25]
    return number + " " * blanks


# --------------------------------------------------------------------------------------
# Blanks in media locations: window -> (usual leading blanks, {entry: leading blanks}),
# and window -> {entry: trailing blanks}. Windows not named have no blanks.

def each(blanks, *entries):
    out = {}
    for e in entries:
        if isinstance(e, tuple):
            for x in range(e[0], e[1] + 1):
                out[x] = blanks
        else:
            out[e] = blanks
    return out


def merge(*dicts):
    out = {}
    for d in dicts:
        for key, value in d.items():
            assert key not in out, "entry %d listed twice in a blanks row" % key
            out[key] = value
    return out


LEADING_BLANKS = {
    "Form3": (0, each(1, 4)),
    "Form5": (2, merge(each(0, 1, 15), each(1, 8, 16, 22), each(3, 23, 24))),
    "Form6": (1, merge(each(2, (1, 24), 28, 45, 56), each(0, 32, 44, 127))),
    "Form9": (0, each(1, 4)),
    "Form31": (1, {}),
    "Form41": (2, each(1, 2, 3, 6, 9)),
    "Form42": (2, merge(each(0, 13), each(1, 2, 3, 6, 10, 11, 14, 15, 19))),
    "Form43": (2, merge(each(0, 1, 4), each(1, 3, 5, 6, 11))),
    "Form44": (2, merge(each(0, 1), each(1, 4, 5, 11))),
    "Form45": (1, merge(each(0, 15), each(2, 6, (8, 10), 12, 13, (17, 19)))),
    "Form46": (2, merge(each(0, 1), each(1, 2, 5, 10, 12, 13, 15))),
    "Form48": (2, each(1, 3, 5, 6)),
    "Form51": (1, each(2, 3, 4)),
    "Form52": (1, each(2, 3, 4)),
    "Form53": (1, merge(each(2, 2), each(0, 3))),
    "Form54": (1, merge(each(2, 3, 5), each(0, 6))),
    "Form65": (1, {}),
}

TRAILING_BLANKS = {
    "Form65": each(1, 2, 4),
    "Form66": merge(each(1, 1), each(2, 2, 4)),
}

# --------------------------------------------------------------------------------------
# Cross-check data: which entries use which base (None = every entry with a location).

BASE_USERS = {
    1: [("Form3", None), ("Form8", None), ("Form9", range(1, 24))],
    2: [("Form4", None), ("Form9", range(24, 68))]
       + [("Form%d" % n, None) for n in range(10, 18)]
       + [("Form19", None), ("Form23", None)],
    3: [("Form5", None), ("Form6", range(1, 15))],
    4: [("Form6", range(15, 185)), ("Form7", None)],
    5: [("Form18", None)] + [("Form%d" % n, None) for n in range(55, 63)] + [("Form64", None)],
    6: [("Form20", list(range(1, 17)) + [20]), ("Form24", None)],
    7: [("Form20", [17, 18, 19, 21, 23, 24, 25, 26, 27])],
    8: [("Form20", [22, 28])],
    9: [("Form21", None)],
    10: [("Form22", list(range(1, 10)) + [11, 12])],
    11: [("Form22", [10])],
    12: [("Form25", None), ("Form26", None), ("Form27", None)],
    13: [("Form28", [1, 4, 6, 7, 8, 10, 13, 14, 15, 16, 19, 20, 21, 23])],
    14: [("Form28", [2, 3, 5, 9, 11, 12, 17, 18, 22])],
    15: [("Form29", None), ("Form47", None), ("Form49", None), ("Form50", None)],
    16: [("Form30", None)],
    17: [("Form31", None)],
    18: [("Form%d" % n, None) for n in range(32, 41)],
    19: [("Form41", None)],
    20: [("Form42", None)],
    21: [("Form43", None)],
    22: [("Form44", None)],
    23: [("Form45", None)],
    24: [("Form46", None)],
    25: [("Form48", None)],
    26: [("Form51", None), ("Form52", None)],
    27: [("Form53", None)],
    28: [("Form54", None)],
    29: [("Form65", None)],
    30: [("Form66", None)],
}

# "Has the location of": (window, entry) pairs whose locations are the same text.
SAME_LOCATION = (
    [("Form5", 264, "Form5", 363), ("Form5", 369, "Form5", 270)]
    + [("Form5", 446 + i, "Form6", i) for i in range(1, 14)]
    + [("Form7", 15, "Form7", 12), ("Form7", 16, "Form7", 13)]
    + [("Form16", 1, "Form17", 10)]
    + [("Form20", 20, "Form20", 2)]
    + [("Form23", 6, "Form23", 7)]
    + [("Form38", 1 + i, "Form33", 25 + i) for i in range(1, 6)]
    + [("Form39", 1, "Form34", 10), ("Form39", 6, "Form34", 15)]
    + [("Form51", i, "Form52", i) for i in range(1, 6)]
)

# The same file, but the blanks table gives the two entries different leading blanks:
# Form6 entry 184 keeps the one leading blank of its window, Form7 entry 1 has none.
SAME_FILE_ONE_MORE_BLANK = [("Form6", 184, "Form7", 1)]

# --------------------------------------------------------------------------------------
# Expansion.

Entry = collections.namedtuple("Entry", "window k label base file lead trail location")


def file_names(window, runs):
    """The (base, file name) of each entry in list order; (None, None) for no location."""
    out = []
    base = None
    for run in runs:
        kind = run[0]
        if kind == "base":
            base = run[1]
        elif kind == "num":
            _, a, b, suffix = run
            digits = BASE_DIGITS[base]
            for n in steps(a, b):
                text = str(n).zfill(digits)
                assert len(text) == digits, "%s: %d does not fit base %d" % (window, n, base)
                out.append((base, text + suffix))
        elif kind == "named":
            _, prefix, a, b, suffix = run
            for k in steps(a, b):
                out.append((base, prefix + str(k) + suffix))
        elif kind == "lit":
            out.append((base, run[1]))
        elif kind == "none":
            out.append((None, None))
        else:
            raise AssertionError(run)
    return out


def build():
    windows = []
    for name, surah, n, runs in SURAH_WINDOWS:
        windows.append(dict(name=name, surah=surah, n=n, runs=runs))
    for name, n, runs in PROGRAMME_WINDOWS:
        windows.append(dict(name=name, surah=0, n=n, runs=runs))
    entries = collections.OrderedDict()
    for w in windows:
        name = w["name"]
        files = file_names(name, w["runs"])
        usual, lead_exc = LEADING_BLANKS.get(name, (0, {}))
        trail_exc = TRAILING_BLANKS.get(name, {})
        rows = []
        for i, (base, fname) in enumerate(files):
            k = i + 1
            lead = lead_exc.get(k, usual)
            trail = trail_exc.get(k, 0)
            loc = None
            if base is not None:
                loc = " " * lead + MEDIA_BASES[base] + fname + " " * trail
            rows.append(Entry(name, k, label(name, w["surah"] == 0, k), base, fname,
                              lead, trail, loc))
        entries[name] = rows
    return windows, entries


# --------------------------------------------------------------------------------------
# Self-checks.

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def self_check(windows, entries):
    names = [w["name"] for w in windows]
    check(names == ["Form%d" % n for n in range(3, 63)] + ["Form64", "Form65", "Form66"],
          "window names or order")
    check(len(windows) == 63, "63 windows")

    surahs = sorted(w["surah"] for w in windows if w["surah"] != 0)
    check(surahs == list(range(1, 61)), "each surah 1..60 once")

    # Per-window N against the expanded runs.
    for w in windows:
        got = len(entries[w["name"]])
        check(got == w["n"], "%s: N is %d, runs give %d" % (w["name"], w["n"], got))
        check(2 <= got <= 459, "%s: N out of 2..459" % w["name"])

    rows = [e for rows_ in entries.values() for e in rows_]
    located = [e for e in rows if e.location is not None]
    check(len(rows) == 1899, "1,899 entries (got %d)" % len(rows))
    check(len(located) == 1897, "1,897 locations (got %d)" % len(located))
    check(sorted((e.window, e.k) for e in rows if e.location is None)
          == [("Form39", 14), ("Form42", 20)], "the entries without a location")
    # The two entries without a location are the last of their windows, so a window's
    # locations are a prefix of its entries.
    for name, rs in entries.items():
        seen_none = False
        for e in rs:
            if e.location is None:
                seen_none = True
            else:
                check(not seen_none, "%s: a location after an entry without one" % name)

    # Schemes.
    for b, text in MEDIA_BASES.items():
        scheme = "http://" if b in HTTP_BASES else "https://"
        check(text.startswith(scheme) and text.endswith("/"), "base %d text/scheme" % b)
        check(text.count("/") >= 3, "base %d has a path" % b)
    https = sum(1 for e in located if e.location.lstrip(" ").startswith("https://"))
    http = sum(1 for e in located if e.location.lstrip(" ").startswith("http://"))
    check(https == 1881, "https 1,881 (got %d)" % https)
    check(http == 16, "http 16 (got %d)" % http)

    # File types.
    ext = collections.Counter(e.file.rsplit(".", 1)[1] for e in located)
    want = {"flv": 1683, "ogv": 101, "mkv": 74, "mp4": 19, "mp3": 12, "wmv": 8}
    check(dict(ext) == want, "file types %s" % dict(ext))
    for e in located:
        check(e.location.rstrip(" ").endswith(e.file), "%s %d ends with its file" % e[:2])

    # Blanks.
    for e in located:
        check(0 <= e.lead <= 3, "%s %d: leading blanks" % e[:2])
        check(e.trail == 0 or e.window in ("Form65", "Form66"), "%s %d: trailing" % e[:2])
        check(all(ord(c) < 128 for c in e.location), "%s %d: ASCII" % e[:2])
        check(len(e.location) - len(e.location.lstrip(" ")) == e.lead, "%s %d lead" % e[:2])
        check(len(e.location) - len(e.location.rstrip(" ")) == e.trail, "%s %d trail" % e[:2])
        check(" " not in e.location.strip(" "), "%s %d: inner blank" % e[:2])
    for name, (usual, exc) in LEADING_BLANKS.items():
        for k in exc:
            check(1 <= k <= len(entries[name]), "%s: blanks for missing entry %d" % (name, k))
            check(exc[k] != usual, "%s: entry %d repeats the usual count" % (name, k))
    check(all(e.lead == 1 for e in entries["Form31"]), "every Form31 location: one blank")
    check(entries["Form5"][22].lead == 3, "Form5 entry 23: three blanks")
    check(entries["Form66"][1].location.endswith("_v.wmv  "), "Form66 entry 2: two blanks")

    # Base usage table against the runs.
    by_runs = {(e.window, e.k): e.base for e in located}
    by_table = {}
    for b, users in BASE_USERS.items():
        for name, ks in users:
            if ks is None:
                ks = [e.k for e in entries[name] if e.location is not None]
            for k in ks:
                check((name, k) not in by_table, "base table names %s %d twice" % (name, k))
                by_table[(name, k)] = b
    check(by_runs == by_table, "base usage table differs from the runs: %s" % sorted(
        set(by_runs.items()) ^ set(by_table.items()))[:10])

    # Bases are numbered in order of first use, in catalogue order.
    first_use = []
    for e in located:
        if e.base not in first_use:
            first_use.append(e.base)
    check(first_use == list(range(1, 31)), "bases numbered by first use: %s" % first_use)

    # Digits: every plain number is as long as its base says.
    check(all(len(str(n)) == 4 for w in windows for r in w["runs"] if r[0] == "num"
              for n in (r[1], r[2]) if _base_of(w["runs"], r) == 18), "base 18: four digits")

    # Labels.
    for name, rs in entries.items():
        for e in rs:
            check(e.label != "" and not e.label.startswith(" "), "%s %d: label" % e[:2])
            check("\t" not in e.label and "\n" not in e.label, "%s %d: label" % e[:2])
    check(entries["Form3"][0].label == "1    ", "first surah label")
    check(entries["Form64"][0].label == "1          ", "first programme label")
    f5 = entries["Form5"]
    check(f5[191].label.rstrip() == "192" and f5[192].label.rstrip() == "192", "Form5 192")
    check(f5[458].label.rstrip() == "458", "Form5 last label")
    audio_entries = {(e.window, e.k) for e in rows if AUDIO_WORD in e.label}
    mp3_entries = {(e.window, e.k) for e in located if e.file.endswith(".mp3")}
    # Two audio labels stand on video files: Form20 entry 16, and entry 20, which
    # shares the location of entry 2.
    check(audio_entries == mp3_entries | {("Form20", 16), ("Form20", 20)},
          "audio labels vs audio files")
    check(entries["Form20"][15].file.endswith(".flv"), "Form20 entry 16 is a video")
    for name, deps in LABEL_DEPARTURES.items():
        programme = name in ("Form64", "Form65", "Form66")
        for k, blanks in deps.items():
            cycle = PROGRAMME_BLANK_CYCLE[(k - 1) % 4] if programme \
                else SURAH_BLANK_CYCLE[(k - 1) % 25]
            check(k <= len(entries[name]), "%s: departure for missing entry %d" % (name, k))
            check(blanks != cycle, "%s %d: departure equals the cycle" % (name, k))

    # Order is catalogue order.
    check(entries["Form21"][0].file == "18_Alkahf_9.ogv", "Form21 entry 1")
    check(entries["Form21"][12].file == "18_Alkahf_1.ogv", "Form21 entry 13")
    check(entries["Form3"][-1].file == "866___.flv", "Form3 last entry")
    check(entries["Form5"][458].location == "  " + MEDIA_BASES[3] + "402___.flv", "Form5 459")

    # "Has the location of" notes.
    def loc(name, k):
        return entries[name][k - 1].location

    for w1, k1, w2, k2 in SAME_LOCATION:
        check(loc(w1, k1) is not None and loc(w1, k1) == loc(w2, k2),
              "%s %d should equal %s %d" % (w1, k1, w2, k2))
    for w1, k1, w2, k2 in SAME_FILE_ONE_MORE_BLANK:
        check(loc(w1, k1) == " " + loc(w2, k2),
              "%s %d should be %s %d with one more leading blank" % (w1, k1, w2, k2))

    # The notes name every shared location: group equal texts and compare the groups
    # with those the notes make.
    parent = {}

    def find(x):
        while parent.get(x, x) != x:
            x = parent[x]
        return x

    for w1, k1, w2, k2 in SAME_LOCATION:
        parent[find((w1, k1))] = find((w2, k2))
    groups = collections.defaultdict(set)
    for e in located:
        groups[e.location].add((e.window, e.k))
    for text, members in groups.items():
        roots = {find(m) for m in members}
        check(len(roots) == 1, "entries share a location no note names: %s" % sorted(members))
    noted = collections.defaultdict(set)
    for e in located:
        noted[find((e.window, e.k))].add(e.location)
    for root, texts in noted.items():
        check(len(texts) == 1, "noted group with different texts at %s" % (root,))
    # Apart from the blanks, only Form6 184 / Form7 1 share a file without sharing the text.
    stripped = collections.defaultdict(set)
    for e in located:
        stripped[e.location.strip(" ")].add(e.location)
    differing = [t for t, v in stripped.items() if len(v) > 1]
    check(len(differing) == 1 and differing[0] == MEDIA_BASES[4] + "230___.flv",
          "locations that differ only by blanks: %s" % differing)


def _base_of(runs, target):
    base = None
    for r in runs:
        if r[0] == "base":
            base = r[1]
        if r is target:
            return base
    return None


# --------------------------------------------------------------------------------------

def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "expected_catalogue.tsv")
    windows, entries = build()
    self_check(windows, entries)
    if failures:
        for f in failures:
            print("SELF-CHECK FAILED:", f, file=sys.stderr)
        return 1
    lines = []
    for name, rows in entries.items():
        for e in rows:
            lines.append("%s\t%d\t%s\t%s\n" % (name, e.k, e.label, e.location or ""))
    with open(out_path, "w", encoding="utf-8", newline="") as f:
        f.write("".join(lines))
    located = [e for rs in entries.values() for e in rs if e.location is not None]
    schemes = collections.Counter(e.location.lstrip(" ").split(":", 1)[0] for e in located)
    types = collections.Counter(e.file.rsplit(".", 1)[1] for e in located)
    print("self-checks passed: %d windows, %d entries, %d locations (%s), file types %s, "
          "%d shared-location notes; wrote %s"
          % (len(entries), len(lines), len(located),
             ", ".join("%s %d" % kv for kv in sorted(schemes.items())),
             ", ".join("%s %d" % kv for kv in types.most_common()),
             len(SAME_LOCATION) + len(SAME_FILE_ONE_MORE_BLANK), out_path))
    return 0


if __name__ == "__main__":
    sys.exit(main())
