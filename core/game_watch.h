// Watching a started game for an end right after its start: the game's output
// goes to a log file in the player's own folder, and an early failure is told to
// the player with the last lines the game printed.
#pragma once

#include "core/platform.h"
#include "core/player_message.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace gravelock {

// How much of the game's output is read back for the message: enough for the
// last lines of a chatty game, small enough to read at once.
inline constexpr std::size_t kOutputTailBytes = std::size_t{64} * 1024;
// An end sooner than this after the start is the game failing to come up.
inline constexpr std::chrono::milliseconds kEarlyEndWindow{10'000};
inline constexpr std::size_t kShownLines = 20;

// How a started process ended.
struct GameEnd {
    enum class How { Status, Signal };
    How how = How::Status;
    long long number = 0;   // the exit status, or the signal's number
    std::string signalName; // "SIGSEGV", for a signal
    std::chrono::milliseconds after{0};
    std::string program;
    // The log the output went to; empty when there is none.
    std::string log;
    // Whether the output was kept at all (off Windows, with a log).
    bool outputKept = false;
    // At most kOutputTailBytes of the end of the output, and whether more came before.
    std::string outputTail;
    bool outputCut = false;
};

// What a start asks of its watcher.
struct StartWatch {
    // Where the game's output goes, replacing the last start's; empty: nowhere.
    std::string outputLog;
    std::chrono::milliseconds window = kEarlyEndWindow;
    // Called on the watcher's own thread, only for an early failure.
    std::function<void(const GameEnd&)> failedEarly;
};

// A failure worth telling: an end within the window, by a signal or with a
// non-zero status. A quick end with status 0 is a launcher handing over (Steam).
bool endedEarly(const GameEnd& end, std::chrono::milliseconds window);

// The last `count` lines of output that are not blank, fit for a message box:
// CR LF and lone CR end lines, terminal colour codes and other control
// characters go, overlong lines are cut at a character. When the tail was cut
// from a longer output, its first, partial line is dropped.
std::vector<std::string> lastLines(std::string_view tail, bool cut,
                                   std::size_t count = kShownLines);

// The player's message for an early failure.
PlayerMessage earlyEndMessage(const GameEnd& end);

// The first lines of a start's log: what was started, and where.
std::string logHeader(const std::string& commandText, const std::string& workingFolder);
// The line the watcher adds when the process ends.
std::string logFooter(const GameEnd& end);

// The folder for the program's state of the player's own:
// $XDG_STATE_HOME/gravelock, else ~/.local/state/gravelock; on Windows
// %LOCALAPPDATA%\Gravelock. Empty when the environment names no home.
std::string playerStateFolder(Platform platform, const std::string& xdgStateHome,
                              const std::string& home, const std::string& localAppData);
inline constexpr const char* kLastStartLogName = "last-start.log";

} // namespace gravelock
