// Fuzzes the map reader: any bytes must neither crash nor keep more than the
// file holds, and every text read must be well-formed UTF-8.
#include "core/text.h"
#include "maps/bsp_reader.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

using namespace gravelock;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "map fuzz: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    MemorySource source(bytes);

    const MapSummary summary = readMapSummary(source);
    std::size_t kept = summary.title.size() + summary.skyname.size();
    for (const std::string& wad : summary.wads) {
        kept += wad.size();
        if (!isValidUtf8(wad) || wad.empty())
            fail("a texture name is empty or not UTF-8");
    }
    if (!isValidUtf8(summary.title) || !isValidUtf8(summary.skyname))
        fail("a text is not UTF-8");
    // Windows-1252 grows to at most three bytes a character in UTF-8.
    if (kept > 3 * size)
        fail("the summary keeps more than the file holds");
    if (summary.spawnPoints() < 0 || static_cast<std::size_t>(summary.spawnPoints()) > size)
        fail("more spawn points than bytes");

    const FloorPlan plan = readFloorPlan(source);
    if (plan.points.size() * sizeof plan.points[0] + plan.lines.size() * sizeof plan.lines[0] >
        size)
        fail("the floor plan keeps more than the file holds");
    for (const auto& line : plan.lines) {
        if (line[0] >= plan.points.size() || line[1] >= plan.points.size())
            fail("a line names a corner that is not there");
        for (const auto index : line) {
            const auto& p = plan.points[index];
            if (!(p[0] >= plan.minX && p[0] <= plan.maxX && p[1] >= plan.minY && p[1] <= plan.maxY))
                fail("a line leaves the floor plan's box");
        }
    }
    return 0;
}
