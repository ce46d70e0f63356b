// The command text that starts the game and joins a server from the list.
#pragma once

#include <string>

namespace gravelock::servers {

struct JoinRequest {
    std::string program;  // the game program, as orvo.ini names it
    std::string address;  // "a.b.c.d:port"
    std::string game;     // the server's game folder; empty or "valve" for Half-Life
    std::string password; // empty: the server has none
};

struct JoinCommand {
    std::string text;
    std::string problem; // German; set when the server cannot be joined this way
};

// The connect tool's text (program, " -console", " +connect ", address, ":",
// port) with " -game FOLDER" before " -console" for a game other than
// Half-Life and " +password PASSWORD" at the end. The text is split at blanks
// when the game starts, so a folder or password that would not stay one word,
// or would read as a switch of its own, is refused.
JoinCommand buildJoinCommand(const JoinRequest& request);

} // namespace gravelock::servers
