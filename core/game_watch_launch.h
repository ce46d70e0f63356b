// The platform half of the watch: the log the game writes to and the thread
// that waits for the game. One implementation per system, chosen by CMake.
#pragma once

#include "core/game_watch.h"
#include "core/start_game.h"

namespace gravelock::detail {

#ifdef _WIN32
// Writes the log's header, replacing the last start's log; a Windows game has
// no console, so nothing else goes in before its end.
void writeLogHeader(const StartWatch& watch, const StartRequest& request);
// Waits for the process on a thread of its own, which owns the handle from now.
void watchProcess(void* process, const std::string& program, const StartWatch& watch);
#else
// The log for one start, its header written, open for the game's output: it
// replaces the last start's log. A file, not a pipe, so the game never waits
// for the launcher and keeps its output when the launcher ends first.
struct OutputLog {
    int fd = -1; // -1: no log could be made
    long long headerSize = 0;
};
OutputLog openOutputLog(const StartWatch& watch, const StartRequest& request);
// Waits for the process on a thread of its own (so no zombie stays behind),
// which owns the log's descriptor from now.
void watchProcess(int pid, OutputLog log, const std::string& program, const StartWatch& watch);
#endif

} // namespace gravelock::detail
