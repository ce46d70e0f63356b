#include "launcher/launch_command.h"

#include <gtest/gtest.h>

namespace gravelock {
namespace {

TEST(LaunchCommand, JoinsThePiecesInOrder) {
    const std::string hl = "C:\\Spiele\\Half-Life\\hl.exe";
    struct Case {
        const char* what;
        LaunchSettings settings;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"deathmatch, nothing else", {GameMode::Deathmatch, "alpha.bsp", "Wähle ...", "", false, false, false},
         hl + " +deathmatch 1 +map alpha"},
        {"single player, Mittel, console",
         {GameMode::SinglePlayer, "beta.bsp", "Mittel", "", false, true, false},
         hl + " +map beta +set skill 1 -console"},
        {"team fortress, all switches",
         {GameMode::TeamFortress, "gamma.bsp", "Wähle ...", "", true, true, true},
         hl + " -game tfc +map gamma -sv_cheats 1 -console -dev"},
        {"extra parameters are glued to the map",
         {GameMode::Deathmatch, "alpha.bsp", "", "-nojoy", false, false, false},
         hl + " +deathmatch 1 +map alpha-nojoy"},
        {"extra parameters before the switches",
         {GameMode::Deathmatch, "alpha.bsp", "", " +maxplayers 8", true, false, false},
         hl + " +deathmatch 1 +map alpha +maxplayers 8 -sv_cheats 1"},
        {"a name typed without extension still loses four characters",
         {GameMode::Deathmatch, "crossfire", "", "", false, false, false},
         hl + " +deathmatch 1 +map cross"},
        {"a name shorter than four characters leaves no map",
         {GameMode::Deathmatch, "c1", "", "", false, false, false}, hl + " +deathmatch 1 +map "},
        {"umlauts count as characters",
         {GameMode::Deathmatch, "größe.bsp", "", "", false, false, false},
         hl + " +deathmatch 1 +map größe"},
        {"difficulty counts in any mode", {GameMode::Deathmatch, "a.bsp", "Hard!", "", false, false, false},
         hl + " +deathmatch 1 +map a +set skill 2"},
        {"Einfach", {GameMode::SinglePlayer, "a.bsp", "Einfach", "", false, false, false},
         hl + " +map a +set skill 0"},
        {"difficulty compared whole and with case", {GameMode::SinglePlayer, "a.bsp", "mittel", "", false, false, false},
         hl + " +map a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(buildLaunchCommand(hl, c.settings), c.expected) << c.what;
}

TEST(LaunchCommand, AMissingProgramLeavesTheFragmentsAtTheHead) {
    EXPECT_EQ(buildLaunchCommand("", {GameMode::Deathmatch, "a.bsp", "", "", false, false, false}),
              " +deathmatch 1 +map a");
    EXPECT_EQ(buildLaunchCommand("", {GameMode::SinglePlayer, "a.bsp", "", "", false, false, false}),
              " +map a");
}

TEST(SwitchPreview, StartsWithOneBlank) {
    EXPECT_EQ(buildSwitchPreview(false, false, false, false), " ");
    EXPECT_EQ(buildSwitchPreview(true, false, true, false), "  -sv_cheats 1 -dev");
    EXPECT_EQ(buildSwitchPreview(true, true, true, true), "  -sv_cheats 1 -console -dev -numericping");
    EXPECT_EQ(buildSwitchPreview(false, false, false, true), "  -numericping");
}

} // namespace
} // namespace gravelock
