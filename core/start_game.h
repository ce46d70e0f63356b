// Starting the game from a complete command text: the one start every window uses.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace gravelock {

// Window styles of the start.
inline constexpr int kMinimisedWithFocus = 2;
inline constexpr int kMaximisedWithFocus = 3;

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
// up to the first blank.
CommandParts splitCommandText(const std::string& commandText,
                              const std::function<bool(const std::string&)>& isFile);

// The argument text split at blanks, as the game receives it on platforms that
// pass an argument list. Quotes and every other character stay literal.
std::vector<std::string> splitArguments(const std::string& arguments);

struct StartResult {
    bool ok = false;
    std::string program; // the program as found at the head of the text
    std::string reason;  // German, when the start failed
};

// Starts the program named at the head of `commandText` with the rest as its
// arguments and returns at once, without waiting. Never goes through a shell.
// On Windows the argument text is passed verbatim and `windowStyle` is the
// show state of the game's window; other platforms cannot set it and ignore it.
StartResult StartGame(const std::string& commandText, int windowStyle);

} // namespace gravelock
