#include "setup/setup_rules.h"

#include <gtest/gtest.h>

#include <array>

using namespace gravelock;

namespace {

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
        // Only the exact "true" counts.
        {"True", "/g/valve/maps", "/g/tfc/maps", "/g/hl.exe", "/g/valve/", "", "/g/"},
        // Missing keys read as "error": shorter than the program's cut.
        {"error", "error", "error", "error", "e", "", ""},
        // Characters, not bytes.
        {"true", "C:\\Größe\\maps", "D:\\Übel\\maps", "C:\\Größe\\hl.exe", "C:\\Größe\\",
         "D:\\Übel\\", "C:\\Größe\\"},
    };
    for (const Case& c : cases) {
        const std::vector<SettingWrite> derived = {{"GAMEDIR", "valve", c.valve},
                                                   {"GAMEDIR", "tfcdir", c.tfcdir},
                                                   {"GAMEDIR", "dds", c.dds}};
        EXPECT_EQ(derivedFolderWrites(c.tfc, c.maps, c.tfcmaps, c.program), derived) << c.maps;
        auto finish = derived;
        finish.push_back({"MISC", "firstuse", "no"});
        EXPECT_EQ(finishWrites(c.tfc, c.maps, c.tfcmaps, c.program), finish) << c.maps;
    }
}

TEST(NamePage, FirstEmptyFieldIsReported) {
    const SetupMessage noNick{"Bitte gib einen Spitznamen oder deinen Namen ein", "Nickname"};
    const SetupMessage noClan{"Bitte trage eine Firma oder den Clannamen ein !", "Organisation"};
    struct Case {
        std::string nick, clan;
        std::optional<SetupMessage> problem;
    };
    const std::vector<Case> cases = {
        {"", "", noNick}, {"Nick", "", noClan}, {" ", " ", std::nullopt}, // blanks are text
    };
    for (const Case& c : cases)
        EXPECT_EQ(namePageProblem(c.nick, c.clan), c.problem) << c.nick << "|" << c.clan;
    EXPECT_EQ(namePageWrites("N", "C"),
              (std::vector<SettingWrite>{{"MISC", "user", "N"}, {"MISC", "company", "C"}}));
}

TEST(WizardFolders, WritesInOrderThenChecks) {
    const std::string noProgram = "You must specify where is orvo.exe";
    const std::string noMaps = "Du must den Half-Life Ordner festlegen !";
    const std::string noTfc = "Du must festlegen wo Team Fortess Classic installierd ist, oder "
                              "schalte die checkbox aus !";
    const std::vector<std::string> withTfc = {"MISC/tfc", "GAMEDIR/tfcmaps", "GAMEDIR/program",
                                              "GAMEDIR/maps"};
    const std::vector<std::string> withoutTfc = {"MISC/tfc", "GAMEDIR/program", "GAMEDIR/maps"};
    struct Case {
        GameFolders folders;
        std::vector<std::string> keys;
        std::string problem; // empty: none
    };
    const std::vector<Case> cases = {
        {{true, "p", "m", "t"}, withTfc, ""},
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
        EXPECT_EQ(writes.front().value, c.folders.tfc ? "true" : "false");
        const auto problem = wizardFolderProblem(c.folders);
        // An empty title shows the program's.
        EXPECT_EQ(problem,
                  c.problem.empty() ? std::nullopt : std::optional<SetupMessage>({c.problem, ""}));
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

TEST(ProgramFilter, KeepsTheDescriptionAndIgnoresCase) {
    EXPECT_EQ(programFilter("Half-Life Anwendung (Hl.exe)", "Hl.exe"),
              "Half-Life Anwendung (Hl.exe) ([hH][lL].[eE][xX][eE])");
    EXPECT_EQ(caseInsensitivePattern("*.bsp"), "*.[bB][sS][pP]");
}

TEST(Volumes, EntriesNameTheRootAndLabel) {
    const std::vector<std::array<std::string, 3>> cases = {
        {"C:/", "SYSTEM", "c: [SYSTEM]"},
        {"D:\\", "", "d:"},
        {"/", "", "/"},
        {"/media/usb/", "STICK", "/media/usb [STICK]"},
    };
    for (const auto& [root, label, entry] : cases)
        EXPECT_EQ(volumeEntry(root, label), entry) << root;
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
        {FolderPickerId::DirMaps, "/mnt/cd/", {"/mnt/cd/ Nicht Möglich.\n\n...", ".../mnt/cd"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(volumeNotReadyMessage(c.picker, c.root), c.message) << c.root;
}

TEST(Volumes, HoldingPicksTheLongestMatchingRoot) {
    const std::vector<std::string> roots = {"/", "/media/usb", "/media/usb2/", "C:/"};
    const std::vector<std::pair<std::string, std::size_t>> cases = {
        {"/home/player", 0},  {"/media/usb", 1},  {"/media/usb/maps", 1},
        {"/media/usb2/x", 2}, {"/media/usbx", 0}, {"c:\\Spiele", 3},
    };
    for (const auto& [path, index] : cases)
        EXPECT_EQ(volumeHolding(roots, path), index) << path;
    EXPECT_EQ(volumeHolding({"D:/", ""}, "C:\\x"), 2u);
}

TEST(PickedFolder, DropsTheTrailingSeparatorExceptAtARoot) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"C:\\", "C:\\"},
        {"C:", "C:\\"},
        {"/", "/"},
        {"C:\\HL\\valve\\maps\\", "C:\\HL\\valve\\maps"},
        {"/games/hl/", "/games/hl"},
    };
    for (const auto& [path, text] : cases)
        EXPECT_EQ(pickedFolderText(path), text) << path;
}
