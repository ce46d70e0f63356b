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
        {"deathmatch, nothing else", {.selectedMap = "alpha.bsp", .difficulty = "Wähle ..."}, " +deathmatch 1 +map alpha"},
        {"single player, Mittel, console", {.mode = SP, .selectedMap = "beta.bsp", .difficulty = "Mittel", .console = true},
         " +map beta +set skill 1 -console"},
        {"team fortress, all switches",
         {.mode = TF, .selectedMap = "gamma.bsp", .difficulty = "Wähle ...", .cheats = true, .console = true, .dev = true},
         " -game tfc +map gamma -sv_cheats 1 -console -dev"},
        {"extra parameters are glued to the map", {.selectedMap = "alpha.bsp", .parameters = "-nojoy"}, " +deathmatch 1 +map alpha-nojoy"},
        {"extra parameters before the switches", {.selectedMap = "alpha.bsp", .parameters = " +maxplayers 8", .cheats = true},
         " +deathmatch 1 +map alpha +maxplayers 8 -sv_cheats 1"},
        {"a name typed without extension still loses four characters", {.selectedMap = "crossfire"}, " +deathmatch 1 +map cross"},
        {"a name shorter than four characters leaves no map", {.selectedMap = "c1"}, " +deathmatch 1 +map "},
        {"umlauts count as characters", {.selectedMap = "größe.bsp"}, " +deathmatch 1 +map größe"},
        {"difficulty counts in any mode", {.selectedMap = "a.bsp", .difficulty = "Hard!"}, " +deathmatch 1 +map a +set skill 2"},
        {"a difficulty and extra parameters, in that order", {.mode = SP, .selectedMap = "a.bsp", .difficulty = "Mittel", .parameters = " -nojoy"},
         " +map a +set skill 1 -nojoy"},
        {"a quoted program path followed by a quoted argument", {.selectedMap = "a.bsp", .parameters = " +exec \"my cfg.cfg\""},
         " +deathmatch 1 +map a +exec \"my cfg.cfg\"", quoted},
        {"Einfach", {.mode = SP, .selectedMap = "a.bsp", .difficulty = "Einfach"}, " +map a +set skill 0"},
        {"difficulty compared whole and with case", {.mode = SP, .selectedMap = "a.bsp", .difficulty = "mittel"}, " +map a"},
        // A missing program leaves the fragments at the head.
        {"no program, deathmatch", {.selectedMap = "a.bsp"}, " +deathmatch 1 +map a", ""},
        {"no program, single player", {.mode = SP, .selectedMap = "a.bsp"}, " +map a", ""},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(buildLaunchCommand(c.program, c.settings), c.program + c.tail) << c.what;
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
