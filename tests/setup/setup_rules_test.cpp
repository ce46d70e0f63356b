#include "setup/setup_rules.h"

#include <gtest/gtest.h>

using namespace gravelock;

namespace {

std::string valueOf(const std::vector<SettingWrite>& writes, const std::string& key) {
    for (const SettingWrite& w : writes)
        if (w.key == key)
            return w.value;
    return "<not written>";
}

std::vector<std::string> keysOf(const std::vector<SettingWrite>& writes) {
    std::vector<std::string> keys;
    for (const SettingWrite& w : writes)
        keys.push_back(w.section + "/" + w.key);
    return keys;
}

} // namespace

TEST(DerivedFolders, CutTheKnownEndingsOrGiveEmpty) {
    struct Case {
        std::string tfc, maps, tfcmaps, program;
        std::string valve, tfcdir, dds;
    };
    const std::vector<Case> cases = {
        {"true", R"(C:\HL\valve\maps)", R"(C:\HL\tfc\maps)", R"(C:\HL\hl.exe)", R"(C:\HL\valve\)",
         R"(C:\HL\tfc\)", R"(C:\HL\)"},
        {"false", R"(C:\HL\valve\maps)", R"(C:\HL\tfc\maps)", R"(C:\HL\hl.exe)", R"(C:\HL\valve\)",
         "", R"(C:\HL\)"},
        // Only the exact "true" counts.
        {"True", "/g/valve/maps", "/g/tfc/maps", "/g/hl.exe", "/g/valve/", "", "/g/"},
        // Missing keys read as "error": shorter than the program's cut.
        {"error", "error", "error", "error", "e", "", ""},
        {"true", "map", "abc", "hl.exe", "", "", ""},
        {"true", "", "", "", "", "", ""},
        // Characters, not bytes.
        {"true", "C:\\Größe\\maps", "D:\\Übel\\maps", "C:\\Größe\\hl.exe", "C:\\Größe\\",
         "D:\\Übel\\", "C:\\Größe\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.maps + " | " + c.program);
        const auto writes = derivedFolderWrites(c.tfc, c.maps, c.tfcmaps, c.program);
        EXPECT_EQ(keysOf(writes),
                  (std::vector<std::string>{"GAMEDIR/valve", "GAMEDIR/tfcdir", "GAMEDIR/dds"}));
        EXPECT_EQ(valueOf(writes, "valve"), c.valve);
        EXPECT_EQ(valueOf(writes, "tfcdir"), c.tfcdir);
        EXPECT_EQ(valueOf(writes, "dds"), c.dds);
    }
}

TEST(FinishWrites, EndWithFirstUseNo) {
    const auto writes = finishWrites("true", "/g/valve/maps", "/g/tfc/maps", "/g/hl.exe");
    EXPECT_EQ(keysOf(writes), (std::vector<std::string>{"GAMEDIR/valve", "GAMEDIR/tfcdir",
                                                         "GAMEDIR/dds", "MISC/firstuse"}));
    EXPECT_EQ(writes.back().value, "no");
}

TEST(NamePage, FirstEmptyFieldIsReported) {
    struct Case {
        std::string nick, clan;
        std::optional<SetupMessage> problem;
    };
    const SetupMessage noNick{"Bitte gib einen Spitznamen oder deinen Namen ein", "Nickname"};
    const SetupMessage noClan{"Bitte trage eine Firma oder den Clannamen ein !", "Organisation"};
    const std::vector<Case> cases = {
        {"", "", noNick}, {"", "Clan", noNick}, {"Nick", "", noClan},
        {" ", " ", std::nullopt}, // blanks are text
        {"Jörg", "Die Schrotflinten", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nick + "|" + c.clan);
        EXPECT_EQ(namePageProblem(c.nick, c.clan), c.problem);
    }
    EXPECT_EQ(namePageWrites("N", "C"),
              (std::vector<SettingWrite>{{"MISC", "user", "N"}, {"MISC", "company", "C"}}));
}

TEST(WizardFolders, WritesInOrderThenChecks) {
    const std::string noProgram = "You must specify where is orvo.exe";
    const std::string noMaps = "Du must den Half-Life Ordner festlegen !";
    const std::string noTfc = "Du must festlegen wo Team Fortess Classic installierd ist, oder "
                              "schalte die checkbox aus !";
    struct Case {
        GameFolders folders;
        std::vector<std::string> keys;
        std::string problem; // empty: none
    };
    const std::vector<std::string> withTfc = {"MISC/tfc", "GAMEDIR/tfcmaps", "GAMEDIR/program",
                                              "GAMEDIR/maps"};
    const std::vector<std::string> withoutTfc = {"MISC/tfc", "GAMEDIR/program", "GAMEDIR/maps"};
    const std::vector<Case> cases = {
        {{true, "p", "m", "t"}, withTfc, ""},
        {{false, "p", "m", "t"}, withoutTfc, ""},
        {{false, "p", "m", ""}, withoutTfc, ""}, // TFC check skipped when unticked
        {{true, "p", "m", ""}, withTfc, noTfc},
        {{true, "", "", ""}, withTfc, noProgram},
        {{false, "p", "", "t"}, withoutTfc, noMaps},
        {{false, "error", "error", "error"}, withoutTfc, ""}, // the placeholder passes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folders.program + "|" + c.folders.maps + "|" + c.folders.tfcmaps);
        const auto writes = wizardFolderWrites(c.folders);
        EXPECT_EQ(keysOf(writes), c.keys);
        EXPECT_EQ(valueOf(writes, "tfc"), c.folders.tfc ? "true" : "false");
        const auto problem = wizardFolderProblem(c.folders);
        EXPECT_EQ(problem ? problem->text : std::string(), c.problem);
        if (problem) {
            EXPECT_EQ(problem->title, ""); // the program's title
        }
    }
}

TEST(ConfigDialog, WritesTheFourValuesAlwaysThenTheDerivedFolders) {
    struct Case {
        GameFolders folders;
        std::vector<SettingWrite> writes;
    };
    const std::vector<Case> cases = {
        {{true, R"(D:\Neu\hl.exe)", R"(D:\Neu\valve\maps)", R"(D:\Neu\tfc\maps)"},
         {{"MISC", "tfc", "true"},
          {"GAMEDIR", "program", R"(D:\Neu\hl.exe)"},
          {"GAMEDIR", "maps", R"(D:\Neu\valve\maps)"},
          {"GAMEDIR", "tfcmaps", R"(D:\Neu\tfc\maps)"},
          {"GAMEDIR", "valve", R"(D:\Neu\valve\)"},
          {"GAMEDIR", "tfcdir", R"(D:\Neu\tfc\)"},
          {"GAMEDIR", "dds", R"(D:\Neu\)"}}},
        // Unticked: tfcmaps still written, tfcdir empty; empty texts are values.
        {{false, "", "", "/x/tfc/maps"},
         {{"MISC", "tfc", "false"},
          {"GAMEDIR", "program", ""},
          {"GAMEDIR", "maps", ""},
          {"GAMEDIR", "tfcmaps", "/x/tfc/maps"},
          {"GAMEDIR", "valve", ""},
          {"GAMEDIR", "tfcdir", ""},
          {"GAMEDIR", "dds", ""}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(configDialogWrites(c.folders), c.writes);
}

TEST(ProgramFilter, KeepsTheDescriptionAndIgnoresCase) {
    EXPECT_EQ(programFilter("Half-Life Programm (hl.exe)", "hl.exe"),
              "Half-Life Programm (hl.exe) ([hH][lL].[eE][xX][eE])");
    EXPECT_EQ(programFilter("Half-Life Anwendung (Hl.exe)", "Hl.exe"),
              "Half-Life Anwendung (Hl.exe) ([hH][lL].[eE][xX][eE])");
    EXPECT_EQ(caseInsensitivePattern("*.bsp"), "*.[bB][sS][pP]");
}

TEST(Volumes, EntriesNameTheRootAndLabel) {
    struct Case {
        std::string root, label, entry;
    };
    const std::vector<Case> cases = {
        {"C:/", "SYSTEM", "c: [SYSTEM]"}, {"D:\\", "", "d:"},
        {"/", "", "/"},                   {"/media/usb/", "STICK", "/media/usb [STICK]"},
        {"/mnt/data", "", "/mnt/data"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(volumeEntry(c.root, c.label), c.entry) << c.root;
}

TEST(Volumes, NotReadyMessagePerPicker) {
    struct Case {
        FolderPickerId picker;
        std::string root;
        SetupMessage message;
    };
    const std::vector<Case> cases = {
        {FolderPickerId::DirMaps, "a:/", {"A:\\ Nicht Möglich.\n\n...", "...A:"}},
        {FolderPickerId::DirMapsTFC, "A:\\", {"A:\\Nicht möglich.\n\n...", "... A:"}},
        {FolderPickerId::Configtfc, "a:", {"A:\\...\n\n...", "!!!A:"}},
        {FolderPickerId::DirMaps, "/media/cdrom/", {"/media/cdrom/ Nicht Möglich.\n\n...", ".../media/cdrom"}},
        {FolderPickerId::Configtfc, "/media/cdrom", {"/media/cdrom/...\n\n...", "!!!/media/cdrom"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(volumeNotReadyMessage(c.picker, c.root), c.message) << c.root;
}

TEST(Volumes, HoldingPicksTheLongestMatchingRoot) {
    const std::vector<std::string> roots = {"/", "/media/usb", "/media/usb2/", "C:/"};
    struct Case {
        std::string path;
        std::size_t index;
    };
    const std::vector<Case> cases = {
        {"/home/player", 0},  {"/", 0},           {"/media/usb", 1},
        {"/media/usb/maps", 1}, {"/media/usb2/x", 2}, {"/media/usbx", 0},
        {"c:\\Spiele", 3},    {"C:/", 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(volumeHolding(roots, c.path), c.index) << c.path;
    EXPECT_EQ(volumeHolding({"D:/", ""}, "C:\\x"), 2u);
}

TEST(PickedFolder, DropsTheTrailingSeparatorExceptAtARoot) {
    struct Case {
        std::string path, text;
    };
    const std::vector<Case> cases = {
        {"C:\\", "C:\\"},          {"C:", "C:\\"},
        {"/", "/"},                {"C:\\HL\\valve\\maps\\", "C:\\HL\\valve\\maps"},
        {"/games/hl/", "/games/hl"}, {"/games/hl", "/games/hl"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pickedFolderText(c.path), c.text) << c.path;
}
