#include "maps/bsp_reader.h"

#include "core/file_io.h"
#include "core/platform_file.h"
#include "core/text.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace gravelock {

namespace {

constexpr std::int32_t kHalfLifeVersion = 30;
constexpr std::size_t kLumpCount = 15;
constexpr std::size_t kHeaderSize = 4 + kLumpCount * 8;
constexpr int kEntityLump = 0;
constexpr int kPlaneLump = 1;
constexpr int kVertexLump = 3;
constexpr int kEdgeLump = 12;
constexpr int kSurfEdgeLump = 13;
constexpr std::uint64_t kVertexBytes = 12;
constexpr std::uint64_t kEdgeBytes = 4;
constexpr std::uint64_t kSurfEdgeBytes = 4;
// Far beyond the largest world any Half-Life compiler builds; a corner out
// there is garbage and would shrink the floor plan to a dot.
constexpr float kFarthestCorner = 1.0e6F;

std::uint32_t uint32At(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
           std::uint32_t{b[3]} << 24;
}

std::int32_t int32At(const char* p) {
    return static_cast<std::int32_t>(uint32At(p));
}

std::uint16_t uint16At(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

float floatAt(const char* p) {
    const std::uint32_t bits = uint32At(p);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void addDamage(std::vector<MapDamage>& list, MapDamage damage) {
    if (std::find(list.begin(), list.end(), damage) == list.end())
        list.push_back(damage);
}

struct Extent {
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
    bool valid = false;
};

struct Header {
    MapKind kind = MapKind::halfLife;
    std::int32_t version = 0;
    std::array<Extent, kLumpCount> lumps{};
    std::vector<MapDamage> damage;
};

// The first byte of a part that is not blank; 0 when there is none.
char firstNonBlank(ByteSource& source, const Extent& lump) {
    char buffer[64];
    const auto count =
        static_cast<std::size_t>(std::min<std::uint64_t>(lump.length, sizeof buffer));
    if (!lump.valid || !source.read(lump.offset, count, buffer))
        return 0;
    for (std::size_t i = 0; i < count; ++i)
        if (static_cast<unsigned char>(buffer[i]) > ' ')
            return buffer[i];
    return 0;
}

Header readHeader(ByteSource& source) {
    Header header;
    char bytes[kHeaderSize];
    if (source.size() < 4) {
        header.kind = MapKind::other;
        return header;
    }
    if (!source.read(0, 4, bytes)) {
        header.kind = MapKind::unreadable;
        return header;
    }
    header.version = int32At(bytes);
    if (header.version != kHalfLifeVersion || source.size() < kHeaderSize) {
        header.kind = MapKind::other;
        return header;
    }
    if (!source.read(0, kHeaderSize, bytes)) {
        header.kind = MapKind::unreadable;
        return header;
    }
    for (std::size_t i = 0; i < kLumpCount; ++i) {
        const std::int32_t offset = int32At(bytes + 4 + i * 8);
        const std::int32_t length = int32At(bytes + 8 + i * 8);
        Extent& lump = header.lumps[i];
        if (offset < 0 || length < 0 ||
            std::uint64_t(offset) + std::uint64_t(length) > source.size()) {
            addDamage(header.damage, MapDamage::lumpOutside);
            continue;
        }
        lump = {std::uint64_t(offset), std::uint64_t(length), true};
    }

    // Parts with bytes, and the header itself, must not share any byte.
    std::vector<Extent> taken{{0, kHeaderSize, true}};
    for (const Extent& lump : header.lumps)
        if (lump.valid && lump.length > 0)
            taken.push_back(lump);
    std::sort(taken.begin(), taken.end(),
              [](const Extent& a, const Extent& b) { return a.offset < b.offset; });
    for (std::size_t i = 1; i < taken.size(); ++i)
        if (taken[i].offset < taken[i - 1].offset + taken[i - 1].length)
            addDamage(header.damage, MapDamage::lumpsOverlap);

    // Some maps of the game's own add-ons swap the entity and plane parts.
    if (firstNonBlank(source, header.lumps[kEntityLump]) != '{' &&
        firstNonBlank(source, header.lumps[kPlaneLump]) == '{')
        std::swap(header.lumps[kEntityLump], header.lumps[kPlaneLump]);
    return header;
}

bool sameAscii(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
               return lower(x) == lower(y);
           });
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

// Keeps only the file names: the paths are the mapper's own machine's.
std::vector<std::string> wadNames(std::string_view value) {
    std::vector<std::string> names;
    while (!value.empty()) {
        const std::size_t end = std::min(value.find(';'), value.size());
        std::string_view path = trimmed(value.substr(0, end));
        value.remove_prefix(std::min(end + 1, value.size()));
        const std::size_t slash = path.find_last_of("/\\");
        if (slash != std::string_view::npos)
            path.remove_prefix(slash + 1);
        path = trimmed(path);
        if (path.empty())
            continue;
        std::string name = cp1252ToUtf8(path);
        if (std::none_of(names.begin(), names.end(),
                         [&](const std::string& n) { return sameAscii(n, name); }))
            names.push_back(std::move(name));
    }
    return names;
}

void takeKeyValue(int entity, std::string_view key, std::string_view value, MapSummary& out) {
    if (sameAscii(key, "classname")) {
        if (sameAscii(value, "info_player_start"))
            ++out.playerStarts;
        else if (sameAscii(value, "info_player_deathmatch"))
            ++out.deathmatchStarts;
        else if (sameAscii(value, "info_player_teamspawn"))
            ++out.teamStarts;
    }
    if (entity != 0)
        return;
    if (sameAscii(key, "message"))
        out.title = cp1252ToUtf8(trimmed(value));
    else if (sameAscii(key, "wad"))
        out.wads = wadNames(value);
    else if (sameAscii(key, "skyname"))
        out.skyname = cp1252ToUtf8(trimmed(value));
}

bool blank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// Entities are blocks `{ "key" "value" ... }`; like the game, bare words count
// as texts and `//` starts a comment.
void parseEntities(std::string_view text, MapSummary& out) {
    text = text.substr(0, text.find('\0'));
    std::size_t i = 0;
    int entity = -1;
    bool inside = false;
    bool haveKey = false;
    std::string_view key;
    while (true) {
        while (i < text.size()) {
            if (blank(text[i]))
                ++i;
            else if (text.compare(i, 2, "//") == 0)
                i = std::min(text.find('\n', i), text.size());
            else
                break;
        }
        if (i == text.size()) {
            if (inside)
                addDamage(out.damage, MapDamage::entitiesUnended);
            return;
        }
        const char c = text[i];
        if (!inside || c == '{') {
            if (inside || c != '{') {
                addDamage(out.damage, MapDamage::entitiesMalformed);
                return;
            }
            inside = true;
            haveKey = false;
            ++entity;
            ++i;
            continue;
        }
        if (c == '}') {
            inside = false;
            ++i;
            continue;
        }
        std::string_view token;
        if (c == '"') {
            const std::size_t close = text.find('"', i + 1);
            if (close == std::string_view::npos) {
                addDamage(out.damage, MapDamage::quoteUnclosed);
                return;
            }
            token = text.substr(i + 1, close - i - 1);
            i = close + 1;
        } else {
            const std::size_t start = i;
            while (i < text.size() && !blank(text[i]) && text[i] != '"' && text[i] != '{' &&
                   text[i] != '}')
                ++i;
            token = text.substr(start, i - start);
        }
        if (!haveKey) {
            key = token;
            haveKey = true;
        } else {
            haveKey = false;
            takeKeyValue(entity, key, token, out);
        }
    }
}

// Reads a part in pieces of whole records, so nothing is held but what is kept.
template <class Visit>
bool forEachRecord(ByteSource& source, const Extent& lump, std::uint64_t recordBytes, Visit visit) {
    char buffer[12 * 1024]; // a multiple of every record size read here
    const std::uint64_t count = lump.length / recordBytes;
    const std::uint64_t perPiece = sizeof buffer / recordBytes;
    for (std::uint64_t first = 0; first < count; first += perPiece) {
        const std::uint64_t n = std::min(perPiece, count - first);
        if (!source.read(lump.offset + first * recordBytes,
                         static_cast<std::size_t>(n * recordBytes), buffer))
            return false;
        for (std::uint64_t k = 0; k < n; ++k)
            visit(first + k, buffer + k * recordBytes);
    }
    return true;
}

} // namespace

bool MemorySource::read(std::uint64_t offset, std::size_t count, char* out) {
    if (offset > bytes_.size() || count > bytes_.size() - offset)
        return false;
    std::memcpy(out, bytes_.data() + offset, count);
    return true;
}

std::unique_ptr<FileSource> FileSource::open(const std::string& path, std::error_code& error) {
    error.clear();
    switch (platform::fileKind(path, error)) {
    case platform::FileKind::regular:
        break;
    case platform::FileKind::directory:
        error = std::make_error_code(std::errc::is_a_directory);
        return nullptr;
    case platform::FileKind::other:
        error = std::make_error_code(std::errc::invalid_argument);
        return nullptr;
    case platform::FileKind::missing:
        if (!error)
            error = std::make_error_code(std::errc::no_such_file_or_directory);
        return nullptr;
    }
    auto file = std::unique_ptr<FileSource>(new FileSource);
    errno = 0;
    file->in_.open(pathFromUtf8(path), std::ios::binary);
    if (!file->in_) {
        error = std::error_code(errno != 0 ? errno : EIO, std::generic_category());
        return nullptr;
    }
    file->in_.seekg(0, std::ios::end);
    const auto end = file->in_.tellg();
    if (end < 0) {
        error = std::make_error_code(std::errc::io_error);
        return nullptr;
    }
    file->size_ = static_cast<std::uint64_t>(end);
    return file;
}

bool FileSource::read(std::uint64_t offset, std::size_t count, char* out) {
    if (offset > size_ || count > size_ - offset)
        return false;
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(out, static_cast<std::streamsize>(count));
    return in_.gcount() == static_cast<std::streamsize>(count);
}

std::string describeDamage(MapDamage damage) {
    switch (damage) {
    case MapDamage::lumpOutside:
        return "Ein Teil der Karte liegt außerhalb der Datei";
    case MapDamage::lumpsOverlap:
        return "Teile der Karte überlappen sich";
    case MapDamage::entitiesTooLong:
        return "Die Objektliste ist zu lang und wurde nur zum Teil gelesen";
    case MapDamage::entitiesUnended:
        return "Die Objektliste bricht mitten in einem Objekt ab";
    case MapDamage::quoteUnclosed:
        return "Ein Text der Objektliste endet ohne Anführungszeichen";
    case MapDamage::entitiesMalformed:
        return "Die Objektliste ist unlesbar";
    case MapDamage::geometryOddSize:
        return "Die Geometrie hat eine ungerade Größe";
    case MapDamage::geometryBadIndex:
        return "Die Geometrie verweist auf fehlende Punkte oder Kanten";
    case MapDamage::geometryBadVertex:
        return "Die Geometrie enthält ungültige Punkte";
    case MapDamage::readFailed:
        return "Die Datei ließ sich nicht ganz lesen";
    }
    return {};
}

MapSummary readMapSummary(ByteSource& source) {
    MapSummary summary;
    Header header = readHeader(source);
    summary.kind = header.kind;
    summary.version = header.version;
    summary.damage = std::move(header.damage);
    if (header.kind == MapKind::unreadable)
        summary.unreadableReason = describeDamage(MapDamage::readFailed);
    if (header.kind != MapKind::halfLife)
        return summary;

    const Extent& lump = header.lumps[kEntityLump];
    if (!lump.valid)
        return summary;
    std::size_t length = static_cast<std::size_t>(lump.length);
    if (length > kLongestEntityText) {
        length = kLongestEntityText;
        addDamage(summary.damage, MapDamage::entitiesTooLong);
    }
    std::string text(length, '\0');
    if (!source.read(lump.offset, length, text.data())) {
        addDamage(summary.damage, MapDamage::readFailed);
        return summary;
    }
    parseEntities(text, summary);
    return summary;
}

MapSummary readMapSummary(const std::string& path) {
    std::error_code error;
    const auto file = FileSource::open(path, error);
    if (!file) {
        MapSummary summary;
        summary.kind = MapKind::unreadable;
        summary.unreadableReason = describeError(error);
        return summary;
    }
    return readMapSummary(*file);
}

FloorPlan readFloorPlan(ByteSource& source) {
    FloorPlan plan;
    Header header = readHeader(source);
    plan.damage = std::move(header.damage);
    if (header.kind != MapKind::halfLife) {
        plan.isHalfLifeMap = header.kind != MapKind::other;
        if (header.kind == MapKind::unreadable)
            addDamage(plan.damage, MapDamage::readFailed);
        return plan;
    }
    const Extent& vertexLump = header.lumps[kVertexLump];
    const Extent& edgeLump = header.lumps[kEdgeLump];
    const Extent& surfEdgeLump = header.lumps[kSurfEdgeLump];
    if (!vertexLump.valid || !edgeLump.valid || !surfEdgeLump.valid)
        return plan;
    if (vertexLump.length % kVertexBytes != 0 || edgeLump.length % kEdgeBytes != 0 ||
        surfEdgeLump.length % kSurfEdgeBytes != 0)
        addDamage(plan.damage, MapDamage::geometryOddSize);

    // Corners seen from above; a bad one becomes NaN so no line uses it.
    const std::uint64_t vertexCount = vertexLump.length / kVertexBytes;
    plan.points.reserve(static_cast<std::size_t>(vertexCount));
    const bool verticesRead =
        forEachRecord(source, vertexLump, kVertexBytes, [&](std::uint64_t, const char* record) {
            float x = floatAt(record);
            float y = floatAt(record + 4);
            if (!(std::fabs(x) <= kFarthestCorner && std::fabs(y) <= kFarthestCorner)) {
                addDamage(plan.damage, MapDamage::geometryBadVertex);
                x = y = std::nanf("");
            }
            plan.points.push_back({x, y});
        });

    // Faces name their edges through the surface edges; each edge is drawn once.
    const std::uint64_t edgeCount = edgeLump.length / kEdgeBytes;
    std::vector<std::uint8_t> used(static_cast<std::size_t>((edgeCount + 7) / 8));
    const bool surfEdgesRead =
        verticesRead &&
        forEachRecord(source, surfEdgeLump, kSurfEdgeBytes, [&](std::uint64_t, const char* record) {
            const std::int64_t signedIndex = int32At(record);
            const auto index =
                static_cast<std::uint64_t>(signedIndex < 0 ? -signedIndex : signedIndex);
            if (index >= edgeCount) {
                addDamage(plan.damage, MapDamage::geometryBadIndex);
                return;
            }
            used[static_cast<std::size_t>(index / 8)] |= std::uint8_t(1U << (index % 8));
        });
    std::size_t usedCount = 0;
    for (const std::uint8_t byte : used)
        usedCount += static_cast<std::size_t>(std::popcount(byte));
    plan.lines.reserve(usedCount);

    const bool edgesRead =
        surfEdgesRead &&
        forEachRecord(source, edgeLump, kEdgeBytes, [&](std::uint64_t index, const char* record) {
            if ((used[static_cast<std::size_t>(index / 8)] & (1U << (index % 8))) == 0)
                return;
            const std::uint16_t a = uint16At(record);
            const std::uint16_t b = uint16At(record + 2);
            if (a >= plan.points.size() || b >= plan.points.size()) {
                addDamage(plan.damage, MapDamage::geometryBadIndex);
                return;
            }
            const auto& p = plan.points[a];
            const auto& q = plan.points[b];
            // Upright edges shrink to a dot from above; NaN marks a bad corner.
            if (std::isnan(p[0]) || std::isnan(q[0]) || (p[0] == q[0] && p[1] == q[1]))
                return;
            plan.lines.push_back({a, b});
        });
    if (!edgesRead)
        addDamage(plan.damage, MapDamage::readFailed);

    bool first = true;
    for (const auto& line : plan.lines) {
        for (const std::uint16_t index : line) {
            const auto& p = plan.points[index];
            if (first) {
                plan.minX = plan.maxX = p[0];
                plan.minY = plan.maxY = p[1];
                first = false;
            }
            plan.minX = std::min(plan.minX, p[0]);
            plan.maxX = std::max(plan.maxX, p[0]);
            plan.minY = std::min(plan.minY, p[1]);
            plan.maxY = std::max(plan.maxY, p[1]);
        }
    }
    return plan;
}

} // namespace gravelock
