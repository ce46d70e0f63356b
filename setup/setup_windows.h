#pragma once

#include "setup/game_finder.h"

#include <functional>

namespace gravelock {

class WindowRegistry;

// Where "Suchen" looks: this system's environment, or a test's fake home.
using FinderEnvironmentSource = std::function<FinderEnvironment()>;

// Makes this subsystem's windows known to the registry by their design names.
void registerSetupWindows(WindowRegistry& registry,
                          FinderEnvironmentSource environment = currentFinderEnvironment);

} // namespace gravelock
