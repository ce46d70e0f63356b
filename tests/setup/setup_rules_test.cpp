#include "setup/setup_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

using namespace gravelock;

TEST(DerivedFolders, MapsLessMapsAndTheProgramsFolder) {
    struct Case {
        std::string tfc, maps, tfcmaps, program, valve, tfcdir, dds;
    };
    // Only the exact "true" counts; missing keys read as "error"; characters, not bytes; the
    // program's folder whatever its name; a trailing separator after maps changes nothing.
    const std::vector<Case> cases = {
        // clang-format off
        // tfc     maps                    tfcmaps          program                        valve             tfcdir         dds
        {"true",  R"(C:\HL\valve\maps)",   R"(C:\HL\tfc\maps)", R"(C:\HL\hl.exe)",              R"(C:\HL\valve\)",  R"(C:\HL\tfc\)", R"(C:\HL\)"},
        {"True",  "/g/valve/maps",        "/g/tfc/maps",   "/g/hl.exe",                   "/g/valve/",      "",            "/g/"},
        {"error", "error",                "error",         "error",                       "e",              "",            ""},
        {"true",  "C:\\Größe\\maps",      "D:\\Übel\\maps", "C:\\Größe\\hl.exe",             "C:\\Größe\\",     "D:\\Übel\\",   "C:\\Größe\\"},
        {"true",  "/g/valve/maps/",       "/g/tfc/maps//", "/g/hl.sh",                    "/g/valve/",      "/g/tfc/",     "/g/"},
        {"true",  R"(C:\HL\valve\maps\)",  "/g/tfc/maps",   "/home/p/Half Life/hl_linux",  R"(C:\HL\valve\)",  "/g/tfc/",     "/home/p/Half Life/"},
        {"false", "/g/valve/maps",        "",              R"(C:\HL/HL.EXE)",              "/g/valve/",      "",            R"(C:\HL/)"},
        {"false", "maps/",                "",              "C:hl.exe",                    "",               "",            "C:"},
        {"false", "/",                    "",              "hl.sh",                       "",               "",            ""},
        // clang-format on
    };
    for (const auto& c : cases) {
        std::vector<SettingWrite> writes = {{"GAMEDIR", "valve", c.valve},
                                            {"GAMEDIR", "tfcdir", c.tfcdir},
                                            {"GAMEDIR", "dds", c.dds}};
        EXPECT_EQ(derivedFolderWrites(c.tfc, c.maps, c.tfcmaps, c.program), writes) << c.maps;
        writes.push_back({"MISC", "firstuse", "no"});
        EXPECT_EQ(finishWrites(c.tfc, c.maps, c.tfcmaps, c.program), writes) << c.maps;
    }
}

TEST(NamePage, FirstEmptyFieldIsReportedElseBothAreWritten) {
    EXPECT_EQ(namePageProblem("", ""),
              (SetupMessage{"Bitte gib einen Spitznamen oder deinen Namen ein", "Nickname"}));
    EXPECT_EQ(namePageProblem("Nick", ""),
              (SetupMessage{"Bitte trage eine Firma oder den Clannamen ein !", "Organisation"}));
    EXPECT_EQ(namePageProblem(" ", " "), std::nullopt); // blanks are text
    EXPECT_EQ(namePageWrites("N", "C"),
              (std::vector<SettingWrite>{{"MISC", "user", "N"}, {"MISC", "company", "C"}}));
}

TEST(WizardFolders, WritesInOrderThenChecks) {
    const std::vector<std::string> withTfc = {"MISC/tfc", "GAMEDIR/tfcmaps", "GAMEDIR/program",
                                              "GAMEDIR/maps"};
    const std::vector<std::string> withoutTfc = {"MISC/tfc", "GAMEDIR/program", "GAMEDIR/maps"};
    struct Case {
        GameFolders folders;
        std::vector<std::string> keys;
        std::string problem; // a part of the message; empty: none
    };
    const std::vector<Case> cases = {
        {{true, "p", "m", "t"}, withTfc, ""},
        {{false, "p", "m", ""}, withoutTfc, ""}, // TFC check skipped when unticked
        {{true, "p", "m", ""}, withTfc, "Team Fortess"},
        {{true, "", "", ""}, withTfc, "orvo.exe"}, // only the first failing check
        {{false, "p", "", "t"}, withoutTfc, "Half-Life Ordner"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folders.program + "|" + c.folders.maps + "|" + c.folders.tfcmaps);
        const auto writes = wizardFolderWrites(c.folders);
        std::vector<std::string> keys;
        keys.reserve(writes.size());
        for (const SettingWrite& w : writes)
            keys.push_back(w.section + "/" + w.key);
        EXPECT_EQ(keys, c.keys);
        EXPECT_EQ(writes.front().value, c.folders.tfc ? "true" : "false");
        EXPECT_EQ(tfcTicked(writes.front().value), c.folders.tfc);
        const auto problem = wizardFolderProblem(c.folders);
        ASSERT_EQ(problem.has_value(), !c.problem.empty());
        EXPECT_NE(problem.value_or(SetupMessage{}).text.find(c.problem), std::string::npos);
    }
}

