// Tests of the episode catalogue through its public interface (catalogue.h).
//
// The whole catalogue is compared with expected_catalogue.tsv, which an independent
// transcription (make_expected_catalogue.py) produces; the other tests pin single facts
// with literal expectations, so that a slip shared by the transcription and the
// catalogue still has a chance to show.

#include "catalogue/catalogue.h"
#include "catalogue/media_bases.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QTest>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <set>
#include <string_view>

#ifndef EXPECTED_CATALOGUE_TSV
#error "EXPECTED_CATALOGUE_TSV must name the expected catalogue file"
#endif

namespace {

using catalogue::data::kMaryamAudioSite;
using catalogue::data::kMediaBases;

QByteArray bytes(std::string_view text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::string_view view(const QByteArray &text)
{
    return std::string_view(text.constData(), static_cast<std::size_t>(text.size()));
}

// The window of a name as the tests write it; no window for other text.
layout::WindowId idOf(const QByteArray &name)
{
    return layout::windowIdOf(view(name)).value_or(layout::WindowId{});
}

// The text of media base n (1-based, as the catalogue numbers them).
QByteArray base(int n)
{
    return bytes(kMediaBases.at(static_cast<std::size_t>(n - 1)).text);
}

// Stands for "no location" in comparisons; no location can read like this, since every
// location starts with a blank or a scheme.
const QByteArray kNone = QByteArrayLiteral("<none>");

QByteArray render(std::optional<std::string_view> result)
{
    return result ? bytes(*result) : kNone;
}

QByteArray lookup(const QByteArray &window, int listIndex)
{
    return render(catalogue::location(idOf(window), static_cast<std::int16_t>(listIndex)));
}

QByteArray stripLeadingBlanks(const QByteArray &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == ' ')
        ++i;
    return text.mid(i);
}

QByteArray stripTrailingBlanks(const QByteArray &text)
{
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == ' ')
        --n;
    return text.left(n);
}

struct ExpectedEntry
{
    QByteArray window;
    int number = 0;
    QByteArray label;
    QByteArray location; // empty: the entry has no location
};

// Shows a TSV line with its blanks visible at both ends of every field.
QByteArray showLine(const QByteArray &line)
{
    QByteArray out = "\"" + line + "\"";
    out.replace('\t', "\" | \"");
    return out;
}

// The catalogue as the interface reports it, in the dump's line format.
QList<QByteArray> actualLines()
{
    QList<QByteArray> lines;
    for (const auto &window : catalogue::episodeWindows()) {
        const auto labels = catalogue::labels(window.id);
        for (std::size_t i = 0; i < labels.size(); ++i) {
            const auto location = catalogue::location(window.id, static_cast<std::int16_t>(i));
            lines.append(bytes(window.name) + '\t' + QByteArray::number(qulonglong(i + 1)) + '\t' +
                         bytes(labels[i]) + '\t' + (location ? bytes(*location) : QByteArray()));
        }
    }
    return lines;
}

// The names that are not episode windows, for the rows of several tests.
void addNonEpisodeNames()
{
    QTest::addColumn<QByteArray>("window");
    QTest::newRow("Form1") << QByteArray("Form1");
    QTest::newRow("Form2") << QByteArray("Form2");
    QTest::newRow("Form63") << QByteArray("Form63");
    QTest::newRow("Form67") << QByteArray("Form67");
    QTest::newRow("Form0") << QByteArray("Form0");
    QTest::newRow("Form100") << QByteArray("Form100");
    QTest::newRow("lower case") << QByteArray("form3");
    QTest::newRow("upper case") << QByteArray("FORM3");
    QTest::newRow("leading zero") << QByteArray("Form03");
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("trailing blank") << QByteArray("Form3 ");
    QTest::newRow("leading blank") << QByteArray(" Form3");
    QTest::newRow("inner blank") << QByteArray("Form 3");
    QTest::newRow("prefix only") << QByteArray("Form");
    // A lookup that stops at a NUL, as C strings do, would take this for Form3.
    QTest::newRow("embedded NUL") << QByteArray("Form3\0", 6);
    QTest::newRow("Form66 and more") << QByteArray("Form666");
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void wholeCatalogueMatchesExpected();
    void locationSpansMatchExpected();

    void windowList();
    void windows_data();
    void windows();
    void nonEpisodeNames_data();
    void nonEpisodeNames();

    void totals();
    void entriesPerWindow_data();
    void entriesPerWindow();
    void schemes();
    void fileTypes_data();
    void fileTypes();
    void entryTexts();
    void lookupAgreesWithLocations();
    void sharedMediaBases_data();
    void sharedMediaBases();

    void locationAtIndex_data();
    void locationAtIndex();
    void neighbourWithLocation_data();
    void neighbourWithLocation();
    void labelAtIndex_data();
    void labelAtIndex();
    void firstLabels();
    void form31LocationsHaveOneLeadingBlank();
    void sameLocation_data();
    void sameLocation();
    void form6LastEntryKeepsItsLeadingBlank();
    void form51AndForm52AreEqual();

private:
    QList<ExpectedEntry> m_expected;
};

