#include "core/start_game.h"
#include "environment.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <set>
#include <thread>

namespace gravelock {
namespace {

namespace fs = std::filesystem;

TEST(SplitCommandText, FindsTheProgramWithoutGuessing) {
    const std::set<std::string> files = {"C:\\Program Files\\Valve\\hl.exe", "C:\\Program",
                                         "/opt/half life/hl", "/usr/games/hl"};
    const auto isFile = [&](const std::string& p) { return files.count(p) > 0; };
    const struct {
        std::string text, program, arguments;
    } cases[] = {
        // The longest existing prefix wins over a shorter one that also exists.
        {"C:\\Program Files\\Valve\\hl.exe +deathmatch 1 +map crossfire",
         "C:\\Program Files\\Valve\\hl.exe", " +deathmatch 1 +map crossfire"},
        {"/opt/half life/hl -console", "/opt/half life/hl", " -console"},
        {"/usr/games/hl", "/usr/games/hl", ""},
        {"/usr/games/hl  -dev", "/usr/games/hl", "  -dev"},
        // Quoted heads are taken as they stand, up to their own closing quote.
        {"\"/opt/half life/hl\" -console", "/opt/half life/hl", " -console"},
        {"\"/opt/half life/hl\" +name \"Big Ace\" -dev", "/opt/half life/hl",
         " +name \"Big Ace\" -dev"},
        {"\"/no such/hl\" -console", "/no such/hl", " -console"},
        {"\"/unclosed quote -console", "/unclosed quote -console", ""},
        // No prefix is a file: the first word names the missing program.
        {"error -console +connect :27015", "error", " -console +connect :27015"},
        {"/missing/hl.exe", "/missing/hl.exe", ""},
        // No program at all (the program key was empty).
        {" +deathmatch 1 +map x", "", " +deathmatch 1 +map x"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const CommandParts parts = splitCommandText(c.text, isFile);
        EXPECT_EQ(parts.program, c.program) << c.text;
        EXPECT_EQ(parts.arguments, c.arguments) << c.text;
    }
}

// Each head is asked about once, and only heads as long as a path can be: a
// long argument list costs no more than a short one.
TEST(SplitCommandText, AsksAboutEachPathLongHeadOnce) {
    for (const std::size_t words : {1000U, 3000U, 500000U}) { // 2 kB, just past a path, 1 MB
        std::string text = "/usr/games/hl";
        for (std::size_t i = 0; i < words; ++i)
            text += " a";
        std::vector<std::size_t> asked;
        const CommandParts parts = splitCommandText(text, [&](const std::string& p) {
            asked.push_back(p.size());
            return p == "/usr/games/hl";
        });
        EXPECT_EQ(parts.program, "/usr/games/hl");
        EXPECT_EQ(parts.arguments.size(), 2 * words);
        EXPECT_LE(*std::max_element(asked.begin(), asked.end()), 4096U) << words;
        EXPECT_EQ(std::set<std::size_t>(asked.begin(), asked.end()).size(), asked.size()) << words;
        EXPECT_EQ(asked.back(), 13U) << words; // longest first, down to the program
    }
}

// The words a Windows program's C runtime makes of the same text.
TEST(SplitArguments, ReadsTheTextAsAWindowsProgramDoes) {
    const struct {
        std::string text;
        std::vector<std::string> args;
    } cases[] = {
        // clang-format off
        {"", {}},
        {" \t ", {}},
        {" +map crossfire", {"+map", "crossfire"}},
        {" -skill  +fakelag 0", {"-skill", "+fakelag", "0"}},
        {" +name \"Big Ace\"", {"+name", "Big Ace"}},
        {" +name \"\"", {"+name", ""}},
        {" a\"b c\"d e", {"ab cd", "e"}},                  // quotes open and close inside a word
        {" \"unclosed quote  runs", {"unclosed quote  runs"}},
        {" \"a \"\"quoted\"\" word\"", {"a \"quoted\" word"}}, // "" inside quotes is one quote
        {" \"\"\"a\"", {"\"a"}},
        {" C:\\Spiele\\hl.exe \\\\server\\share", {"C:\\Spiele\\hl.exe", "\\\\server\\share"}},
        {" a\\\"b", {"a\"b"}},                             // odd backslashes: a literal quote
        {" a\\\\\"b c\"", {"a\\b c"}},                     // even: half of them, then a quote
        {" a\\\\\\\"b", {"a\\\"b"}},
        {" \"C:\\Program Files\\\\\" x", {"C:\\Program Files\\", "x"}},
        {" $(rm -rf ~);echo * 'single'", {"$(rm", "-rf", "~);echo", "*", "'single'"}},
        {" +connect 1.2.3.4:27015\t-dev", {"+connect", "1.2.3.4:27015", "-dev"}},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitArguments(c.text), c.args) << c.text;
}

TEST(SplitArguments, QuotedTextComesBackWhole) {
    for (const std::string text : {"", "Gordon F", "a\"b", "\\", "C:\\Spiele\\", "x\\\"y", "\"\"",
                                   "tab\there", "\\\\\"", "Größe"}) {
        const std::string quoted = quoteArgument(text);
        EXPECT_EQ(splitArguments(" +name " + quoted), (std::vector<std::string>{"+name", text}))
            << quoted;
    }
    EXPECT_EQ(quoteArgument("a\\b"), "\"a\\b\""); // backslashes count only before a quote
}

TEST(ChooseWine, OnlyWindowsProgramsElsewhereNeedWine) {
    const std::set<std::string> executables = {"/usr/bin/wine", "/opt/w/bin/wine-staging",
                                               "/home/p/wine", "wine", "/wine"};
    const auto isExecutable = [&](const std::string& p) { return executables.count(p) > 0; };
    const std::string path = "/bin:/usr/bin:/opt/w/bin";
    const std::string notInstalled = "Wine ist nicht installiert (Paket wine)";
    struct Case {
        std::string what;
        bool onWindows;
        std::string firstBytes, path, wineOverride;
        WineUse expected;
    };
    const std::string elf = "\x7f"
                            "E";
    const std::vector<Case> cases = {
        // clang-format off
        {"Windows starts its own programs",  true,  "MZ", path,              "",             {}},
        {"a script",                         false, "#!", path,              "",             {}},
        {"an ELF program",                   false, elf,  path,              "",             {}},
        {"too short to tell",                false, "M",  path,              "",             {}},
        {"wine on PATH",                     false, "MZ", path,              "",             {true, "/usr/bin/wine", ""}},
        {"no wine on PATH",                  false, "MZ", "/bin:/opt/w/bin", "",             {true, "", notInstalled}},
        {"empty PATH entries are no folder", false, "MZ", "::",              "",             {true, "", notInstalled}},
        {"override by name",                 false, "MZ", path,              "wine-staging", {true, "/opt/w/bin/wine-staging", ""}},
        {"override by path",                 false, "MZ", "",                "/home/p/wine", {true, "/home/p/wine", ""}},
        {"override missing",                 false, "MZ", path,              "/no/wine",
         {true, "", "Das Wine-Programm aus GRAVELOCK_WINE wurde nicht gefunden: /no/wine"}},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(chooseWine(c.onWindows, c.firstBytes, c.path, c.wineOverride, isExecutable),
                  c.expected)
            << c.what;
}

// The start every window makes: a request built from the text alone.
StartResult startText(const std::string& commandText) {
    return StartGame(makeStartRequest(commandText, WindowStyle::MaximisedWithFocus));
}

// The stand-in game, copied to a folder whose name has blanks.
class RealStart : public ::testing::Test {
protected:
    void SetUp() override {
        const auto standIn = test::environmentVariable("GRAVELOCK_TEST_GAME");
        ASSERT_TRUE(standIn) << "GRAVELOCK_TEST_GAME names the stand-in game";
        game = *standIn;
        fs::create_directories(dir);
        program = (dir / "hl launcher.exe").string();
        fs::copy_file(game, program);
    }

    // Waits until the game wrote its record (it runs on its own), at most 20 s.
    std::string waitForRecord() {
        for (int i = 0; i < 2000 && !fs::exists(record); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return test::readBytes(record);
    }
    bool startedIn(const fs::path& expected) {
        return fs::equivalent(test::readBytes(record + ".cwd"), expected);
    }

    test::TempFolder folder;
    fs::path dir = folder.path() / "Half Life" / "game dir";
    std::string game;
    std::string program;
    std::string record = folder.file("record.txt");
    test::ScopedEnvironmentVariable recordName{"GRAVELOCK_TEST_RECORD", record};
    test::ScopedEnvironmentVariable noOverride{"GRAVELOCK_WINE", std::nullopt};
};

TEST_F(RealStart, StartsTheGameInItsFolderWithItsArgumentsAsWindowsReadsThem) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows hands over one command line: start_game_windows_test.cpp";
#else
    const std::string script = (dir / "hl.sh").string();
    test::writeBytes(script, "#!/bin/sh\nexec \"" + game + "\" from-script \"$@\"\n");
    fs::permissions(script, fs::perms::owner_all);
    const struct {
        const char* what;
        std::string text, record;
    } cases[] = {
        {"shell characters stay literal",
         program + " +map alpha $(touch pwned) ; echo `id` * 'single' |x &y",
         "+map\nalpha\n$(touch\npwned)\n;\necho\n`id`\n*\n'single'\n|x\n&y\n"},
        // Split as Windows reads the same text, so the game gets the same words.
        {"quoted program, quoted argument", "\"" + program + "\" +name \"Gordon F\" -dev",
         "+name\nGordon F\n-dev\n"},
        {"relative program", "Half Life/game dir/hl launcher.exe -dev", "-dev\n"},
        {"shell script, started directly", script + " -game tfc", "from-script\n-game\ntfc\n"},
    };
    const fs::path before = fs::current_path();
    fs::current_path(folder.path());
    for (const auto& c : cases) {
        fs::remove(record);
        const StartResult result = startText(c.text);
        EXPECT_TRUE(result.ok) << c.what << ": " << result.reason;
        EXPECT_EQ(waitForRecord(), c.record) << c.what;
        EXPECT_TRUE(startedIn(dir)) << c.what;
        // Named whole: the game starts in its own folder, not the launcher's.
        EXPECT_EQ(makeStartRequest(c.text, WindowStyle::MaximisedWithFocus).workingFolder,
                  dir.string())
            << c.what;
    }
    fs::current_path(before);
    EXPECT_FALSE(fs::exists(folder.path() / "pwned"));
    EXPECT_FALSE(fs::exists(dir / "pwned"));
#endif
}

TEST_F(RealStart, FailuresNameTheProgramAndTheReason) {
    const std::string notExecutable = folder.file("readme.txt");
    test::writeBytes(notExecutable, "not a program");
    const struct {
        std::string text, program, reason;
    } cases[] = {
        {" +deathmatch 1 +map x", "", "Es ist kein Programm angegeben"},
        {"error -console +connect :27015", "error", "Das Programm wurde nicht gefunden"},
        {"\"" + folder.file("Half Life") + "\" -dev", folder.file("Half Life"),
         "Das ist ein Ordner, kein Programm"},
#ifdef _WIN32
        {notExecutable + " -dev", notExecutable, "Die Datei ist kein startbares Programm"},
#else
        {notExecutable + " -dev", notExecutable, "Die Datei ist nicht ausführbar"},
#endif
    };
    for (const auto& c : cases) {
        const StartResult result = startText(c.text);
        EXPECT_FALSE(result.ok) << c.text;
        EXPECT_EQ(result.program, c.program) << c.text;
        EXPECT_EQ(result.reason, c.reason) << c.text;
    }
    EXPECT_FALSE(fs::exists(record));
}

// A Windows program (no execute bit) beside the stand-in game playing Wine: the
// stand-in records what Wine would get.
TEST_F(RealStart, WindowsProgramRunsThroughWine) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows starts its own programs";
#else
    const std::string windowsProgram = (dir / "hl.exe").string();
    test::writeBytes(windowsProgram, std::string("MZ\x90\0stand-in", 11));
    const fs::path wineFolder = folder.path() / "wine bin";
    fs::create_directories(wineFolder);
    fs::copy_file(game, wineFolder / "wine");
    fs::copy_file(game, wineFolder / "wine-9");
    fs::create_directories(folder.path() / "empty");

    struct Case {
        std::string what;
        std::string path;
        std::optional<std::string> wineOverride;
        std::string reason; // empty: starts
    };
    const std::vector<Case> cases = {
        {"wine on PATH", "/nowhere:" + wineFolder.string(), std::nullopt, ""},
        {"no wine on PATH", (folder.path() / "empty").string(), std::nullopt,
         "Wine ist nicht installiert (Paket wine)"},
        {"named Wine", "", (wineFolder / "wine-9").string(), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(record);
        const test::ScopedEnvironmentVariable path("PATH", c.path);
        const test::ScopedEnvironmentVariable wine("GRAVELOCK_WINE", c.wineOverride);
        const StartResult result =
            startText(windowsProgram + " +map alpha -dev +name \"Gordon F\"");
        EXPECT_EQ(result.ok, c.reason.empty());
        EXPECT_EQ(result.reason, c.reason);
        EXPECT_EQ(result.program, windowsProgram);
        if (result.ok) {
            // Wine gets the words Windows would make, and quotes them again for the program.
            EXPECT_EQ(waitForRecord(), windowsProgram + "\n+map\nalpha\n-dev\n+name\nGordon F\n");
            EXPECT_TRUE(startedIn(dir));
        } else {
            EXPECT_FALSE(fs::exists(record));
        }
    }
#endif
}

} // namespace
} // namespace gravelock
