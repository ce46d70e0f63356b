#include "environment.h"
#include "server/map_cycle.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace gravelock;
using gravelock::test::TempFolder;
using gravelock::test::writeBytes;

namespace {

using Names = std::vector<std::string>;

TEST(MapCycle, ReadAsTheGameReadsIt) {
    const struct {
        std::string bytes;
        Names maps;
    } cases[] = {
        // clang-format off
        {"", {}},
        {"crossfire\r\nstalkyard\r\n", {"crossfire.bsp", "stalkyard.bsp"}},
        {"a\nb\rc", {"a.bsp", "b.bsp", "c.bsp"}},                 // any line end, none at the end
        {"  bounce  \"\\minplayers\\4\\\"\r\n\r\n", {"bounce.bsp"}}, // only the first word counts
        {"// comment\r\n//x\r\nfrenzy\r\n", {"frenzy.bsp"}},
        {"\"big hall\" x\r\n\"open", {"big hall.bsp", "open.bsp"}},
        {"gr\xF6\xDF" "e\r\n", {"größe.bsp"}},                     // Windows-1252
        {"\"\"\r\n", {}},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseMapCycle(c.bytes), c.maps) << c.bytes;
}

TEST(MapCycle, WrittenOneNamePerLine) {
    std::string unwritable;
    EXPECT_EQ(mapCycleBytes({"crossfire.bsp", "Bounce.BSP", "big hall.bsp", "größe.bsp", "noext"},
                            unwritable),
              "crossfire\r\nBounce\r\n\"big hall\"\r\ngr\xF6\xDF"
              "e\r\nnoext\r\n");
    for (const std::string bad : {"Ω.bsp", "a\"b.bsp", "a\nb.bsp"}) {
        EXPECT_EQ(mapCycleBytes({"ok.bsp", bad}, unwritable), std::nullopt);
        EXPECT_EQ(unwritable, bad);
    }
}

TEST(MapCycle, PathsBesideTheMapsFolders) {
    EXPECT_EQ(halfLifeMapCyclePath("C:\\HL\\valve\\").path, "C:\\HL\\valve\\mapcycle.txt");
    EXPECT_EQ(teamFortressMapCyclePath("C:\\HL\\tfc\\maps").path, "C:\\HL\\tfc\\mapcycle.txt");
    EXPECT_EQ(teamFortressMapCyclePath("/games/hl/tfc/maps//").path, "/games/hl/tfc/mapcycle.txt");
    for (const std::string missing : {"error!", ""})
        EXPECT_NE(halfLifeMapCyclePath(missing).problem, "") << missing;
    for (const std::string missing : {"error", "", "maps", "/"})
        EXPECT_NE(teamFortressMapCyclePath(missing).problem, "") << missing;
}

TEST(MapCycle, WritesReadsBackAndAFailedWriteLosesNothing) {
    TempFolder folder;
    const std::string path = folder.file("mapcycle.txt");
    std::string reason;
    EXPECT_EQ(readMapCycle(path, reason), Names{}); // none yet
    const Names maps = {"crossfire.bsp", "big hall.bsp"};
    ASSERT_TRUE(writeMapCycle(path, maps));
    EXPECT_EQ(readMapCycle(path, reason), maps);

    // A name the file cannot hold: the old file stays.
    EXPECT_FALSE(writeMapCycle(path, {"Ω.bsp"}));
    EXPECT_EQ(readMapCycle(path, reason), maps);
#ifndef _WIN32
    // Unreadable: named with its reason, not taken for an empty cycle.
    writeBytes(path, "x\r\n");
    const std::string unreadable = test::asPlayer(folder.path(), [&]() -> std::string {
        std::filesystem::permissions(path, std::filesystem::perms::none);
        std::string why;
        return readMapCycle(path, why) || why.empty() ? "read" : "";
    });
    EXPECT_EQ(unreadable, "");
#endif
}

} // namespace