void TestCatalogue::initTestCase()
{
    QFile file(QStringLiteral(EXPECTED_CATALOGUE_TSV));
    QVERIFY2(file.open(QIODevice::ReadOnly),
             qPrintable(QStringLiteral("cannot open %1").arg(file.fileName())));
    const QByteArray content = file.readAll();
    QVERIFY2(content.endsWith('\n'), "the expected catalogue must end in a newline");
    const QList<QByteArray> lines = content.chopped(1).split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.split('\t');
        QVERIFY2(fields.size() == 4, showLine(line).constData());
        bool ok = false;
        const int number = fields[1].toInt(&ok);
        QVERIFY2(ok, showLine(line).constData());
        m_expected.append({fields[0], number, fields[2], fields[3]});
    }
    // Guards against running with a truncated or stale expectation file.
    QCOMPARE(m_expected.size(), 1899);
}

// Every window, label and location, in the dump's order; the first difference names
// its window and entry.
void TestCatalogue::wholeCatalogueMatchesExpected()
{
    const QList<QByteArray> actual = actualLines();
    const qsizetype common = std::min(actual.size(), m_expected.size());
    for (qsizetype i = 0; i < common; ++i) {
        const ExpectedEntry &e = m_expected[i];
        const QByteArray expectedLine =
            e.window + '\t' + QByteArray::number(e.number) + '\t' + e.label + '\t' + e.location;
        if (actual[i] != expectedLine) {
            const QByteArray message = "first difference at " + e.window + " entry " +
                                       QByteArray::number(e.number) + " (line " +
                                       QByteArray::number(i + 1) +
                                       ")\n   expected: " + showLine(expectedLine) +
                                       "\n   actual:   " + showLine(actual[i]);
            QFAIL(message.constData());
        }
    }
    if (actual.size() != m_expected.size()) {
        const QByteArray message =
            "the catalogue has " + QByteArray::number(actual.size()) + " entries, expected " +
            QByteArray::number(m_expected.size()) + "; first unmatched line: " +
            (actual.size() > common ? showLine(actual[common])
                                    : "(missing) " + m_expected[common].window + " entry " +
                                          QByteArray::number(m_expected[common].number));
        QFAIL(message.constData());
    }
}

// locations() holds, for each window, the locations of its entries in list order: the
// entries without a location are the last of their windows, so the span is shorter.
void TestCatalogue::locationSpansMatchExpected()
{
    // Compares one window's span with its expected locations; empty when they agree.
    auto difference = [](const QByteArray &window, const QList<QByteArray> &expected) {
        const auto actual = catalogue::locations(idOf(window));
        for (qsizetype i = 0; i < expected.size(); ++i) {
            const std::size_t p = std::size_t(i);
            if (p >= actual.size())
                return window + " holds " + QByteArray::number(qulonglong(actual.size())) +
                       " locations, expected " + QByteArray::number(expected.size());
            if (bytes(actual[p]) != expected[i])
                return window + " location " + QByteArray::number(i + 1) + ": expected \"" +
                       expected[i] + "\", got \"" + bytes(actual[p]) + "\"";
        }
        if (actual.size() != std::size_t(expected.size()))
            return window + " holds " + QByteArray::number(qulonglong(actual.size())) +
                   " locations, expected " + QByteArray::number(expected.size());
        return QByteArray();
    };

    QByteArray window;
    QList<QByteArray> expected;
    for (const ExpectedEntry &e : m_expected) {
        if (e.window != window) {
            if (!window.isEmpty()) {
                const QByteArray message = difference(window, expected);
                QVERIFY2(message.isEmpty(), message.constData());
            }
            window = e.window;
            expected.clear();
        }
        if (!e.location.isEmpty())
            expected.append(e.location);
    }
    const QByteArray message = difference(window, expected);
    QVERIFY2(message.isEmpty(), message.constData());
}

