// Starting the game from a complete command text: the one start every window uses.
#pragma once

#include "core/start_route.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace gravelock {

// How the game's window shows when it starts.
enum class WindowStyle { MinimisedWithFocus, MaximisedWithFocus };

// A command text taken apart: the program at its head and the argument text
// behind it (which usually begins with its own blank).
struct CommandParts {
    std::string program;
    std::string arguments;
};

// Finds the program at the head of a command text without guessing: a head in
// double quotes is taken as it stands; otherwise the longest prefix ending at a
// blank (or at the end) for which `isFile` holds, so "C:\Program Files\..." can
// never start "C:\Program". When no prefix names a file, the program is the text
// up to the first blank. Each prefix is asked about once, so the work grows with
// the length of the text.
CommandParts splitCommandText(const std::string& commandText,
                              const std::function<bool(const std::string&)>& isFile);

// The argument text split the way a Windows program's C runtime reads its
// command line, so the game gets the same words on every system: blanks and
// tabs separate, double quotes group and are removed ("" inside quotes is one
// quote), and backslashes are literal except before a quote, where each pair
// gives one backslash and an odd one makes the quote literal.
std::vector<std::string> splitArguments(const std::string& arguments);

// The text in double quotes, escaped so that splitArguments gives it back as
// one argument exactly as it was.
std::string quoteArgument(const std::string& text);

// Windows programs begin with the bytes "MZ".
bool isWindowsProgram(std::string_view firstBytes);

// How a Windows program gets started on a system that is not Windows.
struct WineUse {
    bool needed = false;
    std::string program; // the Wine to run it with; empty when none was found
    std::string missing; // German, when Wine is needed but not found
    bool operator==(const WineUse&) const = default;
};

// The Wine rule, decided from the program's first bytes alone: a Windows program
// on a system that cannot run it itself goes through the program named by
// `wineOverride` (GRAVELOCK_WINE; a bare name is looked up on PATH) or else
// through `wine` on `pathValue` (PATH, ':'-separated). `isExecutable` tells
// which candidates may be started.
WineUse chooseWine(bool systemRunsWindowsPrograms, std::string_view firstBytes,
                   const std::string& pathValue, const std::string& wineOverride,
                   const std::function<bool(const std::string&)>& isExecutable);

// Everything one start needs, decided once from the command text.
struct StartRequest {
    std::string commandText;
    WindowStyle windowStyle = WindowStyle::MaximisedWithFocus;
    std::string workingFolder; // the program's own folder; empty without a program
    std::string program;       // the program as found at the head of the text
    std::string arguments;     // the rest of the text, as typed
    WineUse wine;
    StartRoute route;
};

// Takes the command text apart against the file system, puts the start into the
// program's folder (games find their data relative to it), applies the Wine
// rule with this process's PATH and GRAVELOCK_WINE, and chooses the route:
// through the copy's Steam unless `throughSteam` is off.
StartRequest makeStartRequest(const std::string& commandText, WindowStyle windowStyle,
                              bool throughSteam = true);

struct StartResult {
    bool ok = false;
    std::string program; // the program as found at the head of the text
    std::string reason;  // German, when the start failed
};

// Starts the request's program (or Wine with the program) with its arguments in
// its working folder and returns at once, without waiting, or starts the
// route's Steam instead. Never goes through a shell; the environment passes
// through unchanged but for the route's WINEPREFIX. On Windows the argument text
// is passed verbatim and the window style is the show state of the game's
// window; other platforms cannot set it and ignore it.
StartResult StartGame(const StartRequest& request);

} // namespace gravelock
