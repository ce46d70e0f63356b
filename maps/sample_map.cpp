#include "maps/sample_map.h"

#include <cstring>

namespace gravelock::sample {

namespace {

constexpr int kLumpCount = 15;
constexpr std::size_t kHeaderSize = 4 + kLumpCount * 8;

void putUint32(std::string& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void appendUint32(std::string& out, std::uint32_t value) {
    out.append(4, '\0');
    putUint32(out, out.size() - 4, value);
}

void appendFloat(std::string& out, float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    appendUint32(out, bits);
}

} // namespace

std::string entityText(const std::vector<KeyValues>& entities) {
    std::string text;
    for (const KeyValues& entity : entities) {
        text += "{\n";
        for (const auto& [key, value] : entity)
            text.append("\"").append(key).append("\" \"").append(value).append("\"\n");
        text += "}\n";
    }
    return text;
}

void SampleMap::addBox(float x0, float y0, float z0, float x1, float y1, float z1) {
    const auto first = static_cast<std::uint16_t>(vertices.size());
    for (int i = 0; i < 8; ++i)
        vertices.push_back({i & 1 ? x1 : x0, i & 2 ? y1 : y0, i & 4 ? z1 : z0});
    const auto firstEdge = static_cast<std::int32_t>(edges.size());
    // Corner pairs differing in one coordinate: four along x, four along y, four upright.
    constexpr int pairs[12][2] = {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {0, 2}, {1, 3},
                                  {4, 6}, {5, 7}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
    for (const auto& pair : pairs)
        edges.push_back({static_cast<std::uint16_t>(first + pair[0]),
                         static_cast<std::uint16_t>(first + pair[1])});
    // Each face walks its four edges; a shared edge is named by both faces,
    // the second time backwards.
    constexpr int faces[6][4] = {{0, 5, -1, -4},   {2, 7, -3, -6},  {0, 9, -2, -8},
                                 {1, 11, -3, -10}, {4, 10, -6, -8}, {5, 11, -7, -9}};
    for (const auto& face : faces)
        for (const int e : face)
            surfEdges.push_back(e < 0 ? -(firstEdge - e) : firstEdge + e);
}

std::vector<std::array<float, 4>> addSampleLevel(SampleMap& map, unsigned seed) {
    // A small fixed generator: the same level on every system.
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245U + 12345U;
        return static_cast<float>((seed >> 16) % range);
    };
    std::vector<std::array<float, 4>> rooms;
    constexpr int kColumns = 4;
    constexpr int kRows = 3;
    constexpr float kCell = 640;
    constexpr float kWall = 16;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const float x0 = float(column) * kCell + 32 + next(96);
            const float y0 = float(row) * kCell + 32 + next(96);
            const float x1 = float(column + 1) * kCell - 32 - next(160);
            const float y1 = float(row + 1) * kCell - 32 - next(160);
            const float height = 128 + next(128);
            rooms.push_back({x0, y0, x1, y1});
            map.addBox(x0, y0, -16, x1, y1, 0);
            map.addBox(x0, y0, 0, x1, y0 + kWall, height);
            map.addBox(x0, y1 - kWall, 0, x1, y1, height);
            map.addBox(x0, y0 + kWall, 0, x0 + kWall, y1 - kWall, height);
            map.addBox(x1 - kWall, y0 + kWall, 0, x1, y1 - kWall, height);
            for (int crate = int(next(4)); crate > 0; --crate) {
                const float cx = x0 + 48 + next(static_cast<unsigned>(x1 - x0 - 128));
                const float cy = y0 + 48 + next(static_cast<unsigned>(y1 - y0 - 128));
                const float size = 32 + next(32);
                map.addBox(cx, cy, 0, cx + size, cy + size, size);
            }
            // Corridors east and north to the neighbouring rooms.
            const float midY = (y0 + y1) / 2;
            const float midX = (x0 + x1) / 2;
            if (column + 1 < kColumns)
                map.addBox(x1, midY - 48, -16, float(column + 1) * kCell + 140, midY + 48, 0);
            if (row + 1 < kRows && (column + row) % 2 == 0)
                map.addBox(midX - 48, y1, -16, midX + 48, float(row + 1) * kCell + 140, 0);
        }
    }
    return rooms;
}

std::string SampleMap::bytes() const {
    std::string out(kHeaderSize, '\0');
    putUint32(out, 0, 30);
    for (int i = 0; i < kLumpCount; ++i)
        putUint32(out, 4 + static_cast<std::size_t>(i) * 8,
                  static_cast<std::uint32_t>(kHeaderSize));
    const auto begin = [&](int lump) {
        putUint32(out, 4 + static_cast<std::size_t>(lump) * 8,
                  static_cast<std::uint32_t>(out.size()));
        return out.size();
    };
    const auto end = [&](int lump, std::size_t start) {
        putUint32(out, 8 + static_cast<std::size_t>(lump) * 8,
                  static_cast<std::uint32_t>(out.size() - start));
    };
    std::size_t start = begin(Lump::entities);
    out += entities;
    out += '\0';
    end(Lump::entities, start);
    start = begin(Lump::vertices);
    for (const auto& v : vertices)
        for (const float c : v)
            appendFloat(out, c);
    end(Lump::vertices, start);
    start = begin(Lump::edges);
    for (const auto& e : edges)
        appendUint32(out, std::uint32_t{e[0]} | std::uint32_t{e[1]} << 16);
    end(Lump::edges, start);
    start = begin(Lump::surfEdges);
    for (const std::int32_t s : surfEdges)
        appendUint32(out, static_cast<std::uint32_t>(s));
    end(Lump::surfEdges, start);
    start = begin(Lump::textures);
    out.append(textureBytes, '\x55');
    end(Lump::textures, start);
    return out;
}

void setLump(std::string& map, int lump, std::int32_t offset, std::int32_t length) {
    putUint32(map, 4 + static_cast<std::size_t>(lump) * 8, static_cast<std::uint32_t>(offset));
    putUint32(map, 8 + static_cast<std::size_t>(lump) * 8, static_cast<std::uint32_t>(length));
}

std::pair<std::int32_t, std::int32_t> lumpOf(const std::string& map, int lump) {
    const auto at = [&](std::size_t i) {
        std::uint32_t v = 0;
        for (int k = 3; k >= 0; --k)
            v = v << 8 | static_cast<unsigned char>(map[i + static_cast<std::size_t>(k)]);
        return static_cast<std::int32_t>(v);
    };
    return {at(4 + static_cast<std::size_t>(lump) * 8), at(8 + static_cast<std::size_t>(lump) * 8)};
}

} // namespace gravelock::sample
