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

TEST(ServerConfigBytes, ExactFileContent) {
    struct Case {
        const char* name;
        ServerSettings settings;
        ServerConfigVariant variant;
        std::string bytes;
    };
    const std::string tail = "mp_fraglimit 0\r\nmaxplayers 32\r\nsv_gravity 800\r\n"
                             "sv_maxspectators 0\r\n";
    // Fall damage is written twice, under the old and the new name.
    const std::string ticked =
        "cl_allowdownload 1\r\ncl_allowupload 1\r\nmp_falldamage 0\r\nmp_autocrosshair 0\r\n"
        "mp_flashlight 1\r\nsv_cheats 1\r\nmp_forcerespawn 1\r\nmp_footsteps 1\r\n"
        "falldamage 1\r\nmp_weaponstay 1\r\nmp_friendlyfire 1\r\nchase_active 1\r\n"
        "cl_download_ingame 0\r\n" +
        tail;
    const std::vector<Case> cases = {
        {"initial state", {}, Save, tail + "hostname Mein - ORVO- Game\r\n"},
        {"everything ticked, save", everythingTicked(), Save,
         ticked + "hostname Mein - ORVO- Game\r\nsv_password geheim\r\n"},
        {"everything ticked, start", everythingTicked(), Start,
         ticked + "Hostname Mein - ORVO- Game\r\nPassword geheim\r\n"},
        {"texts as typed: empty, letters, blanks", with([](ServerSettings& s) {
             s.fraglimitvalue = s.maxspectatorsvalue = "";
             s.maxplayersvalue = "abc";
             s.sv_gravityvalue = " 80 ";
             s.partyname = "  Die  Runde ";
         }),
         Save,
         "mp_fraglimit \r\nmaxplayers abc\r\nsv_gravity  80 \r\nsv_maxspectators \r\n"
         "hostname   Die  Runde \r\n"},
        {"unticked password and time limit are not written", with([](ServerSettings& s) {
             s.passwordvalue = "alt";
             s.timelimitvalue = "99";
         }),
         Save, tail + "hostname Mein - ORVO- Game\r\n"},
        {"umlauts in Windows-1252", with([](ServerSettings& s) { s.partyname = "Größte Füße €"; }),
         Save,
         tail + "hostname Gr\xF6\xDFte F\xFC\xDF"
                "e \x80\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(serverConfigBytes(c.settings, c.variant), c.bytes);
    }
}

TEST(ServerSettingsCheck, FirstFailingCheck) {
    using C = ServerSettingsCheck;
    const std::vector<std::pair<ServerSettings, C>> cases = {
        {{}, C::Passed},
        {with([](ServerSettings& s) {
             s.partyname = "";
             s.maxpingvalue = " ";
         }),
         C::NoPartyName},
        {with([](ServerSettings& s) { s.passwordvalue = ""; }), C::Passed}, // box unticked
        {with([](ServerSettings& s) {
             s.password = true;
             s.partyname = " ";
         }),
         C::NoPassword},
        {with([](ServerSettings& s) { s.partyname = " "; }), C::BlankPartyName},
        // Compared untrimmed: only exactly one blank fails.
        {with([](ServerSettings& s) { s.partyname = "  "; }), C::Passed},
        {with([](ServerSettings& s) { s.maxpingvalue = s.maxplayersvalue = " "; }),
         C::BlankMaxPing},
        {with([](ServerSettings& s) { s.maxplayersvalue = " "; }), C::BlankMaxPlayers},
        {with([](ServerSettings& s) { s.maxplayersvalue = ""; }), C::Passed},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(CheckServerSettings(cases[i].first), cases[i].second);
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
        // A line break would smuggle a console command of its own into the file.
        {"line break in the host name",
         with([](ServerSettings& s) { s.partyname = "a\nsv_cheats 1"; }), "Spielname", ""},
        {"carriage return in a value box",
         with([](ServerSettings& s) { s.sv_gravityvalue = "8\r"; }), "Gravity", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto problem = findUnwritableText(c.settings);
        EXPECT_EQ(problem ? std::optional(problem->field) : std::nullopt, c.field);
        EXPECT_EQ(problem ? problem->character : "", c.character);
        EXPECT_EQ(serverConfigBytes(c.settings, Start).has_value(), !c.field);
    }
    EXPECT_EQ(unwritableTextMessage({"Spielname", "Ω"}),
              "Die orvo.cfg wurde nicht gespeichert: „Spielname“ enthält das Zeichen „Ω“, das die "
              "Datei nicht aufnehmen kann.\n\nBitte ändere den Text.");
}

TEST(WriteServerConfig, ReplacesTheFileWhole) {
    TempFolder folder;
    const std::string path = folder.file("orvo.cfg");
    ASSERT_TRUE(WriteServerConfig(everythingTicked(), Save, path));
    ASSERT_TRUE(WriteServerConfig({}, Start, path));
    EXPECT_EQ(readBytes(path), serverConfigBytes({}, Start));
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
    EXPECT_EQ(serverConfigPath("C:\\Half-Life\\valve\\"), "C:\\Half-Life\\valve\\orvo.cfg");
    EXPECT_FALSE(gameFolderProblem("C:\\Half-Life\\valve\\"));
    // Missing or empty: the file would land in the working folder.
    EXPECT_TRUE(gameFolderProblem("error!"));
    EXPECT_TRUE(gameFolderProblem(""));
}

TEST(ServerCommand, MapAsTypedAfterTheServerSwitches) {
    const std::string program = "C:\\Program Files (x86)\\Half-Life\\hl.exe";
    EXPECT_EQ(buildServerCommand(program, " two words"),
              program + " +deathmatch 1 -console +map  two words");
    EXPECT_EQ(mapNameOf("Bounce.BSP"), "Bounce");
    EXPECT_EQ(mapNameOf("Straße.bsp"), "Straße"); // characters, not bytes
}

} // namespace
