#include "core/text.h"
#include "maps/bsp_reader.h"
#include "maps/map_assets.h"
#include "maps/sample_map.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>

namespace gravelock {
namespace {

using sample::KeyValues;
using sample::Lump;
using sample::SampleMap;

const KeyValues kWorld = {{"classname", "worldspawn"},
                          {"message", "Crossfire"},
                          {"wad", "\\sierra\\half-life\\valve\\halflife.wad;C:\\maps\\xeno.wad"},
                          {"skyname", "desert"}};

std::string mapOf(const std::string& entities) {
    SampleMap map;
    map.entities = entities;
    map.addBox(0, 0, 0, 64, 128, 32);
    map.textureBytes = 64;
    return map.bytes();
}

std::string mapOf(const std::vector<KeyValues>& entities) {
    return mapOf(sample::entityText(entities));
}

std::string changed(std::string map, const std::function<void(std::string&)>& change) {
    change(map);
    return map;
}

std::string version(std::int32_t v, std::string map) {
    std::memcpy(map.data(), &v, 4);
    return map;
}

TEST(MapReader, SummaryOfEachKindOfMap) {
    const std::string good = mapOf({kWorld,
                                    {{"classname", "info_player_deathmatch"}},
                                    {{"classname", "info_player_deathmatch"}},
                                    {{"classname", "info_player_start"}}});
    const auto entityLump = sample::lumpOf(good, Lump::entities);
    using enum MapDamage;
    constexpr auto HL = MapKind::halfLife;
    constexpr auto other = MapKind::other;
    struct Case {
        const char* what;
        std::string bytes;
        MapKind kind;
        std::string title;
        std::vector<std::string> wads;
        std::array<int, 3> starts; // player, deathmatch, team
        std::vector<MapDamage> damage;
    };
    const std::vector<std::string> xf = {"halflife.wad", "xeno.wad"};
    const std::string entityText = sample::entityText({kWorld});
    const Case cases[] = {
        // clang-format off
        {"title, Windows paths, starts", good, HL, "Crossfire", xf, {1, 2, 0}, {}},
        {"Unix paths, blanks, repeats and empty pieces", mapOf({{{"wad", " /home/m/wads/A.wad; ;/home/m/a.WAD;b.wad;"}}}),
         HL, "", {"A.wad", "b.wad"}, {}, {}},
        {"Windows-1252 title, bare words", mapOf("{ message \"\xDC" "ber alles\" classname worldspawn }"), HL, "Über alles", {}, {}, {}},
        {"team spawns, keys of later entities ignored",
         mapOf({{{"classname", "worldspawn"}}, {{"classname", "info_player_teamspawn"}, {"message", "not the title"}},
                {{"classname", "INFO_PLAYER_TEAMSPAWN"}}}), HL, "", {}, {0, 0, 2}, {}},
        {"entity and plane parts swapped", changed(good, [&](std::string& m) {
             sample::setLump(m, Lump::planes, entityLump.first, entityLump.second);
             sample::setLump(m, Lump::entities, 124, 0); }), HL, "Crossfire", xf, {1, 2, 0}, {}},
        {"another version", version(29, good), other, "", {}, {}, {}},
        {"another engine", changed(good, [](std::string& m) { m.replace(0, 4, "VBSP"); }), other, "", {}, {}, {}},
        {"too short for a header", good.substr(0, 100), other, "", {}, {}, {}},
        {"empty", "", other, "", {}, {}, {}},
        {"a part past the end", changed(good, [](std::string& m) {
             sample::setLump(m, Lump::textures, static_cast<std::int32_t>(m.size()) - 10, 20); }),
         HL, "Crossfire", xf, {1, 2, 0}, {lumpOutside}},
        {"a negative size", changed(good, [](std::string& m) { sample::setLump(m, 5, 124, -4); }), HL, "Crossfire", xf, {1, 2, 0}, {lumpOutside}},
        {"entities past the end", changed(good, [&](std::string& m) { sample::setLump(m, Lump::entities, entityLump.first, 0x7fff0000); }),
         HL, "", {}, {}, {lumpOutside}},
        {"overlapping parts", changed(good, [&](std::string& m) { sample::setLump(m, 5, entityLump.first + 4, 8); }),
         HL, "Crossfire", xf, {1, 2, 0}, {lumpsOverlap}},
        {"entity without its end", mapOf("{\n\"message\" \"Half\"\n\"wad\" \"a.wad\"\n"), HL, "Half", {"a.wad"}, {}, {entitiesUnended}},
        {"quote not closed", mapOf("{ \"message\" \"Half\" \"wad\" \"a.wad }"), HL, "Half", {}, {}, {quoteUnclosed}},
        {"something before the first entity", mapOf("x { \"message\" \"Half\" }"), HL, "", {}, {}, {entitiesMalformed}},
        {"entity text longer than any map's",
         mapOf(entityText + std::string(kLongestEntityText, ' ') + sample::entityText({{{"classname", "info_player_start"}}})),
         HL, "Crossfire", xf, {}, {entitiesTooLong}},
        // clang-format on
    };
    for (const auto& c : cases) {
        MemorySource source(c.bytes);
        const MapSummary s = readMapSummary(source);
        EXPECT_EQ(s.kind, c.kind) << c.what;
        EXPECT_EQ(s.title, c.title) << c.what;
        EXPECT_EQ(s.wads, c.wads) << c.what;
        EXPECT_EQ((std::array<int, 3>{s.playerStarts, s.deathmatchStarts, s.teamStarts}), c.starts)
            << c.what;
        EXPECT_EQ(s.damage, c.damage) << c.what;
    }
}

TEST(MapReader, FloorPlanOfEachKindOfGeometry) {
    SampleMap twoRooms;
    twoRooms.addBox(0, 0, 0, 64, 128, 32);
    twoRooms.addBox(-100, 200, 0, 0, 300, 64);
    const std::string good = twoRooms.bytes();
    const auto vertices = sample::lumpOf(good, Lump::vertices);
    const auto surfEdges = sample::lumpOf(good, Lump::surfEdges);
    const auto edges = sample::lumpOf(good, Lump::edges);
    const auto putInt = [](std::string& m, std::int32_t at, std::uint32_t value) {
        std::memcpy(m.data() + at, &value, 4);
    };
    struct Case {
        const char* what;
        std::string bytes;
        std::size_t lines;
        std::array<float, 4> box; // min x, min y, max x, max y
        std::vector<MapDamage> damage;
    };
    const std::array<float, 4> both = {-100, 0, 64, 300};
    using enum MapDamage;
    const Case cases[] = {
        // clang-format off
        // From above each box shows its 8 flat edges; the upright ones are dots.
        {"two rooms", good, 16, both, {}},
        {"a face names an edge past the list", changed(good, [&](std::string& m) { putInt(m, surfEdges.first, 5000); }),
         16, both, {geometryBadIndex}},
        {"an edge names a corner past the list", changed(good, [&](std::string& m) { putInt(m, edges.first + 4, 0x00010000 | 900); }),
         15, both, {geometryBadIndex}},
        {"a corner that is no number", changed(good, [&](std::string& m) {
             const float nan = std::nanf("");
             const std::size_t firstCornerOfRoomTwo = 8 * std::size_t{12};
             std::memcpy(m.data() + vertices.first + firstCornerOfRoomTwo, &nan, 4); }),
         14, both, {geometryBadVertex}},
        {"corners cut short", changed(good, [&](std::string& m) { sample::setLump(m, Lump::vertices, vertices.first, vertices.second - 13); }),
         13, both, {geometryOddSize, geometryBadIndex}},
        {"edges past the end", changed(good, [&](std::string& m) { sample::setLump(m, Lump::edges, edges.first, 1 << 30); }),
         0, {0, 0, 0, 0}, {lumpOutside}},
        {"another version", version(29, good), 0, {0, 0, 0, 0}, {}},
        // clang-format on
    };
    for (const auto& c : cases) {
        MemorySource source(c.bytes);
        const FloorPlan plan = readFloorPlan(source);
        EXPECT_EQ(plan.lines.size(), c.lines) << c.what;
        EXPECT_EQ((std::array<float, 4>{plan.minX, plan.minY, plan.maxX, plan.maxY}), c.box)
            << c.what;
        EXPECT_EQ(plan.damage, c.damage) << c.what;
    }
}

TEST(MapReader, FileReadsAsMemoryAndFailuresAreNamed) {
    test::TempFolder folder;
    const std::string bytes = mapOf({kWorld});
    test::writeBytes(folder.file("crossfire.bsp"), bytes);
    const MapSummary fromFile = readMapSummary(folder.file("crossfire.bsp"));
    EXPECT_EQ(fromFile.title, "Crossfire");
    EXPECT_EQ(fromFile.skyname, "desert");
    EXPECT_EQ(fromFile.wads.size(), 2U);

    std::error_code error;
    auto file = FileSource::open(folder.file("crossfire.bsp"), error);
    ASSERT_TRUE(file);
    EXPECT_EQ(readFloorPlan(*file).lines.size(), 8U);

    for (const std::string& bad : {folder.file("gone.bsp"), folder.path().string()}) {
        const MapSummary s = readMapSummary(bad);
        EXPECT_EQ(s.kind, MapKind::unreadable) << bad;
        EXPECT_FALSE(s.unreadableReason.empty()) << bad;
    }
}

// A game install: base/<game folder>/<file>.
struct Install {
    test::TempFolder root;
    explicit Install(const std::vector<std::string>& files) {
        for (const std::string& file : files) {
            const auto path = root.path() / pathFromUtf8(file);
            std::filesystem::create_directories(path.parent_path());
            test::writeBytes(path.string(), file == "tfc/maps/2fort.txt"
                                                ? std::string("Zwei Festungen \xE4\r\nZeile 2\r\n")
                                                : std::string("x"));
        }
    }
    std::string map(const std::string& file) const { return root.file(file); }
};

TEST(MapAssets, TexturesAreLookedUpInTheGamesFoldersWithoutRegardToCase) {
    const Install install({"valve/halflife.wad", "valve_addon/ADDON.WAD", "valve_hd/hd.wad",
                           "tfc/TFC.wad", "tfc_downloads/dl.wad", "tfc_hd/hd2.wad",
                           "tfc_addon/tfcaddon.wad"});
    struct Case {
        const char* map;
        std::vector<std::string> wads;
        std::vector<bool> found;
    };
    const Case cases[] = {
        {"tfc/maps/2fort.bsp",
         {"tfc.wad", "dl.wad", "hd2.wad", "TFCADDON.wad", "halflife.wad", "addon.wad", "nope.wad"},
         {true, true, true, true, true, false, false}},
        {"valve_downloads/maps/dl.bsp",
         {"Halflife.WAD", "addon.wad", "hd.wad", "tfc.wad"},
         {true, true, true, false}},
    };
    for (const auto& c : cases) {
        const auto result = lookUpWads(c.wads, placeOfMap(install.map(c.map)));
        ASSERT_EQ(result.size(), c.wads.size()) << c.map;
        for (std::size_t i = 0; i < result.size(); ++i) {
            EXPECT_EQ(result[i].name, c.wads[i]) << c.map;
            EXPECT_EQ(result[i].found, c.found[i]) << c.map << " " << c.wads[i];
        }
    }
}

TEST(MapAssets, DescriptionAndOverviewAreFoundWithoutRegardToCase) {
    const Install install({"tfc/maps/2fort.txt", "valve/Overviews/2FORT.bmp", "valve/maps/x.txt"});
    const MapPlace fort = placeOfMap(install.map("tfc/maps/2fort.bsp"));
    EXPECT_EQ(fort.game, "tfc");
    EXPECT_EQ(fort.mapName, "2fort");
    EXPECT_EQ(readDescription(fort), "Zwei Festungen ä\nZeile 2\n");
    const auto overview = findOverview(fort);
    ASSERT_TRUE(overview);
    EXPECT_TRUE(std::filesystem::is_regular_file(pathFromUtf8(*overview))) << *overview;

    const MapPlace other = placeOfMap(install.map("tfc/maps/well.bsp"));
    EXPECT_FALSE(readDescription(other));
    EXPECT_FALSE(findOverview(other));
}

TEST(MapAssets, ToolTipLines) {
    MapSummary titled;
    titled.title = "Crossfire";
    titled.deathmatchStarts = 3;
    MapSummary damaged;
    damaged.playerStarts = 1;
    damaged.damage = {MapDamage::quoteUnclosed};
    MapSummary other;
    other.kind = MapKind::other;
    MapSummary unreadable;
    unreadable.kind = MapKind::unreadable;
    unreadable.unreadableReason = "Zugriff verweigert";
    const struct {
        MapSummary summary;
        std::vector<WadFile> wads;
        std::string tip;
    } cases[] = {
        {titled,
         {{"a.wad", true}, {"b.wad", false}, {"c.wad", false}},
         "Crossfire\nTexturen: a.wad, b.wad, c.wad\nFehlt: b.wad, c.wad\nStartpunkte: 3"},
        {titled, {{"a.wad", true}}, "Crossfire\nTexturen: a.wad\nStartpunkte: 3"},
        {MapSummary{}, {}, "dm.bsp\nStartpunkte: 0"},
        {damaged, {}, "dm.bsp\nStartpunkte: 1\nBeschädigt"},
        {other, {}, "dm.bsp\nKeine Half-Life-Karte"},
        {unreadable, {}, "dm.bsp\nNicht lesbar: Zugriff verweigert"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mapToolTip("dm.bsp", c.summary, c.wads), c.tip);
}

} // namespace
} // namespace gravelock
