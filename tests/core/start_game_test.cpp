#include "core/start_game.h"
#include "environment.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>

namespace gravelock {
namespace {

TEST(SplitCommandText, FindsTheProgramWithoutGuessing) {
    const std::set<std::string> files = {"C:\\Program Files\\Valve\\hl.exe", "C:\\Program",
                                         "/opt/half life/hl", "/usr/games/hl"};
    const auto isFile = [&](const std::string& p) { return files.count(p) > 0; };
    struct Case {
        std::string text, program, arguments;
    };
    const std::vector<Case> cases = {
        // The longest existing prefix wins over a shorter one that also exists.
        {"C:\\Program Files\\Valve\\hl.exe +deathmatch 1 +map crossfire",
         "C:\\Program Files\\Valve\\hl.exe", " +deathmatch 1 +map crossfire"},
        {"/opt/half life/hl -console", "/opt/half life/hl", " -console"},
        {"/usr/games/hl", "/usr/games/hl", ""},
        {"/usr/games/hl  -dev", "/usr/games/hl", "  -dev"},
        // Quoted heads are taken as they stand.
        {"\"/opt/half life/hl\" -console", "/opt/half life/hl", " -console"},
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

TEST(SplitArguments, SplitsAtBlanksAndKeepsEverythingElseLiteral) {
    struct Case {
        std::string text;
        std::vector<std::string> args;
    };
    const std::vector<Case> cases = {
        {"", {}},
        {" ", {}},
        {" +map crossfire", {"+map", "crossfire"}},
        {" -skill  +fakelag 0", {"-skill", "+fakelag", "0"}},
        {" +name \"Big Ace\"", {"+name", "\"Big", "Ace\""}},
        {" $(rm -rf ~);echo *", {"$(rm", "-rf", "~);echo", "*"}},
        {" +connect 1.2.3.4:27015\t-dev", {"+connect", "1.2.3.4:27015", "-dev"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitArguments(c.text), c.args) << c.text;
}

// The stand-in game, copied to a folder whose name has blanks.
class RealStart : public ::testing::Test {
protected:
    void SetUp() override {
        const char* game = std::getenv("GRAVELOCK_TEST_GAME");
        ASSERT_NE(game, nullptr) << "GRAVELOCK_TEST_GAME names the stand-in game";
        const auto dir = folder.path() / "Half Life" / "game dir";
        std::filesystem::create_directories(dir);
        program = (dir / "hl launcher").string();
        std::filesystem::copy_file(game, program);
        record = folder.file("record.txt");
        test::setEnvironmentVariable("GRAVELOCK_TEST_RECORD", record);
    }

    // Waits until the game wrote its record (it runs on its own), at most 20 s.
    std::string waitForRecord() {
        for (int i = 0; i < 2000 && !std::filesystem::exists(record); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return test::readBytes(record);
    }

    test::TempFolder folder;
    std::string program;
    std::string record;
};

TEST_F(RealStart, StartsTheGameWithItsArgumentsLiterally) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows hands over one command line: start_game_windows_test.cpp";
#endif
    const StartResult result = StartGame(
        program + " +map alpha $(touch pwned) ; echo `id` * \"quoted arg\" 'single' |x &y",
        kMaximisedWithFocus);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(result.program, program);
    EXPECT_EQ(waitForRecord(), "+map\nalpha\n$(touch\npwned)\n;\necho\n`id`\n*\n\"quoted\narg\"\n"
                               "'single'\n|x\n&y\n");
    EXPECT_FALSE(std::filesystem::exists("pwned"));
    EXPECT_FALSE(std::filesystem::exists(folder.file("pwned")));
}

TEST_F(RealStart, QuotedProgramPathStartsToo) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows hands over one command line: start_game_windows_test.cpp";
#endif
    ASSERT_TRUE(StartGame("\"" + program + "\" -console", kMinimisedWithFocus).ok);
    EXPECT_EQ(waitForRecord(), "-console\n");
}

TEST_F(RealStart, FailuresNameTheProgramAndTheReason) {
    const std::string notExecutable = folder.file("readme.txt");
    test::writeBytes(notExecutable, "not a program");
    struct Case {
        std::string text, program, reason;
    };
    const std::vector<Case> cases = {
        {"", "", "Es ist kein Programm angegeben"},
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
        const StartResult result = StartGame(c.text, kMaximisedWithFocus);
        EXPECT_FALSE(result.ok) << c.text;
        EXPECT_EQ(result.program, c.program) << c.text;
        EXPECT_EQ(result.reason, c.reason) << c.text;
    }
    EXPECT_FALSE(std::filesystem::exists(record));
}

} // namespace
} // namespace gravelock