void TestCatalogue::windowList()
{
    const auto all = catalogue::episodeWindows();
    QCOMPARE(all.size(), std::size_t(63));
    std::set<int> surahs;
    std::set<std::string_view> names;
    for (const auto &w : all) {
        names.insert(w.name);
        if (w.surah != 0)
            QVERIFY2(surahs.insert(w.surah).second, "a surah served twice");
    }
    QCOMPARE(names.size(), std::size_t(63));
    QCOMPARE(surahs.size(), std::size_t(60));
    QCOMPARE(*surahs.begin(), 1);
    QCOMPARE(*surahs.rbegin(), 60);
}

void TestCatalogue::windows_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QByteArray>("window");
    QTest::addColumn<int>("surah");

    int position = 0;
    for (int n = 3; n <= 62; ++n) {
        // Window numbers follow surah numbers three apart, except that surah 15 and
        // surah 60 sit at Form4 and Form18.
        int surah = n - 3;
        if (n == 3)
            surah = 1;
        else if (n == 4)
            surah = 15;
        else if (n == 18)
            surah = 60;
        const QByteArray window = "Form" + QByteArray::number(n);
        QTest::newRow(window.constData()) << position++ << window << surah;
    }
    // The three lecture programmes serve no surah.
    for (const QByteArray window : {"Form64", "Form65", "Form66"})
        QTest::newRow(window.constData()) << position++ << window << 0;
}

void TestCatalogue::windows()
{
    QFETCH(int, position);
    QFETCH(QByteArray, window);
    QFETCH(int, surah);

    const auto all = catalogue::episodeWindows();
    QVERIFY(std::size_t(position) < all.size());
    QCOMPARE(bytes(all[std::size_t(position)].name), window);

    const catalogue::ListedWindow *found = catalogue::findEpisodeWindow(idOf(window));
    QVERIFY(found != nullptr);
    for (const catalogue::ListedWindow *w : {&all[std::size_t(position)], found}) {
        QCOMPARE(bytes(w->name), window);
        QCOMPARE(w->surah, surah);
    }
    // A name found by value, not by the identity of the argument's characters.
    const QByteArray copy(window.constData(), window.size());
    QCOMPARE(catalogue::findEpisodeWindow(idOf(copy)), found);
}

void TestCatalogue::nonEpisodeNames_data()
{
    addNonEpisodeNames();
}

void TestCatalogue::nonEpisodeNames()
{
    QFETCH(QByteArray, window);
    QCOMPARE(catalogue::findEpisodeWindow(idOf(window)), nullptr);
    QCOMPARE(catalogue::labels(idOf(window)).size(), std::size_t(0));
    QCOMPARE(catalogue::locations(idOf(window)).size(), std::size_t(0));
    for (int index : {-1, 0, 1, 13, 458})
        QCOMPARE(lookup(window, index), kNone);
}

void TestCatalogue::totals()
{
    std::size_t entries = 0;
    std::size_t locations = 0;
    for (const auto &w : catalogue::episodeWindows()) {
        entries += catalogue::labels(w.id).size();
        locations += catalogue::locations(w.id).size();
    }
    QCOMPARE(entries, std::size_t(1899));
    QCOMPARE(locations, std::size_t(1897));
}

void TestCatalogue::entriesPerWindow_data()
{
    QTest::addColumn<QByteArray>("window");
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("locations");

    QTest::newRow("Form3") << QByteArray("Form3") << 24 << 24;
    QTest::newRow("Form4") << QByteArray("Form4") << 13 << 13;
    QTest::newRow("Form5 (largest)") << QByteArray("Form5") << 459 << 459;
    QTest::newRow("Form6") << QByteArray("Form6") << 184 << 184;
    QTest::newRow("Form7") << QByteArray("Form7") << 125 << 125;
    QTest::newRow("Form9") << QByteArray("Form9") << 67 << 67;
    QTest::newRow("Form12") << QByteArray("Form12") << 58 << 58;
    QTest::newRow("Form18 (smallest)") << QByteArray("Form18") << 2 << 2;
    QTest::newRow("Form20") << QByteArray("Form20") << 28 << 28;
    QTest::newRow("Form22") << QByteArray("Form22") << 12 << 12;
    QTest::newRow("Form28") << QByteArray("Form28") << 23 << 23;
    QTest::newRow("Form39") << QByteArray("Form39") << 14 << 13;
    QTest::newRow("Form42") << QByteArray("Form42") << 20 << 19;
    QTest::newRow("Form47") << QByteArray("Form47") << 5 << 5;
    QTest::newRow("Form55") << QByteArray("Form55") << 4 << 4;
    QTest::newRow("Form62") << QByteArray("Form62") << 9 << 9;
    QTest::newRow("Form64") << QByteArray("Form64") << 24 << 24;
    QTest::newRow("Form65") << QByteArray("Form65") << 4 << 4;
    QTest::newRow("Form66") << QByteArray("Form66") << 4 << 4;
}

