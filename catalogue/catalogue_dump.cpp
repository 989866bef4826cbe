// Prints the whole episode catalogue as UTF-8 TSV, one line per entry:
// window name, entry number (1-based), label, location (empty when the entry
// has none). Texts are printed exactly as stored, blanks kept.

#include "catalogue/catalogue.h"

#include <cstdio>
#include <string>

int main()
{
    std::string out;
    out.reserve(256 * 1024);
    for (const catalogue::ListedWindow &window : catalogue::episodeWindows()) {
        const auto labels = catalogue::labels(window.id);
        const auto locations = catalogue::locations(window.id);
        for (std::size_t i = 0; i < labels.size(); ++i) {
            out += window.name;
            out += '\t';
            out += std::to_string(i + 1);
            out += '\t';
            out += labels[i];
            out += '\t';
            if (i < locations.size())
                out += locations[i];
            out += '\n';
        }
    }
    const bool written = std::fwrite(out.data(), 1, out.size(), stdout) == out.size();
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}
