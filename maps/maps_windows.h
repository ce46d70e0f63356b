// Registers the windows of the maps subsystem.
#pragma once

namespace gravelock {

class WindowRegistry;

void registerMapsWindows(WindowRegistry& registry);

} // namespace gravelock