void TestCatalogue::entriesPerWindow()
{
    QFETCH(QByteArray, window);
    QFETCH(int, entries);
    QFETCH(int, locations);
    QCOMPARE(catalogue::labels(idOf(window)).size(), std::size_t(entries));
    QCOMPARE(catalogue::locations(idOf(window)).size(), std::size_t(locations));
}

void TestCatalogue::schemes()
{
    int https = 0;
    int http = 0;
    for (const auto &w : catalogue::episodeWindows()) {
        for (std::string_view location : catalogue::locations(w.id)) {
            const QByteArray text = stripLeadingBlanks(bytes(location));
            if (text.startsWith("https://"))
                ++https;
            else if (text.startsWith("http://"))
                ++http;
            else
                QFAIL(("no scheme: " + bytes(w.name) + " \"" + bytes(location) + "\"").constData());
        }
    }
    QCOMPARE(https, 1881);
    QCOMPARE(http, 16);
}

void TestCatalogue::fileTypes_data()
{
    QTest::addColumn<QByteArray>("extension");
    QTest::addColumn<int>("count");
    QTest::newRow("flv") << QByteArray(".flv") << 1683;
    QTest::newRow("ogv") << QByteArray(".ogv") << 101;
    QTest::newRow("mkv") << QByteArray(".mkv") << 74;
    QTest::newRow("mp4") << QByteArray(".mp4") << 19;
    QTest::newRow("mp3") << QByteArray(".mp3") << 12;
    QTest::newRow("wmv") << QByteArray(".wmv") << 8;
}

void TestCatalogue::fileTypes()
{
    QFETCH(QByteArray, extension);
    QFETCH(int, count);
    int found = 0;
    for (const auto &w : catalogue::episodeWindows()) {
        for (std::string_view location : catalogue::locations(w.id)) {
            if (stripTrailingBlanks(bytes(location)).endsWith(extension))
                ++found;
        }
    }
    QCOMPARE(found, count);
}

// No label or location is empty; labels have no leading blank; locations are ASCII,
// carry blanks only at their ends, and start, after their leading blanks, with one of
// the media bases, followed by a file name without any "/".
void TestCatalogue::entryTexts()
{
    for (const auto &w : catalogue::episodeWindows()) {
        const QByteArray window = bytes(w.name);
        for (std::string_view label : catalogue::labels(w.id)) {
            QVERIFY2(!label.empty(), window.constData());
            QVERIFY2(label.front() != ' ', (window + " \"" + bytes(label) + "\"").constData());
        }
        for (std::string_view location : catalogue::locations(w.id)) {
            const QByteArray text = bytes(location);
            const QByteArray where = window + " \"" + text + "\"";
            const QByteArray core = stripTrailingBlanks(stripLeadingBlanks(text));
            QVERIFY2(!core.isEmpty(), where.constData());
            QVERIFY2(!core.contains(' '), where.constData());
            QVERIFY2(text.size() - stripLeadingBlanks(text).size() <= 3, where.constData());
            for (char c : text)
                QVERIFY2(static_cast<unsigned char>(c) < 0x80, where.constData());
            bool hasBase = false;
            for (const auto &b : kMediaBases) {
                if (core.startsWith(bytes(b.text))) {
                    const QByteArray file = core.mid(qsizetype(b.text.size()));
                    hasBase = !file.isEmpty() && !file.contains('/');
                    break;
                }
            }
            QVERIFY2(hasBase, where.constData());
        }
    }
}

// location(w, p) is locations(w)[p] where that exists, and none otherwise, including
// at -1 (nothing selected) in every window.
void TestCatalogue::lookupAgreesWithLocations()
{
    for (const auto &w : catalogue::episodeWindows()) {
        const QByteArray window = bytes(w.name);
        const auto locations = catalogue::locations(w.id);
        const std::size_t entries = catalogue::labels(w.id).size();
        QVERIFY2(locations.size() <= entries, window.constData());
        for (std::size_t p = 0; p < entries; ++p) {
            const QByteArray expected = p < locations.size() ? bytes(locations[p]) : kNone;
            QVERIFY2(lookup(window, int(p)) == expected,
                     (window + " index " + QByteArray::number(qulonglong(p))).constData());
        }
        for (int p : {-1, -2, -32768, int(entries), int(entries) + 1, 32767})
            QVERIFY2(lookup(window, p) == kNone,
                     (window + " index " + QByteArray::number(p)).constData());
    }
}

