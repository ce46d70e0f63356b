// The platform half of StartGame: one implementation per system, chosen by CMake.
#pragma once

#include "core/start_game.h"

namespace gravelock::detail {

// Starts a request whose program exists and is not a folder, Wine included
// where the request needs it.
StartResult launch(const StartRequest& request);

// The program's path as the started process can reach it from its own folder.
std::string absoluteProgram(const StartRequest& request);

} // namespace gravelock::detail
