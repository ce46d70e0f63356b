// The platform half of StartGame: one implementation per system, chosen by CMake.
#pragma once

#include "core/game_watch.h"
#include "core/start_game.h"

namespace gravelock::detail {

// Starts a request whose program exists and is not a folder, Wine included
// where the request needs it, and hands the started process to the watch.
StartResult launch(const StartRequest& request, const StartWatch& watch);

// The program's path as the started process can reach it from its own folder.
std::string absoluteProgram(const StartRequest& request);

} // namespace gravelock::detail
