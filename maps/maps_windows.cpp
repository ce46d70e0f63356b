#include "maps/maps_windows.h"

#include "frame/window_names.h"
#include "frame/window_registry.h"
#include "maps/map_info_window.h"

namespace gravelock {

void registerMapsWindows(WindowRegistry& registry) {
    registry.add(windowName::mapinfo,
                 [](AppContext& context) { return new MapInfoWindow(context); });
}

} // namespace gravelock
