#include "launcher/launch_command.h"

#include <gtest/gtest.h>

namespace gravelock {
namespace {

TEST(LaunchCommand, JoinsThePiecesInOrder) {
    constexpr auto SP = GameMode::SinglePlayer;
    constexpr auto TF = GameMode::TeamFortress;
    const std::string quoted = "\"C:\\Program Files\\Half-Life\\hl.exe\"";
    struct Case {
        const char* what;
        LaunchSettings settings;
        std::string tail; // what follows the program
        std::string program = "C:\\Spiele\\Half-Life\\hl.exe";
    };
    const std::vector<Case> cases = {
        // clang-format off
        {"deathmatch, nothing else", {.selectedMap = "alpha.bsp"}, " +deathmatch 1 +map alpha"},
        {"single player, Mittel, console", {.mode = SP, .selectedMap = "beta.bsp", .skill = 2, .console = true},
         " +map beta +skill 2 -console"},
        {"team fortress, all switches", {.mode = TF, .selectedMap = "gamma.bsp", .cheats = true, .console = true, .dev = true},
         " -game tfc +map gamma +sv_cheats 1 -console -dev"},
        {"extra parameters get a blank of their own", {.selectedMap = "crossfire.bsp", .parameters = "-w 1920"},
         " +deathmatch 1 +map crossfire -w 1920"},
        {"extra parameters with their own blank keep it", {.selectedMap = "alpha.bsp", .parameters = " +maxplayers 8", .cheats = true},
         " +deathmatch 1 +map alpha +maxplayers 8 +sv_cheats 1"},
        {"extra parameters after a tab", {.selectedMap = "alpha.bsp", .parameters = "\t-nojoy"}, " +deathmatch 1 +map alpha\t-nojoy"},
        {"a map name with blanks in quotes", {.selectedMap = "big hall.bsp"}, " +deathmatch 1 +map \"big hall\""},
        {"a quote in a map name survives", {.selectedMap = "a\"b.bsp"}, " +deathmatch 1 +map \"a\\\"b\""},
        {"a name typed without extension still loses four characters", {.selectedMap = "crossfire"}, " +deathmatch 1 +map cross"},
        {"umlauts count as characters", {.selectedMap = "größe.bsp"}, " +deathmatch 1 +map größe"},
        {"difficulty counts in any mode", {.selectedMap = "a.bsp", .skill = 3}, " +deathmatch 1 +map a +skill 3"},
        {"a difficulty and extra parameters, in that order", {.mode = SP, .selectedMap = "a.bsp", .skill = 1, .parameters = " -nojoy"},
         " +map a +skill 1 -nojoy"},
        {"a quoted program path followed by a quoted argument", {.selectedMap = "a.bsp", .parameters = " +exec \"my cfg.cfg\""},
         " +deathmatch 1 +map a +exec \"my cfg.cfg\"", quoted},
        // A missing program leaves the fragments at the head.
        {"no program, deathmatch", {.selectedMap = "a.bsp"}, " +deathmatch 1 +map a", ""},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(buildLaunchCommand(c.program, c.settings), c.program + c.tail) << c.what;
}

// The captions the box offers are the ones that count; anything else typed
// counts as no choice.
TEST(LaunchCommand, OnlyOfferedDifficultyCaptionsCount) {
    for (const Difficulty& d : difficulties())
        EXPECT_EQ(skillOf(d.caption), d.skill) << d.caption;
    for (const char* other : {"Wähle ...", "mittel", "Hard", "", "Mittel "})
        EXPECT_EQ(skillOf(other), std::nullopt) << other;
}

TEST(SwitchPreview, StartsWithOneBlank) {
    EXPECT_EQ(buildSwitchPreview(false, false, false, false), " ");
    EXPECT_EQ(buildSwitchPreview(true, false, true, false), "  +sv_cheats 1 -dev");
    EXPECT_EQ(buildSwitchPreview(true, true, true, true),
              "  +sv_cheats 1 -console -dev -numericping");
    EXPECT_EQ(buildSwitchPreview(false, false, false, true), "  -numericping");
}

} // namespace
} // namespace gravelock
