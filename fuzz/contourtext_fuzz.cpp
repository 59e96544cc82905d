// libFuzzer target for contour import texts: the first four bytes choose the import's settings (system,
// start line, line count, columns, where the zone comes from), the rest is the text. Whatever the text,
// the import must end with its result or its own error: every point read lies in the territory, a
// damaged stop has words after it, and the messages hold no control character but line ends.
#include "model/contourimport.h"
#include "storage/error.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

using namespace tarvena;

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

int territoryKind(int system)
{
    return system == 3 ? 2 : system == 4 ? 3 : 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 4)
        return 0;
    ContourImportSettings settings;
    settings.system = data[0] % 6;
    settings.startLine = data[1] % 8; // 0 is refused before anything is read
    settings.lineCount = data[2] % 8;
    settings.xColumn = 1 + data[3] % 3;
    settings.yColumn = 1 + (data[3] >> 2) % 3;
    settings.zoneGiven = (data[3] & 0x10) != 0;
    settings.zone = (data[3] & 0x20) ? "13" : "4";
    const std::string_view text(reinterpret_cast<const char *>(data + 4), size - 4);
    const std::vector<std::string_view> lines = textLines(text);
    ContourImportResult result;
    try {
        result = readContour(lines, settings);
    } catch (const Error &) {
        check(settings.startLine < 1, "an import refused settings it takes");
        return 0;
    }
    check(result.points.size() <= lines.size(), "more points than lines");
    for (const ContourPoint &point : result.points)
        check(CheckTerritory(territoryKind(settings.system), point.x, point.y),
              "a point outside the territory");
    if (result.stop == ImportStop::Damaged) {
        bool wordsAfter = false;
        for (std::size_t i = static_cast<std::size_t>(result.stopLine); i < lines.size(); ++i)
            wordsAfter = wordsAfter || !columnWord(lines[i], 1).empty();
        check(wordsAfter, "a damaged stop with no words after it");
    }
    for (const ImportNotice &notice : importNotices(result))
        for (const char c : notice.text)
            check(c == '\n' || static_cast<unsigned char>(c) >= 0x20, "a control character in a message");
    return 0;
}
