// Builds small Half-Life maps in memory: the tests' maps, the benchmark's large
// ones and the sample install of the screenshots. Not part of the program.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace gravelock::sample {

using KeyValues = std::vector<std::pair<std::string, std::string>>;

// `{ "key" "value" ... }` blocks, one per entity, as compilers write them.
std::string entityText(const std::vector<KeyValues>& entities);

struct SampleMap {
    std::string entities; // written as given, with the closing NUL
    std::vector<std::array<float, 3>> vertices;
    std::vector<std::array<std::uint16_t, 2>> edges{{0, 0}}; // edge 0 is never used
    std::vector<std::int32_t> surfEdges;
    std::size_t textureBytes = 0; // filler, to give the file a size

    // A box as a compiler would leave it: 8 corners, 12 edges, 6 faces.
    void addBox(float x0, float y0, float z0, float x1, float y1, float z1);
    std::string bytes() const;
};

// A level of rooms joined by corridors, walls and crates as boxes, the same for
// the same seed. Returns the rooms' floors (x0, y0, x1, y1), for pictures of it.
std::vector<std::array<float, 4>> addSampleLevel(SampleMap& map, unsigned seed);

// The parts of a map file, by their place in the header.
enum Lump { entities = 0, planes = 1, textures = 2, vertices = 3, edges = 12, surfEdges = 13 };
// Rewrites a part's place in the header.
void setLump(std::string& map, int lump, std::int32_t offset, std::int32_t length);
std::pair<std::int32_t, std::int32_t> lumpOf(const std::string& map, int lump);

} // namespace gravelock::sample
