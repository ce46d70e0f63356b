// Reads what a player wants to know of a Half-Life map (BSP version 30) without
// loading it: its title, texture files and spawn points from the entity text,
// and its edges seen from above for a floor plan. A map is untrusted: every
// size and index is checked, nothing kept is larger than the file, and a
// damaged map gives what could be read together with what is wrong with it.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace gravelock {

// Where a map's bytes come from: a file read piece by piece, or memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Reads exactly `count` bytes at `offset`; false when they cannot be read.
    virtual bool read(std::uint64_t offset, std::size_t count, char* out) = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    explicit MemorySource(std::string&&) = delete; // the bytes must outlive the source
    std::uint64_t size() const override { return bytes_.size(); }
    bool read(std::uint64_t offset, std::size_t count, char* out) override;

private:
    std::string_view bytes_;
};

class FileSource final : public ByteSource {
public:
    // Opens a regular file; null with `error` set when it cannot be opened.
    static std::unique_ptr<FileSource> open(const std::string& path, std::error_code& error);
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, std::size_t count, char* out) override;

private:
    std::ifstream in_;
    std::uint64_t size_ = 0;
};

// What is wrong with a damaged map, in the order the reader finds it.
enum class MapDamage {
    lumpOutside,       // a part of the map lies past the end or has a negative place or size
    lumpsOverlap,      // two parts of the map share bytes
    entitiesTooLong,   // the entity text is longer than any map needs; its start was read
    entitiesUnended,   // the entity text stops inside an entity
    quoteUnclosed,     // a quoted text has no closing quote
    entitiesMalformed, // something other than an entity where one should begin
    geometryOddSize,   // a geometry part's size is not a whole number of its records
    geometryBadIndex,  // an edge or corner index points past its list
    geometryBadVertex, // a corner lies outside any map or is no number
    readFailed,        // the file could not be read to its end
};

// German description of a damage, for the player.
std::string describeDamage(MapDamage damage);

enum class MapKind {
    halfLife, // a Half-Life map, perhaps damaged
    other,    // too short, another version or another engine
    unreadable,
};

// The header and entity text of a map. Texts are UTF-8 (maps store Windows-1252).
struct MapSummary {
    MapKind kind = MapKind::halfLife;
    std::int32_t version = 0;
    std::string unreadableReason;  // when unreadable
    std::string title;             // worldspawn's "message"
    std::vector<std::string> wads; // file names only, in the map's order, no repeats
    std::string skyname;
    int playerStarts = 0;     // info_player_start
    int deathmatchStarts = 0; // info_player_deathmatch
    int teamStarts = 0;       // info_player_teamspawn
    std::vector<MapDamage> damage;

    int spawnPoints() const { return playerStarts + deathmatchStarts + teamStarts; }
    bool damaged() const { return !damage.empty(); }
};

// The map's edges seen from above (x east, y north), each edge once.
struct FloorPlan {
    std::vector<std::array<float, 2>> points;
    std::vector<std::array<std::uint16_t, 2>> lines; // indexes into points
    // The box around every point a line uses; empty when there are no lines.
    float minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool isHalfLifeMap = true;
    std::vector<MapDamage> damage;
};

// An entity text longer than this is cut here: real maps stay far below it.
inline constexpr std::size_t kLongestEntityText = std::size_t{2} * 1024 * 1024;

MapSummary readMapSummary(ByteSource& source);
FloorPlan readFloorPlan(ByteSource& source);

// The same for a file; an unopenable file gives MapKind::unreadable.
MapSummary readMapSummary(const std::string& path);

} // namespace gravelock
