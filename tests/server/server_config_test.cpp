#include "server/server_config.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

using namespace gravelock;
using gravelock::test::readBytes;
using gravelock::test::TempFolder;
using gravelock::test::writeBytes;

namespace {

constexpr auto Save = ServerConfigVariant::Save;
constexpr auto Start = ServerConfigVariant::Start;

const ServerSettings kTicked = [] {
    ServerSettings s{.password = true, .passwordvalue = "geheim"};
    s.sv_cheats = s.dl = s.mp_flashlight = s.ul = s.mp_autocrosshair = s.mp_forcerespawn =
        s.chase_active = s.mp_friendlyfire = s.falldamage = s.mp_footsteps = s.mp_weaponstay =
            s.cl_download_ingame = true;
    return s;
}();

TEST(ServerConfigBytes, ExactFileContent) {
    struct Case {
        const char* name;
        ServerSettings settings;
        ServerConfigVariant variant;
        std::string bytes;
    };
    const std::string tail = "mp_fraglimit 0\r\nmp_timelimit 0\r\nmaxplayers 32\r\n"
                             "sv_gravity 800\r\nsv_maxspectators 0\r\n";
    // Fall damage is written twice, under the old and the new name.
    const std::string ticked =
        "sv_allowdownload 1\r\ncl_allowupload 1\r\nmp_falldamage 0\r\nmp_autocrosshair 0\r\n"
        "mp_flashlight 1\r\nsv_cheats 1\r\nmp_forcerespawn 1\r\nmp_footsteps 1\r\n"
        "falldamage 1\r\nmp_weaponstay 1\r\nmp_friendlyfire 1\r\nchase_active 1\r\n"
        "cl_download_ingame 0\r\n" +
        tail;
    const std::vector<Case> cases = {
        {"initial state", {}, Save, tail + "hostname \"Mein - ORVO- Game\"\r\n"},
        {"everything ticked, save", kTicked, Save,
         ticked + "hostname \"Mein - ORVO- Game\"\r\nsv_password \"geheim\"\r\n"},
        {"everything ticked, start", kTicked, Start,
         ticked + "Hostname \"Mein - ORVO- Game\"\r\nsv_password \"geheim\"\r\n"},
        // An unticked password is never written.
        // clang-format off
        {"texts as typed, in Windows-1252",
         {.maxplayersvalue = "8", .partyname = "  Größte €", .sv_gravityvalue = "080", .fraglimitvalue = "25",
          .timelimitvalue = "99", .passwordvalue = "alt"},
         Save,
         "mp_fraglimit 25\r\nmp_timelimit 99\r\nmaxplayers 8\r\nsv_gravity 080\r\nsv_maxspectators 0\r\n"
         "hostname \"  Gr\xF6\xDFte \x80\"\r\n"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(serverConfigBytes(c.settings, c.variant), c.bytes);
    }
}

TEST(ServerSettingsCheck, FirstFailingCheck) {
    using C = ServerSettingsCheck;
    const std::vector<std::pair<ServerSettings, C>> cases = {
        // clang-format off
        {{}, C::Passed},
        {{.partyname = "", .maxpingvalue = " "}, C::NoPartyName},
        {{.password = true, .partyname = " "}, C::NoPassword},
        {{.partyname = " "}, C::BlankPartyName},
        {{.partyname = "  "}, C::Passed}, // compared untrimmed: only exactly one blank fails
        {{.maxplayersvalue = " ", .maxpingvalue = " "}, C::BlankMaxPing},
        {{.maxplayersvalue = " ", .sv_gravityvalue = "x"}, C::BlankMaxPlayers},
        // The numbers, after the checks above, in the window's order.
        {{.maxplayersvalue = "", .sv_gravityvalue = "x"}, C::MaxPlayersOutOfRange},
        {{.maxplayersvalue = "0"}, C::MaxPlayersOutOfRange},
        {{.maxplayersvalue = "33"}, C::MaxPlayersOutOfRange},
        {{.maxplayersvalue = "-1"}, C::MaxPlayersOutOfRange},
        {{.maxplayersvalue = "1"}, C::Passed},
        {{.maxplayersvalue = "032"}, C::Passed},
        {{.sv_gravityvalue = "8 0", .maxspectatorsvalue = "x"}, C::GravityNotNumber},
        {{.maxspectatorsvalue = "-2", .fraglimitvalue = "x"}, C::MaxSpectatorsNotNumber},
        {{.fraglimitvalue = "", .timelimitvalue = "x"}, C::FragLimitNotNumber},
        {{.timelimitvalue = "1.5", .maxpingvalue = "x"}, C::TimeLimitNotNumber},
        {{.maxpingvalue = ""}, C::MaxPingNotNumber},
        {{.maxpingvalue = "+5"}, C::MaxPingNotNumber},
        {{.sv_gravityvalue = "0", .maxspectatorsvalue = "9999", .fraglimitvalue = "0", .timelimitvalue = "0", .maxpingvalue = "0"}, C::Passed},
        // clang-format on
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(CheckServerSettings(cases[i].first), cases[i].second);
    }
}

TEST(ServerSettingsCheck, MessagesWordedPerVariant) {
    using C = ServerSettingsCheck;
    const struct {
        C check;
        ServerConfigVariant variant;
        PlayerMessage message;
    } cases[] = {
        // clang-format off
        {C::Passed, Save, {}},
        {C::NoPartyName, Save, {"Du must einen Spielnamen angeben", ""}},
        {C::NoPartyName, Start, {"Du must den Spielname festlegen", ""}},
        {C::NoPassword, Save, {"Password...", "Error !"}},
        {C::NoPassword, Start, {"Password, na was is denn mit ihm los *lol*", "Error !"}},
        {C::BlankPartyName, Save, {"Du MUST einen SPIELNAMEN ANGEBEN", "Spielname"}},
        {C::BlankPartyName, Start, {"Du MUST den SPIELNAMEN ANGEBEN", "Spielname"}},
        {C::BlankMaxPing, Save, {"Please specify the maximum ping allowed", "Max ping"}},
        {C::BlankMaxPing, Start, {"Bitte leg die MAX PING fest", "Max Ping"}},
        {C::BlankMaxPlayers, Save, {"Bitte leg die Spieleranzahl fest !!!", "Max Spieler"}},
        {C::BlankMaxPlayers, Start,
         {"Na wenn du alleine spielen willst dann must du mindestens ein Spieler eingeben !", "Spieleranzahl"}},
        // The number checks name their box, alike for both buttons.
        {C::MaxPlayersOutOfRange, Start, {"Bei „Max. Spieler“ bitte eine ganze Zahl von 1 bis 32 eingeben.", ""}},
        {C::GravityNotNumber, Save, {"Bei „Gravity“ bitte eine ganze Zahl eingeben (0 oder mehr).", ""}},
        // clang-format on
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(serverSettingsMessage(cases[i].check, cases[i].variant), cases[i].message);
    }
}

TEST(ServerConfigBytes, TextsTheFileCannotHold) {
    struct Case {
        ServerSettings settings;
        std::optional<std::string> field;
        std::string character;
        std::string message;
    };
    const std::string refused = "Die orvo.cfg wurde nicht gespeichert: „";
    const std::string change = " die Datei nicht aufnehmen kann.\n\nBitte ändere den Text.";
    const std::vector<Case> cases = {
        // clang-format off
        {{.partyname = "Spiel Ω"}, "Spielname", "Ω", refused + "Spielname“ enthält das Zeichen „Ω“, das" + change},
        {{.password = true, .passwordvalue = "pass😀"}, "Password", "😀", refused + "Password“ enthält das Zeichen „😀“, das" + change},
        {{.passwordvalue = "Ω"}, std::nullopt, "", ""}, // unticked: not looked at
        // A line break would smuggle a console command of its own into the file.
        {{.partyname = "a\nsv_cheats 1"}, "Spielname", "", refused + "Spielname“ enthält einen Zeilenumbruch, den" + change},
        {{.sv_gravityvalue = "8\r"}, "Gravity", "", refused + "Gravity“ enthält einen Zeilenumbruch, den" + change},
        // The console cannot escape a quote inside a quoted value.
        {{.partyname = "Die \"Alten\""}, "Spielname", "\"", refused + "Spielname“ enthält das Zeichen „\"“, das" + change},
        // clang-format on
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const auto& c = cases[i];
        const auto problem = findUnwritableText(c.settings);
        EXPECT_EQ(problem ? std::optional(problem->field) : std::nullopt, c.field);
        EXPECT_EQ(problem ? problem->character : "", c.character);
        EXPECT_EQ(problem ? unwritableTextMessage(*problem) : "", c.message);
        EXPECT_EQ(serverConfigBytes(c.settings, Start).has_value(), !c.field);
    }
}

TEST(WriteServerConfig, RefusedTextLeavesTheOldFile) {
    TempFolder folder;
    const std::string path = folder.file("orvo.cfg");
    writeBytes(path, "old\r\n");
    EXPECT_FALSE(WriteServerConfig({.partyname = "Ω"}, Save, path));
    EXPECT_EQ(readBytes(path), "old\r\n");
}

TEST(ServerCommand, PathAndCommandKeepTheirTextsWhole) {
    EXPECT_EQ(serverConfigPath("C:\\Half-Life\\valve\\"), "C:\\Half-Life\\valve\\orvo.cfg");
    EXPECT_FALSE(gameFolderProblem("C:\\Half-Life\\valve\\"));
    // Missing or empty: the file would land in the working folder.
    EXPECT_TRUE(gameFolderProblem("error!"));
    EXPECT_TRUE(gameFolderProblem(""));
    const std::string program = "C:\\Program Files (x86)\\Half-Life\\hl.exe";
    EXPECT_EQ(buildServerCommand(program, "16", " two words"),
              program + " +deathmatch 1 +maxplayers 16 -console +map  two words");
    EXPECT_EQ(mapNameOf("Straße.bsp"), "Straße"); // characters, not bytes
}

} // namespace