// Entries that share a media base give locations starting (after their leading blanks)
// with the identical base text.
void TestCatalogue::sharedMediaBases_data()
{
    QTest::addColumn<QByteArray>("window");
    QTest::addColumn<int>("firstEntry");
    QTest::addColumn<int>("lastEntry");
    QTest::addColumn<int>("base");

    QTest::newRow("Form3 all") << QByteArray("Form3") << 1 << 24 << 1;
    QTest::newRow("Form5 all") << QByteArray("Form5") << 1 << 459 << 3;
    QTest::newRow("Form6 1-14") << QByteArray("Form6") << 1 << 14 << 3;
    QTest::newRow("Form6 15-184") << QByteArray("Form6") << 15 << 184 << 4;
    QTest::newRow("Form9 1-23") << QByteArray("Form9") << 1 << 23 << 1;
    QTest::newRow("Form9 24-67") << QByteArray("Form9") << 24 << 67 << 2;
    QTest::newRow("Form18 all") << QByteArray("Form18") << 1 << 2 << 5;
    QTest::newRow("Form20 1-16") << QByteArray("Form20") << 1 << 16 << 6;
    QTest::newRow("Form20 17-19") << QByteArray("Form20") << 17 << 19 << 7;
    QTest::newRow("Form20 20") << QByteArray("Form20") << 20 << 20 << 6;
    QTest::newRow("Form20 22") << QByteArray("Form20") << 22 << 22 << 8;
    QTest::newRow("Form20 23-27") << QByteArray("Form20") << 23 << 27 << 7;
    QTest::newRow("Form20 28") << QByteArray("Form20") << 28 << 28 << 8;
    QTest::newRow("Form22 10") << QByteArray("Form22") << 10 << 10 << 11;
    QTest::newRow("Form22 11-12") << QByteArray("Form22") << 11 << 12 << 10;
    QTest::newRow("Form28 1") << QByteArray("Form28") << 1 << 1 << 13;
    QTest::newRow("Form28 2-3") << QByteArray("Form28") << 2 << 3 << 14;
    QTest::newRow("Form28 13-16") << QByteArray("Form28") << 13 << 16 << 13;
    QTest::newRow("Form32 all") << QByteArray("Form32") << 1 << 33 << 18;
    QTest::newRow("Form40 all") << QByteArray("Form40") << 1 << 8 << 18;
    QTest::newRow("Form49 all") << QByteArray("Form49") << 1 << 9 << 15;
    QTest::newRow("Form52 all") << QByteArray("Form52") << 1 << 5 << 26;
    QTest::newRow("Form64 all") << QByteArray("Form64") << 1 << 24 << 5;
    QTest::newRow("Form65 all") << QByteArray("Form65") << 1 << 4 << 29;
    QTest::newRow("Form66 all") << QByteArray("Form66") << 1 << 4 << 30;
}

void TestCatalogue::sharedMediaBases()
{
    QFETCH(QByteArray, window);
    QFETCH(int, firstEntry);
    QFETCH(int, lastEntry);
    QFETCH(int, base);
    for (int k = firstEntry; k <= lastEntry; ++k) {
        const QByteArray location = lookup(window, k - 1);
        QVERIFY2(
            stripLeadingBlanks(location).startsWith(::base(base)),
            (window + " entry " + QByteArray::number(k) + ": \"" + location + "\"").constData());
    }
}

