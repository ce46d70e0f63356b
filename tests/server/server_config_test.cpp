#include "server/server_config.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace gravelock;
using gravelock::test::readBytes;
using gravelock::test::TempFolder;
using gravelock::test::writeBytes;

namespace {

constexpr auto Save = ServerConfigVariant::Save;
constexpr auto Start = ServerConfigVariant::Start;

ServerSettings with(const std::function<void(ServerSettings&)>& change) {
    ServerSettings s;
    change(s);
    return s;
}

ServerSettings everythingTicked() {
    return with([](ServerSettings& s) {
        s.sv_cheats = s.dl = s.mp_flashlight = s.ul = s.mp_autocrosshair = s.mp_forcerespawn =
            s.chase_active = s.mp_friendlyfire = s.falldamage = s.mp_footsteps = s.mp_weaponstay =
                s.cl_download_ingame = s.password = true;
        s.passwordvalue = "geheim";
    });
}

struct BytesCase {
    const char* name;
    ServerSettings settings;
    ServerConfigVariant variant;
    std::string bytes;
};

TEST(ServerConfigBytes, ExactFileContent) {
    const std::string tail = "mp_fraglimit 0\r\nmaxplayers 32\r\nsv_gravity 800\r\n"
                             "sv_maxspectators 0\r\n";
    const std::vector<BytesCase> cases = {
        {"initial state", {}, Save, tail + "hostname Mein - ORVO- Game\r\n"},
        {"initial state, start", {}, Start, tail + "Hostname Mein - ORVO- Game\r\n"},
        {"fall damage writes two lines", with([](ServerSettings& s) { s.falldamage = true; }), Save,
         "mp_falldamage 0\r\nfalldamage 1\r\n" + tail + "hostname Mein - ORVO- Game\r\n"},
        {"everything ticked, save", everythingTicked(), Save,
         "cl_allowdownload 1\r\ncl_allowupload 1\r\nmp_falldamage 0\r\nmp_autocrosshair 0\r\n"
         "mp_flashlight 1\r\nsv_cheats 1\r\nmp_forcerespawn 1\r\nmp_footsteps 1\r\n"
         "falldamage 1\r\nmp_weaponstay 1\r\nmp_friendlyfire 1\r\nchase_active 1\r\n"
         "cl_download_ingame 0\r\n" +
             tail + "hostname Mein - ORVO- Game\r\nsv_password geheim\r\n"},
        {"everything ticked, start", everythingTicked(), Start,
         "cl_allowdownload 1\r\ncl_allowupload 1\r\nmp_falldamage 0\r\nmp_autocrosshair 0\r\n"
         "mp_flashlight 1\r\nsv_cheats 1\r\nmp_forcerespawn 1\r\nmp_footsteps 1\r\n"
         "falldamage 1\r\nmp_weaponstay 1\r\nmp_friendlyfire 1\r\nchase_active 1\r\n"
         "cl_download_ingame 0\r\n" +
             tail + "Hostname Mein - ORVO- Game\r\nPassword geheim\r\n"},
        {"texts as typed: empty, letters, blanks", with([](ServerSettings& s) {
             s.fraglimitvalue = "";
             s.maxplayersvalue = "abc";
             s.sv_gravityvalue = " 80 ";
             s.maxspectatorsvalue = "";
             s.partyname = "  Die  Runde ";
         }),
         Save,
         "mp_fraglimit \r\nmaxplayers abc\r\nsv_gravity  80 \r\nsv_maxspectators \r\n"
         "hostname   Die  Runde \r\n"},
        {"password left in the disabled box is not written",
         with([](ServerSettings& s) { s.passwordvalue = "alt"; }), Save,
         tail + "hostname Mein - ORVO- Game\r\n"},
        {"time limit and max ping never reach the file", with([](ServerSettings& s) {
             s.timelimitvalue = "99";
             s.maxpingvalue = "";
         }),
         Save, tail + "hostname Mein - ORVO- Game\r\n"},
        {"umlauts in Windows-1252", with([](ServerSettings& s) { s.partyname = "Größte Füße €"; }),
         Save,
         tail + "hostname Gr\xF6\xDF"
                "te F\xFC\xDF"
                "e \x80\r\n"},
    };
    for (const BytesCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(serverConfigBytes(c.settings, c.variant), c.bytes);
    }
}

TEST(ServerSettingsCheck, FirstFailingCheckAndItsMessage) {
    struct Case {
        const char* name;
        ServerSettings settings;
        ServerSettingsCheck check;
    };
    const std::vector<Case> cases = {
        {"initial state", {}, ServerSettingsCheck::Passed},
        {"no party name", with([](ServerSettings& s) { s.partyname = ""; }),
         ServerSettingsCheck::NoPartyName},
        {"no party name beats a blank ping", with([](ServerSettings& s) {
             s.partyname = "";
             s.maxpingvalue = " ";
         }),
         ServerSettingsCheck::NoPartyName},
        {"password ticked but empty", with([](ServerSettings& s) { s.password = true; }),
         ServerSettingsCheck::NoPassword},
        {"password ticked and given", with([](ServerSettings& s) {
             s.password = true;
             s.passwordvalue = "x";
         }),
         ServerSettingsCheck::Passed},
        {"empty password with the box unticked",
         with([](ServerSettings& s) { s.passwordvalue = ""; }), ServerSettingsCheck::Passed},
        {"empty password beats a blank party name", with([](ServerSettings& s) {
             s.password = true;
             s.partyname = " ";
         }),
         ServerSettingsCheck::NoPassword},
        {"party name one blank", with([](ServerSettings& s) { s.partyname = " "; }),
         ServerSettingsCheck::BlankPartyName},
        {"party name two blanks passes", with([](ServerSettings& s) { s.partyname = "  "; }),
         ServerSettingsCheck::Passed},
        {"max ping one blank", with([](ServerSettings& s) { s.maxpingvalue = " "; }),
         ServerSettingsCheck::BlankMaxPing},
        {"max ping empty passes", with([](ServerSettings& s) { s.maxpingvalue = ""; }),
         ServerSettingsCheck::Passed},
        {"max ping blank beats max players blank", with([](ServerSettings& s) {
             s.maxpingvalue = " ";
             s.maxplayersvalue = " ";
         }),
         ServerSettingsCheck::BlankMaxPing},
        {"max players one blank", with([](ServerSettings& s) { s.maxplayersvalue = " "; }),
         ServerSettingsCheck::BlankMaxPlayers},
        {"max players empty passes", with([](ServerSettings& s) { s.maxplayersvalue = ""; }),
         ServerSettingsCheck::Passed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CheckServerSettings(c.settings), c.check);
    }
}

TEST(ServerConfigBytes, TextsTheFileCannotHold) {
    struct Case {
        const char* name;
        ServerSettings settings;
        std::optional<std::string> field;
        std::string character;
    };
    const std::vector<Case> cases = {
        {"host name outside the code page",
         with([](ServerSettings& s) { s.partyname = "Spiel Ω"; }), "Spielname", "Ω"},
        {"password outside the code page", with([](ServerSettings& s) {
             s.password = true;
             s.passwordvalue = "pass😀";
         }),
         "Password", "😀"},
        {"unticked password is not looked at",
         with([](ServerSettings& s) { s.passwordvalue = "Ω"; }), std::nullopt, ""},
        {"line break in the host name",
         with([](ServerSettings& s) { s.partyname = "a\nsv_cheats 1"; }), "Spielname", ""},
        {"value box", with([](ServerSettings& s) { s.sv_gravityvalue = "8\r"; }), "Gravity", ""},
        {"unwritten max ping is not looked at",
         with([](ServerSettings& s) { s.maxpingvalue = "Ω"; }), std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto problem = findUnwritableText(c.settings);
        ASSERT_EQ(problem.has_value(), c.field.has_value());
        if (!problem) {
            EXPECT_TRUE(serverConfigBytes(c.settings, Save).has_value());
            continue;
        }
        EXPECT_EQ(problem->field, *c.field);
        EXPECT_EQ(problem->character, c.character);
        EXPECT_FALSE(serverConfigBytes(c.settings, Save).has_value());
        EXPECT_FALSE(serverConfigBytes(c.settings, Start).has_value());
    }
    EXPECT_EQ(unwritableTextMessage({"Spielname", "Ω"}),
              "Die orvo.cfg wurde nicht gespeichert: „Spielname“ enthält das Zeichen „Ω“, das die "
              "Datei nicht aufnehmen kann.\n\nBitte ändere den Text.");
}

TEST(WriteServerConfig, ReplacesTheFileWhole) {
    TempFolder folder;
    const std::string path = folder.file("orvo.cfg");
    ASSERT_TRUE(WriteServerConfig(everythingTicked(), Save, path));
    ASSERT_TRUE(WriteServerConfig(with([](ServerSettings& s) { s.ul = true; }), Save, path));
    EXPECT_EQ(readBytes(path),
              "cl_allowupload 1\r\nmp_fraglimit 0\r\nmaxplayers 32\r\n"
              "sv_gravity 800\r\nsv_maxspectators 0\r\nhostname Mein - ORVO- Game\r\n");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(WriteServerConfig, FailuresLeaveThePreviousFileAndSayWhy) {
    TempFolder folder;
    const std::string path = folder.file("orvo.cfg");
    writeBytes(path, "old\r\n");

    const WriteResult unwritable =
        WriteServerConfig(with([](ServerSettings& s) { s.partyname = "Ω"; }), Save, path);
    EXPECT_FALSE(unwritable);
    EXPECT_FALSE(unwritable.reason.empty());
    EXPECT_EQ(readBytes(path), "old\r\n");

    const WriteResult missingFolder = WriteServerConfig({}, Save, folder.file("gone/orvo.cfg"));
    EXPECT_FALSE(missingFolder);
    EXPECT_EQ(missingFolder.reason, "Der Ordner existiert nicht");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "gone"));
}

TEST(ServerConfigPath, FolderValueInFrontOfTheFileName) {
    struct Case {
        std::string valve;
        std::string path;
        bool usable;
    };
    const std::vector<Case> cases = {
        {"C:\\Sierra\\Half-Life\\valve\\", "C:\\Sierra\\Half-Life\\valve\\orvo.cfg", true},
        {"/games/hl/valve/", "/games/hl/valve/orvo.cfg", true},
        {"error!", "error!orvo.cfg", false},
        {"", "orvo.cfg", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.valve);
        EXPECT_EQ(serverConfigPath(c.valve), c.path);
        EXPECT_EQ(!gameFolderProblem(c.valve).has_value(), c.usable);
    }
}

TEST(ServerCommand, MapAsTypedAfterTheServerSwitches) {
    struct Case {
        std::string map;
        std::string command;
    };
    const std::string program = "C:\\Program Files (x86)\\Half-Life\\hl.exe";
    const std::vector<Case> cases = {
        {"crossfire", program + " +deathmatch 1 -console +map crossfire"},
        {"crossfire.bsp", program + " +deathmatch 1 -console +map crossfire.bsp"},
        {" two words", program + " +deathmatch 1 -console +map  two words"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(buildServerCommand(program, c.map), c.command);
    EXPECT_EQ(mapNameOf("crossfire.bsp"), "crossfire");
    EXPECT_EQ(mapNameOf("Bounce.BSP"), "Bounce");
    EXPECT_EQ(mapNameOf("Straße.bsp"), "Straße");
}

} // namespace