TEST(ConfigDialog, WritesTheFourValuesAlwaysThenTheDerivedFolders) {
    // Unticked: tfcmaps is still written but tfcdir is empty.
    EXPECT_EQ(
        configDialogWrites({false, R"(D:\Neu\hl.exe)", R"(D:\Neu\valve\maps)", "/x/tfc/maps"}),
        (std::vector<SettingWrite>{{"MISC", "tfc", "false"},
                                   {"GAMEDIR", "program", R"(D:\Neu\hl.exe)"},
                                   {"GAMEDIR", "maps", R"(D:\Neu\valve\maps)"},
                                   {"GAMEDIR", "tfcmaps", "/x/tfc/maps"},
                                   {"GAMEDIR", "valve", R"(D:\Neu\valve\)"},
                                   {"GAMEDIR", "tfcdir", ""},
                                   {"GAMEDIR", "dds", R"(D:\Neu\)"}}));
}

TEST(ProgramFilter, WindowsKeepsItsOwnElsewhereTheNativeGameCountsAndCaseDoesNot) {
    const std::string anyCase = "[hH][lL].[eE][xX][eE] [hH][lL].[sS][hH] "
                                "[hH][lL]_[lL][iI][nN][uU][xX] [xX][aA][sS][hH]3[dD]";
    const struct {
        Platform platform;
        std::string description, pattern, filter;
    } cases[] = {
        // clang-format off
        {Platform::Windows, "Half-Life Anwendung (Hl.exe)", "Hl.exe", "Half-Life Anwendung (Hl.exe) (Hl.exe xash3d.exe)"},
        {Platform::Posix, "Half-Life Anwendung (Hl.exe)", "Hl.exe", "Half-Life Anwendung (Hl.exe, hl.sh, hl_linux, xash3d) (" + anyCase + ")"},
        {Platform::Posix, "Spiel", "hl.exe", "Spiel (hl.exe, hl.sh, hl_linux, xash3d) (" + anyCase + ")"},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(programFilter(c.description, c.pattern, c.platform), c.filter) << c.description;
}

TEST(ProgramPicker, HlLinuxWithItsScriptBesideBecomesTheScript) {
    const std::vector<std::string> files = {"/g/hl.sh", "C:\\HL\\hl.sh", "/g/hl_linux"};
    const auto isFile = [&](const std::string& p) {
        return std::find(files.begin(), files.end(), p) != files.end();
    };
    const struct {
        std::string picked;
        std::optional<std::string> script;
    } cases[] = {
        {"/g/hl_linux", "/g/hl.sh"},
        {"/g/HL_Linux", "/g/hl.sh"},
        {"C:\\HL\\hl_linux", "C:\\HL\\hl.sh"},
        {"/other/hl_linux", std::nullopt}, // no script beside it
        {"/g/hl.exe", std::nullopt},
        {"/g/xhl_linux", std::nullopt},
        {"hl_linux", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(startScriptFor(c.picked, isFile), c.script) << c.picked;
}

TEST(Volumes, EntriesAndPickedFoldersKeepOnlyARootsSeparator) {
    const std::vector<std::array<std::string, 3>> entries = {
        {"C:/", "SYSTEM", "c: [SYSTEM]"},
        {"D:\\", "", "d:"},
        {"/", "", "/"},
        {"/media/usb/", "STICK", "/media/usb [STICK]"}};
    for (const auto& [root, label, entry] : entries)
        EXPECT_EQ(volumeEntry(root, label), entry) << root;
    const std::vector<std::pair<std::string, std::string>> picked = {
        {"C:\\", "C:\\"}, {"C:", "C:\\"}, {"/", "/"}, {"C:\\HL\\maps\\", "C:\\HL\\maps"}};
    for (const auto& [path, text] : picked)
        EXPECT_EQ(pickedFolderText(path), text) << path;
}

TEST(Volumes, NotReadyMessageNamesTheRoot) {
    // A drive by its letter in capitals and a backslash, any other root by its path.
    const struct {
        FolderPickerId picker;
        std::string root;
        SetupMessage message;
    } cases[] = {
        {FolderPickerId::DirMaps, "a:/", {"A:\\ Nicht Möglich.\n\n...", "...A:"}},
        {FolderPickerId::DirMapsTFC, "d:", {"D:\\Nicht möglich.\n\n...", "... D:"}},
        {FolderPickerId::Configtfc, "/mnt/cd/", {"/mnt/cd/...\n\n...", "!!!/mnt/cd"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(volumeNotReadyMessage(c.picker, c.root), c.message) << c.root;
}

TEST(Volumes, HoldingPicksTheLongestMatchingRoot) {
    const std::vector<std::string> roots = {"/", "/media/usb", "/media/usb2/", "C:/", ""};
    const std::vector<std::pair<std::string, std::size_t>> cases = {
        {"/home/player", 0}, {"/media/usb", 1}, {"/media/usb/maps", 1}, {"/media/usb2/x", 2},
        {"/media/usbx", 0},  {"c:\\Spiele", 3}, {"D:\\x", 5}, // none: an empty root holds nothing
    };
    for (const auto& [path, index] : cases)
        EXPECT_EQ(volumeHolding(roots, path), index) << path;
}