void TestCatalogue::locationAtIndex_data()
{
    QTest::addColumn<QByteArray>("window");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<QByteArray>("expected");

    auto row = [](const char *window, int index, const QByteArray &expected) {
        QTest::addRow("%s %d", window, index) << QByteArray(window) << index << expected;
    };

    // Indexes outside the list, and catalogue order rather than file order.
    row("Form3", -1, kNone);
    row("Form3", -32768, kNone);
    row("Form3", 32767, kNone);
    row("Form3", 24, kNone);
    row("Form3", 0, base(1) + "886___.flv");
    row("Form3", 3, " " + base(1) + "883___.flv");
    row("Form3", 23, base(1) + "866___.flv");

    row("Form5", -1, kNone);
    row("Form5", -32768, kNone);
    row("Form5", 32767, kNone);
    row("Form5", 459, kNone);
    row("Form5", 458, "  " + base(3) + "402___.flv");
    row("Form5", 0, base(3) + "862___.flv");
    row("Form5", 7, " " + base(3) + "855___.flv");
    row("Form5", 14, base(3) + "848___.flv");
    row("Form5", 22, "   " + base(3) + "840___.flv");
    row("Form5", 23, "   " + base(3) + "839___.flv");
    row("Form5", 24, "  " + base(3) + "838___.flv");
    row("Form5", 263, "  " + base(3) + "500___.flv");
    row("Form5", 264, "  " + base(3) + "599___.flv");
    row("Form5", 446, "  " + base(3) + "414___.flv");

    row("Form6", 0, "  " + base(3) + "414___.flv");
    row("Form6", 13, "  " + base(3) + "401___.flv");
    row("Form6", 14, "  " + base(4) + "400___.flv");
    row("Form6", 24, " " + base(4) + "390___.flv");
    row("Form6", 31, base(4) + "383___.flv");
    row("Form6", 183, " " + base(4) + "230___.flv");
    row("Form6", 184, kNone);

    row("Form7", 0, base(4) + "230___.flv");
    row("Form7", 14, base(4) + "219___.flv");
    row("Form7", 124, base(4) + "106___.flv");
    row("Form7", 125, kNone);

    row("Form9", 3, " " + base(1) + "020___.flv");
    row("Form9", 23, base(2) + "490___.flv");
    row("Form9", 66, base(2) + "440_.flv");

    row("Form18", -1, kNone);
    row("Form18", 0, base(5) + "946_.flv");
    row("Form18", 1, base(5) + "945___.flv");
    row("Form18", 2, kNone);
    row("Form18", 32767, kNone);

    row("Form20", 15, base(6) + "182_.flv");
    row("Form20", 16, base(7) + "017_Alisraa_056_060.mp3");
    row("Form20", 19, base(6) + "196_.flv");
    row("Form20", 21, base(8) + "017_Alisraa_073_079.mp3");
    row("Form20", 27, base(8) + "017_Alisraa_105_110.mp3");
    row("Form20", 28, kNone);

    row("Form21", 0, base(9) + "18_Alkahf_9.ogv");
    row("Form21", 7, base(9) + "18_Alkahf_14.ogv");
    row("Form21", 12, base(9) + "18_Alkahf_1.ogv");

    row("Form22", 8, base(10) + "19_maryam_9.ogv");
    row("Form22", 9, base(11) + bytes(kMaryamAudioSite) + "_maryam_10.mp3");
    row("Form22", 10, base(10) + "19_maryam_11.ogv");

    row("Form25", 0, base(12) + "084_.flv");
    row("Form28", 0, base(13) + "030_.flv");
    row("Form28", 1, base(14) + "029___.flv");
    row("Form28", 22, base(13) + "008___.flv");
    row("Form29", 0, base(15) + "0747_up_by_varnek.mkv");
    row("Form30", 0, base(16) + "021_.flv");
    row("Form31", 0, " " + base(17) + "28_qasas_1.ogv");
    row("Form31", 15, " " + base(17) + "28_qasas_16.ogv");
    row("Form32", 0, base(18) + "1351_.flv");

    row("Form39", 0, base(18) + "1269_.flv");
    row("Form39", 1, base(18) + "1268___.flv");
    row("Form39", 12, base(18) + "1156_.flv");
    row("Form39", 13, kNone);
    row("Form39", 14, kNone);

    row("Form41", 0, "  " + base(19) + "01_up_by_varnek.ogv");
    row("Form41", 1, " " + base(19) + "02_up_by_varnek.ogv");
    row("Form41", 11, "  " + base(19) + "12_up_by_varnek.ogv");

    row("Form42", 0, "  " + base(20) + "39_zumar_1.mp4");
    row("Form42", 12, base(20) + "39_zumar_13.mp4");
    row("Form42", 18, " " + base(20) + "39_zumar_19.mp4");
    row("Form42", 19, kNone);
    row("Form42", 20, kNone);

    row("Form45", 5, "  " + base(23) + "06_up_by_varnek.ogv");
    row("Form45", 14, base(23) + "15_up_by_varnek.ogv");
    row("Form47", 0, base(15) + "1004_up_by_varnek.mkv");
    row("Form53", 2, base(27) + "03_up_by_varnek.ogv");
    row("Form62", 8, base(5) + "947_.flv");

    row("Form64", 0, base(5) + "884___.flv");
    row("Form64", 23, base(5) + "861___.flv");
    row("Form64", 24, kNone);

    row("Form65", 0, " " + base(29) + "qodisi_1.wmv");
    row("Form65", 1, " " + base(29) + "qodisi_2.wmv ");
    row("Form65", 2, " " + base(29) + "qodisi_3.wmv");
    row("Form65", 3, " " + base(29) + "qodisi_4.wmv ");
    row("Form65", 4, kNone);

    row("Form66", -1, kNone);
    row("Form66", 0, base(30) + "az1_v.wmv ");
    row("Form66", 1, base(30) + "az2_v.wmv  ");
    row("Form66", 2, base(30) + "az3_v.wmv");
    row("Form66", 3, base(30) + "az4_v.wmv  ");
    row("Form66", 4, kNone);
    row("Form66", -32768, kNone);
}

