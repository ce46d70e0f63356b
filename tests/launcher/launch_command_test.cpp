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
        std::string program = "C:\\Spiele\\Half-Life\\hl.exe";
    };
    const std::string quoted = "\"C:\\Program Files\\Half-Life\\hl.exe\"";
    const std::vector<Case> cases = {
        {"deathmatch, nothing else",
         {.mode = GameMode::Deathmatch, .selectedMap = "alpha.bsp", .difficulty = "Wähle ..."},
         hl + " +deathmatch 1 +map alpha"},
        {"single player, Mittel, console",
         {.mode = GameMode::SinglePlayer,
          .selectedMap = "beta.bsp",
          .difficulty = "Mittel",
          .console = true},
         hl + " +map beta +set skill 1 -console"},
        {"team fortress, all switches",
         {.mode = GameMode::TeamFortress,
          .selectedMap = "gamma.bsp",
          .difficulty = "Wähle ...",
          .cheats = true,
          .console = true,
          .dev = true},
         hl + " -game tfc +map gamma -sv_cheats 1 -console -dev"},
        {"extra parameters are glued to the map",
         {.mode = GameMode::Deathmatch, .selectedMap = "alpha.bsp", .parameters = "-nojoy"},
         hl + " +deathmatch 1 +map alpha-nojoy"},
        {"extra parameters before the switches",
         {.mode = GameMode::Deathmatch,
          .selectedMap = "alpha.bsp",
          .parameters = " +maxplayers 8",
          .cheats = true},
         hl + " +deathmatch 1 +map alpha +maxplayers 8 -sv_cheats 1"},
        {"a name typed without extension still loses four characters",
         {.mode = GameMode::Deathmatch, .selectedMap = "crossfire"},
         hl + " +deathmatch 1 +map cross"},
        {"a name shorter than four characters leaves no map",
         {.mode = GameMode::Deathmatch, .selectedMap = "c1"},
         hl + " +deathmatch 1 +map "},
        {"umlauts count as characters",
         {.mode = GameMode::Deathmatch, .selectedMap = "größe.bsp"},
         hl + " +deathmatch 1 +map größe"},
        {"difficulty counts in any mode",
         {.mode = GameMode::Deathmatch, .selectedMap = "a.bsp", .difficulty = "Hard!"},
         hl + " +deathmatch 1 +map a +set skill 2"},
        {"a difficulty and extra parameters, in that order",
         {.mode = GameMode::SinglePlayer,
          .selectedMap = "a.bsp",
          .difficulty = "Mittel",
          .parameters = " -nojoy"},
         hl + " +map a +set skill 1 -nojoy"},
        {"a quoted program path followed by a quoted argument",
         {.mode = GameMode::Deathmatch,
          .selectedMap = "a.bsp",
          .parameters = " +exec \"my cfg.cfg\""},
         quoted + " +deathmatch 1 +map a +exec \"my cfg.cfg\"",
         quoted},
        {"Einfach",
         {.mode = GameMode::SinglePlayer, .selectedMap = "a.bsp", .difficulty = "Einfach"},
         hl + " +map a +set skill 0"},
        {"difficulty compared whole and with case",
         {.mode = GameMode::SinglePlayer, .selectedMap = "a.bsp", .difficulty = "mittel"},
         hl + " +map a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(buildLaunchCommand(c.program, c.settings), c.expected) << c.what;
}

TEST(LaunchCommand, AMissingProgramLeavesTheFragmentsAtTheHead) {
    EXPECT_EQ(buildLaunchCommand("", {.mode = GameMode::Deathmatch, .selectedMap = "a.bsp"}),
              " +deathmatch 1 +map a");
    EXPECT_EQ(buildLaunchCommand("", {.mode = GameMode::SinglePlayer, .selectedMap = "a.bsp"}),
              " +map a");
}

TEST(SwitchPreview, StartsWithOneBlank) {
    EXPECT_EQ(buildSwitchPreview(false, false, false, false), " ");
    EXPECT_EQ(buildSwitchPreview(true, false, true, false), "  -sv_cheats 1 -dev");
    EXPECT_EQ(buildSwitchPreview(true, true, true, true),
              "  -sv_cheats 1 -console -dev -numericping");
    EXPECT_EQ(buildSwitchPreview(false, false, false, true), "  -numericping");
}

} // namespace
} // namespace gravelock
