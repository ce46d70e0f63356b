#include "core/game_watch.h"
#include "core/start_game.h"
#include "environment.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <optional>
#include <thread>

namespace gravelock {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using How = GameEnd::How;

TEST(GameWatch, OnlyAnEarlyFailureIsTold) {
    const struct {
        How how;
        long long number;
        std::chrono::milliseconds after;
        bool told;
    } cases[] = {
        {How::Status, 1, 200ms, true},   {How::Status, 0, 200ms, false}, // Steam hands over
        {How::Signal, 0, 9'999ms, true}, {How::Status, 1, 10'000ms, false},
        {How::Status, -1, 0ms, true},    {How::Signal, 9, 12'000ms, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            endedEarly({c.how, c.number, {}, c.after, {}, {}, false, {}, false}, kEarlyEndWindow),
            c.told)
            << c.number << " after " << c.after.count();
}

TEST(GameWatch, LastLinesAreReadableAndAtMostTwenty) {
    std::string many;
    std::vector<std::string> lastTwenty;
    for (int i = 1; i <= 30; ++i) {
        many += "line " + std::to_string(i) + "\n";
        if (i > 10)
            lastTwenty.push_back("line " + std::to_string(i));
    }
    const struct {
        const char* what;
        std::string tail;
        bool cut;
        std::vector<std::string> lines;
    } cases[] = {
        {"blank lines skipped", "\n  \none\r\n\r\n\ttwo\t\n\n", false, {"one", " two "}},
        {"no line end", "wine32 is missing", false, {"wine32 is missing"}},
        {"lone CR ends a line", "10%\r50%\rdone", false, {"10%", "50%", "done"}},
        {"colours and controls go", "\x1b[31merr:\x1b[0m bad\x07 thing", false, {"err: bad thing"}},
        {"at most twenty, the last ones", many, false, lastTwenty},
        {"a cut tail loses its partial first line", "ne 1\nline 2\n", true, {"line 2"}},
        {"a cut tail that is one line keeps it", "end of it", true, {"end of it"}},
        {"long lines cut", std::string(500, 'x'), false, {std::string(160, 'x') + "…"}},
        {"cut before a split character",
         std::string(159, 'a') + "ä",
         false,
         {std::string(159, 'a') + "…"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lastLines(c.tail, c.cut), c.lines) << c.what;
}

TEST(GameWatch, MessageNamesStatusOutputAndLog) {
    const std::string log = "/home/p/.local/state/gravelock/last-start.log";
    const struct {
        GameEnd end;
        std::vector<std::string> mentions, absent;
    } cases[] = {
        {{How::Status, 1, {}, {}, "/g/hl.sh", log, true, "prep\nwine32 is missing\n", false},
         {"gleich nach dem Start", "\nEnde: Exit-Status 1", "Programm: /g/hl.sh",
          "Seine letzten Zeilen:\nprep\nwine32 is missing", "Alles steht in " + log},
         {"nichts ausgegeben"}},
        {{How::Signal, 11, "SIGSEGV", {}, "hl", "", true, "", false},
         {"Signal 11 (SIGSEGV)", "Es hat nichts ausgegeben."},
         {"Alles steht"}},
        // A Windows game has no console: not a word about output.
        {{How::Status, 0xC0000005LL, {}, {}, "hl.exe", log, false, "", false},
         {"Exit-Status 3221225477 (0xC0000005)"},
         {"Zeilen", "ausgegeben"}},
    };
    for (const auto& c : cases) {
        const PlayerMessage m = earlyEndMessage(c.end);
        EXPECT_EQ(m.title, "Spiel beendet");
        for (const std::string& mention : c.mentions)
            EXPECT_NE(m.text.find(mention), std::string::npos) << m.text;
        for (const std::string& word : c.absent)
            EXPECT_EQ(m.text.find(word), std::string::npos) << m.text;
    }
}

TEST(GameWatch, StateFolderFollowsTheSystemsRules) {
    const struct {
        Platform platform;
        std::string xdg, home, localAppData, folder;
    } cases[] = {
        {Platform::Posix, "", "/home/p", "", "/home/p/.local/state/gravelock"},
        {Platform::Posix, "/var/st", "/home/p", "", "/var/st/gravelock"},
        {Platform::Posix, "relative", "/home/p", "", "/home/p/.local/state/gravelock"},
        {Platform::Posix, "", "", "", ""},
        {Platform::Windows, "/x", "C:\\Users\\p", "C:\\L", "C:\\L\\Gravelock"},
        {Platform::Windows, "", "C:\\Users\\p", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(playerStateFolder(c.platform, c.xdg, c.home, c.localAppData), c.folder) << c.xdg;
}

// A Windows game has no console: the exit status alone is told. The stand-in
// ends with status 1 at once when it has nowhere to record.
TEST(WindowsStart, ExitStatusAloneIsTold) {
#ifndef _WIN32
    GTEST_SKIP() << "elsewhere the output is watched too";
#else
    const auto standIn = test::environmentVariable("GRAVELOCK_TEST_GAME");
    ASSERT_TRUE(standIn);
    const test::ScopedEnvironmentVariable noRecord("GRAVELOCK_TEST_RECORD", std::nullopt);
    auto told = std::make_shared<std::promise<GameEnd>>();
    const StartWatch watch{
        {}, kEarlyEndWindow, [told](const GameEnd& end) { told->set_value(end); }};
    ASSERT_TRUE(
        StartGame(makeStartRequest("\"" + *standIn + "\"", WindowStyle::MinimisedWithFocus), watch)
            .ok);
    auto end = told->get_future();
    ASSERT_EQ(end.wait_for(20s), std::future_status::ready);
    const GameEnd got = end.get();
    EXPECT_EQ(got.number, 1);
    EXPECT_FALSE(got.outputKept);
#endif
}

// The first or the last bytes of a file: the chatty game's log is not read whole
// here either.
std::string partOf(const std::string& path, bool last) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = std::max<std::streamoff>(0, in.tellg());
    in.seekg(last ? std::max<std::streamoff>(0, size - 256) : 0);
    std::string bytes(4096, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

// Real starts of stand-in games (shell scripts), watched as the launcher watches.
class WatchedStart : public ::testing::Test {
protected:
    // Starts a script of `body` and waits until its watcher is done with it; the
    // early failure it told, if any.
    std::optional<GameEnd> start(const std::string& body,
                                 std::chrono::milliseconds window = kEarlyEndWindow) {
        const std::string script = folder.file("game.sh");
        test::writeBytes(script, "#!/bin/sh\n" + body + "\n");
        fs::permissions(script, fs::perms::owner_all);
        std::optional<GameEnd> told;
        // Told before the watcher's last line, so only while this waits.
        const StartWatch watch{log, window, [&told](const GameEnd& end) { told = end; }};
        EXPECT_TRUE(
            StartGame(makeStartRequest(script + " -game valve", WindowStyle::MinimisedWithFocus),
                      watch)
                .ok);
        for (int i = 0;
             i < 3000 && partOf(log, true).find("\nGravelock: Ende") == std::string::npos; ++i)
            std::this_thread::sleep_for(5ms);
        return told;
    }

    // Peak memory of this process in KB, as the kernel counts it.
    static long peakKilobytes() {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("VmHWM:", 0) == 0)
                return std::stol(line.substr(6));
        return 0;
    }

    test::TempFolder folder;
    std::string log = folder.file("state/gravelock/last-start.log");
};

TEST_F(WatchedStart, EarlyFailuresAreToldWithTheirOutput) {
#ifdef _WIN32
    GTEST_SKIP() << "shell scripts stand in for the game";
#else
    const struct {
        const char* body;
        std::chrono::milliseconds window;
        bool told;
        std::string lastLine, signalName;
        std::size_t lines = 1;
    } cases[] = {
        {"echo starting\necho 'wine32 is missing' >&2\nexit 1", kEarlyEndWindow, true,
         "wine32 is missing", "", 2},
        {"echo handed over\nexit 0", kEarlyEndWindow, false, "", ""},
        {"sleep 1\nexit 1", 300ms, false, "", ""}, // the rule, with a shorter window
        {"echo dying\nkill -KILL $$", kEarlyEndWindow, true, "dying", "SIGKILL"},
        // 10 MB: only the end is read back.
        {"yes 'Rauschen' | head -c 10485760\necho\necho 'last words' >&2\nexit 4", kEarlyEndWindow,
         true, "last words", "", kShownLines},
    };
    const long before = peakKilobytes();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        const std::optional<GameEnd> told = start(c.body, c.window);
        // Each start's log is its own: its command, then what the game printed.
        const std::string head = partOf(log, false);
        EXPECT_EQ(head.rfind("Gravelock startet: ", 0), 0U);
        EXPECT_EQ(head.find("Gravelock startet: ", 1), std::string::npos);
        EXPECT_NE(head.find(" -game valve\n"), std::string::npos);
        ASSERT_EQ(told.has_value(), c.told);
        if (!told)
            continue;
        EXPECT_EQ(told->log, log);
        EXPECT_EQ(told->signalName, c.signalName);
        EXPECT_LE(told->outputTail.size(), kOutputTailBytes);
        const std::vector<std::string> lines = lastLines(told->outputTail, told->outputCut);
        ASSERT_EQ(lines.size(), c.lines);
        EXPECT_EQ(lines.back(), c.lastLine);
    }
    EXPECT_GT(fs::file_size(log), 10'000'000U); // all of it went to the log
    // Reading the output whole would cost its 10 MB; the sanitizers' allocator
    // alone adds a few megabytes, so the bound sits between the two.
    EXPECT_LT(peakKilobytes() - before, 8192) << "the output must not be read whole";
    EXPECT_EQ(fs::status(log).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
#endif
}

} // namespace
} // namespace gravelock