void TestCatalogue::locationAtIndex()
{
    QFETCH(QByteArray, window);
    QFETCH(int, listIndex);
    QFETCH(QByteArray, expected);
    QCOMPARE(lookup(window, listIndex), expected);
}

void TestCatalogue::neighbourWithLocation_data()
{
    QTest::addColumn<QByteArray>("window");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("expected"); // -1: none
    auto row = [](const char *name, const char *window, int index, int step, int expected) {
        QTest::newRow(name) << QByteArray(window) << index << step << expected;
    };
    row("next", "Form3", 3, 1, 4);
    row("previous", "Form3", 3, -1, 2);
    row("nothing selected, next", "Form3", -1, 1, 0);
    row("nothing selected, previous", "Form3", -1, -1, -1);
    row("before the first", "Form3", 0, -1, -1);
    row("after the last", "Form3", 23, 1, -1);
    row("last of a long list", "Form5", 458, -1, 457);
    row("next has no location", "Form39", 12, 1, -1);
    row("back from the entry without one", "Form39", 13, -1, 12);
    row("next has no location either", "Form42", 18, 1, -1);
    row("no step", "Form3", 3, 0, -1);
    row("two steps", "Form3", 3, 2, -1);
    row("not an episode window", "Form2", 0, 1, -1);
}

void TestCatalogue::neighbourWithLocation()
{
    QFETCH(QByteArray, window);
    QFETCH(int, listIndex);
    QFETCH(int, step);
    QFETCH(int, expected);
    const auto found =
        catalogue::neighbourWithLocation(idOf(window), std::int16_t(listIndex), step);
    QCOMPARE(found ? int(*found) : -1, expected);
}

void TestCatalogue::labelAtIndex_data()
{
    QTest::addColumn<QByteArray>("window");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<QByteArray>("expected");

    auto row = [](const char *window, int index, const char *expected) {
        QTest::addRow("%s %d", window, index)
            << QByteArray(window) << index << QByteArray(expected);
    };

    row("Form3", 0, "1    ");
    row("Form3", 2, "3   ");
    row("Form3", 9, "10  ");
    row("Form3", 10, "11 ");
    row("Form3", 23, "24   ");

    // Form5 shows 192 twice and then runs one behind its entry number.
    row("Form5", 153, "154  ");
    row("Form5", 190, "191  ");
    row("Form5", 191, "192  ");
    row("Form5", 192, "192  ");
    row("Form5", 193, "193   ");
    row("Form5", 203, "203  ");
    row("Form5", 427, "427    ");
    row("Form5", 456, "456   ");
    row("Form5", 457, "457   ");
    row("Form5", 458, "458   ");

    row("Form6", 137, "138 ");
    row("Form6", 183, "184   ");
    row("Form8", 50, "51 ");
    row("Form12", 56, "57   ");
    row("Form18", 1, "2    ");
    row("Form39", 13, "14  ");
    row("Form42", 19, "20  ");
    row("Form48", 6, "7   ");
    row("Form55", 3, "4   ");

    row("Form64", 0, "1          ");
    row("Form64", 1, "2      ");
    row("Form64", 2, "3    ");
    row("Form64", 3, "4   ");
    row("Form64", 4, "5          ");
    row("Form64", 10, "11   ");
    row("Form64", 23, "24   ");
    row("Form65", 3, "4   ");

    // Audio labels: number, blanks, the word, blanks.
    row("Form20", 14, "15  ");
    row("Form20", 15, "16 صوتى ");
    row("Form20", 16, "17  صوتى");
    row("Form20", 17, "18 صوتى ");
    row("Form20", 18, "19 صوتى  ");
    row("Form20", 19, "20  صوتى");
    row("Form20", 20, "21  صوتى");
    row("Form20", 21, "22  صوتى ");
    row("Form20", 22, "23   صوتى");
    row("Form20", 23, "24   صوتى");
    row("Form20", 24, "25  صوتى ");
    row("Form20", 25, "26  صوتى ");
    row("Form20", 26, "27 صوتى   ");
    row("Form20", 27, "28   صوتى");
    row("Form22", 8, "9   ");
    row("Form22", 9, "10 صوتى ");
    row("Form22", 10, "11 ");
}

