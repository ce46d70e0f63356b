// Which windows the program has and how each is made: the one table of window
// ids, design names and factories.
#pragma once

#include "app/window_id.h"
#include "frame/window_registry.h"
#include "setup/game_finder.h"

#include <QString>
#include <initializer_list>

namespace gravelock {

namespace servers {
struct ServerListServices;
}

// What some windows are made with beyond the context.
struct WindowServices {
    // Where "Suchen" looks: this system, or a test's fake home.
    FinderEnvironmentSource gameSearch = currentFinderEnvironment;
    // Without them (tests of other windows) the server list is left out.
    const servers::ServerListServices* serverList = nullptr;
};

// Registers the windows named in `only`, or every window when it is empty.
void registerWindows(WindowRegistry& registry, const WindowServices& services = {},
                     std::initializer_list<WindowId> only = {});

// A window's design name: its objectName once loaded.
QString designName(WindowId id);

} // namespace gravelock
