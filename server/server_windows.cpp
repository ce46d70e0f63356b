#include "server/server_windows.h"

#include "frame/window_names.h"
#include "frame/window_registry.h"
#include "server/dm_window.h"
#include "server/map_cycle_window.h"

namespace gravelock {

void registerServerWindows(WindowRegistry& registry) {
    registry.add(windowName::DM, [](AppContext& context) { return new DMWindow(context); });
    registry.add(windowName::MapCycle,
                 [](AppContext& context) { return new MapCycleWindow(context); });
}

} // namespace gravelock