void TestCatalogue::labelAtIndex()
{
    QFETCH(QByteArray, window);
    QFETCH(int, listIndex);
    QFETCH(QByteArray, expected);
    const auto labels = catalogue::labels(idOf(window));
    QVERIFY(std::size_t(listIndex) < labels.size());
    QCOMPARE(bytes(labels[std::size_t(listIndex)]), expected);
}

void TestCatalogue::firstLabels()
{
    for (const auto &w : catalogue::episodeWindows()) {
        const auto labels = catalogue::labels(w.id);
        QVERIFY2(!labels.empty(), bytes(w.name).constData());
        const QByteArray expected = w.surah != 0 ? "1    " : "1          ";
        QVERIFY2(bytes(labels.front()) == expected,
                 (bytes(w.name) + ": \"" + bytes(labels.front()) + "\"").constData());
    }
}

void TestCatalogue::form31LocationsHaveOneLeadingBlank()
{
    const auto locations = catalogue::locations(layout::form(31));
    QCOMPARE(locations.size(), std::size_t(16));
    for (std::string_view location : locations) {
        QVERIFY2(location.size() > 2 && location[0] == ' ' && location[1] != ' ',
                 bytes(location).constData());
    }
}

// Entries noted as having the location of another entry give the identical text.
void TestCatalogue::sameLocation_data()
{
    QTest::addColumn<QByteArray>("window");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QByteArray>("otherWindow");
    QTest::addColumn<int>("otherEntry");

    auto row = [](const char *w1, int e1, const char *w2, int e2) {
        QTest::addRow("%s %d = %s %d", w1, e1, w2, e2)
            << QByteArray(w1) << e1 << QByteArray(w2) << e2;
    };

    row("Form5", 264, "Form5", 363);
    row("Form5", 369, "Form5", 270);
    for (int k = 1; k <= 13; ++k)
        row("Form5", 446 + k, "Form6", k);
    row("Form7", 15, "Form7", 12);
    row("Form7", 16, "Form7", 13);
    row("Form16", 1, "Form17", 10);
    row("Form20", 20, "Form20", 2);
    row("Form23", 6, "Form23", 7);
    for (int k = 2; k <= 6; ++k)
        row("Form38", k, "Form33", 24 + k);
    row("Form39", 1, "Form34", 10);
    row("Form39", 6, "Form34", 15);
}

void TestCatalogue::sameLocation()
{
    QFETCH(QByteArray, window);
    QFETCH(int, entry);
    QFETCH(QByteArray, otherWindow);
    QFETCH(int, otherEntry);
    const QByteArray location = lookup(window, entry - 1);
    QVERIFY(location != kNone);
    QCOMPARE(location, lookup(otherWindow, otherEntry - 1));
}

// Form6's last entry plays the file of Form7's first, but keeps the one leading blank
// of Form6's locations, which Form7's have not.
void TestCatalogue::form6LastEntryKeepsItsLeadingBlank()
{
    const QByteArray form6 = lookup("Form6", 183);
    const QByteArray form7 = lookup("Form7", 0);
    QCOMPARE(form7, base(4) + "230___.flv");
    QCOMPARE(form6, " " + form7);
}

void TestCatalogue::form51AndForm52AreEqual()
{
    const auto form51 = catalogue::locations(layout::form(51));
    const auto form52 = catalogue::locations(layout::form(52));
    QCOMPARE(form51.size(), std::size_t(5));
    QCOMPARE(form52.size(), std::size_t(5));
    for (std::size_t i = 0; i < 5; ++i)
        QCOMPARE(bytes(form51[i]), bytes(form52[i]));
    QCOMPARE(bytes(form51[2]), "  " + base(26) + "03_up_by_varnek.ogv");
    QCOMPARE(bytes(form51[4]), " " + base(26) + "05_up_by_varnek.ogv");
}

QTEST_APPLESS_MAIN(TestCatalogue)

#include "tst_catalogue.moc"
