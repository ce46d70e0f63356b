// Real starts on Windows: the stand-in game records the one command line it was
// handed and the folder it runs in.
#include "core/start_game.h"
#include "core/text.h"
#include "environment.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

namespace gravelock {
namespace {

namespace fs = std::filesystem;

struct Record {
    std::string commandLine;
    std::string folder;
};

class WindowsStart : public ::testing::Test {
protected:
    // The stand-in game as `hl.exe` in `subfolder` of a fresh folder.
    std::string installGame(const fs::path& subfolder) {
        const auto game = test::environmentVariable("GRAVELOCK_TEST_GAME");
        if (!game)
            ADD_FAILURE() << "GRAVELOCK_TEST_GAME names the stand-in game";
        const fs::path dir = folder.path() / subfolder;
        fs::create_directories(dir);
        fs::copy_file(pathFromUtf8(game.value_or("")), dir / "hl.exe");
        return pathToUtf8(dir / "hl.exe");
    }

    // The game runs on its own: wait for its whole record (two lines), at
    // most 20 s: under Wine the file has been seen before its bytes.
    Record waitForRecord() {
        std::string bytes;
        for (int i = 0; i < 2000; ++i) {
            if (fs::exists(pathFromUtf8(record)))
                bytes = test::readBytes(record);
            if (std::count(bytes.begin(), bytes.end(), '\n') >= 2)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        Record seen;
        std::istringstream lines(bytes);
        std::getline(std::getline(lines, seen.commandLine), seen.folder);
        return seen;
    }

    test::TempFolder folder;
    std::string record = folder.file("record.txt");
    test::ScopedEnvironmentVariable recordVariable{"GRAVELOCK_TEST_RECORD", record};
};

TEST_F(WindowsStart, HandsTheArgumentsOverVerbatimInTheGamesFolder) {
    struct Case {
        const char* what;
        fs::path subfolder;
        std::string arguments;
        WindowStyle windowStyle;
    };
    const std::vector<Case> cases = {
        // clang-format off
        {"blanks in the path, quotes group words", fs::path("Half Life") / "game dir", " +map alpha +name \"Big Ace\"  -dev", WindowStyle::MaximisedWithFocus},
        {"umlauts in the path", pathFromUtf8("Spiele Größe"), " -console +connect 1.2.3.4:27015", WindowStyle::MinimisedWithFocus},
        {"no arguments", fs::path("HL"), "", WindowStyle::MaximisedWithFocus},
        {"characters a shell would read", fs::path("x"), " $(id) ; %PATH% & | ^ ' *", WindowStyle::MaximisedWithFocus},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(pathFromUtf8(record));
        const std::string program = installGame(c.subfolder);
        const StartResult result =
            StartGame(makeStartRequest(program + c.arguments, c.windowStyle));
        ASSERT_TRUE(result.ok) << result.reason;
        EXPECT_EQ(result.program, program);
        const Record seen = waitForRecord();
        EXPECT_EQ(seen.commandLine, "\"" + program + "\"" + c.arguments);
        // The game finds its data relative to its own folder.
        EXPECT_EQ(seen.folder, program.substr(0, program.rfind('\\')));
    }
}

TEST_F(WindowsStart, ARelativeProgramStartsInItsOwnFolder) {
    const std::string program = installGame("Half Life");
    const fs::path before = fs::current_path();
    fs::current_path(folder.path());
    const StartResult result =
        StartGame(makeStartRequest("Half Life\\hl.exe -dev", WindowStyle::MaximisedWithFocus));
    fs::current_path(before);
    ASSERT_TRUE(result.ok) << result.reason;
    const Record seen = waitForRecord();
    EXPECT_EQ(seen.commandLine, "\"" + program + "\" -dev");
    EXPECT_EQ(seen.folder, pathToUtf8(folder.path() / "Half Life"));
}

// A game in a Steam folder's own library starts that Steam (the stand-in plays
// steam.exe), with the game's arguments after Steam's own; turned off, the
// game itself.
TEST_F(WindowsStart, ASteamCopyStartsThroughItsSteam) {
    const std::string game = installGame(fs::path("Steam") / "steamapps" / "common" / "Half-Life");
    const std::string steam = pathToUtf8(folder.path() / "Steam" / "steam.exe");
    fs::copy_file(pathFromUtf8(game), pathFromUtf8(steam));
    const struct {
        bool throughSteam;
        std::string commandLine;
    } cases[] = {
        {true, "\"" + steam + "\" -applaunch 70 -game tfc +map 2fort"},
        {false, "\"" + game + "\" -game tfc +map 2fort"},
    };
    for (const auto& c : cases) {
        fs::remove(pathFromUtf8(record));
        const StartResult result = StartGame(makeStartRequest(
            game + " -game tfc +map 2fort", WindowStyle::MaximisedWithFocus, c.throughSteam));
        ASSERT_TRUE(result.ok) << result.reason;
        EXPECT_EQ(waitForRecord().commandLine, c.commandLine);
    }
}

} // namespace
} // namespace gravelock
